// The Windows headers as the window layer uses them, and the crossings between its text type
// and the system's wide strings (both UTF-16 on Windows).
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string_view>

#include "core/ustring.h"

namespace larkwell {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the window layer is for Windows only");

// The characters of `text` as the system's zero-terminated wide string, valid while `text` lives.
inline const wchar_t* Wide(const ustring& text) noexcept { return reinterpret_cast<const wchar_t*>(text.c_str()); }

inline ustring FromWide(const wchar_t* text) {
  return text ? ustring(reinterpret_cast<const char16_t*>(text)) : ustring();
}
inline ustring FromWide(const wchar_t* text, size_t length) {
  return ustring(reinterpret_cast<const char16_t*>(text), length);
}

// The text of a window (its caption, or a control's text).
ustring WindowText(HWND window);

}  // namespace larkwell
