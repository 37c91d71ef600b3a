// What the stand-in reads from a response itself: the name a download suggests, the media type,
// and a body in its charset.
#include <gtest/gtest.h>

#include <string>

#include "enginesim/net/response_text.h"

namespace larkwell::enginesim::net {
namespace {

TEST(ResponseText, TheSuggestedNamePrefersTheUtf8FormThenTheQuotedOneThenThePath) {
  const std::string url = "http://h/download/%E6%8A%A5%E8%A1%A8.xls?size=1#top";
  EXPECT_EQ(suggested_name("attachment; filename=\"report.xls\"; "
                           "filename*=UTF-8''%E6%9C%88%E5%BA%A6%E6%8A%A5%E8%A1%A8.xls",
                           url),
            "月度报表.xls");
  EXPECT_EQ(suggested_name(R"(attachment; filename="..\\..\\evil \"x\".xls")", url), R"(..\..\evil "x".xls)");
  EXPECT_EQ(suggested_name("attachment; filename=plain.xls", url), "plain.xls");
  EXPECT_EQ(suggested_name("attachment; filename*=UTF-8''bad%01%1Fname.xls", url), "bad\x01\x1Fname.xls");
  EXPECT_EQ(suggested_name("attachment; filename*=ISO-8859-1''x.xls; filename=\"y.xls\"", url), "y.xls")
      << "only UTF-8 is read from the extended form";
  EXPECT_EQ(suggested_name("attachment", url), "报表.xls");
  EXPECT_EQ(suggested_name("attachment", "http://h?x=/y"), "") << "no path, no name";
  EXPECT_EQ(suggested_name("attachment; filename=\"\xff.xls\"", url), "\xEF\xBF\xBD.xls") << "invalid UTF-8";
  EXPECT_TRUE(is_attachment(" Attachment ; filename=a"));
  EXPECT_FALSE(is_attachment("inline; filename=attachment"));
  EXPECT_EQ(media_type(" Text/HTML ; charset=utf-8"), "text/html");
  EXPECT_EQ(header_parameter("text/html; Charset=\"GBK\"", "charset"), "GBK");
}

TEST(ResponseText, BodiesAreDecodedInTheirCharset) {
  EXPECT_EQ(decode_body("\xE6\xBC\x94\xE7\xA4\xBA", "text/html; charset=utf-8"), u"演示");
  EXPECT_EQ(decode_body("\xE6\xBC\x94\xE7\xA4\xBA", "text/html"), u"演示") << "UTF-8 when none is named";
  EXPECT_EQ(decode_body("\xD1\xDD\xCA\xBE", "text/html; charset=GBK"), u"演示");
  EXPECT_EQ(decode_body("\xD1\xDD\xCA\xBE", "text/plain; charset=gb2312"), u"演示");
  EXPECT_EQ(decode_body("caf\xE9", "text/plain; charset=ISO-8859-1"), u"café");
  EXPECT_EQ(decode_body("a\xFFz", "text/plain"), u"a\uFFFDz");
}

}  // namespace
}  // namespace larkwell::enginesim::net
