#include "enginesim/core/string_records.h"

#include <algorithm>
#include <memory>

#include "enginesim/core/ledger.h"
#include "enginesim/core/shield.h"

namespace larkwell::enginesim {

template <class Unit>
Unit* allocate_text(const Unit* src, std::size_t len) {
  std::unique_ptr<Unit[]> text(new Unit[len + 1]);
  std::copy_n(src, len, text.get());
  text[len] = Unit{};
  ledger().track_allocation(text.get(), Allocation::text);
  return text.release();
}

template <class Unit>
void CEF_EXPORT_CALL free_text(Unit* text) noexcept {
  shielded<void>("string dtor", [text] {
    if (text != nullptr && ledger().untrack_allocation(text, Allocation::text, "string dtor")) {
      delete[] text;
    }
  });
}

// The three unit types of the engine's records.
template char* allocate_text(const char*, std::size_t);
template wchar_t* allocate_text(const wchar_t*, std::size_t);
template char16_t* allocate_text(const char16_t*, std::size_t);
template void CEF_EXPORT_CALL free_text(char*) noexcept;
template void CEF_EXPORT_CALL free_text(wchar_t*) noexcept;
template void CEF_EXPORT_CALL free_text(char16_t*) noexcept;

}  // namespace larkwell::enginesim
