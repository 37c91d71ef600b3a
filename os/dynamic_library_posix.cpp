#include <dlfcn.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "os/dynamic_library.h"

namespace larkwell::os {
namespace {
// dlopen reports failures as text, not as a code; the text of the last failure on this thread
// is kept for SystemErrorText.
thread_local std::string last_dl_error;
thread_local uint32_t last_code = 0;
}  // namespace

ModuleHandle LoadModule(const ustring& name) noexcept {
  try {
    dlerror();
    void* module = dlopen(UstringToUtf8(name).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
      const char* error = dlerror();
      last_dl_error = error ? error : "";
      last_code = ENOENT;  // the host has no finer code for a library that cannot be loaded
    }
    return module;
  } catch (...) {
    last_code = ENOMEM;
    return nullptr;
  }
}

void* FindExport(ModuleHandle module, const char* name) noexcept { return dlsym(module, name); }

void UnloadModule(ModuleHandle module) noexcept { dlclose(module); }

uint32_t LastErrorCode() noexcept { return last_code; }

void ClearLastError() noexcept { last_code = 0; }

ustring SystemErrorText(uint32_t code) {
  std::string text = std::strerror(static_cast<int>(code));
  if (code == last_code && !last_dl_error.empty()) text += " (" + last_dl_error + ")";
  return Utf8ToUstring(text);
}

}  // namespace larkwell::os
