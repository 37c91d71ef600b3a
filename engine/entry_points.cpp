#include "engine/entry_points.h"

namespace larkwell {

#define LARKWELL_DEFINE_ENTRY_POINT(result, name, params) TCefExport_##name name = nullptr;
CEF_EXPORTS(LARKWELL_DEFINE_ENTRY_POINT)
#undef LARKWELL_DEFINE_ENTRY_POINT

TCefExport_cef_string_utf16_set cef_string_set = nullptr;
TCefExport_cef_string_utf16_clear cef_string_clear = nullptr;
TCefExport_cef_string_userfree_utf16_alloc cef_string_userfree_alloc = nullptr;
TCefExport_cef_string_userfree_utf16_free cef_string_userfree_free = nullptr;
TCefExport_cef_string_ascii_to_utf16 cef_string_from_ascii = nullptr;
TCefExport_cef_string_utf16_to_utf8 cef_string_to_utf8 = nullptr;
TCefExport_cef_string_utf8_to_utf16 cef_string_from_utf8 = nullptr;
TCefExport_cef_string_utf16_to_wide cef_string_to_wide = nullptr;
TCefExport_cef_string_wide_to_utf16 cef_string_from_wide = nullptr;
TCefStringUtf16Copy cef_string_to_utf16 = nullptr;
TCefStringUtf16Copy cef_string_from_utf16 = nullptr;

namespace {

struct EntryPoint {
  const char* name;
  void** variable;
};

// One row per export, in the order of the export list.
#define LARKWELL_ENTRY_POINT_ROW(result, name, params) {#name, reinterpret_cast<void**>(&name)},
const EntryPoint kEntryPoints[] = {CEF_EXPORTS(LARKWELL_ENTRY_POINT_ROW)};
#undef LARKWELL_ENTRY_POINT_ROW
static_assert(sizeof(kEntryPoints) / sizeof(kEntryPoints[0]) == kCefExportCount);

// The UTF-16 to UTF-16 copy behind the generic to/from UTF-16 names: a plain replace-by-copy.
int CEF_EXPORT_CALL CopyUtf16(const char16_t* src, size_t src_len, TCefStringUtf16* output) {
  return cef_string_utf16_set(src, src_len, output, 1);
}

void BindGenericStringNames() noexcept {
  cef_string_set = cef_string_utf16_set;
  cef_string_clear = cef_string_utf16_clear;
  cef_string_userfree_alloc = cef_string_userfree_utf16_alloc;
  cef_string_userfree_free = cef_string_userfree_utf16_free;
  cef_string_from_ascii = cef_string_ascii_to_utf16;
  cef_string_to_utf8 = cef_string_utf16_to_utf8;
  cef_string_from_utf8 = cef_string_utf8_to_utf16;
  cef_string_to_wide = cef_string_utf16_to_wide;
  cef_string_from_wide = cef_string_wide_to_utf16;
  cef_string_to_utf16 = CopyUtf16;
  cef_string_from_utf16 = CopyUtf16;
}

}  // namespace

int ResolveEntryPoints(os::ModuleHandle module) noexcept {
  int missing = 0;
  for (const EntryPoint& e : kEntryPoints) {
    *e.variable = os::FindExport(module, e.name);
    if (!*e.variable) ++missing;
  }
  BindGenericStringNames();
  return missing;
}

bool AllEntryPointsResolved() noexcept {
  for (const EntryPoint& e : kEntryPoints)
    if (!*e.variable) return false;
  return true;
}

void ClearEntryPoints() noexcept {
  for (const EntryPoint& e : kEntryPoints) *e.variable = nullptr;
  BindGenericStringNames();
}

}  // namespace larkwell
