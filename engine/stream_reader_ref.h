// Streams the engine reads: the wrapper of the engine's stream reader with the four ways to get
// one, and the program's read handler over a native stream (TCefCustomStreamReader).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/stream.h"
#include "engine/cef_call.h"
#include "engine/cef_interfaces.h"

namespace larkwell {

class TCefStreamReaderRef : public TCefBaseRef, public ICefStreamReader {
 public:
  using TCefBaseRef::TCefBaseRef;
  // The wrapper of `data`, empty for null; takes over the reference that came with `data`.
  static IPtr<ICefStreamReader> UnWrap(void* data);

  // The engine's reader of the named file; empty when the engine cannot open it.
  static IPtr<ICefStreamReader> CreateForFile(const ustring& filename);
  // The engine's reader of `size` bytes at `data`, which must outlive the reader.
  static IPtr<ICefStreamReader> CreateForData(void* data, size_t size);
  // The engine's reader over a program read handler (handed over with one reference), or over
  // null when there is none.
  static IPtr<ICefStreamReader> CreateForCustomStream(const IPtr<ICefCustomStreamReader>& stream);
  // The engine's reader over a TCefCustomStreamReader on `stream`; with `owned` the stream is
  // freed when the engine lets the reader go.
  static IPtr<ICefStreamReader> CreateForStream(TStream* stream, bool owned);

  // Whole items of `size` bytes read into `ptr`, as the engine counts them.
  size_t Read(void* ptr, size_t size, size_t n) override;
  // The engine's answer: 0 when the reader moved, non-zero when it could not.
  int Seek(int64_t offset, int whence) override;
  int64_t Tell() override;
  bool Eof() override;
};
template <>
struct CefRefClass<ICefStreamReader> {
  using type = TCefStreamReaderRef;
};

// The engine's read handler over a native stream. The engine may call it from several threads:
// every access to the stream is serialised by the object's lock.
class TCefCustomStreamReader : public TCefBaseOwn, public ICefCustomStreamReader {
 public:
  // Reads `stream`; with `owned` the reader frees the stream when it is destroyed, otherwise
  // the stream must outlive the reader.
  TCefCustomStreamReader(TStream* stream, bool owned);
  // Reads the named file, opened for reading and shared with readers but not writers. Raises
  // EFOpenError when the file cannot be opened.
  explicit TCefCustomStreamReader(const ustring& filename);
  ~TCefCustomStreamReader() override;

  // Up to size * n bytes; answers the whole items read (the bytes of a partial last item are
  // consumed but not counted). An item size of 0 reads nothing.
  size_t Read(void* ptr, size_t size, size_t n) override;
  // Moves by the full 64-bit offset from origin 0 (start), 1 (current) or 2 (end). Answers as
  // the engine's read handlers do: 0 when the stream moved, -1 when the origin is unknown or the
  // stream answers no position (a negative one), in which case the stream stays where it was.
  // The new position is what Tell answers.
  int Seek(int64_t offset, int whence) override;
  int64_t Tell() override;
  // True exactly when the position equals the size.
  bool Eof() override;

 private:
  explicit TCefCustomStreamReader(std::unique_ptr<TStream> stream);
  TStream* FStream;
  bool FOwned;
};

}  // namespace larkwell
