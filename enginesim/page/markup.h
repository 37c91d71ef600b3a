// The stand-in's one markup reader: it splits markup into text and tags, for the forgiving
// page model (page.cpp) and for documents (script/dom_parse.cpp), which take only well-formed
// markup. And the small text rules that go with it: white space, name case, character
// references.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

struct MarkupTag {
  std::u16string name;                                                // lower case
  bool end = false;                                                   // </name>
  bool self_closing = false;                                          // <name/>
  std::vector<std::pair<std::u16string, std::u16string>> attributes;  // in markup order, values decoded

  const std::u16string* attribute(std::u16string_view wanted) const;
};

// Reads markup as a browser does, never failing: a '<' that starts no tag is text, an
// unterminated comment, tag or quoted value ends with the markup, a stray '/' or '=' in a tag is
// skipped. Each of those leaves the markup not well-formed, which is all a document reader needs
// to know. Comments, <!DOCTYPE> and processing instructions are skipped.
class MarkupReader {
 public:
  enum class Piece { text, tag, end };

  explicit MarkupReader(std::u16string_view markup) : in_(markup) {}

  // The next piece: text (references decoded, never empty), a tag, or the end of the markup.
  Piece next();
  const std::u16string& text() const { return text_; }
  const MarkupTag& tag() const { return tag_; }
  // The raw text of a <script>, <style> or <title> just read, up to its end tag (in any case),
  // which is left to be read as a tag.
  std::u16string_view raw_text(std::u16string_view name);
  bool well_formed() const { return well_formed_; }

 private:
  bool at(std::u16string_view text) const { return in_.substr(pos_, text.size()) == text; }
  void skip_past(std::u16string_view end);
  void skip_spaces();
  std::u16string read_name();
  bool read_tag();
  std::u16string read_value();

  std::u16string_view in_;
  std::size_t pos_ = 0;
  std::u16string text_;
  MarkupTag tag_;
  bool well_formed_ = true;
};

}  // namespace larkwell::enginesim
