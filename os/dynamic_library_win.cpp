#include <windows.h>

#include "os/dynamic_library.h"

namespace larkwell::os {

ModuleHandle LoadModule(const ustring& name) noexcept {
  return ::LoadLibraryW(reinterpret_cast<const wchar_t*>(name.c_str()));
}

void* FindExport(ModuleHandle module, const char* name) noexcept {
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module), name));
}

void UnloadModule(ModuleHandle module) noexcept { ::FreeLibrary(static_cast<HMODULE>(module)); }

uint32_t LastErrorCode() noexcept { return ::GetLastError(); }

void ClearLastError() noexcept { ::SetLastError(0); }

ustring SystemErrorText(uint32_t code) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                           FORMAT_MESSAGE_ARGUMENT_ARRAY,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  ustring text(reinterpret_cast<const char16_t*>(buffer), length);
  ::LocalFree(buffer);
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) text.pop_back();
  return text;
}

}  // namespace larkwell::os
