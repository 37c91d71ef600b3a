// Completing a partial URL against a base URL: documents' complete URLs and page links.
#pragma once

#include <string>
#include <string_view>

namespace larkwell::enginesim {

// `partial` resolved against `base`: absolute URLs stay, "//host", "/path", "?query",
// "#fragment" and relative paths (with "." and ".." segments) replace the matching part.
// Empty when `base` has no scheme to resolve against.
std::u16string complete_url(std::u16string_view base, std::u16string_view partial);

// A link's target, `href` as written in a page at `page_url`: complete_url of it without the
// white space around it.
std::u16string resolve_link(std::u16string_view page_url, std::u16string_view href);

}  // namespace larkwell::enginesim
