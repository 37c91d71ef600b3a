// The portable part of files: whole reads and writes, and the file stream.
#include "core/exceptions.h"
#include "os/dynamic_library.h"
#include "os/file.h"

namespace larkwell::os {
namespace {

// Repeats `step(done, left)` until `count` bytes have moved, the file ends or a step fails.
template <class Step>
int64_t MoveAll(int64_t count, Step step) noexcept {
  int64_t done = 0;
  while (done < count) {
    const int64_t n = step(done, count - done);
    if (n < 0) return done > 0 ? done : -1;
    if (n == 0) break;
    done += n;
  }
  return done;
}

}  // namespace

int64_t File::Read(void* buffer, int64_t count) noexcept {
  return MoveAll(count, [&](int64_t done, int64_t left) { return ReadSome(static_cast<char*>(buffer) + done, left); });
}

int64_t File::Write(const void* buffer, int64_t count) noexcept {
  return MoveAll(count,
                 [&](int64_t done, int64_t left) { return WriteSome(static_cast<const char*>(buffer) + done, left); });
}

FileStream::FileStream(const ustring& name, FileMode mode) : name_(name) {
  uint32_t error = 0;
  file_ = File::Open(name, mode, error);
  if (file_.IsOpen()) return;
  if (mode == FileMode::kCreate) throw EFCreateError(name, SystemErrorText(error));
  throw EFOpenError(name, SystemErrorText(error));
}

int64_t FileStream::Read(void* buffer, int64_t count) {
  const int64_t n = file_.Read(buffer, count);
  if (position_ != kUnknown) position_ = n >= 0 ? position_ + n : kUnknown;
  return n > 0 ? n : 0;
}

int64_t FileStream::Write(const void* buffer, int64_t count) {
  const int64_t n = file_.Write(buffer, count);
  // A write that fell short may have moved the pointer by more than it reported.
  if (position_ != kUnknown) position_ = n == count ? position_ + n : kUnknown;
  return n > 0 ? n : 0;
}

int64_t FileStream::Seek(int64_t offset, TSeekOrigin origin) {
  // The download handler asks for the position once per block; the system's answer costs a call.
  if (offset == 0 && origin == TSeekOrigin::soCurrent && position_ != kUnknown) return position_;
  position_ = file_.Seek(offset, origin);  // -1, unknown, when refused
  return position_;
}

}  // namespace larkwell::os
