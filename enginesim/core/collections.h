// The engine's string collections: lists, maps and multimaps behind opaque handles.
//
// Items are copied in and out as engine-owned texts; the program never sees the collection's
// own storage. Each handle is registered with the ledger from alloc to free, so a call with a
// freed handle is recorded and answered with 0 instead of touching freed memory. A null handle
// or record answers 0 and changes nothing. Maps and multimaps keep their entries in insertion
// order; a map refuses a second entry with the same key.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/cef_api.h"
#include "enginesim/core/ledger.h"
#include "enginesim/core/string_records.h"

namespace larkwell::enginesim {

template <Allocation Kind, class Item>
struct Collection {
  static constexpr Allocation kind = Kind;
  std::vector<Item> items;
};

using KeyValue = std::pair<std::u16string, std::u16string>;
using StringList = Collection<Allocation::string_list, std::u16string>;
using StringMap = Collection<Allocation::string_map, KeyValue>;
using StringMultimap = Collection<Allocation::string_multimap, KeyValue>;

inline std::u16string text_copy(const TCefString* record) { return std::u16string(text_of(record)); }

// A new collection (a copy of `source` when given), registered until free_collection.
template <class C>
void* alloc_collection(const C* source = nullptr) {
  auto collection = source != nullptr ? std::make_unique<C>(*source) : std::make_unique<C>();
  ledger().track_allocation(collection.get(), C::kind);
  return collection.release();
}

// The live collection behind `handle`; null for a null handle or (recorded) a freed one.
template <class C>
C* collection_of(void* handle, const char* call) {
  if (handle == nullptr || !ledger().is_live_allocation(handle, C::kind, call)) return nullptr;
  return static_cast<C*>(handle);
}

template <class C>
void free_collection(void* handle, const char* call) {
  if (handle == nullptr || !ledger().untrack_allocation(handle, C::kind, call)) return;
  delete static_cast<C*>(handle);
}

template <class C>
int collection_size(void* handle, const char* call) {
  C* collection = collection_of<C>(handle, call);
  return collection != nullptr ? static_cast<int>(collection->items.size()) : 0;
}

template <class C>
void clear_collection(void* handle, const char* call) {
  if (C* collection = collection_of<C>(handle, call)) collection->items.clear();
}

// Copies the text `pick` chooses from item `index` into `out`; 1 when the index is in range.
template <class C, class Pick>
int copy_item_out(void* handle, int index, TCefString* out, Pick pick, const char* call) {
  C* collection = collection_of<C>(handle, call);
  if (collection == nullptr || out == nullptr || index < 0 ||
      static_cast<std::size_t>(index) >= collection->items.size()) {
    return 0;
  }
  assign_copy(out, std::u16string_view(pick(collection->items[static_cast<std::size_t>(index)])));
  return 1;
}

inline const std::u16string& key_of(const KeyValue& item) { return item.first; }
inline const std::u16string& value_of(const KeyValue& item) { return item.second; }

}  // namespace larkwell::enginesim
