#include "enginesim/page/page.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>

#include "enginesim/page/markup_text.h"
#include "enginesim/page/url.h"

namespace larkwell::enginesim {
namespace {

bool is_one_of(std::u16string_view name, std::initializer_list<std::u16string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Elements that end the text before them and start new text after them.
bool is_container(std::u16string_view name) {
  return is_one_of(
      name,
      {u"html",  u"body",       u"div",   u"ul",    u"ol",      u"dl",      u"dt",      u"dd",     u"table",   u"tr",
       u"td",    u"th",         u"thead", u"tbody", u"section", u"article", u"header",  u"footer", u"nav",     u"main",
       u"aside", u"blockquote", u"pre",   u"form",  u"hr",      u"center",  u"address", u"figure", u"fieldset"});
}

// What may stand in a document's head without ending it.
bool belongs_in_head(std::u16string_view name) {
  return is_one_of(name, {u"head", u"title", u"meta", u"link", u"base", u"script", u"style", u"noscript"});
}

int heading_level(std::u16string_view name) {
  if (name.size() == 2 && name[0] == u'h' && name[1] >= u'1' && name[1] <= u'6') return name[1] - u'0';
  return 0;
}

struct Tag {
  std::u16string name;  // lower case
  bool end = false;
  std::vector<std::pair<std::u16string, std::u16string>> attributes;  // values decoded

  const std::u16string* attribute(std::u16string_view wanted) const {
    for (const auto& [attribute_name, value] : attributes) {
      if (attribute_name == wanted) return &value;
    }
    return nullptr;
  }
};

// Reads markup as a browser does, never failing: unclosed elements end where the next block
// starts, stray end tags are ignored, a '<' that starts no tag is text.
class HtmlReader {
 public:
  explicit HtmlReader(std::u16string_view source) : in_(source) {}

  Page read() {
    while (pos_ < in_.size()) {
      if (in_[pos_] != u'<') {
        read_text();
      } else if (at(u"<!--")) {
        skip_past(u"-->");
      } else if (at(u"<!") || at(u"<?")) {
        skip_past(u">");
      } else if (Tag tag; read_tag(tag)) {
        handle(tag);
      } else {
        add_text(u"<");
        ++pos_;
      }
    }
    end_block();
    return std::move(page_);
  }

 private:
  bool at(std::u16string_view text) const { return in_.substr(pos_, text.size()) == text; }

  void skip_past(std::u16string_view end) {
    const std::size_t found = in_.find(end, pos_);
    pos_ = found == std::u16string_view::npos ? in_.size() : found + end.size();
  }

  static bool ends_name(char16_t c) { return is_markup_space(c) || c == u'/' || c == u'>' || c == u'='; }

  std::u16string read_name() {
    const std::size_t start = pos_;
    while (pos_ < in_.size() && !ends_name(in_[pos_])) ++pos_;
    return ascii_lower(in_.substr(start, pos_ - start));
  }

  void skip_spaces() {
    while (pos_ < in_.size() && is_markup_space(in_[pos_])) ++pos_;
  }

  // A tag at pos_: '<', an optional '/', a name that starts with a letter, attributes up to
  // '>' (or the end of the source). False, having read nothing, for anything else.
  bool read_tag(Tag& tag) {
    std::size_t name_at = pos_ + 1;
    tag.end = name_at < in_.size() && in_[name_at] == u'/';
    if (tag.end) ++name_at;
    const char16_t first = name_at < in_.size() ? in_[name_at] : u'\0';
    if (!((first >= u'a' && first <= u'z') || (first >= u'A' && first <= u'Z'))) return false;
    pos_ = name_at;
    tag.name = read_name();
    for (;;) {
      skip_spaces();
      if (pos_ >= in_.size()) return true;
      if (in_[pos_] == u'>') {
        ++pos_;
        return true;
      }
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
      tag.attributes.emplace_back(std::move(name), std::move(value));
    }
  }

  // A quoted value (to its closing quote or the end), or a bare one up to a space or '>'.
  std::u16string read_value() {
    std::size_t start = pos_, end;
    if (pos_ < in_.size() && (in_[pos_] == u'"' || in_[pos_] == u'\'')) {
      end = std::min(in_.find(in_[pos_], ++start), in_.size());
      pos_ = std::min(end + 1, in_.size());
    } else {
      while (pos_ < in_.size() && !is_markup_space(in_[pos_]) && in_[pos_] != u'>') ++pos_;
      end = pos_;
    }
    return decode_references(in_.substr(start, end - start));
  }

  // The text of a <script>, <style> or <title>, up to its end tag (in any case), which is
  // left to be read as a tag.
  std::u16string_view read_raw_text(std::u16string_view name) {
    const std::u16string end_tag = u"</" + std::u16string(name);
    std::size_t end = pos_;
    while (end < in_.size() && ascii_lower(in_.substr(end, end_tag.size())) != end_tag) {
      end = std::min(in_.find(u'<', end + 1), in_.size());
    }
    const std::u16string_view raw = in_.substr(pos_, end - pos_);
    pos_ = end;
    return raw;
  }

  void read_text() {
    const std::size_t end = std::min(in_.find(u'<', pos_), in_.size());
    const std::u16string text = decode_references(in_.substr(pos_, end - pos_));
    pos_ = end;
    if (!in_head_) add_text(text);
  }

  void handle(const Tag& tag) {
    const std::u16string& name = tag.name;
    if (in_head_ && (name == u"body" || (tag.end && name == u"head") || !belongs_in_head(name))) in_head_ = false;
    if (tag.end) {
      handle_end(name);
      return;
    }
    if (name == u"head") {
      in_head_ = true;
    } else if (name == u"script" || name == u"style") {
      read_raw_text(name);
    } else if (name == u"title") {
      const std::u16string_view raw = read_raw_text(name);
      if (page_.title.empty()) page_.title = collapsed(decode_references(raw));
    } else if (const int level = heading_level(name); level != 0) {
      start_block(Block::Kind::heading, level);
    } else if (name == u"p") {
      start_block(Block::Kind::paragraph, 0);
    } else if (name == u"li") {
      start_block(Block::Kind::list_item, 0);
    } else if (name == u"br") {
      line_break();
    } else if (name == u"a") {
      const std::u16string* href = tag.attribute(u"href");
      link_ = href != nullptr;
      href_ = href != nullptr ? *href : u"";
    } else if (is_container(name)) {
      start_block(Block::Kind::paragraph, 0);
    }
  }

  void handle_end(const std::u16string& name) {
    if (name == u"a") {
      link_ = false;
    } else if (heading_level(name) != 0 || name == u"p" || name == u"li" || is_container(name)) {
      start_block(Block::Kind::paragraph, 0);
    }
  }

  // Ends the text so far and opens a block of `kind` for what follows.
  void start_block(Block::Kind kind, int level) {
    end_block();
    block_.kind = kind;
    block_.level = level;
    block_.continued = false;
  }

  void line_break() {
    if (block_.runs.empty()) page_.blocks.push_back(Block{Block::Kind::line_break, 0, false, {}});
    end_block();
    block_.continued = true;
  }

  // Keeps the open block when it has text; the next one is of the same kind.
  void end_block() {
    if (!block_.runs.empty()) {
      page_.blocks.push_back(block_);
      block_.runs.clear();
    }
    pending_space_ = false;
  }

  // Collapses white space as it comes: a space is written only before the next character of
  // the same block, so no block starts or ends with one.
  void add_text(std::u16string_view text) {
    for (const char16_t c : text) {
      if (is_markup_space(c)) {
        pending_space_ = true;
        continue;
      }
      if (pending_space_ && !block_.runs.empty()) {
        // Between a link and plain text the space belongs to the plain text, not underlined.
        Run& last = block_.runs.back();
        (last.link && !link_ ? current_run() : last).text += u' ';
      }
      pending_space_ = false;
      current_run().text += c;
    }
  }

  Run& current_run() {
    std::vector<Run>& runs = block_.runs;
    if (runs.empty() || runs.back().link != link_ || runs.back().href != href_) runs.push_back(Run{u"", link_, href_});
    return runs.back();
  }

  static std::u16string collapsed(std::u16string_view text) {
    std::u16string out;
    bool space = false;
    for (const char16_t c : text) {
      if (is_markup_space(c)) {
        space = !out.empty();
        continue;
      }
      if (space) out += u' ';
      space = false;
      out += c;
    }
    return out;
  }

  std::u16string_view in_;
  std::size_t pos_ = 0;
  Page page_;
  Block block_;  // the block being filled
  bool in_head_ = false;
  bool pending_space_ = false;
  bool link_ = false;
  std::u16string href_;
};

// Each line a block of its own, as written; empty lines are line breaks.
Page read_plain_text(std::u16string_view source) {
  Page page;
  std::size_t start = 0;
  while (start < source.size()) {
    const std::size_t end = std::min(source.find(u'\n', start), source.size());
    std::u16string_view line = source.substr(start, end - start);
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    start = end + 1;
    Block block{Block::Kind::paragraph, 0, !page.blocks.empty(), {}};
    if (line.empty()) {
      block.kind = Block::Kind::line_break;
    } else {
      std::u16string text;
      for (const char16_t c : line) text.append(c == u'\t' ? u"    " : std::u16string(1, c));
      block.runs.push_back(Run{std::move(text), false, u""});
    }
    page.blocks.push_back(std::move(block));
  }
  return page;
}

}  // namespace

std::u16string Block::text() const {
  std::u16string out;
  for (const Run& run : runs) out += run.text;
  return out;
}

std::u16string Page::text() const {
  std::u16string out;
  for (const Block& block : blocks) {
    if (!out.empty()) out += u'\n';
    if (block.kind == Block::Kind::list_item) out += kBullet;
    out += block.text();
  }
  return out;
}

PageFormat format_of_mime_type(std::string_view mime_type) {
  mime_type = mime_type.substr(0, mime_type.find(';'));
  while (!mime_type.empty() && mime_type.back() == ' ') mime_type.remove_suffix(1);
  while (!mime_type.empty() && mime_type.front() == ' ') mime_type.remove_prefix(1);
  std::string lower(mime_type);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  return lower == "text/plain" ? PageFormat::plain_text : PageFormat::html;
}

Page read_page(std::u16string_view source, PageFormat format) {
  return format == PageFormat::plain_text ? read_plain_text(source) : HtmlReader(source).read();
}

std::u16string resolve_link(std::u16string_view page_url, std::u16string_view href) {
  while (!href.empty() && is_markup_space(href.front())) href.remove_prefix(1);
  while (!href.empty() && is_markup_space(href.back())) href.remove_suffix(1);
  return complete_url(page_url, href);
}

}  // namespace larkwell::enginesim
