#include "enginesim/page/markup_text.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

#include "enginesim/core/unicode.h"

namespace larkwell::enginesim {
namespace {

struct NamedReference {
  std::u16string_view name;
  char16_t character;
};
constexpr NamedReference kNamed[] = {{u"amp", u'&'},  {u"lt", u'<'},    {u"gt", u'>'},
                                     {u"quot", u'"'}, {u"apos", u'\''}, {u"nbsp", u'\u00A0'}};

int digit_value(char16_t c, int base) {
  int value = -1;
  if (c >= u'0' && c <= u'9') value = c - u'0';
  if (c >= u'a' && c <= u'f') value = c - u'a' + 10;
  if (c >= u'A' && c <= u'F') value = c - u'A' + 10;
  return value < base ? value : -1;
}

// Reads the numeric reference at text[pos] ("&#..."), appends its character and moves pos
// past it; false, with nothing read, when no digit follows.
bool read_numeric(std::u16string_view text, std::size_t& pos, std::u16string& out) {
  std::size_t at = pos + 2;
  const bool hex = at < text.size() && (text[at] == u'x' || text[at] == u'X');
  const int base = hex ? 16 : 10;
  if (hex) ++at;
  const std::size_t digits = at;
  uint32_t value = 0;
  for (; at < text.size() && digit_value(text[at], base) >= 0; ++at) {
    value = std::min<uint32_t>(value * base + static_cast<uint32_t>(digit_value(text[at], base)), 0x110000);
  }
  if (at == digits) return false;
  if (at < text.size() && text[at] == u';') ++at;
  const bool valid = value != 0 && value < 0x110000 && !is_surrogate(value);
  write_code_point(out, valid ? static_cast<char32_t>(value) : kReplacementCharacter);
  pos = at;
  return true;
}

bool read_named(std::u16string_view text, std::size_t& pos, std::u16string& out) {
  const std::size_t semicolon = text.find(u';', pos);
  if (semicolon == std::u16string_view::npos) return false;
  const std::u16string_view name = text.substr(pos + 1, semicolon - pos - 1);
  const auto found = std::find_if(std::begin(kNamed), std::end(kNamed),
                                  [name](const NamedReference& known) { return known.name == name; });
  if (found == std::end(kNamed)) return false;
  out += found->character;
  pos = semicolon + 1;
  return true;
}

}  // namespace

bool is_markup_space(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }

std::u16string ascii_lower(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + (u'a' - u'A'));
  }
  return out;
}

std::u16string decode_references(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    if (text[pos] == u'&') {
      const bool numeric = pos + 1 < text.size() && text[pos + 1] == u'#';
      if (numeric ? read_numeric(text, pos, out) : read_named(text, pos, out)) continue;
    }
    out += text[pos++];
  }
  return out;
}

}  // namespace larkwell::enginesim
