// The text type's conversions and the exceptions' message texts.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

#include "core/exceptions.h"
#include "core/ustring.h"

using namespace std::string_literals;

namespace larkwell {
namespace {

TEST(UstringTest, Utf8RoundTripKeepsEveryCharacter) {
  const ustring text = u"下载进度 \U0001F600 a\0b"s;
  EXPECT_EQ(Utf8ToUstring(UstringToUtf8(text)), text);
  EXPECT_EQ(UstringToUtf8(u"文件下载完成！"), "文件下载完成！");
  EXPECT_EQ(Utf8ToUstring("\xF0\x9F\x98\x80").size(), 2u);  // one character, a surrogate pair
}

TEST(UstringTest, EachEncodingLengthStartsAndEndsWhereUtf8SaysItDoes) {
  // The first and last character of each length, both ways.
  const std::pair<std::u16string, std::string> kEdges[] = {{u"\u007F", "\x7F"},
                                                           {u"\u0080", "\xC2\x80"},
                                                           {u"\u07FF", "\xDF\xBF"},
                                                           {u"\u0800", "\xE0\xA0\x80"},
                                                           {u"\uFFFF", "\xEF\xBF\xBF"},
                                                           {u"\U00010000", "\xF0\x90\x80\x80"},
                                                           {u"\U0010FFFF", "\xF4\x8F\xBF\xBF"}};
  for (const auto& [text, utf8] : kEdges) {
    EXPECT_EQ(UstringToUtf8(text), utf8);
    EXPECT_EQ(Utf8ToUstring(utf8), text);
  }
}

TEST(UstringTest, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToUstring("a\xFF!"), u"a\uFFFD!");
  EXPECT_EQ(Utf8ToUstring("\xE4\xB8"), u"\uFFFD");                            // cut short at the end
  EXPECT_EQ(Utf8ToUstring("\xE4\xB8z"), u"\uFFFDz");                          // cut short by an ASCII byte
  EXPECT_EQ(Utf8ToUstring("\xC0\x80"), u"\uFFFD");                            // overlong
  EXPECT_EQ(Utf8ToUstring("\xED\xA0\x80"), u"\uFFFD");                        // an encoded surrogate
  EXPECT_EQ(UstringToUtf8(u"x\xD800y"), "x\xEF\xBF\xBDy");                    // a lone surrogate
  EXPECT_EQ(Utf8ToUstring("\xF4\x90\x80\x80"), u"\uFFFD");                    // past the last character
  EXPECT_EQ(Utf8ToUstring("\xF8\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // no length starts so
  EXPECT_EQ(Utf8ToUstring("\xC3\xC3\xA9"), u"\uFFFD\u00E9");                  // a lead byte does not continue another
  // A high surrogate that ends the text is alone, whatever lies in memory after it.
  const std::u16string pair = u"\U0001F600";
  EXPECT_EQ(UstringToUtf8(std::u16string_view(pair).substr(0, 1)), "\xEF\xBF\xBD");
}

TEST(ExceptionTest, MessagesReadAsTheUserSeesThem) {
  EXPECT_EQ(EAssertionFailed(u"Assertion failure", "ceflib", 6878).Message(), u"Assertion failure (ceflib, line 6878)");
  EXPECT_EQ(EOSError(0, u"ignored").Message(), u"A call to an OS function failed");
  EXPECT_EQ(EOSError(126, u"找不到指定的模块。").Message(),
            ustring(u"System Error.  Code: 126.") + kLineBreak + u"找不到指定的模块。");
  EXPECT_EQ(EOSError(126, u"").ErrorCode(), 126u);
  EXPECT_STREQ(ECefException(u"Invalid CEF Library version").what(), "Invalid CEF Library version");
  EXPECT_THROW(Assert(false, "cefvcl", 958), EAssertionFailed);
  EXPECT_NO_THROW(Assert(true, "cefvcl", 958));
}

}  // namespace
}  // namespace larkwell
