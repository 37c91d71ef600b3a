// Reading a frame's source into the page the browser window shows, and the markup reader under
// it, which documents use too.
#include "enginesim/page/page.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "enginesim/page/markup.h"
#include "enginesim/page/url.h"

namespace larkwell::enginesim {
namespace {

using Kind = Block::Kind;

Page html(std::u16string_view source) { return read_page(source, PageFormat::html); }

std::string utf8(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += "\\u" + std::to_string(static_cast<int>(c));
    }
  }
  return out;
}

TEST(PageModel, ReadsTheDemoStartPageIntoTitleHeadingParagraphAndListOfLinks) {
  const Page page = html(
      u"<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
      u"<title>Larkwell 演示应用</title><style>body { color: red }</style>"
      u"<script>var x = '<p>not text</p>';</script></head>\n"
      u"<body>\n  <h1>Larkwell 演示应用</h1>\n  <p>工作站标识：AB-&lt;12&gt;</p>\n"
      u"  <ul>\n    <li><a href=\"/download/report.xls?size=5\">月度报表</a></li>\n"
      u"    <li><a href='/page/about'>关于 <b>Larkwell</b></a></li>\n  </ul>\n"
      u"<script type=\"text/javascript\">document.write(\"</div>\")</SCRIPT>\n</body></html>");
  EXPECT_EQ(page.title, u"Larkwell 演示应用");
  ASSERT_EQ(page.blocks.size(), 4u) << utf8(page.text());
  EXPECT_EQ(page.blocks[0].kind, Kind::heading);
  EXPECT_EQ(page.blocks[0].level, 1);
  EXPECT_EQ(page.blocks[0].text(), u"Larkwell 演示应用");
  EXPECT_EQ(page.blocks[1].kind, Kind::paragraph);
  EXPECT_EQ(page.blocks[1].text(), u"工作站标识：AB-<12>");
  for (int i : {2, 3}) EXPECT_EQ(page.blocks[i].kind, Kind::list_item);
  ASSERT_EQ(page.blocks[2].runs.size(), 1u);
  EXPECT_TRUE(page.blocks[2].runs[0].link);
  EXPECT_EQ(page.blocks[2].runs[0].href, u"/download/report.xls?size=5");
  EXPECT_EQ(page.blocks[2].runs[0].text, u"月度报表");
  ASSERT_EQ(page.blocks[3].runs.size(), 1u) << "nested inline markup stays inside the one link";
  EXPECT_EQ(page.blocks[3].runs[0].text, u"关于 Larkwell");
  EXPECT_EQ(page.blocks[3].runs[0].href, u"/page/about");
  EXPECT_EQ(page.text(), u"Larkwell 演示应用\n工作站标识：AB-<12>\n\u2022 月度报表\n\u2022 关于 Larkwell");
}

TEST(PageModel, DecodesCharacterReferencesInTextTitlesAndAttributes) {
  struct Case {
    std::u16string_view source, text;
  } const kCases[] = {
      {u"&amp;&lt;&gt;&quot;&#39;&apos;", u"&<>\"''"},
      {u"a&nbsp;&nbsp;b", u"a\u00A0\u00A0b"},  // not white space: kept, not collapsed
      {u"&#20013;&#x6587;&#X6587", u"中文文"},
      {u"&#128512;", u"\U0001F600"},
      {u"&#0; &#xD800; &#1114112;", u"\uFFFD \uFFFD \uFFFD"},
      {u"AT&T &unknown; &#; & amp", u"AT&T &unknown; &#; & amp"},
  };
  for (const Case& c : kCases) {
    const Page page = html(c.source);
    ASSERT_EQ(page.blocks.size(), 1u) << utf8(c.source);
    EXPECT_EQ(page.blocks[0].text(), c.text) << utf8(c.source);
  }
  const Page page = html(u"<title> a&amp;b \n c </title><a href=\"?x=1&amp;y=&#50;\">l</a>");
  EXPECT_EQ(page.title, u"a&b c");
  EXPECT_EQ(page.blocks.at(0).runs.at(0).href, u"?x=1&y=2");
}

TEST(PageModel, CollapsesWhiteSpaceAcrossTagsAndKeepsItOutOfLinks) {
  const Page page = html(u"\n  <p>  see\t\n <i>the</i>  <a href=x>  list </a>  now  </p>  ");
  ASSERT_EQ(page.blocks.size(), 1u);
  const std::vector<enginesim::Run>& runs = page.blocks[0].runs;
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].text, u"see the ");
  EXPECT_FALSE(runs[0].link);
  EXPECT_EQ(runs[1].text, u"list");
  EXPECT_TRUE(runs[1].link);
  EXPECT_EQ(runs[2].text, u" now");
  EXPECT_FALSE(runs[2].link);
  EXPECT_TRUE(html(u" \n\t ").blocks.empty());
}

