// Laying a page out in a window's width, measured by a fixed-pitch fake: 10 pixels a narrow
// character, 20 a wide one.
#include "enginesim/window/page_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace larkwell::enginesim::window {
namespace {

class FixedPitch final : public Measure {
 public:
  int width(std::u16string_view text, TextStyle) override {
    int total = 0;
    for (char16_t c : text) total += c >= 0x2E80 ? 20 : 10;
    return total;
  }
  int line_height(TextStyle style) override { return style == TextStyle::body ? 20 : 30; }
};

// The pieces' texts, one string per line (pieces on a line joined by '|').
std::vector<std::u16string> lines_of(const PageLayout& layout) {
  std::vector<std::u16string> lines;
  int y = -1;
  for (const Piece& piece : layout.pieces) {
    if (piece.y != y) {
      lines.emplace_back();
      y = piece.y;
    } else {
      lines.back() += u'|';
    }
    lines.back() += piece.text;
  }
  return lines;
}

Page page_of(std::u16string_view markup) { return read_page(markup, PageFormat::html); }

TEST(PageLayout, WrapsWordsAndChineseToTheWidthAndKeepsClosingPunctuationOnItsLine) {
  FixedPitch measure;
  // 100 pixels between the margins: ten narrow or five wide characters a line.
  const int width = 100 + 2 * kMargin;
  const PageLayout words = lay_out(u"", page_of(u"<p>one two three fourfivesixseven</p>"), width, measure);
  EXPECT_EQ(lines_of(words), (std::vector<std::u16string>{u"one two ", u"three ", u"fourfivesi", u"xseven"}));

  const PageLayout chinese = lay_out(u"", page_of(u"<p>工作站标识，演示应用的页面。</p>"), width, measure);
  EXPECT_EQ(lines_of(chinese), (std::vector<std::u16string>{u"工作站标", u"识，演示应", u"用的页面。"}))
      << "a comma or full stop never starts a line";
}

TEST(PageLayout, PlacesTitleBlocksAndLinksWhereAClickFindsThem) {
  FixedPitch measure;
  const Page page = page_of(u"<h1>Head</h1><p>see <a href=\"/a\">the list</a> now</p><ul><li>x</li></ul>");
  const PageLayout layout = lay_out(u"Title", page, 400, measure);
  ASSERT_EQ(lines_of(layout), (std::vector<std::u16string>{u"Title", u"Head", u"see |the list| now", u"\u2022|x"}));
  const Piece& title = layout.pieces[0];
  EXPECT_EQ(title.style, TextStyle::title);
  EXPECT_EQ(title.y, kMargin);
  EXPECT_GE(layout.pieces[1].y, layout.title_bottom);
  EXPECT_EQ(layout.pieces[1].style, TextStyle::heading1);
  const Piece& link = layout.pieces[3];
  EXPECT_TRUE(link.link);
  EXPECT_EQ(link.href, u"/a");
  EXPECT_EQ(link.x, kMargin + 40);
  EXPECT_EQ(link.width, 80);
  EXPECT_EQ(link.height, 20);
  EXPECT_EQ(layout.link_at(link.x + 1, link.y + 1), &link);
  EXPECT_EQ(layout.link_at(link.x + link.width - 1, link.y + link.height - 1), &link);
  EXPECT_EQ(layout.link_at(link.x - 1, link.y + 1), nullptr) << "the plain text beside it";
  EXPECT_EQ(layout.link_at(link.x + 1, link.y + link.height), nullptr);
  const Piece& item = layout.pieces.back();
  EXPECT_EQ(item.x, kMargin + kListIndent);
  EXPECT_EQ(layout.height, item.y + item.height);

  // A narrower window wraps the link: each of its lines is a piece a click finds.
  const PageLayout narrow = lay_out(u"", page, 70 + 2 * kMargin, measure);
  std::vector<const Piece*> link_pieces;
  for (const Piece& piece : narrow.pieces) {
    if (piece.link) link_pieces.push_back(&piece);
  }
  ASSERT_EQ(link_pieces.size(), 2u);
  EXPECT_EQ(link_pieces[0]->text, u"the ");
  EXPECT_EQ(link_pieces[1]->text, u"list");
  EXPECT_GT(link_pieces[1]->y, link_pieces[0]->y);
}

}  // namespace
}  // namespace larkwell::enginesim::window
