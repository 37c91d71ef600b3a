#include "enginesim/net/response_text.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "enginesim/core/unicode.h"

namespace larkwell::enginesim::net {
namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string_view trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = lower(c);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// The ';'-separated parameters of a header value, after its first part, each as name and raw
// value; a quoted value may hold ';'.
template <class Visit>
void for_each_parameter(std::string_view value, Visit visit) {
  std::size_t pos = value.find(';');
  while (pos != std::string_view::npos && pos < value.size()) {
    ++pos;
    const std::size_t equals = value.find('=', pos);
    const std::size_t next_semicolon = value.find(';', pos);
    if (equals == std::string_view::npos || (next_semicolon != std::string_view::npos && next_semicolon < equals)) {
      pos = next_semicolon;
      continue;
    }
    const std::string_view name = trim(value.substr(pos, equals - pos));
    std::size_t start = equals + 1;
    while (start < value.size() && (value[start] == ' ' || value[start] == '\t')) ++start;
    std::string raw;
    std::size_t end = start;
    if (start < value.size() && value[start] == '"') {
      // A quoted string: a backslash takes the next character as it is.
      for (end = start + 1; end < value.size() && value[end] != '"'; ++end) {
        if (value[end] == '\\' && end + 1 < value.size()) ++end;
        raw += value[end];
      }
      end = value.find(';', end);
    } else {
      end = value.find(';', start);
      raw =
          std::string(trim(value.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start)));
    }
    if (visit(name, raw)) return;
    pos = end;
  }
}

// A name in UTF-8 as received: invalid sequences become U+FFFD.
std::string valid_utf8(std::string_view bytes) { return utf8_of(utf16_of(bytes)); }

std::u16string from_code_page_936(std::string_view bytes) {
  std::u16string out;
  if (bytes.empty()) return out;
  const int size = static_cast<int>(bytes.size());
  const int needed = MultiByteToWideChar(936, 0, bytes.data(), size, nullptr, 0);
  out.resize(static_cast<std::size_t>(needed));
  MultiByteToWideChar(936, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(out.data()), needed);
  return out;
}

}  // namespace

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

// --- header values

std::string media_type(std::string_view content_type) {
  std::string type(trim(content_type.substr(0, content_type.find(';'))));
  std::transform(type.begin(), type.end(), type.begin(), lower);
  return type;
}

std::optional<std::string> header_parameter(std::string_view value, std::string_view name) {
  std::optional<std::string> found;
  for_each_parameter(value, [&](std::string_view key, const std::string& raw) {
    if (!equal_ignoring_case(key, name)) return false;
    found = raw;
    return true;
  });
  return found;
}

bool is_attachment(std::string_view content_disposition) {
  return equal_ignoring_case(trim(content_disposition.substr(0, content_disposition.find(';'))), "attachment");
}

std::string percent_decode(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hex_value(text[i + 1]) >= 0 && hex_value(text[i + 2]) >= 0) {
      out += static_cast<char>(hex_value(text[i + 1]) * 16 + hex_value(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string suggested_name(std::string_view content_disposition, std::string_view url) {
  // RFC 5987's form: charset'language'percent-encoded. Only UTF-8 is read.
  if (const std::optional<std::string> extended = header_parameter(content_disposition, "filename*")) {
    const std::size_t first = extended->find('\'');
    const std::size_t second = first == std::string::npos ? std::string::npos : extended->find('\'', first + 1);
    if (second != std::string::npos && equal_ignoring_case(std::string_view(*extended).substr(0, first), "UTF-8")) {
      return valid_utf8(percent_decode(std::string_view(*extended).substr(second + 1)));
    }
  }
  if (const std::optional<std::string> plain = header_parameter(content_disposition, "filename")) {
    return valid_utf8(*plain);
  }
  const std::size_t authority = url.find("://");
  const std::size_t start = authority == std::string_view::npos ? 0 : url.find_first_of("/?#", authority + 3);
  std::string_view path = start == std::string_view::npos ? std::string_view() : url.substr(start);
  path = path.substr(0, path.find_first_of("?#"));
  return valid_utf8(percent_decode(path.substr(path.rfind('/') + 1)));
}

std::u16string decode_body(std::string_view body, std::string_view content_type) {
  const std::string charset = media_type(header_parameter(content_type, "charset").value_or(""));
  std::u16string text;
  if (charset == "iso-8859-1" || charset == "latin1" || charset == "us-ascii") {
    text.reserve(body.size());
    for (char byte : body) text += static_cast<char16_t>(static_cast<unsigned char>(byte));
  } else if (charset == "gbk" || charset == "gb2312" || charset == "gb18030" || charset == "cp936") {
    text = from_code_page_936(body);
  } else {
    transcode(body.data(), body.size(), text);
  }
  return text;
}

}  // namespace larkwell::enginesim::net
