// One engine reference held by an engine object on another structure.
#pragma once

#include <utility>

#include "engine/cef_api.h"
#include "enginesim/core/engine_refs.h"

namespace larkwell::enginesim {

// `structure` with a new reference for a receiver, which takes it over; null stays null. The
// reference is the receiver's, so the ledger does not count it as held by the engine.
template <class Struct>
Struct* pass_ref(Struct* structure) {
  auto* base = reinterpret_cast<TCefBase*>(structure);
  if (base != nullptr && base->add_ref != nullptr) base->add_ref(base);
  return structure;
}

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
    engine_adopt_ref(header(structure));
    return Held(structure);
  }
  // Adds a reference of its own.
  static Held copy(Struct* structure) {
    engine_add_ref(header(structure));
    return Held(structure);
  }

  void reset() {
    if (Struct* old = std::exchange(structure_, nullptr)) engine_release(header(old));
  }
  Struct* get() const noexcept { return structure_; }
  explicit operator bool() const noexcept { return structure_ != nullptr; }
  // The structure with one new reference for a receiver, as pass_ref gives it.
  Struct* share() const { return pass_ref(structure_); }

 private:
  explicit Held(Struct* structure) : structure_(structure) {}
  static TCefBase* header(Struct* structure) { return reinterpret_cast<TCefBase*>(structure); }

  Struct* structure_ = nullptr;
};

}  // namespace larkwell::enginesim
