// Where the pieces of a page go in a window of a given width: the title line, then the blocks,
// each wrapped to the width (between words, and between any two characters of Chinese text).
// Portable: the measuring is the caller's, so the host tests the wrapping with a fake measure
// and the window measures with its fonts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "enginesim/page/page.h"

namespace larkwell::enginesim::window {

enum class TextStyle { title, body, heading1, heading2, heading3 };  // heading3 also for h4..h6

TextStyle style_of(const Block& block);

class Measure {
 public:
  virtual ~Measure() = default;
  // The width of `text` in `style`; a link measures as the text around it.
  virtual int width(std::u16string_view text, TextStyle style) = 0;
  virtual int line_height(TextStyle style) = 0;
};

// Text drawn at one place: part of one run on one line.
struct Piece {
  int x = 0, y = 0, width = 0, height = 0;  // client coordinates
  TextStyle style = TextStyle::body;
  std::u16string text;
  bool link = false;
  std::u16string href;  // a link's target as written
  bool contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
};

struct PageLayout {
  std::vector<Piece> pieces;  // the title's first
  int title_bottom = 0;       // the rule under the title line
  int height = 0;             // the bottom of the last line
  // The link piece at a point; null for none.
  const Piece* link_at(int x, int y) const;
};

inline constexpr int kMargin = 12;
inline constexpr int kListIndent = 28;

PageLayout lay_out(std::u16string_view title, const Page& page, int width, Measure& measure);

// Whether a line may break between `before` and `after` (adjacent UTF-16 units).
bool may_break_between(char16_t before, char16_t after);

}  // namespace larkwell::enginesim::window
