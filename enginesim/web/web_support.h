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
#include "enginesim/collections.h"
#include "enginesim/engine_refs.h"

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
void append_to_list(TCefStringList list, const std::vector<std::u16string>& items,
                    const char* call);
std::vector<std::u16string> read_list(TCefStringList list, const char* call);

// One engine reference on a structure, engine object or program structure alike; released
// when the holder is reset or destroyed. Not copyable: each holder is one reference.
template <class Struct>
class Held {
 public:
  Held() = default;
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  Held(Held&& other) noexcept : structure_(std::exchange(other.structure_, nullptr)) {}
  Held& operator=(Held&& other) noexcept {
    if (this != &other) {
      reset();
      structure_ = std::exchange(other.structure_, nullptr);
    }
    return *this;
  }
  ~Held() { reset(); }

  // Takes over the reference that came with `structure` (no add_ref).
  static Held adopt(Struct* structure) {
    Held held;
    held.structure_ = structure;
    engine_adopt_ref(header(structure));
    return held;
  }
  // Adds a reference of its own.
  static Held copy(Struct* structure) {
    Held held;
    held.structure_ = structure;
    engine_add_ref(header(structure));
    return held;
  }

  void reset() {
    if (Struct* old = std::exchange(structure_, nullptr)) engine_release(header(old));
  }
  Struct* get() const noexcept { return structure_; }
  explicit operator bool() const noexcept { return structure_ != nullptr; }
  // The structure with one new reference for a receiver; null stays null. The reference
  // belongs to the receiver, so the ledger does not count it as the engine's.
  Struct* share() const {
    TCefBase* base = header(structure_);
    if (base != nullptr && base->add_ref != nullptr) base->add_ref(base);
    return structure_;
  }

 private:
  static TCefBase* header(Struct* structure) { return reinterpret_cast<TCefBase*>(structure); }

  Struct* structure_ = nullptr;
};

// Numbers and texts an object records for tests (sim_recorded_number, sim_recorded_text).
// Every key is declared when the object is made, so a test that asks for a misspelt key is
// told so instead of reading a silent 0.
class Recording {
 public:
  virtual ~Recording() = default;
  std::optional<int64_t> number(std::string_view key) const;
  std::optional<std::u16string> text(std::string_view key) const;

 protected:
  Recording(std::initializer_list<std::pair<const char*, int64_t>> numbers,
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
