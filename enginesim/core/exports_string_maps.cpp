// Engine string maps (one value per key) and multimaps (any number of values per key).
#include <algorithm>
#include <type_traits>

#include "enginesim/core/collections.h"
#include "enginesim/core/shield.h"
#include "enginesim/exports.h"

using namespace larkwell::enginesim;

namespace {

auto has_key(const TCefString* key) {
  return [wanted = std::u16string_view(text_of(key))](const KeyValue& item) { return item.first == wanted; };
}

// Appends a copy of key and value; a map refuses a key it already has.
template <class C>
int append_pair(void* handle, const TCefString* key, const TCefString* value, const char* call) {
  C* map = collection_of<C>(handle, call);
  if (map == nullptr || key == nullptr || value == nullptr) return 0;
  if constexpr (std::is_same_v<C, StringMap>) {
    if (std::any_of(map->items.begin(), map->items.end(), has_key(key))) return 0;
  }
  map->items.emplace_back(text_copy(key), text_copy(value));
  return 1;
}

}  // namespace

// --- maps

TCefStringMap CEF_EXPORT_CALL cef_string_map_alloc(void) {
  return shielded<TCefStringMap>(__func__, [] { return static_cast<TCefStringMap>(alloc_collection<StringMap>()); });
}

int CEF_EXPORT_CALL cef_string_map_size(TCefStringMap map) {
  return shielded<int>(__func__, [&](const char* call) { return collection_size<StringMap>(map, call); });
}

int CEF_EXPORT_CALL cef_string_map_find(TCefStringMap map, const TCefString* key, TCefString* value) {
  return shielded<int>(__func__, [&](const char* call) {
    StringMap* source = collection_of<StringMap>(map, call);
    if (source == nullptr || key == nullptr || value == nullptr) return 0;
    auto found = std::find_if(source->items.begin(), source->items.end(), has_key(key));
    if (found == source->items.end()) return 0;
    assign_copy(value, std::u16string_view(found->second));
    return 1;
  });
}

int CEF_EXPORT_CALL cef_string_map_key(TCefStringMap map, int index, TCefString* key) {
  return shielded<int>(__func__,
                       [&](const char* call) { return copy_item_out<StringMap>(map, index, key, key_of, call); });
}

int CEF_EXPORT_CALL cef_string_map_value(TCefStringMap map, int index, TCefString* value) {
  return shielded<int>(__func__,
                       [&](const char* call) { return copy_item_out<StringMap>(map, index, value, value_of, call); });
}

int CEF_EXPORT_CALL cef_string_map_append(TCefStringMap map, const TCefString* key, const TCefString* value) {
  return shielded<int>(__func__, [&](const char* call) { return append_pair<StringMap>(map, key, value, call); });
}

void CEF_EXPORT_CALL cef_string_map_clear(TCefStringMap map) {
  shielded<void>(__func__, [&](const char* call) { clear_collection<StringMap>(map, call); });
}

void CEF_EXPORT_CALL cef_string_map_free(TCefStringMap map) {
  shielded<void>(__func__, [&](const char* call) { free_collection<StringMap>(map, call); });
}

// --- multimaps

TCefStringMultimap CEF_EXPORT_CALL cef_string_multimap_alloc(void) {
  return shielded<TCefStringMultimap>(
      __func__, [] { return static_cast<TCefStringMultimap>(alloc_collection<StringMultimap>()); });
}

int CEF_EXPORT_CALL cef_string_multimap_size(TCefStringMultimap map) {
  return shielded<int>(__func__, [&](const char* call) { return collection_size<StringMultimap>(map, call); });
}

int CEF_EXPORT_CALL cef_string_multimap_find_count(TCefStringMultimap map, const TCefString* key) {
  return shielded<int>(__func__, [&](const char* call) {
    StringMultimap* source = collection_of<StringMultimap>(map, call);
    if (source == nullptr || key == nullptr) return 0;
    return static_cast<int>(std::count_if(source->items.begin(), source->items.end(), has_key(key)));
  });
}

int CEF_EXPORT_CALL cef_string_multimap_enumerate(TCefStringMultimap map, const TCefString* key, int value_index,
                                                  TCefString* value) {
  return shielded<int>(__func__, [&](const char* call) {
    StringMultimap* source = collection_of<StringMultimap>(map, call);
    if (source == nullptr || key == nullptr || value == nullptr || value_index < 0) return 0;
    int remaining = value_index;
    for (const KeyValue& item : source->items) {
      if (!has_key(key)(item) || remaining-- != 0) continue;
      assign_copy(value, std::u16string_view(item.second));
      return 1;
    }
    return 0;
  });
}

int CEF_EXPORT_CALL cef_string_multimap_key(TCefStringMultimap map, int index, TCefString* key) {
  return shielded<int>(__func__,
                       [&](const char* call) { return copy_item_out<StringMultimap>(map, index, key, key_of, call); });
}

int CEF_EXPORT_CALL cef_string_multimap_value(TCefStringMultimap map, int index, TCefString* value) {
  return shielded<int>(
      __func__, [&](const char* call) { return copy_item_out<StringMultimap>(map, index, value, value_of, call); });
}

int CEF_EXPORT_CALL cef_string_multimap_append(TCefStringMultimap map, const TCefString* key, const TCefString* value) {
  return shielded<int>(__func__, [&](const char* call) { return append_pair<StringMultimap>(map, key, value, call); });
}

void CEF_EXPORT_CALL cef_string_multimap_clear(TCefStringMultimap map) {
  shielded<void>(__func__, [&](const char* call) { clear_collection<StringMultimap>(map, call); });
}

void CEF_EXPORT_CALL cef_string_multimap_free(TCefStringMultimap map) {
  shielded<void>(__func__, [&](const char* call) { free_collection<StringMultimap>(map, call); });
}
