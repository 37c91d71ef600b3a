#include "enginesim/page/page.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>

#include "enginesim/page/markup.h"

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

// Builds a page from the markup reader's pieces, never failing: unclosed elements end where the
// next block starts, stray end tags are ignored.
class PageBuilder {
 public:
  explicit PageBuilder(std::u16string_view source) : reader_(source) {}

  Page read() {
    for (MarkupReader::Piece piece; (piece = reader_.next()) != MarkupReader::Piece::end;) {
      if (piece == MarkupReader::Piece::tag) {
        handle(reader_.tag());
      } else if (!in_head_) {
        add_text(reader_.text());
      }
    }
    end_block();
    return std::move(page_);
  }

 private:
  void handle(const MarkupTag& tag) {
    const std::u16string& name = tag.name;
    if (in_head_ && (name == u"body" || (tag.end && name == u"head") || !belongs_in_head(name))) in_head_ = false;
    if (tag.end) {
      handle_end(name);
      return;
    }
    if (name == u"head") {
      in_head_ = true;
    } else if (name == u"script" || name == u"style") {
      reader_.raw_text(name);
    } else if (name == u"title") {
      const std::u16string_view raw = reader_.raw_text(name);
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

  MarkupReader reader_;
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
  return format == PageFormat::plain_text ? read_plain_text(source) : PageBuilder(source).read();
}

}  // namespace larkwell::enginesim
