#include "enginesim/web/stream_readers.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "enginesim/core/unicode.h"
#include "enginesim/web/web_support.h"

namespace larkwell::enginesim::web {
namespace {

// Bytes that can be read at any position of a known size: the reading rules of memory and
// file readers, written once.
class PositionedSource : public ByteSource {
 public:
  size_t read(void* ptr, size_t size, size_t n) final {
    std::scoped_lock lock(mutex_);
    if (ptr == nullptr || size == 0) return 0;
    const auto remaining = static_cast<uint64_t>(size_ - position_);
    const size_t items = static_cast<size_t>(std::min<uint64_t>(n, remaining / size));
    const size_t bytes = items * size;
    if (bytes == 0 || !read_at(position_, ptr, bytes)) return 0;
    position_ += static_cast<int64_t>(bytes);
    return items;
  }

  int seek(int64_t offset, int whence) final {
    std::scoped_lock lock(mutex_);
    int64_t base = 0;
    switch (whence) {
      case 0:
        base = 0;
        break;
      case 1:
        base = position_;
        break;
      case 2:
        base = size_;
        break;
      default:
        return -1;
    }
    // Both bounds checked without forming base + offset, which could overflow.
    if (offset < -base || offset > size_ - base) return -1;
    position_ = base + offset;
    return 0;
  }

  int64_t tell() final {
    std::scoped_lock lock(mutex_);
    return position_;
  }

  int eof() final {
    std::scoped_lock lock(mutex_);
    return position_ >= size_ ? 1 : 0;
  }

 protected:
  explicit PositionedSource(int64_t size) : size_(size) {}
  // Copies `bytes` bytes from `position` (within the size) into `ptr`.
  virtual bool read_at(int64_t position, void* ptr, size_t bytes) = 0;

 private:
  std::mutex mutex_;
  const int64_t size_;
  int64_t position_ = 0;
};

class MemorySource final : public PositionedSource {
 public:
  MemorySource(const unsigned char* data, size_t size)
      : PositionedSource(static_cast<int64_t>(size)), bytes_(data, data + size) {}

 private:
  bool read_at(int64_t position, void* ptr, size_t bytes) override {
    std::memcpy(ptr, bytes_.data() + position, bytes);
    return true;
  }

  std::vector<unsigned char> bytes_;
};

// 64-bit positioning in the C library of each target.
int seek_file(std::FILE* file, int64_t offset, int origin) {
#if defined(_WIN32)
  return _fseeki64(file, offset, origin);
#else
  return fseeko(file, static_cast<off_t>(offset), origin);
#endif
}

int64_t tell_file(std::FILE* file) {
#if defined(_WIN32)
  return _ftelli64(file);
#else
  return static_cast<int64_t>(ftello(file));
#endif
}

// The name is UTF-16: on Windows the wide C library opens it as it is; elsewhere the
// C library takes UTF-8.
std::FILE* open_for_reading(std::u16string_view name) {
#if defined(_WIN32)
  const std::wstring wide(name.begin(), name.end());
  return _wfopen(wide.c_str(), L"rb");
#else
  return std::fopen(utf8_of(name).c_str(), "rb");
#endif
}

class FileSource final : public PositionedSource {
 public:
  FileSource(std::FILE* file, int64_t size) : PositionedSource(size), file_(file) {}
  ~FileSource() override { std::fclose(file_); }
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

 private:
  bool read_at(int64_t position, void* ptr, size_t bytes) override {
    return seek_file(file_, position, SEEK_SET) == 0 && std::fread(ptr, 1, bytes, file_) == bytes;
  }

  std::FILE* file_;
};

class HandlerSource final : public ByteSource {
 public:
  explicit HandlerSource(TCefReadHandler* handler) : handler_(Held<TCefReadHandler>::adopt(handler)) {}

 private:
  // Calls the handler's slot; a handler without it answers 0.
  template <auto Slot, class... Args>
  auto call(Args... args) {
    TCefReadHandler* handler = handler_.get();
    using Result = decltype((handler->*Slot)(handler, args...));
    if (handler->*Slot == nullptr) return Result{};
    return (handler->*Slot)(handler, args...);
  }

 public:
  size_t read(void* ptr, size_t size, size_t n) override { return call<&TCefReadHandler::read>(ptr, size, n); }
  int seek(int64_t offset, int whence) override { return call<&TCefReadHandler::seek>(offset, whence); }
  int64_t tell() override { return call<&TCefReadHandler::tell>(); }
  int eof() override { return call<&TCefReadHandler::eof>(); }

 private:
  Held<TCefReadHandler> handler_;
};

}  // namespace

std::unique_ptr<ByteSource> open_file_source(std::u16string_view file_name) {
  std::FILE* file = open_for_reading(file_name);
  if (file == nullptr) return nullptr;
  int64_t size = -1;
  if (seek_file(file, 0, SEEK_END) == 0) size = tell_file(file);
  if (size < 0) {
    std::fclose(file);
    return nullptr;
  }
  return std::make_unique<FileSource>(file, size);
}

std::unique_ptr<ByteSource> memory_source(const void* data, size_t size) {
  if (data == nullptr) return nullptr;
  return std::make_unique<MemorySource>(static_cast<const unsigned char*>(data), size);
}

std::unique_ptr<ByteSource> handler_source(TCefReadHandler* handler) {
  if (handler == nullptr) return nullptr;
  return std::make_unique<HandlerSource>(handler);
}

SimStreamReader::SimStreamReader(std::unique_ptr<ByteSource> source)
    : SimObjectOf("stream reader"), source_(std::move(source)) {
  TCefStreamReader* s = structure();
  s->read = entry<&SimStreamReader::read>;
  s->seek = entry<&SimStreamReader::seek>;
  s->tell = entry<&SimStreamReader::tell>;
  s->eof = entry<&SimStreamReader::eof>;
}

TCefStreamReader* new_stream_reader(std::unique_ptr<ByteSource> source) {
  if (!source) return nullptr;
  return make_object<SimStreamReader>(std::move(source))->structure();
}

}  // namespace larkwell::enginesim::web
