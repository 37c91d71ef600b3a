#include "engine/cef_string.h"

#include <cwchar>

namespace larkwell {
namespace {

// Empties an engine record when the scope ends, whatever happened in between.
class ClearOnExit {
 public:
  explicit ClearOnExit(TCefString* record) : record_(record) {}
  ~ClearOnExit() { cef_string_clear(record_); }
  ClearOnExit(const ClearOnExit&) = delete;
  ClearOnExit& operator=(const ClearOnExit&) = delete;

 private:
  TCefString* record_;
};

class FreeUserFreeOnExit {
 public:
  explicit FreeUserFreeOnExit(PCefStringUserFree record) : record_(record) {}
  ~FreeUserFreeOnExit() { cef_string_userfree_free(record_); }
  FreeUserFreeOnExit(const FreeUserFreeOnExit&) = delete;
  FreeUserFreeOnExit& operator=(const FreeUserFreeOnExit&) = delete;

 private:
  PCefStringUserFree record_;
};

const char16_t kEmptyText[1] = {0};

const char16_t* TextOf(const ustring& s) noexcept { return s.empty() ? kEmptyText : s.data(); }

}  // namespace

TCefString CefStringView(const ustring& s) noexcept {
  // The engine never writes through a borrowed record; the cast only satisfies its declaration.
  return TCefString{const_cast<char16_t*>(TextOf(s)), s.size(), nullptr};
}

TCefString CefStringCopy(const ustring& s) {
  TCefString result{};
  if (s.empty()) return result;
#if WCHAR_MAX == 0xFFFF
  // wchar_t is UTF-16 here, so the engine's wide conversion copies the code units as they are.
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  cef_string_from_wide(reinterpret_cast<const wchar_t*>(s.data()), s.size(), &result);
#else
  // wchar_t is UTF-32 on the host: the wide route cannot carry UTF-16, so copy as UTF-16.
  cef_string_from_utf16(s.data(), s.size(), &result);
#endif
  return result;
}

void CefStringAssign(TCefString* record, const ustring& s) {
  if (!record) return;
  cef_string_set(TextOf(s), s.size(), record, 1);
}

ustring CefStringToNative(const TCefString* record) {
  if (!record || record->length == 0) return ustring();
  return ustring(record->str, record->length);
}

ustring CefStringTakeAndClear(TCefString* record) {
  ClearOnExit clear(record);
  return CefStringToNative(record);
}

ustring CefStringTakeUserFree(PCefStringUserFree record) {
  if (!record) return ustring();
  FreeUserFreeOnExit free(record);
  return CefStringToNative(record);
}

void CefStringListAppendAll(const CefStringListHandle& list, const TStrings& items) {
  for (const ustring& item : items) {
    const TCefString view = CefStringView(item);
    cef_string_list_append(list.get(), &view);
  }
}

}  // namespace larkwell
