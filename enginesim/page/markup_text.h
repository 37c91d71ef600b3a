// The small text rules markup readers share: white space, tag-name case and character
// references.
#pragma once

#include <string>
#include <string_view>

namespace larkwell::enginesim {

// Space, tab, line feed, carriage return, form feed.
bool is_markup_space(char16_t c);

// ASCII letters in lower case, everything else as it is (tag and attribute names).
std::u16string ascii_lower(std::u16string_view text);

// `text` with its character references replaced: the named ones amp, lt, gt, quot, apos and
// nbsp (with their semicolon), and numeric ones &#NNN; and &#xHH; (the semicolon may be
// missing). A reference to no character (0, a surrogate, beyond U+10FFFF) gives U+FFFD;
// anything else that is not a reference stays as written.
std::u16string decode_references(std::u16string_view text);

}  // namespace larkwell::enginesim
