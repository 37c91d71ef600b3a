// Files through the operating system, with 64-bit positions, and a native stream over one.
#pragma once

#include <cstdint>
#include <utility>

#include "core/stream.h"
#include "core/ustring.h"

namespace larkwell::os {

enum class FileMode {
  kOpenRead,  // an existing file, for reading; others may read it too but not write it
  kCreate,    // created, or emptied if it exists, for reading and writing; nobody else may open it
};

// An open file handle, closed with the object. Move-only.
class File {
 public:
  File() noexcept = default;
  File(File&& other) noexcept : handle_(std::exchange(other.handle_, kInvalid)) {}
  File& operator=(File&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, kInvalid);
    }
    return *this;
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File() { Close(); }

  // Opens `name`; an empty File when that fails, with the system's code for the failure in
  // `error` (SystemErrorText() gives its text).
  static File Open(const ustring& name, FileMode mode, uint32_t& error) noexcept;

  bool IsOpen() const noexcept { return handle_ != kInvalid; }
  // Up to `count` bytes; the number read (0 at the end), or -1 on failure.
  int64_t Read(void* buffer, int64_t count) noexcept;
  // The number of bytes written, or -1 on failure.
  int64_t Write(const void* buffer, int64_t count) noexcept;
  // Moves to `offset` from `origin`; the new position, or -1 on failure.
  int64_t Seek(int64_t offset, TSeekOrigin origin) noexcept;
  void Close() noexcept;

 private:
  static constexpr intptr_t kInvalid = -1;  // INVALID_HANDLE_VALUE on Windows, -1 on the host
  explicit File(intptr_t handle) noexcept : handle_(handle) {}
  // One system call each: the bytes moved (0 at the end of the file), or -1 on failure.
  int64_t ReadSome(void* buffer, int64_t count) noexcept;
  int64_t WriteSome(const void* buffer, int64_t count) noexcept;
  intptr_t handle_ = kInvalid;
};

// A native stream over a file. The file is closed when the stream is destroyed.
class FileStream : public TStream {
 public:
  // Opens `name` in `mode`. Raises EFOpenError (kOpenRead) or EFCreateError (kCreate) with the
  // system's text when the file cannot be opened.
  FileStream(const ustring& name, FileMode mode);

  const ustring& FileName() const noexcept { return name_; }

  // A failed read counts as nothing read; a failed write as nothing written.
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  // The new position, or -1 when the system refuses the move. Asking where the stream is
  // (Position()) is answered from the stream's own record, without a system call.
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

 private:
  // Where the file's pointer is, as far as this stream moved it; kUnknown after an operation
  // that may have moved it by an amount nobody reported. Only this stream moves the handle.
  static constexpr int64_t kUnknown = -1;
  ustring name_;
  File file_;
  int64_t position_ = 0;
};

}  // namespace larkwell::os
