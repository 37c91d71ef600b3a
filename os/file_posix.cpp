#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "os/file.h"

namespace larkwell::os {

File File::Open(const ustring& name, FileMode mode, uint32_t& error) noexcept {
  // The host has no sharing modes: only the access and the creation differ.
  const int flags = mode == FileMode::kCreate ? O_RDWR | O_CREAT | O_TRUNC : O_RDONLY;
  try {
    const int fd = ::open(UstringToUtf8(name).c_str(), flags | O_CLOEXEC, 0666);
    error = fd < 0 ? static_cast<uint32_t>(errno) : 0;
    return File(fd);
  } catch (...) {  // the name could not be converted
    error = ENOMEM;
    return File();
  }
}

int64_t File::ReadSome(void* buffer, int64_t count) noexcept {
  ssize_t n;
  do n = ::read(static_cast<int>(handle_), buffer, static_cast<size_t>(count));
  while (n < 0 && errno == EINTR);
  return n;
}

int64_t File::WriteSome(const void* buffer, int64_t count) noexcept {
  ssize_t n;
  do n = ::write(static_cast<int>(handle_), buffer, static_cast<size_t>(count));
  while (n < 0 && errno == EINTR);
  return n;
}

int64_t File::Seek(int64_t offset, TSeekOrigin origin) noexcept {
  static_assert(SEEK_SET == 0 && SEEK_CUR == 1 && SEEK_END == 2);
  return ::lseek(static_cast<int>(handle_), static_cast<off_t>(offset), static_cast<int>(origin));
}

void File::Close() noexcept {
  if (IsOpen()) ::close(static_cast<int>(std::exchange(handle_, kInvalid)));
}

}  // namespace larkwell::os
