// Resolving the engine's exports and binding the encoding-neutral string names.
#include <gtest/gtest.h>

#include "engine/entry_points.h"
#include "tests/support/engine_test.h"

namespace larkwell {
namespace {

class EntryPointsTest : public testing::EngineTest {};

TEST_F(EntryPointsTest, EveryExportOfTheEngineIsResolved) {
  EXPECT_TRUE(AllEntryPointsResolved());
  EXPECT_NE(cef_get_web_plugin_info_byname, nullptr);  // the last one
  EXPECT_NE(cef_string_wide_set, nullptr);             // the first one
}

TEST_F(EntryPointsTest, GenericStringNamesUseTheUtf16Variants) {
  EXPECT_EQ(cef_string_set, cef_string_utf16_set);
  EXPECT_EQ(cef_string_clear, cef_string_utf16_clear);
  EXPECT_EQ(cef_string_userfree_alloc, cef_string_userfree_utf16_alloc);
  EXPECT_EQ(cef_string_userfree_free, cef_string_userfree_utf16_free);
  EXPECT_EQ(cef_string_from_ascii, cef_string_ascii_to_utf16);
  EXPECT_EQ(cef_string_to_utf8, cef_string_utf16_to_utf8);
  EXPECT_EQ(cef_string_from_utf8, cef_string_utf8_to_utf16);
  EXPECT_EQ(cef_string_to_wide, cef_string_utf16_to_wide);
  EXPECT_EQ(cef_string_from_wide, cef_string_wide_to_utf16);
}

TEST_F(EntryPointsTest, Utf16CopyReplacesTheRecordWithAnEngineCopy) {
  const char16_t text[] = u"第一\0二";
  TCefStringUtf16 record{};
  ASSERT_NE(cef_string_from_utf16, nullptr);
  cef_string_from_utf16(text, 4, &record);
  ASSERT_EQ(record.length, 4u);
  EXPECT_NE(record.str, text);
  EXPECT_NE(record.dtor, nullptr);
  EXPECT_EQ(std::u16string(record.str, record.length), std::u16string(text, 4));
  cef_string_to_utf16(u"x", 1, &record);  // replaces, releasing the old copy
  EXPECT_EQ(std::u16string(record.str, record.length), u"x");
  cef_string_clear(&record);
}

}  // namespace
}  // namespace larkwell
