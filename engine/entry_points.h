// The engine's entry points: one process-wide function pointer per export, named as the
// export, empty until resolved; plus the encoding-neutral string names, bound to the UTF-16
// variants because the binding's text is UTF-16.
#pragma once

#include "engine/cef_api.h"
#include "os/dynamic_library.h"

namespace larkwell {

#define LARKWELL_DECLARE_ENTRY_POINT(result, name, params) extern TCefExport_##name name;
CEF_EXPORTS(LARKWELL_DECLARE_ENTRY_POINT)
#undef LARKWELL_DECLARE_ENTRY_POINT

inline constexpr int kCefExportCount = 100;

// The engine library's file name unless the application names another one. On the host the
// stand-in engine is a shared object of the host's kind.
#if defined(_WIN32)
inline constexpr char16_t kCefDefaultLibraryName[] = u"libcef.dll";
#else
inline constexpr char16_t kCefDefaultLibraryName[] = u"libcef.so";
#endif

using TCefStringUtf16Copy = int(CEF_EXPORT_CALL*)(const char16_t* src, size_t src_len, TCefStringUtf16* output);

extern TCefExport_cef_string_utf16_set cef_string_set;
extern TCefExport_cef_string_utf16_clear cef_string_clear;
extern TCefExport_cef_string_userfree_utf16_alloc cef_string_userfree_alloc;
extern TCefExport_cef_string_userfree_utf16_free cef_string_userfree_free;
extern TCefExport_cef_string_ascii_to_utf16 cef_string_from_ascii;
extern TCefExport_cef_string_utf16_to_utf8 cef_string_to_utf8;
extern TCefExport_cef_string_utf8_to_utf16 cef_string_from_utf8;
extern TCefExport_cef_string_utf16_to_wide cef_string_to_wide;
extern TCefExport_cef_string_wide_to_utf16 cef_string_from_wide;
extern TCefStringUtf16Copy cef_string_to_utf16;
extern TCefStringUtf16Copy cef_string_from_utf16;

// Resolves all exports from `module` in the loader's order, storing each address (null for one
// the library lacks), then binds the generic string names. Returns how many exports are missing.
int ResolveEntryPoints(os::ModuleHandle module) noexcept;

// True when every one of the exports has an address.
bool AllEntryPointsResolved() noexcept;

// Empties every entry point (the state before anything was loaded).
void ClearEntryPoints() noexcept;

}  // namespace larkwell
