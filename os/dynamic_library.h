// Loading a library at run time: the few calls that differ between Windows and the host.
#pragma once

#include <cstdint>

#include "core/ustring.h"

namespace larkwell::os {

using ModuleHandle = void*;

// Loads the named library (the operating system's library search); null on failure, with
// LastErrorCode() telling why.
ModuleHandle LoadModule(const ustring& name) noexcept;
// The address of an exported symbol, or null when the library has no such export.
void* FindExport(ModuleHandle module, const char* name) noexcept;
void UnloadModule(ModuleHandle module) noexcept;

// The calling thread's last error code (0 when the host has no code for the failure).
uint32_t LastErrorCode() noexcept;
// Sets the calling thread's last error code to 0, before a call that may fail without one.
void ClearLastError() noexcept;
// The system's text for an error code (trailing line breaks removed).
ustring SystemErrorText(uint32_t code);

}  // namespace larkwell::os
