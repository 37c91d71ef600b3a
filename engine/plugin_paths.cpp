#include "engine/plugin_paths.h"

#include <cstddef>

namespace larkwell {
namespace {

constexpr char16_t kDelimiter = u';';
constexpr char16_t kQuote = u'"';

// Walks a text that holds no character 0, so every code up to 32 is a blank.
class DelimitedText {
 public:
  explicit DelimitedText(std::u16string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ == text_.size(); }
  bool At(char16_t c) const { return !AtEnd() && text_[pos_] == c; }

  void SkipBlanks() {
    while (!AtEnd() && text_[pos_] <= 32) ++pos_;
  }

  // At a delimiter: steps over it and the blanks after it. Answers whether the delimiter was the
  // text's last character.
  bool SkipDelimiter() {
    ++pos_;
    const bool wasLast = AtEnd();
    SkipBlanks();
    return wasLast;
  }

  ustring ReadItem() { return At(kQuote) ? ReadQuoted() : ReadUnquoted(); }

 private:
  ustring ReadUnquoted() {
    const std::size_t start = pos_;
    while (!AtEnd() && text_[pos_] > 32 && text_[pos_] != kDelimiter) ++pos_;
    return ustring(text_.substr(start, pos_ - start));
  }

  ustring ReadQuoted() {
    ustring item;
    ++pos_;  // the opening quote
    while (!AtEnd()) {
      const char16_t c = text_[pos_++];
      if (c != kQuote) {
        item += c;
      } else if (At(kQuote)) {
        item += kQuote;  // a doubled quote stands for one
        ++pos_;
      } else {
        break;  // the closing quote
      }
    }
    return item;
  }

  std::u16string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

TStrings SplitPluginPaths(std::u16string_view text) {
  DelimitedText rest(text.substr(0, text.find(u'\0')));
  TStrings items;
  rest.SkipBlanks();
  // Each round consumes at least one character: after SkipBlanks the next one is an item's
  // first character or a delimiter.
  while (!rest.AtEnd()) {
    items.push_back(rest.ReadItem());
    rest.SkipBlanks();
    if (rest.At(kDelimiter) && rest.SkipDelimiter()) items.emplace_back();
  }
  return items;
}

}  // namespace larkwell
