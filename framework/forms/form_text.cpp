#include "framework/forms/form_text.h"

#include <cstdint>
#include <limits>

namespace larkwell {
namespace {

constexpr char32_t kMaxCodePoint = 0x10FFFF;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

[[noreturn]] void Malformed(const char16_t* what) { throw EFormValueError(what); }

void AppendCodePoint(ustring& out, char32_t c) {
  if (c > 0xFFFF) {
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  } else {
    out += static_cast<char16_t>(c);
  }
}

// Reads one line left to right.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  bool AtEnd() {
    SkipSpaces();
    return at_ == text_.size();
  }
  char Peek() {
    SkipSpaces();
    return at_ < text_.size() ? text_[at_] : '\0';
  }
  bool Take(char c) {
    if (Peek() != c) return false;
    ++at_;
    return true;
  }
  void Expect(char c, const char16_t* what) {
    if (!Take(c)) Malformed(what);
  }
  void ExpectEnd() {
    if (!AtEnd()) Malformed(u"unexpected text at the end of the line");
  }

  ustring Identifier() {
    if (!IsLetter(Peek())) Malformed(u"expected a name");
    ustring name;
    while (at_ < text_.size() && (IsLetter(text_[at_]) || IsDigit(text_[at_])))
      name += static_cast<char16_t>(text_[at_++]);
    return name;
  }

  TFormValue Value() {
    const char c = Peek();
    if (c == '\'' || c == '#') return TFormValue::OfString(String());
    if (c == '[') return Set();
    if (c == '-' || c == '$' || IsDigit(c)) return Integer();
    if (IsLetter(c)) return TFormValue::OfIdentifier(Identifier());
    Malformed(at_ == text_.size() ? u"the value is missing" : u"expected a value");
  }

 private:
  void SkipSpaces() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
  }

  // Digits of `base` right at the cursor, as an unsigned number no larger than `limit`.
  uint64_t Digits(int base, uint64_t limit) {
    uint64_t value = 0;
    size_t count = 0;
    for (; at_ < text_.size(); ++at_, ++count) {
      const int digit = base == 16 ? HexDigit(text_[at_]) : (IsDigit(text_[at_]) ? text_[at_] - '0' : -1);
      if (digit < 0) break;
      if (value > (limit - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(base))
        Malformed(u"the number is too large");
      value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    }
    if (count == 0) Malformed(u"expected digits");
    return value;
  }

  TFormValue Integer() {
    constexpr auto kMax = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    const bool negative = Take('-');
    const bool hex = at_ < text_.size() && text_[at_] == '$';
    if (hex && negative) Malformed(u"a hexadecimal number has no sign");
    if (hex) ++at_;
    const uint64_t magnitude = Digits(hex ? 16 : 10, negative ? kMax + 1 : kMax);
    const int64_t value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return TFormValue::OfInteger(value, hex);
  }

  TFormValue Set() {
    Expect('[', u"expected [");
    std::vector<ustring> items;
    if (!Take(']')) {
      do {
        items.push_back(Identifier());
      } while (Take(','));
      Expect(']', u"expected , or ] in the set");
    }
    return TFormValue::OfSet(std::move(items));
  }

  ustring String() {
    ustring text;
    while (at_ < text_.size() && (text_[at_] == '\'' || text_[at_] == '#')) {
      if (text_[at_++] == '#') {
        const bool hex = at_ < text_.size() && text_[at_] == '$';
        if (hex) ++at_;
        AppendCodePoint(text, static_cast<char32_t>(Digits(hex ? 16 : 10, kMaxCodePoint)));
      } else {
        Quoted(text);
      }
    }
    return text;
  }

  // The rest of a quoted piece after its opening quote, decoded from UTF-8.
  void Quoted(ustring& text) {
    for (;;) {
      if (at_ == text_.size()) Malformed(u"the string has no closing quote");
      const auto byte = static_cast<unsigned char>(text_[at_++]);
      if (byte == '\'') {
        if (at_ < text_.size() && text_[at_] == '\'') {
          ++at_;
          text += u'\'';
          continue;
        }
        return;
      }
      AppendCodePoint(text, Utf8Sequence(byte));
    }
  }

  // The code point that starts with `lead`; rejects overlong forms, surrogates and codes above
  // U+10FFFF.
  char32_t Utf8Sequence(unsigned char lead) {
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t c = 0;
    unsigned char low = 0x80, high = 0xBF;  // the allowed range of the first continuation byte
    if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1;
      c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2;
      c = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3;
      c = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      Malformed(u"the string is not valid UTF-8");
    }
    for (int i = 0; i < extra; ++i) {
      const auto next = at_ < text_.size() ? static_cast<unsigned char>(text_[at_]) : 0;
      if (next < (i == 0 ? low : 0x80) || next > (i == 0 ? high : 0xBF)) Malformed(u"the string is not valid UTF-8");
      c = (c << 6) | (next & 0x3F);
      ++at_;
    }
    return c;
  }

  std::string_view text_;
  size_t at_ = 0;
};