TEST(PageModel, ForgivesUnclosedAndStrayTagsAndKeepsLineBreaks) {
  const Page page = html(
      u"</div></span>loose<p>one<p>two<h2>head<li>item <a href=/x>link<li>after</a>"
      u"<p>a<br>b<br/><br>c</p>x < y <3 <");
  const std::vector<std::pair<Kind, std::u16string>> expected = {
      {Kind::paragraph, u"loose"}, {Kind::paragraph, u"one"},       {Kind::paragraph, u"two"},
      {Kind::heading, u"head"},    {Kind::list_item, u"item link"}, {Kind::list_item, u"after"},
      {Kind::paragraph, u"a"},     {Kind::paragraph, u"b"},         {Kind::line_break, u""},
      {Kind::paragraph, u"c"},     {Kind::paragraph, u"x < y <3 <"}};
  ASSERT_EQ(page.blocks.size(), expected.size()) << utf8(page.text());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(page.blocks[i].kind, expected[i].first) << i;
    EXPECT_EQ(page.blocks[i].text(), expected[i].second) << i;
  }
  EXPECT_EQ(page.blocks[3].level, 2);
  EXPECT_TRUE(page.blocks[5].runs.at(0).link) << "an unclosed link goes on into the next item";
  EXPECT_FALSE(page.blocks[6].continued);
  EXPECT_TRUE(page.blocks[7].continued) << "the text after a <br> goes on in the same paragraph";
  EXPECT_TRUE(page.blocks[9].continued);
  EXPECT_FALSE(page.blocks[10].continued);
  EXPECT_TRUE(html(u"<p>unterminated <a href=\"/x").blocks.size() == 1) << "a tag cut off at the end";
}

// Documents take only well-formed markup: every flaw the page model forgives is noted.
TEST(MarkupReader, NotesEveryFlawItForgivesAndReadsTagsWhole) {
  const auto read_all = [](std::u16string_view markup) {
    MarkupReader reader(markup);
    std::vector<MarkupTag> tags;
    for (MarkupReader::Piece piece; (piece = reader.next()) != MarkupReader::Piece::end;) {
      if (piece == MarkupReader::Piece::tag) tags.push_back(reader.tag());
    }
    return std::make_pair(reader.well_formed(), tags);
  };
  for (std::u16string_view flawed :
       {u"a < b", u"<1p>", u"<p", u"<!-- open", u"<!DOCTYPE html", u"<p class=\"x>", u"<input value=>", u"<br/ >",
        u"<p =x>", u"</p id=1>", u"</p/>", u"<a\"b>", u"<p a'b>"}) {
    EXPECT_FALSE(read_all(flawed).first) << utf8(flawed);
  }
  const auto [well_formed, tags] =
      read_all(u"<!DOCTYPE html><!-- c --><?x?><P Class='a b' id=c DISABLED>x &amp; y<br/><input value=\"&lt;\"></p >");
  EXPECT_TRUE(well_formed);
  ASSERT_EQ(tags.size(), 4u);
  EXPECT_EQ(tags[0].name, u"p");
  const std::vector<std::pair<std::u16string, std::u16string>> attributes = {
      {u"class", u"a b"}, {u"id", u"c"}, {u"disabled", u""}};
  EXPECT_EQ(tags[0].attributes, attributes);
  EXPECT_TRUE(tags[1].self_closing);
  EXPECT_EQ(*tags[2].attribute(u"value"), u"<");
  EXPECT_TRUE(tags[3].end);
  EXPECT_EQ(tags[3].name, u"p");
}

TEST(PageModel, PlainTextIsShownLineByLineAsWritten) {
  EXPECT_EQ(format_of_mime_type(" Text/Plain ; charset=utf-8"), PageFormat::plain_text);
  EXPECT_EQ(format_of_mime_type("text/html"), PageFormat::html);
  EXPECT_EQ(format_of_mime_type(""), PageFormat::html);
  const Page page = read_page(u"第一行  <b>&amp;\r\n\tindented\n\nlast\n", PageFormat::plain_text);
  EXPECT_EQ(page.title, u"");
  EXPECT_EQ(page.text(), u"第一行  <b>&amp;\n    indented\n\nlast");
  ASSERT_EQ(page.blocks.size(), 4u);
  EXPECT_EQ(page.blocks[2].kind, Kind::line_break);
  EXPECT_FALSE(page.blocks[0].continued);
  EXPECT_TRUE(page.blocks[3].continued) << "no space between lines";
}

TEST(PageModel, ResolvesLinksAgainstThePageUrl) {
  const std::u16string_view page = u"http://127.0.0.1:8765/page/about?mac=AB#top";
  struct Case {
    std::u16string_view href, url;
  } const kCases[] = {
      {u"http://other.test/x?y", u"http://other.test/x?y"},
      {u"/download/report.xls?size=5", u"http://127.0.0.1:8765/download/report.xls?size=5"},
      {u"help", u"http://127.0.0.1:8765/page/help"},
      {u"../a/./b", u"http://127.0.0.1:8765/a/b"},
      {u"?mac=CD", u"http://127.0.0.1:8765/page/about?mac=CD"},
      {u"  /  ", u"http://127.0.0.1:8765/"},
  };
  for (const Case& c : kCases) EXPECT_EQ(resolve_link(page, c.href), c.url) << utf8(c.href);
  EXPECT_EQ(resolve_link(u"http://127.0.0.1:8765", u"x"), u"http://127.0.0.1:8765/x");
  EXPECT_EQ(resolve_link(u"", u"/x"), u"") << "nothing to resolve against";
}

}  // namespace
}  // namespace larkwell::enginesim
