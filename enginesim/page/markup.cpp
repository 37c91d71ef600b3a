#include "enginesim/page/markup.h"

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

// Names end where a tag's syntax goes on. A quote or '<' inside one stays in it, as a browser
// keeps it, but is not well-formed.
bool ends_name(char16_t c) { return is_markup_space(c) || c == u'/' || c == u'>' || c == u'='; }

bool is_ascii_letter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

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

const std::u16string* MarkupTag::attribute(std::u16string_view wanted) const {
  for (const auto& [attribute_name, value] : attributes) {
    if (attribute_name == wanted) return &value;
  }
  return nullptr;
}

MarkupReader::Piece MarkupReader::next() {
  while (pos_ < in_.size()) {
    if (in_[pos_] != u'<') {
      const std::size_t end = std::min(in_.find(u'<', pos_), in_.size());
      text_ = decode_references(in_.substr(pos_, end - pos_));
      pos_ = end;
      return Piece::text;
    }
    if (at(u"<!--")) {
      skip_past(u"-->");
    } else if (at(u"<!") || at(u"<?")) {
      skip_past(u">");
    } else if (read_tag()) {
      return Piece::tag;
    } else {
      well_formed_ = false;
      text_ = u"<";
      ++pos_;
      return Piece::text;
    }
  }
  return Piece::end;
}

std::u16string_view MarkupReader::raw_text(std::u16string_view name) {
  const std::u16string end_tag = u"</" + std::u16string(name);
  std::size_t end = pos_;
  while (end < in_.size() && ascii_lower(in_.substr(end, end_tag.size())) != end_tag) {
    end = std::min(in_.find(u'<', end + 1), in_.size());
  }
  const std::u16string_view raw = in_.substr(pos_, end - pos_);
  pos_ = end;
  return raw;
}

void MarkupReader::skip_past(std::u16string_view end) {
  const std::size_t found = in_.find(end, pos_);
  if (found == std::u16string_view::npos) well_formed_ = false;
  pos_ = found == std::u16string_view::npos ? in_.size() : found + end.size();
}

void MarkupReader::skip_spaces() {
  while (pos_ < in_.size() && is_markup_space(in_[pos_])) ++pos_;
}

std::u16string MarkupReader::read_name() {
  const std::size_t start = pos_;
  while (pos_ < in_.size() && !ends_name(in_[pos_])) ++pos_;
  const std::u16string_view name = in_.substr(start, pos_ - start);
  if (name.find_first_of(u"<\"'") != std::u16string_view::npos) well_formed_ = false;
  return ascii_lower(name);
}

// A tag at pos_: '<', an optional '/', a name that starts with a letter, attributes up to '>'.
// False, having read nothing, for anything else.
bool MarkupReader::read_tag() {
  std::size_t name_at = pos_ + 1;
  const bool end = name_at < in_.size() && in_[name_at] == u'/';
  if (end) ++name_at;
  if (name_at >= in_.size() || !is_ascii_letter(in_[name_at])) return false;
  pos_ = name_at;
  tag_ = MarkupTag{};
  tag_.end = end;
  tag_.name = read_name();
  for (;;) {
    skip_spaces();
    if (pos_ >= in_.size()) {
      well_formed_ = false;
      return true;
    }
    if (in_[pos_] == u'>' || (!end && at(u"/>"))) {
      tag_.self_closing = in_[pos_] == u'/';
      pos_ += tag_.self_closing ? 2 : 1;
      return true;
    }
    if (end || in_[pos_] == u'/' || in_[pos_] == u'=') well_formed_ = false;  // end tags have no attributes
    if (in_[pos_] == u'/' || in_[pos_] == u'=') {
      ++pos_;
      continue;
    }
    std::u16string name = read_name();
    skip_spaces();
    std::u16string value;
    if (pos_ < in_.size() && in_[pos_] == u'=') {
      ++pos_;
      skip_spaces();
      value = read_value();
    }
    tag_.attributes.emplace_back(std::move(name), std::move(value));
  }
}

// A quoted value (to its closing quote or the end), or a bare one up to a space or '>'.
std::u16string MarkupReader::read_value() {
  std::size_t start = pos_, end;
  if (pos_ < in_.size() && (in_[pos_] == u'"' || in_[pos_] == u'\'')) {
    end = in_.find(in_[pos_], ++start);
    if (end == std::u16string_view::npos) {
      well_formed_ = false;
      end = in_.size();
    }
    pos_ = std::min(end + 1, in_.size());
  } else {
    while (pos_ < in_.size() && !is_markup_space(in_[pos_]) && in_[pos_] != u'>') ++pos_;
    end = pos_;
    if (end == start) well_formed_ = false;  // '=' and no value
  }
  return decode_references(in_.substr(start, end - start));
}

}  // namespace larkwell::enginesim
