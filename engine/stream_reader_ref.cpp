#include "engine/stream_reader_ref.h"

#include <limits>
#include <memory>

#include "engine/cef_callback.h"
#include "engine/entry_points.h"
#include "os/file.h"

namespace larkwell {

// ---- the engine's stream reader

IPtr<ICefStreamReader> TCefStreamReaderRef::UnWrap(void* data) {
  return CefUnWrap<TCefStreamReaderRef, ICefStreamReader>(data);
}

IPtr<ICefStreamReader> TCefStreamReaderRef::CreateForFile(const ustring& filename) {
  return CefCallExport<IPtr<ICefStreamReader>>(cef_stream_reader_create_for_file, filename);
}
IPtr<ICefStreamReader> TCefStreamReaderRef::CreateForData(void* data, size_t size) {
  return CefCallExport<IPtr<ICefStreamReader>>(cef_stream_reader_create_for_data, data, size);
}
IPtr<ICefStreamReader> TCefStreamReaderRef::CreateForCustomStream(const IPtr<ICefCustomStreamReader>& stream) {
  return CefCallExport<IPtr<ICefStreamReader>>(cef_stream_reader_create_for_handler, stream);
}
IPtr<ICefStreamReader> TCefStreamReaderRef::CreateForStream(TStream* stream, bool owned) {
  return CreateForCustomStream(New<TCefCustomStreamReader>(stream, owned));
}

size_t TCefStreamReaderRef::Read(void* ptr, size_t size, size_t n) {
  return CefCall<size_t, &TCefStreamReader::read>(FData, ptr, size, n);
}
int TCefStreamReaderRef::Seek(int64_t offset, int whence) {
  return CefCall<int, &TCefStreamReader::seek>(FData, offset, whence);
}
int64_t TCefStreamReaderRef::Tell() { return CefCall<int64_t, &TCefStreamReader::tell>(FData); }
bool TCefStreamReaderRef::Eof() { return CefCall<bool, &TCefStreamReader::eof>(FData); }

// ---- the program's read handler

TCefCustomStreamReader::TCefCustomStreamReader(TStream* stream, bool owned)
    : TCefBaseOwn(sizeof(TCefReadHandler)), FStream(stream), FOwned(owned) {
  auto handler = CefSlots<TCefReadHandler>(this);
  handler.Set<&TCefReadHandler::read, &TCefCustomStreamReader::Read>();
  // A seek that fails, also by an exception, answers non-zero: 0 tells the engine it succeeded.
  handler.Set<&TCefReadHandler::seek, &TCefCustomStreamReader::Seek, AnswerOnError<-1>>();
  handler.Set<&TCefReadHandler::tell, &TCefCustomStreamReader::Tell>();
  handler.Set<&TCefReadHandler::eof, &TCefCustomStreamReader::Eof>();
}

namespace {
// Kept out of the delegating constructor's initialiser: there, g++ 12 leaked the new stream's
// memory when its constructor raised (LeakSanitizer found it).
std::unique_ptr<TStream> OpenForReading(const ustring& filename) {
  return std::make_unique<os::FileStream>(filename, os::FileMode::kOpenRead);
}
}  // namespace

TCefCustomStreamReader::TCefCustomStreamReader(const ustring& filename)
    : TCefCustomStreamReader(OpenForReading(filename)) {}

// The stream stays with `stream` until the reader is built, so it is freed if building fails.
TCefCustomStreamReader::TCefCustomStreamReader(std::unique_ptr<TStream> stream)
    : TCefCustomStreamReader(stream.get(), true) {
  static_cast<void>(stream.release());
}

TCefCustomStreamReader::~TCefCustomStreamReader() {
  if (FOwned) delete FStream;
}

size_t TCefCustomStreamReader::Read(void* ptr, size_t size, size_t n) {
  if (size == 0) return 0;
  // size * n bytes, limited to what one stream read can ask for.
  constexpr auto kMaxBytes = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  const uint64_t bytes = n > kMaxBytes / size ? kMaxBytes : static_cast<uint64_t>(size) * n;
  TCefOwnLock lock(*this);
  const int64_t read = FStream->Read(ptr, static_cast<int64_t>(bytes));
  return read > 0 ? static_cast<size_t>(static_cast<uint64_t>(read) / size) : 0;
}

int TCefCustomStreamReader::Seek(int64_t offset, int whence) {
  if (whence < 0 || whence > 2) return -1;
  TCefOwnLock lock(*this);
  const int64_t before = FStream->Position();
  if (FStream->Seek(offset, static_cast<TSeekOrigin>(whence)) >= 0) return 0;
  FStream->SetPosition(before);  // a stream that went before its start goes back
  return -1;
}

int64_t TCefCustomStreamReader::Tell() {
  TCefOwnLock lock(*this);
  return FStream->Position();
}

bool TCefCustomStreamReader::Eof() {
  TCefOwnLock lock(*this);
  return FStream->Position() == FStream->Size();
}

}  // namespace larkwell
