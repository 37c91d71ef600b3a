// The six string conversions and the two list crossings, against the stand-in engine.
#include <gtest/gtest.h>

#include <stdexcept>

#include "enginesim/control.h"
#include "engine/cef_string.h"
#include "tests/support/engine_test.h"

using namespace std::string_literals;

namespace larkwell {
namespace {

class StringTest : public testing::EngineTest {};

const ustring kWithZero = u"a\0b\0"s;  // embedded zero code units are ordinary characters

TEST_F(StringTest, ViewBorrowsTheTextAndNeverHasANullPointer) {
  const ustring text = u"utf8";
  const TCefString view = CefStringView(text);
  EXPECT_EQ(view.str, text.data());
  EXPECT_EQ(view.length, 4u);
  EXPECT_EQ(view.dtor, nullptr);

  const ustring empty;
  const TCefString empty_view = CefStringView(empty);
  ASSERT_NE(empty_view.str, nullptr);
  EXPECT_EQ(empty_view.str[0], u'\0');
  EXPECT_EQ(empty_view.length, 0u);
  EXPECT_EQ(empty_view.dtor, nullptr);
  EXPECT_EQ(sim_string_live_allocations(), 0);  // nothing was allocated
}

TEST_F(StringTest, CopyOwnsAnEngineCopyAndTheCopyOfEmptyIsAllZero) {
  TCefString copy = CefStringCopy(kWithZero);
  ASSERT_NE(copy.dtor, nullptr);
  EXPECT_EQ(copy.length, 4u);
  EXPECT_EQ(CefStringToNative(&copy), kWithZero);
  EXPECT_GT(sim_string_live_allocations(), 0);
  cef_string_clear(&copy);

  const TCefString empty = CefStringCopy(u"");
  EXPECT_EQ(empty.str, nullptr);
  EXPECT_EQ(empty.length, 0u);
  EXPECT_EQ(empty.dtor, nullptr);
}

TEST_F(StringTest, AssignReplacesTheOldContentAndSkipsANullRecord) {
  TCefString record = CefStringCopy(u"old text");
  CefStringAssign(&record, kWithZero);
  EXPECT_EQ(CefStringToNative(&record), kWithZero);
  CefStringAssign(&record, u"");
  EXPECT_EQ(record.length, 0u);
  CefStringAssign(nullptr, u"ignored");
  cef_string_clear(&record);
}

TEST_F(StringTest, TakeAndClearEmptiesTheRecordAndFreesItsText) {
  TCefString record = CefStringCopy(kWithZero);
  EXPECT_EQ(CefStringTakeAndClear(&record), kWithZero);
  EXPECT_EQ(record.str, nullptr);
  EXPECT_EQ(record.length, 0u);
  EXPECT_EQ(record.dtor, nullptr);
}

TEST_F(StringTest, UserFreeStringIsReadAndFreed) {
  PCefStringUserFree userfree = cef_string_userfree_alloc();
  const ustring text = u"用户";
  cef_string_set(text.data(), text.size(), userfree, 1);
  EXPECT_EQ(CefStringTakeUserFree(userfree), text);
  EXPECT_EQ(CefStringTakeUserFree(nullptr), u"");
  EXPECT_EQ(CefStringToNative(nullptr), u"");
}

TEST_F(StringTest, ListsCarryItemsBothWaysInOrderWithEmbeddedZeros) {
  CefStringListHandle list;
  CefStringListAppendAll(list, {u"first", kWithZero, u""});
  TStrings read = {u"kept"};
  CefStringListReadInto(list.get(), read);
  EXPECT_EQ(read, (TStrings{u"kept", u"first", kWithZero, u""}));
}

TEST_F(StringTest, ReadingAFilledListAppendsWithoutClearingAndReturnsTheFillersResult) {
  TStrings names = {u"existing"};
  const int answer = CefStringListToNative(
      [](TCefStringList list) {
        const ustring a = u"main", b = u"child";
        const TCefString va = CefStringView(a), vb = CefStringView(b);
        cef_string_list_append(list, &va);
        cef_string_list_append(list, &vb);
        return 7;
      },
      names);
  EXPECT_EQ(answer, 7);
  EXPECT_EQ(names, (TStrings{u"existing", u"main", u"child"}));

  CefStringListToNative([](TCefStringList) {}, names);  // an empty list appends nothing
  EXPECT_EQ(names.size(), 3u);
}

// A native list whose append fails on its second item.
struct FailingList {
  int appended = 0;
  void push_back(const ustring&) {
    if (++appended == 2) throw std::runtime_error("out of room");
  }
};

TEST_F(StringTest, EngineListAndItemsAreFreedWhenAppendingRaises) {
  FailingList out;
  auto fill = [](TCefStringList list) {
    for (const ustring& s : {u"one"s, u"two"s, u"three"s}) {
      const TCefString v = CefStringView(s);
      cef_string_list_append(list, &v);
    }
  };
  EXPECT_THROW(CefStringListToNative(fill, out), std::runtime_error);
  EXPECT_EQ(out.appended, 2);
  // The fixture's ledger check proves the list and every item copy were freed.
}

TEST_F(StringTest, EngineListIsFreedWhenTheFillerRaises) {
  TStrings out;
  EXPECT_THROW(CefStringListToNative([](TCefStringList) -> int { throw std::runtime_error("engine call failed"); }, out),
               std::runtime_error);
  EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace larkwell
