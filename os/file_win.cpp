#include <windows.h>

#include <utility>

#include "os/file.h"

namespace larkwell::os {
namespace {

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// ReadFile and WriteFile take a 32-bit count; move at most 1 GiB per call.
constexpr int64_t kMaxChunk = 1 << 30;

}  // namespace

File File::Open(const ustring& name, FileMode mode, uint32_t& error) noexcept {
  const bool create = mode == FileMode::kCreate;
  HANDLE handle = ::CreateFileW(reinterpret_cast<const wchar_t*>(name.c_str()),
                                create ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ,
                                create ? 0 : FILE_SHARE_READ, nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  error = handle == INVALID_HANDLE_VALUE ? ::GetLastError() : 0;
  return File(reinterpret_cast<intptr_t>(handle));
}

int64_t File::ReadSome(void* buffer, int64_t count) noexcept {
  DWORD n = 0;
  const auto chunk = static_cast<DWORD>(count < kMaxChunk ? count : kMaxChunk);
  return ::ReadFile(AsHandle(handle_), buffer, chunk, &n, nullptr) ? static_cast<int64_t>(n) : -1;
}

int64_t File::WriteSome(const void* buffer, int64_t count) noexcept {
  DWORD n = 0;
  const auto chunk = static_cast<DWORD>(count < kMaxChunk ? count : kMaxChunk);
  return ::WriteFile(AsHandle(handle_), buffer, chunk, &n, nullptr) ? static_cast<int64_t>(n) : -1;
}

int64_t File::Seek(int64_t offset, TSeekOrigin origin) noexcept {
  static_assert(FILE_BEGIN == 0 && FILE_CURRENT == 1 && FILE_END == 2);
  LARGE_INTEGER distance, position;
  distance.QuadPart = offset;
  if (!::SetFilePointerEx(AsHandle(handle_), distance, &position, static_cast<DWORD>(origin))) return -1;
  return position.QuadPart;
}

void File::Close() noexcept {
  if (IsOpen()) ::CloseHandle(AsHandle(std::exchange(handle_, kInvalid)));
}

}  // namespace larkwell::os
