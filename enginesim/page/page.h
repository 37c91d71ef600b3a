// The page a frame shows: its title and its text as blocks of runs, read forgivingly from the
// frame's source. Portable: the browser window paints it (window/page_layout.h), the display
// handler's title comes from it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace larkwell::enginesim {

// A stretch of text, plain or a link.
struct Run {
  std::u16string text;  // white space collapsed, references decoded
  bool link = false;
  std::u16string href;  // a link's target as written (decoded); see url.h's resolve_link
};

struct Block {
  enum class Kind {
    heading,     // <h1>..<h6>, `level` 1..6
    paragraph,   // <p>, and text outside any other block
    list_item,   // <li>
    line_break,  // a <br> on a line of its own: an empty line
  };
  Kind kind = Kind::paragraph;
  int level = 0;
  // The block goes on from the one before it after a <br>, in the same element: no space
  // between them.
  bool continued = false;
  std::vector<Run> runs;

  std::u16string text() const;  // the runs' texts, one after the other
};

struct Page {
  std::u16string title;  // the <title>, empty when there is none
  std::vector<Block> blocks;

  // The blocks' texts, one line each (a line break an empty line); list items start with
  // kBullet.
  std::u16string text() const;
};

inline constexpr std::u16string_view kBullet = u"\u2022 ";

// How to read a source: markup, or text shown as it is (line by line).
enum class PageFormat { html, plain_text };
// text/plain (any case, parameters after ';' ignored) is plain text; everything else markup.
PageFormat format_of_mime_type(std::string_view mime_type);

Page read_page(std::u16string_view source, PageFormat format);

}  // namespace larkwell::enginesim
