// The engine's stream readers: over a file, over memory, or over a program's read handler.
//
// A reader over a file or memory reads whole items only: read(size, n) copies
// min(n, remaining / size) items and moves on by exactly those bytes. seek answers 0, or -1
// and stays put when the target lies before the start or past the end; eof is true at the
// end. A reader over a read handler asks the handler for every answer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "engine/cef_api.h"
#include "enginesim/core/sim_object.h"

namespace larkwell::enginesim::web {

// Where a reader's bytes come from.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual size_t read(void* ptr, size_t size, size_t n) = 0;
  virtual int seek(int64_t offset, int whence) = 0;
  virtual int64_t tell() = 0;
  virtual int eof() = 0;
};

// Null when the file cannot be opened for reading.
std::unique_ptr<ByteSource> open_file_source(std::u16string_view file_name);
// A copy of the `size` bytes at `data`; null for null data.
std::unique_ptr<ByteSource> memory_source(const void* data, size_t size);
// Takes over the reference that came with `handler`, released when the source goes.
std::unique_ptr<ByteSource> handler_source(TCefReadHandler* handler);

class SimStreamReader final : public SimObjectOf<TCefStreamReader> {
 public:
  explicit SimStreamReader(std::unique_ptr<ByteSource> source);

 private:
  size_t read(void* ptr, size_t size, size_t n) { return source_->read(ptr, size, n); }
  int seek(int64_t offset, int whence) { return source_->seek(offset, whence); }
  int64_t tell() { return source_->tell(); }
  int eof() { return source_->eof(); }

  std::unique_ptr<ByteSource> source_;
};

// A new reader over `source` with one reference for the caller; null for no source.
TCefStreamReader* new_stream_reader(std::unique_ptr<ByteSource> source);

}  // namespace larkwell::enginesim::web
