// The string family: set, clear, compare and convert in the wide, UTF-8 and UTF-16
// encodings, and userfree records.
//
// Every function writing a record first frees what the record owned (through its dtor), then
// leaves an engine-owned copy with the engine's dtor; a conversion that met invalid input
// still fills the record (with U+FFFD in place of the bad units) but answers 0. A null record
// or a null text with a non-zero length answers 0 and changes nothing.
#include <memory>
#include <string>

#include "enginesim/core/ledger.h"
#include "enginesim/core/shield.h"
#include "enginesim/core/string_records.h"
#include "enginesim/core/unicode.h"
#include "enginesim/exports.h"

namespace larkwell::enginesim {
namespace {

template <class Unit>
bool readable(const Unit* src, std::size_t len) {
  return src != nullptr || len == 0;
}

// copy 1: the record gets an engine-owned copy; copy 0: it borrows src.
template <class Record>
int set_string(const unit_of<Record>* src, std::size_t len, Record* output, int copy) {
  if (output == nullptr || !readable(src, len)) return 0;
  if (copy != 0) {
    assign_copy(output, src, len);
  } else {
    assign_borrowed(output, src, len);
  }
  return 1;
}

// The record gets what `convert` makes of src, also when it had to replace invalid input.
template <class Record, class From>
int convert_string(const From* src, std::size_t len, Record* output,
                   bool (*convert)(const From*, std::size_t, std::basic_string<unit_of<Record>>&) = transcode) {
  if (output == nullptr || !readable(src, len)) return 0;
  std::basic_string<unit_of<Record>> converted;
  const bool clean = convert(src, len, converted);
  assign_copy(output, converted.data(), converted.size());
  return clean ? 1 : 0;
}

// A zeroed record allocated by the engine.
template <class Record>
Record* userfree_alloc() {
  auto record = std::make_unique<Record>();
  ledger().track_allocation(record.get(), Allocation::userfree_record);
  return record.release();
}

// Frees the record's text, then the record.
template <class Record>
void userfree_free(Record* record) {
  if (record == nullptr) return;
  if (!ledger().untrack_allocation(record, Allocation::userfree_record, "userfree free")) return;
  clear_record(record);
  delete record;
}

}  // namespace
}  // namespace larkwell::enginesim

using namespace larkwell::enginesim;

int CEF_EXPORT_CALL cef_string_wide_set(const wchar_t* src, size_t src_len, TCefStringWide* output, int copy) {
  return shielded<int>(__func__, [&] { return set_string(src, src_len, output, copy); });
}
int CEF_EXPORT_CALL cef_string_utf8_set(const char* src, size_t src_len, TCefStringUtf8* output, int copy) {
  return shielded<int>(__func__, [&] { return set_string(src, src_len, output, copy); });
}
int CEF_EXPORT_CALL cef_string_utf16_set(const char16_t* src, size_t src_len, TCefStringUtf16* output, int copy) {
  return shielded<int>(__func__, [&] { return set_string(src, src_len, output, copy); });
}

void CEF_EXPORT_CALL cef_string_wide_clear(TCefStringWide* str) { clear_record(str); }
void CEF_EXPORT_CALL cef_string_utf8_clear(TCefStringUtf8* str) { clear_record(str); }
void CEF_EXPORT_CALL cef_string_utf16_clear(TCefStringUtf16* str) { clear_record(str); }

int CEF_EXPORT_CALL cef_string_wide_cmp(const TCefStringWide* str1, const TCefStringWide* str2) {
  return compare_records(str1, str2);
}
int CEF_EXPORT_CALL cef_string_utf8_cmp(const TCefStringUtf8* str1, const TCefStringUtf8* str2) {
  return compare_records(str1, str2);
}
int CEF_EXPORT_CALL cef_string_utf16_cmp(const TCefStringUtf16* str1, const TCefStringUtf16* str2) {
  return compare_records(str1, str2);
}

int CEF_EXPORT_CALL cef_string_wide_to_utf8(const wchar_t* src, size_t src_len, TCefStringUtf8* output) {
  return shielded<int>(__func__, [&] { return convert_string(src, src_len, output); });
}
int CEF_EXPORT_CALL cef_string_utf8_to_wide(const char* src, size_t src_len, TCefStringWide* output) {
  return shielded<int>(__func__, [&] { return convert_string(src, src_len, output); });
}
int CEF_EXPORT_CALL cef_string_wide_to_utf16(const wchar_t* src, size_t src_len, TCefStringUtf16* output) {
  return shielded<int>(__func__, [&] { return convert_string(src, src_len, output); });
}
int CEF_EXPORT_CALL cef_string_utf16_to_wide(const char16_t* src, size_t src_len, TCefStringWide* output) {
  return shielded<int>(__func__, [&] { return convert_string(src, src_len, output); });
}
int CEF_EXPORT_CALL cef_string_utf8_to_utf16(const char* src, size_t src_len, TCefStringUtf16* output) {
  return shielded<int>(__func__, [&] { return convert_string(src, src_len, output); });
}
int CEF_EXPORT_CALL cef_string_utf16_to_utf8(const char16_t* src, size_t src_len, TCefStringUtf8* output) {
  return shielded<int>(__func__, [&] { return convert_string(src, src_len, output); });
}

int CEF_EXPORT_CALL cef_string_ascii_to_wide(const char* src, size_t src_len, TCefStringWide* output) {
  return shielded<int>(__func__, [&] { return convert_string(src, src_len, output, widen_ascii); });
}
int CEF_EXPORT_CALL cef_string_ascii_to_utf16(const char* src, size_t src_len, TCefStringUtf16* output) {
  return shielded<int>(__func__, [&] { return convert_string(src, src_len, output, widen_ascii); });
}

PCefStringUserFreeWide CEF_EXPORT_CALL cef_string_userfree_wide_alloc(void) {
  return shielded<PCefStringUserFreeWide>(__func__, userfree_alloc<TCefStringWide>);
}
PCefStringUserFreeUtf8 CEF_EXPORT_CALL cef_string_userfree_utf8_alloc(void) {
  return shielded<PCefStringUserFreeUtf8>(__func__, userfree_alloc<TCefStringUtf8>);
}
PCefStringUserFreeUtf16 CEF_EXPORT_CALL cef_string_userfree_utf16_alloc(void) {
  return shielded<PCefStringUserFreeUtf16>(__func__, userfree_alloc<TCefStringUtf16>);
}

void CEF_EXPORT_CALL cef_string_userfree_wide_free(PCefStringUserFreeWide str) {
  shielded<void>(__func__, [&] { userfree_free(str); });
}
void CEF_EXPORT_CALL cef_string_userfree_utf8_free(PCefStringUserFreeUtf8 str) {
  shielded<void>(__func__, [&] { userfree_free(str); });
}
void CEF_EXPORT_CALL cef_string_userfree_utf16_free(PCefStringUserFreeUtf16 str) {
  shielded<void>(__func__, [&] { userfree_free(str); });
}
