// The name proposed for a server's suggestion: plain and harmless, ordinary names untouched.
#include <gtest/gtest.h>

#include "app/file_names.h"

namespace larkwell {
namespace {

TEST(ProposedFileNameTest, OrdinaryNamesPassUnchanged) {
  for (const ustring name : {u"report.xls", u"销售报表（二〇二六年）.xls", u"a b.c.xls", u"𠀀字.xls", u".profile",
                             u"CONTRACT.xls", u"com10.xls", u"nul-values.xls"}) {
    EXPECT_EQ(ProposedFileName(name), name) << UstringToUtf8(name);
  }
}

TEST(ProposedFileNameTest, PathsForbiddenCharactersAndDevicesBecomeHarmless) {
  struct Case {
    ustring Suggested;
    ustring Proposed;
  };
  const Case cases[] = {
      {u"..\\..\\evil.xls", u"evil.xls"},
      {u"C:\\Windows\\evil.xls", u"evil.xls"},
      {u"C:evil.xls", u"evil.xls"},
      {u"a/b.xls", u"b.xls"},
      {u"\\\\server\\share\\x.xls", u"x.xls"},
      {u"what?*<>|\".xls", u"what______.xls"},
      {u"tab\there\r\n.xls", u"tab_here__.xls"},
      {u"CON", u"_CON"},
      {u"con.xls", u"_con.xls"},
      {u"NUL.tar.xls", u"_NUL.tar.xls"},
      {u"COM1", u"_COM1"},
      {u"lpt9.xls", u"_lpt9.xls"},
      {u"CON .xls", u"_CON .xls"},
      {u"report.xls. . .", u"report.xls"},
      {u"trailing  ", u"trailing"},
      {u"", u""},
      {u"..", u""},
      {u"..\\", u""},
      {u"C:\\", u""},
      {u" . ", u""},
      {u"???", u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProposedFileName(c.Suggested), c.Proposed) << UstringToUtf8(c.Suggested);
  }
}

TEST(ProposedFileNameTest, ALongNameIsCutKeepingItsExtensionAndWholeCharacters) {
  const ustring longName = ustring(400, u'长') + u".xls";
  const ustring proposed = ProposedFileName(longName);
  EXPECT_EQ(proposed.size(), kMaxProposedFileName);
  EXPECT_TRUE(proposed.ends_with(u"长.xls"));

  // A character outside the basic plane is never cut in half.
  ustring wide;
  while (wide.size() < 300) wide += u"𠀀";
  const ustring cut = ProposedFileName(wide + u".xls");
  EXPECT_LE(cut.size(), kMaxProposedFileName);
  EXPECT_TRUE(cut.ends_with(u"𠀀.xls"));

  // An "extension" too long to be one is not kept.
  const ustring dotted = ProposedFileName(u"a." + ustring(300, u'x'));
  EXPECT_EQ(dotted.size(), kMaxProposedFileName);
  EXPECT_TRUE(dotted.starts_with(u"a.x"));
}

}  // namespace
}  // namespace larkwell
