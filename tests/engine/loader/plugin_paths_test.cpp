// The extra plug-in path splitter, case by case.
#include <gtest/gtest.h>

#include "engine/plugin_paths.h"

namespace larkwell {
namespace {

struct SplitCase {
  const char* what;
  std::u16string_view text;
  TStrings items;
};

const SplitCase kCases[] = {
    {"delimiter", u"a;b", {u"a", u"b"}},
    {"blank separates", u"a b", {u"a", u"b"}},
    {"quoted blank", u"\"a b\"", {u"a b"}},
    {"delimiter at the end", u"a;", {u"a", u""}},
    {"empty", u"", {}},
    {"blanks only", u" \t\r\n", {}},
    {"delimiter first", u";a", {u"", u"a"}},
    {"two delimiters", u"a;;b", {u"a", u"", u"b"}},
    {"blanks around delimiters", u" a ;\tb ", {u"a", u"b"}},
    {"delimiter, blank, end", u"a; ", {u"a"}},
    {"control characters are blanks", u"\x01" u"a\x1F" u"b", {u"a", u"b"}},
    {"quoted delimiter", u"\"a;b\";c", {u"a;b", u"c"}},
    {"doubled quote", u"\"say \"\"hi\"\"\"", {u"say \"hi\""}},
    {"missing closing quote", u"\"a b;c", {u"a b;c"}},
    {"empty quoted item", u"\"\";a", {u"", u"a"}},
    {"text right after the closing quote", u"\"a\"b", {u"a", u"b"}},
    {"quote inside an unquoted item", u"a\"b", {u"a\"b"}},
    {"blank in an unquoted path", u"C:\\Program Files\\x", {u"C:\\Program", u"Files\\x"}},
    {"quoted path", u"\"C:\\Program Files\\x\";d:\\y", {u"C:\\Program Files\\x", u"d:\\y"}},
    {"ends at character 0", std::u16string_view(u"a;b\0c;d", 7), {u"a", u"b"}},
    {"beyond ASCII", u"\u00e9t\u00e9;\u4e2d\u6587 \U0001F600", {u"\u00e9t\u00e9", u"\u4e2d\u6587", u"\U0001F600"}},
};

TEST(PluginPathsTest, SplitsAsANonStrictDelimitedList) {
  for (const SplitCase& c : kCases) EXPECT_EQ(SplitPluginPaths(c.text), c.items) << c.what;
}

}  // namespace
}  // namespace larkwell
