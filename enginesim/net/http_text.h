// The texts of HTTP the stand-in reads: addresses, header values and bodies in their charset.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace larkwell::enginesim::net {

std::string_view trim(std::string_view text);
bool equal_ignoring_case(std::string_view a, std::string_view b);
// Whether the comma-separated list `value` holds `token` (case does not matter).
bool contains_token(std::string_view value, std::string_view token);

// An http:// address taken apart. Fragments are dropped: they never go to the server.
struct HttpUrl {
  std::string host;
  uint16_t port = 80;
  std::string target = "/";  // path and query, as sent in the request line

  // "http://host[:port]/target"; nothing for another scheme or a malformed address.
  static std::optional<HttpUrl> parse(std::string_view url);
  // Where `location` (absolute, or relative to this address) leads; nothing when it leaves http.
  std::optional<HttpUrl> resolve(std::string_view location) const;
  std::string text() const;  // the address again, with the port only when it is not 80
};

// "text/html; charset=utf-8" -> "text/html" (lower case); "" when there is none.
std::string media_type(std::string_view content_type);
// The value of parameter `name` of a header value ("charset", "filename"), unquoted with its
// escapes undone; nothing when absent.
std::optional<std::string> header_parameter(std::string_view value, std::string_view name);
// Whether Content-Disposition asks for a download.
bool is_attachment(std::string_view content_disposition);
// The name a download suggests, as UTF-8: filename*=UTF-8''... percent-decoded, else
// filename="...", else the last segment of the address's path (percent-decoded); may be empty.
std::string suggested_name(std::string_view content_disposition, const HttpUrl& url);
// %XX sequences as bytes; anything else unchanged.
std::string percent_decode(std::string_view text);

// The body as UTF-16 in the charset Content-Type names: UTF-8 (also when none is named, or
// an unknown one), ISO-8859-1, or GBK and its kin (GB2312, GB18030: decoded as code page 936).
std::u16string decode_body(std::string_view body, std::string_view content_type);

}  // namespace larkwell::enginesim::net
