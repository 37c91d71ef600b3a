// The system's text type: UTF-16 code units with an explicit length.
//
// An empty text and an absent text are the same value; embedded zero code units are ordinary
// characters. On Windows the code units are handed to Win32 as wchar_t (the same size there).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace larkwell {

using ustring = std::u16string;

// The native ordered string list with append.
using TStrings = std::vector<ustring>;

// Conversions for messages and file names that arrive in UTF-8 (literals, the host's C library).
// Invalid sequences become U+FFFD.
ustring Utf8ToUstring(std::string_view utf8);
std::string UstringToUtf8(std::u16string_view text);

}  // namespace larkwell
