#include "enginesim/web/web_support.h"

#include "enginesim/core/string_records.h"
#include "enginesim/core/unicode.h"
#include "enginesim/exports.h"

namespace larkwell::enginesim::web {

PCefStringUserFree userfree_text(std::u16string_view text) {
  PCefStringUserFree result = cef_string_userfree_utf16_alloc();
  assign_copy(result, text);
  return result;
}

std::u16string from_utf8(const char* text) { return text != nullptr ? utf16_of(text) : std::u16string(); }

std::vector<KeyValue> read_multimap(TCefStringMultimap map, const char* call) {
  const StringMultimap* source = collection_of<StringMultimap>(map, call);
  return source != nullptr ? source->items : std::vector<KeyValue>{};
}

void fill_multimap(TCefStringMultimap map, const std::vector<KeyValue>& pairs, const char* call) {
  if (StringMultimap* target = collection_of<StringMultimap>(map, call)) target->items = pairs;
}

void append_to_list(TCefStringList list, const std::vector<std::u16string>& items, const char* call) {
  if (StringList* target = collection_of<StringList>(list, call)) {
    target->items.insert(target->items.end(), items.begin(), items.end());
  }
}

std::vector<std::u16string> read_list(TCefStringList list, const char* call) {
  const StringList* source = collection_of<StringList>(list, call);
  return source != nullptr ? source->items : std::vector<std::u16string>{};
}

// --- Recording

Recording::Recording(std::initializer_list<const char*> zeros,
                     std::initializer_list<std::pair<const char*, int64_t>> numbers,
                     std::initializer_list<const char*> texts) {
  for (const char* key : zeros) numbers_.emplace(key, 0);
  for (const auto& [key, initial] : numbers) numbers_.emplace(key, initial);
  for (const char* key : texts) texts_.emplace(key, std::u16string());
}

namespace {

template <class Map>
auto* find_key(Map& map, std::string_view key) {
  auto found = map.find(key);
  if (found != map.end()) return &found->second;
  ledger().record_error("the stand-in recorded under an undeclared key '" + std::string(key) + "'");
  return static_cast<decltype(&found->second)>(nullptr);
}

}  // namespace

std::optional<int64_t> Recording::number(std::string_view key) const {
  std::scoped_lock lock(mutex_);
  return value_at(numbers_, key);
}

std::optional<std::u16string> Recording::text(std::string_view key) const {
  std::scoped_lock lock(mutex_);
  return value_at(texts_, key);
}

void Recording::add(std::string_view key, int64_t amount) {
  std::scoped_lock lock(mutex_);
  if (int64_t* value = find_key(numbers_, key)) *value += amount;
}

void Recording::record(std::string_view key, int64_t value) {
  std::scoped_lock lock(mutex_);
  if (int64_t* slot = find_key(numbers_, key)) *slot = value;
}

void Recording::record(std::string_view key, std::u16string value) {
  std::scoped_lock lock(mutex_);
  if (std::u16string* slot = find_key(texts_, key)) *slot = std::move(value);
}

}  // namespace larkwell::enginesim::web
