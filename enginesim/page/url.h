// Completing a partial URL against a base URL: documents' complete URLs and page links.
#pragma once

#include <string>
#include <string_view>

namespace larkwell::enginesim {

// `partial` resolved against `base`: absolute URLs stay, "//host", "/path", "?query",
// "#fragment" and relative paths (with "." and ".." segments) replace the matching part.
// Empty when `base` has no scheme to resolve against.
std::u16string complete_url(std::u16string_view base, std::u16string_view partial);

}  // namespace larkwell::enginesim
