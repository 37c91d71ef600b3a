// The engine's side of its string records: engine-allocated texts and the record operations
// shared by the wide, UTF-8 and UTF-16 families.
//
// An engine-allocated text has one unit more than its length, a terminating zero, so a
// program that reads it as a C string still stops. Every such text is registered with the
// ledger until its dtor (free_text) runs; freeing it twice is recorded, not performed.
#pragma once

#include <cstddef>
#include <string_view>
#include <type_traits>

#include "engine/cef_api.h"

namespace larkwell::enginesim {

template <class Record>
using unit_of = std::remove_pointer_t<decltype(Record::str)>;

// A copy of src owned by the engine, freed by free_text.
template <class Unit>
Unit* allocate_text(const Unit* src, std::size_t len);

// The dtor the engine stores in every record that owns an engine-allocated text.
template <class Unit>
void CEF_EXPORT_CALL free_text(Unit* text) noexcept;

// The record's text; empty for a null record or a null str.
template <class Record>
std::basic_string_view<unit_of<Record>> text_of(const Record* record) {
  if (record == nullptr || record->str == nullptr) return {};
  return {record->str, record->length};
}

// Frees the record's text through its dtor (when it owns one) and empties the record.
template <class Record>
void clear_record(Record* record) noexcept {
  if (record == nullptr) return;
  if (record->dtor != nullptr && record->str != nullptr) record->dtor(record->str);
  *record = Record{};
}

// Replaces the record's content by an engine-owned copy of src. An empty text allocates
// nothing and leaves the record all zero. The copy is made before the old content is freed,
// so src may be the record's own text.
template <class Record>
void assign_copy(Record* record, const unit_of<Record>* src, std::size_t len) {
  unit_of<Record>* copy = len != 0 ? allocate_text(src, len) : nullptr;
  clear_record(record);
  if (copy == nullptr) return;
  record->str = copy;
  record->length = len;
  record->dtor = &free_text<unit_of<Record>>;
}

template <class Record>
void assign_copy(Record* record, std::basic_string_view<unit_of<Record>> text) {
  assign_copy(record, text.data(), text.size());
}

// Makes the record borrow src (null dtor) after freeing its old content.
template <class Record>
void assign_borrowed(Record* record, const unit_of<Record>* src, std::size_t len) {
  clear_record(record);
  record->str = const_cast<unit_of<Record>*>(src);
  record->length = len;
}

// Compares code unit by code unit, as unsigned values; a null record counts as empty.
template <class Record>
int compare_records(const Record* left, const Record* right) {
  const auto a = text_of(left);
  const auto b = text_of(right);
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    using Unsigned = std::make_unsigned_t<unit_of<Record>>;
    const auto x = static_cast<Unsigned>(a[i]);
    const auto y = static_cast<Unsigned>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace larkwell::enginesim
