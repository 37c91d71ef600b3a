// String lists, maps and multimaps: items copied in and out, order, bounds, freed handles.
#include <string>
#include <vector>

#include "stand_in_test.h"

namespace larkwell::enginesim::test {
namespace {

using Collections = StandInTest;

// A borrowed record over a test string (the engine copies what it keeps).
TCefString view(const std::u16string& text) {
  return {const_cast<char16_t*>(text.data()), text.size(), nullptr};
}

// Reads an item through `read` into a fresh record and frees the engine's copy.
template <class Read>
std::u16string take(Read read, int* result = nullptr) {
  TCefString out{};
  const int answer = read(&out);
  if (result != nullptr) *result = answer;
  std::u16string text(out.str != nullptr ? out.str : u"", out.length);
  cef_string_utf16_clear(&out);
  return text;
}

std::vector<std::u16string> list_items(TCefStringList list) {
  std::vector<std::u16string> items;
  for (int i = 0; i < cef_string_list_size(list); ++i) {
    items.push_back(take([&](TCefString* out) { return cef_string_list_value(list, i, out); }));
  }
  return items;
}

TEST_F(Collections, ListCopiesItemsInAndOut) {
  const std::vector<std::u16string> items = {u"first", u"", std::u16string(u"a\0b", 3)};
  TCefStringList list = cef_string_list_alloc();
  ASSERT_NE(list, nullptr);
  for (const std::u16string& item : items) {
    TCefString record = view(item);
    cef_string_list_append(list, &record);
  }
  cef_string_list_append(list, nullptr);
  EXPECT_EQ(list_items(list), items);

  // value replaces what the caller's record owned; an index out of range leaves it alone.
  TCefString out{};
  cef_string_utf16_set(u"old", 3, &out, 1);
  EXPECT_EQ(cef_string_list_value(list, 0, &out), 1);
  EXPECT_EQ(std::u16string(out.str, out.length), u"first");
  EXPECT_EQ(cef_string_list_value(list, 3, &out), 0);
  EXPECT_EQ(cef_string_list_value(list, -1, &out), 0);
  EXPECT_EQ(std::u16string(out.str, out.length), u"first");
  cef_string_utf16_clear(&out);

  // A copy is independent of its source.
  TCefStringList copy = cef_string_list_copy(list);
  cef_string_list_clear(list);
  EXPECT_EQ(cef_string_list_size(list), 0);
  EXPECT_EQ(list_items(copy), items);
  cef_string_list_free(copy);
  cef_string_list_free(list);
}

TEST_F(Collections, MapKeepsOneValuePerKeyInInsertionOrder) {
  TCefStringMap map = cef_string_map_alloc();
  const std::u16string zkey = u"zeta", akey = u"alpha", one = u"1", two = u"2";
  TCefString z = view(zkey), a = view(akey), v1 = view(one), v2 = view(two);
  EXPECT_EQ(cef_string_map_append(map, &z, &v1), 1);
  EXPECT_EQ(cef_string_map_append(map, &a, &v2), 1);
  EXPECT_EQ(cef_string_map_append(map, &z, &v2), 0) << "a second value for a key is refused";
  EXPECT_EQ(cef_string_map_size(map), 2);

  int found = 0;
  EXPECT_EQ(take([&](TCefString* out) { return cef_string_map_find(map, &z, out); }, &found), u"1");
  EXPECT_EQ(found, 1);
  const std::u16string missing = u"beta";
  TCefString m = view(missing);
  EXPECT_EQ(take([&](TCefString* out) { return cef_string_map_find(map, &m, out); }, &found), u"");
  EXPECT_EQ(found, 0);

  EXPECT_EQ(take([&](TCefString* out) { return cef_string_map_key(map, 0, out); }), u"zeta");
  EXPECT_EQ(take([&](TCefString* out) { return cef_string_map_value(map, 1, out); }), u"2");
  EXPECT_EQ(take([&](TCefString* out) { return cef_string_map_key(map, 2, out); }, &found), u"");
  EXPECT_EQ(found, 0);

  cef_string_map_clear(map);
  EXPECT_EQ(cef_string_map_size(map), 0);
  cef_string_map_free(map);
}

TEST_F(Collections, MultimapEnumeratesEachKeysValuesInOrder) {
  TCefStringMultimap map = cef_string_multimap_alloc();
  const std::u16string accept = u"Accept", host = u"Host";
  const std::vector<std::pair<std::u16string, std::u16string>> entries = {
      {accept, u"text/html"}, {host, u"example"}, {accept, u"*/*"}};
  for (const auto& [key, value] : entries) {
    TCefString k = view(key), v = view(value);
    EXPECT_EQ(cef_string_multimap_append(map, &k, &v), 1);
  }
  EXPECT_EQ(cef_string_multimap_size(map), 3);
  TCefString k = view(accept);
  EXPECT_EQ(cef_string_multimap_find_count(map, &k), 2);
  auto nth_accept = [&](int n, int* result = nullptr) {
    return take([&](TCefString* out) { return cef_string_multimap_enumerate(map, &k, n, out); },
                result);
  };
  EXPECT_EQ(nth_accept(0), u"text/html");
  EXPECT_EQ(nth_accept(1), u"*/*");
  int result = 1;
  EXPECT_EQ(nth_accept(2, &result), u"");
  EXPECT_EQ(result, 0);

  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(take([&](TCefString* out) { return cef_string_multimap_key(map, i, out); }),
              entries[static_cast<std::size_t>(i)].first);
    EXPECT_EQ(take([&](TCefString* out) { return cef_string_multimap_value(map, i, out); }),
              entries[static_cast<std::size_t>(i)].second);
  }
  cef_string_multimap_clear(map);
  EXPECT_EQ(cef_string_multimap_find_count(map, &k), 0);
  cef_string_multimap_free(map);
}

TEST_F(Collections, FreedHandlesAreRecordedAndAnswerZero) {
  TCefStringList list = cef_string_list_alloc();
  TCefStringMap map = cef_string_map_alloc();
  EXPECT_EQ(sim_string_live_allocations(), 2) << "a live handle is an engine allocation";
  cef_string_list_free(list);
  cef_string_map_free(map);
  EXPECT_EQ(sim_string_live_allocations(), 0);

  EXPECT_EQ(cef_string_list_size(list), 0);
  EXPECT_EQ(cef_string_map_size(map), 0);
  cef_string_list_free(list);
  EXPECT_EQ(cef_string_list_copy(list), nullptr);
  // A handle of one kind is not accepted as another.
  TCefStringMultimap other = cef_string_multimap_alloc();
  EXPECT_EQ(cef_string_list_size(other), 0);
  cef_string_multimap_free(other);
  expect_errors_then_forget(5);
}

}  // namespace
}  // namespace larkwell::enginesim::test
