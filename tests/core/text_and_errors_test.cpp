// The text type's conversions and the exceptions' message texts.
#include <gtest/gtest.h>

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

TEST(UstringTest, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToUstring("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUstring("\xE4\xB8"), u"\uFFFD");           // cut short at the end
  EXPECT_EQ(Utf8ToUstring("\xE4\xB8z"), u"\uFFFDz");         // cut short by an ASCII byte
  EXPECT_EQ(Utf8ToUstring("\xC0\x80"), u"\uFFFD");           // overlong
  EXPECT_EQ(Utf8ToUstring("\xED\xA0\x80"), u"\uFFFD");       // an encoded surrogate
  EXPECT_EQ(UstringToUtf8(u"x\xD800y"), "x\xEF\xBF\xBDy");   // a lone surrogate
}

TEST(ExceptionTest, MessagesReadAsTheUserSeesThem) {
  EXPECT_EQ(EAssertionFailed(u"Assertion failure", "ceflib", 6878).Message(), u"Assertion failure (ceflib, line 6878)");
  EXPECT_EQ(EOSError(0, u"ignored").Message(), u"A call to an OS function failed");
  EXPECT_EQ(EOSError(126, u"找不到指定的模块。").Message(), ustring(u"System Error.  Code: 126.") + kLineBreak + u"找不到指定的模块。");
  EXPECT_EQ(EOSError(126, u"").ErrorCode(), 126u);
  EXPECT_STREQ(ECefException(u"Invalid CEF Library version").what(), "Invalid CEF Library version");
  EXPECT_THROW(Assert(false, "cefvcl", 958), EAssertionFailed);
  EXPECT_NO_THROW(Assert(true, "cefvcl", 958));
}

}  // namespace
}  // namespace larkwell
