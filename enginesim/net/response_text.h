// What the engine reads from a response's headers and body itself: the media type, whether it
// is an attachment, the name a download suggests, and the body as text in its charset.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace larkwell::enginesim::net {

bool equal_ignoring_case(std::string_view a, std::string_view b);

// "text/html; charset=utf-8" -> "text/html" (lower case); "" when there is none.
std::string media_type(std::string_view content_type);
// The value of parameter `name` of a header value ("charset", "filename"), unquoted with its
// escapes undone; nothing when absent.
std::optional<std::string> header_parameter(std::string_view value, std::string_view name);
// Whether Content-Disposition asks for a download.
bool is_attachment(std::string_view content_disposition);
// The name a download suggests, as UTF-8: filename*=UTF-8''... percent-decoded, else
// filename="...", else the last segment of the address's path (percent-decoded); may be empty.
std::string suggested_name(std::string_view content_disposition, std::string_view url);
// %XX sequences as bytes; anything else unchanged.
std::string percent_decode(std::string_view text);

// The body as UTF-16 in the charset Content-Type names: UTF-8 (also when none is named, or
// an unknown one), ISO-8859-1, or GBK and its kin (GB2312, GB18030: decoded as code page 936).
std::u16string decode_body(std::string_view body, std::string_view content_type);

}  // namespace larkwell::enginesim::net