bool IsBlank(std::string_view line) {
  const size_t first = line.find_first_not_of(" \t");
  return first == std::string_view::npos || line.substr(first).starts_with("//");
}

// Characters that stand in a quoted piece as they are; the others are written as #code.
bool Printable(const ustring& text, size_t i) {
  const char16_t c = text[i];
  if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return false;
  if (c >= 0xD800 && c <= 0xDBFF) return i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
  if (c >= 0xDC00 && c <= 0xDFFF) return i > 0 && text[i - 1] >= 0xD800 && text[i - 1] <= 0xDBFF;
  return true;
}

std::string FormatString(const ustring& text) {
  if (text.empty()) return "''";
  std::string out;
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool printable = Printable(text, i);
    if (printable != quoted) {
      if (quoted) out += '\'';
      if (printable) out += '\'';
      quoted = printable;
    }
    if (!printable) {
      out += '#' + std::to_string(static_cast<unsigned>(text[i]));
    } else if (text[i] == u'\'') {
      out += "''";
    } else {
      const size_t length = (text[i] >= 0xD800 && text[i] <= 0xDBFF) ? 2 : 1;
      out += UstringToUtf8(std::u16string_view(text).substr(i, length));
      i += length - 1;
    }
  }
  if (quoted) out += '\'';
  return out;
}

}  // namespace

TFormLine ParseFormLine(std::string_view line) {
  TFormLine result;
  if (IsBlank(line)) return result;
  Cursor cursor(line);
  const ustring first = cursor.Identifier();
  const char next = cursor.Peek();
  if (SameName(first, u"object") && next != '=' && next != '.') {
    result.Kind = TFormLine::TKind::kObject;
    result.ClassName = cursor.Identifier();
    if (cursor.Take(':')) {
      result.Name = std::move(result.ClassName);
      result.ClassName = cursor.Identifier();
    }
  } else if (SameName(first, u"end") && next == '\0') {
    result.Kind = TFormLine::TKind::kEnd;
  } else {
    result.Kind = TFormLine::TKind::kProperty;
    result.Path.push_back(first);
    while (cursor.Take('.')) result.Path.push_back(cursor.Identifier());
    cursor.Expect('=', u"expected = after the property name");
    result.Value = cursor.Value();
  }
  cursor.ExpectEnd();
  return result;
}

std::string FormatFormValue(const TFormValue& value) {
  switch (value.Kind) {
    case TFormValue::TKind::kInteger: {
      if (!value.Hex) return std::to_string(value.Integer);
      static constexpr char kDigits[] = "0123456789ABCDEF";
      std::string hex;
      for (auto v = static_cast<uint64_t>(value.Integer); v != 0 || hex.size() < 8; v >>= 4)
        hex.insert(hex.begin(), kDigits[v & 0xF]);
      return '$' + hex;
    }
    case TFormValue::TKind::kString:
      return FormatString(value.Text);
    case TFormValue::TKind::kIdentifier:
      return UstringToUtf8(value.Text);
    case TFormValue::TKind::kSet: {
      std::string set = "[";
      for (const ustring& item : value.Items) set += (set.size() > 1 ? ", " : "") + UstringToUtf8(item);
      return set + ']';
    }
  }
  return {};
}

}  // namespace larkwell
