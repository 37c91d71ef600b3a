// What every web object of the stand-in shares: text results, held references, the program's
// string collections, and the records tests read back through the control API.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/cef_api.h"
#include "enginesim/core/collections.h"
#include "enginesim/core/engine_refs.h"
#include "enginesim/core/held.h"

namespace larkwell::enginesim::web {

// A text result: a userfree record the caller frees, holding an engine copy of `text`.
PCefStringUserFree userfree_text(std::u16string_view text);

// UTF-8 (or null) as UTF-16.
std::u16string from_utf8(const char* text);

// The key/value pairs of a program's multimap, in order (none for a null or freed handle).
std::vector<KeyValue> read_multimap(TCefStringMultimap map, const char* call);
// Makes the program's multimap hold exactly `pairs`.
void fill_multimap(TCefStringMultimap map, const std::vector<KeyValue>& pairs, const char* call);
// Appends `items` to the program's list, keeping what it holds.
void append_to_list(TCefStringList list, const std::vector<std::u16string>& items, const char* call);
std::vector<std::u16string> read_list(TCefStringList list, const char* call);

// The value under `key` in a map by name; nothing when there is none.
template <class Map>
std::optional<typename Map::mapped_type> value_at(const Map& map, std::string_view key) {
  const auto found = map.find(key);
  if (found == map.end()) return std::nullopt;
  return found->second;
}

// Numbers and texts an object records for tests (sim_recorded_number, sim_recorded_text).
// Every key is declared when the object is made, so a test that asks for a misspelt key is
// told so instead of reading a silent 0.
class Recording {
 public:
  virtual ~Recording() = default;
  std::optional<int64_t> number(std::string_view key) const;
  std::optional<std::u16string> text(std::string_view key) const;

 protected:
  // Declares every key: numbers that start at 0, numbers that start elsewhere, and texts (empty).
  Recording(std::initializer_list<const char*> zeros, std::initializer_list<std::pair<const char*, int64_t>> numbers,
            std::initializer_list<const char*> texts);
  void tally(std::string_view key) { add(key, 1); }
  void add(std::string_view key, int64_t amount);
  void record(std::string_view key, int64_t value);
  void record(std::string_view key, std::u16string value);

 private:
  mutable std::mutex mutex_;
  std::map<std::string, int64_t, std::less<>> numbers_;
  std::map<std::string, std::u16string, std::less<>> texts_;
};

}  // namespace larkwell::enginesim::web
