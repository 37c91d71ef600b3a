// The string family: record ownership in all three encodings, comparison, conversions.
#include <string>
#include <vector>

#include "stand_in_test.h"

namespace larkwell::enginesim::test {
namespace {

// One encoding's record and functions, so each ownership rule is checked for all three.
// (Plain pointers initialised at run time: the exports may live behind an import library.)
#define ENGINESIM_ENCODING(Name, RecordType, family)                                   \
  struct Name {                                                                        \
    using Record = RecordType;                                                         \
    using Unit = std::remove_pointer_t<decltype(Record::str)>;                         \
    static inline const auto set = &cef_string_##family##_set;                         \
    static inline const auto clear = &cef_string_##family##_clear;                     \
    static inline const auto cmp = &cef_string_##family##_cmp;                         \
    static inline const auto userfree_alloc = &cef_string_userfree_##family##_alloc;   \
    static inline const auto userfree_free = &cef_string_userfree_##family##_free;     \
    static std::basic_string<Unit> text(const Record& record) {                        \
      return {record.str, record.length};                                              \
    }                                                                                  \
  };
ENGINESIM_ENCODING(Wide, TCefStringWide, wide)
ENGINESIM_ENCODING(Utf8, TCefStringUtf8, utf8)
ENGINESIM_ENCODING(Utf16, TCefStringUtf16, utf16)
#undef ENGINESIM_ENCODING

// "a", NUL, "b": embedded zero units are ordinary characters.
template <class Unit>
std::basic_string<Unit> with_zero() {
  return {Unit('a'), Unit(0), Unit('b')};
}

template <class E>
class RecordOwnership : public StandInTest {};
using Encodings = ::testing::Types<Wide, Utf8, Utf16>;
TYPED_TEST_SUITE(RecordOwnership, Encodings);

TYPED_TEST(RecordOwnership, CopyOwnsAnEngineTextUntilCleared) {
  using E = TypeParam;
  const auto text = with_zero<typename E::Unit>();
  typename E::Record record{};
  ASSERT_EQ(E::set(text.data(), text.size(), &record, 1), 1);
  EXPECT_NE(record.str, text.data());
  EXPECT_NE(record.dtor, nullptr);
  EXPECT_EQ(E::text(record), text);
  EXPECT_EQ(record.str[record.length], typename E::Unit(0)) << "engine texts end with a zero";
  EXPECT_EQ(sim_string_live_allocations(), 1);

  // Setting again frees the old copy; so does a copy of the record's own text.
  ASSERT_EQ(E::set(text.data(), 1, &record, 1), 1);
  ASSERT_EQ(E::set(record.str, record.length, &record, 1), 1);
  EXPECT_EQ(E::text(record), text.substr(0, 1));
  EXPECT_EQ(sim_string_live_allocations(), 1);

  E::clear(&record);
  EXPECT_EQ(record.str, nullptr);
  EXPECT_EQ(record.length, 0u);
  EXPECT_EQ(record.dtor, nullptr);
}

TYPED_TEST(RecordOwnership, BorrowFreesTheOldCopyAndKeepsTheCallersText) {
  using E = TypeParam;
  const auto text = with_zero<typename E::Unit>();
  typename E::Record record{};
  ASSERT_EQ(E::set(text.data(), text.size(), &record, 1), 1);
  ASSERT_EQ(E::set(text.data(), text.size(), &record, 0), 1);
  EXPECT_EQ(record.str, text.data());
  EXPECT_EQ(record.length, text.size());
  EXPECT_EQ(record.dtor, nullptr);
  EXPECT_EQ(sim_string_live_allocations(), 0);
  E::clear(&record);  // nothing to free for a borrowed text
}

TYPED_TEST(RecordOwnership, EmptyCopyAllocatesNothingAndBadArgumentsAnswerZero) {
  using E = TypeParam;
  const typename E::Unit empty[] = {0};
  typename E::Record record{};
  EXPECT_EQ(E::set(empty, 0, &record, 1), 1);
  EXPECT_EQ(record.str, nullptr);
  EXPECT_EQ(record.dtor, nullptr);
  EXPECT_EQ(E::set(nullptr, 3, &record, 1), 0);
  EXPECT_EQ(E::set(empty, 0, nullptr, 1), 0);
  E::clear(nullptr);
  EXPECT_EQ(sim_string_live_allocations(), 0);
}

TYPED_TEST(RecordOwnership, UserfreeRecordIsZeroedAndFreedWithItsText) {
  using E = TypeParam;
  typename E::Record* record = E::userfree_alloc();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->str, nullptr);
  EXPECT_EQ(record->length, 0u);
  EXPECT_EQ(record->dtor, nullptr);
  const auto text = with_zero<typename E::Unit>();
  ASSERT_EQ(E::set(text.data(), text.size(), record, 1), 1);
  EXPECT_EQ(sim_string_live_allocations(), 2);
  E::userfree_free(record);
  E::userfree_free(nullptr);
  EXPECT_EQ(sim_string_live_allocations(), 0);
}

TYPED_TEST(RecordOwnership, DoubleFreesAreRecordedNotPerformed) {
  using E = TypeParam;
  const auto text = with_zero<typename E::Unit>();
  typename E::Record record{};
  ASSERT_EQ(E::set(text.data(), text.size(), &record, 1), 1);
  typename E::Record stale = record;
  E::clear(&record);
  stale.dtor(stale.str);
  typename E::Record* userfree = E::userfree_alloc();
  E::userfree_free(userfree);
  E::userfree_free(userfree);
  this->expect_errors_then_forget(2);
}

TYPED_TEST(RecordOwnership, CompareOrdersByUnsignedCodeUnits) {
  using E = TypeParam;
  using Unit = typename E::Unit;
  using Text = std::basic_string<Unit>;
  const Unit high = Unit(sizeof(Unit) == 1 ? 0xC3 : 0xE9);  // above every ASCII unit
  struct Case {
    Text left, right;
    int sign;
  };
  const std::vector<Case> cases = {
      {Text{Unit('a')}, Text{Unit('a')}, 0},
      {Text{}, Text{}, 0},
      {Text{Unit('a')}, Text{Unit('b')}, -1},
      {Text{Unit('a')}, Text{Unit('a'), Unit('a')}, -1},
      {Text{high}, Text{Unit('z')}, 1},
      {with_zero<Unit>(), Text{Unit('a')}, 1},
      {with_zero<Unit>(), Text{Unit('a'), Unit(1)}, -1},
  };
  for (const Case& c : cases) {
    typename E::Record left{}, right{};
    E::set(c.left.data(), c.left.size(), &left, 0);
    E::set(c.right.data(), c.right.size(), &right, 0);
    const int result = E::cmp(&left, &right);
    const int reverse = E::cmp(&right, &left);
    EXPECT_EQ((result > 0) - (result < 0), c.sign) << "case " << (&c - cases.data());
    EXPECT_EQ((reverse > 0) - (reverse < 0), -c.sign) << "case " << (&c - cases.data());
  }
  typename E::Record empty{};
  EXPECT_EQ(E::cmp(nullptr, &empty), 0) << "a null record compares as empty";
}

// --- conversions

using StringFamily = StandInTest;

std::u16string utf16_of_utf8(const std::string& utf8, int* result = nullptr) {
  TCefStringUtf16 out{};
  const int answer = cef_string_utf8_to_utf16(utf8.data(), utf8.size(), &out);
  if (result != nullptr) *result = answer;
  std::u16string text(out.str != nullptr ? out.str : u"", out.length);
  cef_string_utf16_clear(&out);
  return text;
}

std::string utf8_of_utf16(const std::u16string& utf16, int* result = nullptr) {
  TCefStringUtf8 out{};
  const int answer = cef_string_utf16_to_utf8(utf16.data(), utf16.size(), &out);
  if (result != nullptr) *result = answer;
  std::string text(out.str != nullptr ? out.str : "", out.length);
  cef_string_utf8_clear(&out);
  return text;
}

TEST_F(StringFamily, ValidTextRoundTripsBetweenUtf8AndUtf16) {
  const std::string utf8 = std::string("A\xC3\xA9\xE4\xB8\xAD", 6) + '\0' + "\xF0\x9F\x98\x80";
  const std::u16string utf16 = std::u16string(u"A\u00E9\u4E2D") + u'\0' + u"\U0001F600";
  int result = 0;
  EXPECT_EQ(utf16_of_utf8(utf8, &result), utf16);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(utf8_of_utf16(utf16, &result), utf8);
  EXPECT_EQ(result, 1);
}

TEST_F(StringFamily, InvalidUtf8BecomesOneReplacementPerBadSequence) {
  struct Case {
    std::string input;
    std::u16string expected;
  };
  const std::vector<Case> cases = {
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                  // overlong form
      {"\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},        // overlong three-byte form
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},        // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {"a\xE4\xB8", u"a\uFFFD"},                      // truncated at the end
      {"\xE4\xB8z", u"\uFFFDz"},                      // truncated before an ASCII byte
      {"\xFF", u"\uFFFD"},
  };
  for (const Case& c : cases) {
    int result = 1;
    EXPECT_EQ(utf16_of_utf8(c.input, &result), c.expected) << "input of " << c.input.size();
    EXPECT_EQ(result, 0);
  }
}

TEST_F(StringFamily, LoneSurrogatesBecomeReplacementsInUtf8) {
  int result = 1;
  EXPECT_EQ(utf8_of_utf16(u"a\xD800" u"b", &result), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(result, 0);
  EXPECT_EQ(utf8_of_utf16(u"\xDC00", &result), "\xEF\xBF\xBD");
  EXPECT_EQ(utf8_of_utf16(u"\xD83D", &result), "\xEF\xBF\xBD") << "high surrogate at the end";
}

TEST_F(StringFamily, WideTextIsUtf16OnWindowsAndUtf32OnLinux) {
  const std::u16string utf16 = std::u16string(u"x\U0001F600") + u'\0' + u"\u4E2D";
  TCefStringWide wide{};
  ASSERT_EQ(cef_string_utf16_to_wide(utf16.data(), utf16.size(), &wide), 1);
  EXPECT_EQ(wide.length, sizeof(wchar_t) == 2 ? 5u : 4u);
  EXPECT_EQ(wide.str[1], sizeof(wchar_t) == 2 ? wchar_t(0xD83D) : wchar_t(0x1F600));

  TCefStringUtf16 back{};
  ASSERT_EQ(cef_string_wide_to_utf16(wide.str, wide.length, &back), 1);
  EXPECT_EQ(std::u16string(back.str, back.length), utf16);
  TCefStringUtf8 utf8{};
  ASSERT_EQ(cef_string_wide_to_utf8(wide.str, wide.length, &utf8), 1);
  EXPECT_EQ(std::string(utf8.str, utf8.length), utf8_of_utf16(utf16));
  TCefStringWide from_utf8{};
  ASSERT_EQ(cef_string_utf8_to_wide(utf8.str, utf8.length, &from_utf8), 1);
  EXPECT_EQ(cef_string_wide_cmp(&from_utf8, &wide), 0);

  cef_string_wide_clear(&wide);
  cef_string_utf16_clear(&back);
  cef_string_utf8_clear(&utf8);
  cef_string_wide_clear(&from_utf8);
}

TEST_F(StringFamily, InvalidWideUnitsBecomeReplacements) {
  // A lone surrogate is invalid in either width; 0x110000 only fits a 32-bit wchar_t.
  std::wstring wide = {L'a', wchar_t(0xDC00), L'b'};
  if (sizeof(wchar_t) == 4) wide += wchar_t(0x110000);
  TCefStringUtf8 utf8{};
  EXPECT_EQ(cef_string_wide_to_utf8(wide.data(), wide.size(), &utf8), 0);
  EXPECT_EQ(std::string(utf8.str, utf8.length),
            sizeof(wchar_t) == 4 ? "a\xEF\xBF\xBD" "b\xEF\xBF\xBD" : "a\xEF\xBF\xBD" "b");
  cef_string_utf8_clear(&utf8);

  // Wide and UTF-16 are one encoding on Windows: copied unit for unit, the surrogate kept.
  TCefStringUtf16 utf16{};
  const int result = cef_string_wide_to_utf16(wide.data(), 3, &utf16);
  EXPECT_EQ(result, sizeof(wchar_t) == 2 ? 1 : 0);
  EXPECT_EQ(std::u16string(utf16.str, utf16.length),
            sizeof(wchar_t) == 2 ? u"a\xDC00" u"b" : u"a\uFFFD" u"b");
  cef_string_utf16_clear(&utf16);
}

TEST_F(StringFamily, AsciiWidensAndRejectsHighBytes) {
  TCefStringUtf16 utf16{};
  EXPECT_EQ(cef_string_ascii_to_utf16("ok\0!", 4, &utf16), 1);
  EXPECT_EQ(std::u16string(utf16.str, utf16.length), std::u16string(u"ok\0!", 4));
  TCefStringWide wide{};
  EXPECT_EQ(cef_string_ascii_to_wide("\xE9x", 2, &wide), 0);
  EXPECT_EQ(std::wstring(wide.str, wide.length), L"\xFFFDx");
  cef_string_utf16_clear(&utf16);
  cef_string_wide_clear(&wide);
}

TEST_F(StringFamily, ConversionReplacesWhatTheOutputOwned) {
  TCefStringUtf16 out{};
  ASSERT_EQ(cef_string_utf16_set(u"old", 3, &out, 1), 1);
  ASSERT_EQ(cef_string_utf8_to_utf16("new", 3, &out), 1);
  EXPECT_EQ(std::u16string(out.str, out.length), u"new");
  EXPECT_EQ(sim_string_live_allocations(), 1);
  EXPECT_EQ(cef_string_utf8_to_utf16(nullptr, 2, &out), 0);
  EXPECT_EQ(std::u16string(out.str, out.length), u"new") << "a refused conversion changes nothing";
  cef_string_utf16_clear(&out);
}

}  // namespace
}  // namespace larkwell::enginesim::test
