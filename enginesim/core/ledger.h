// The reference ledger: what the engine owns, what it holds of the program's, what went wrong.
//
// Three registries share one mutex and one notion of "this test": sim_ledger_reset() starts a
// new epoch, after which anything left over from before (live objects, held references,
// unfreed allocations) is no longer counted, so one leaking test does not fail the next ones.
//   - engine objects: every SimObject, keyed by its structure address. A destroyed object's
//     structure stays allocated (quarantined) until the reset, so a late call through it lands
//     in the stand-in and is recorded instead of touching freed memory;
//   - program structures the engine holds references on;
//   - engine allocations handed to the program: string texts, userfree records, lists, maps.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/cef_api.h"

namespace larkwell::enginesim {

class SimObject;

enum class Allocation { text, userfree_record, string_list, string_map, string_multimap };

class Ledger {
 public:
  Ledger() = default;
  Ledger(const Ledger&) = delete;
  Ledger& operator=(const Ledger&) = delete;

  // --- engine objects
  void register_object(SimObject& object);
  // The object is being destroyed: its structure moves to quarantine.
  void retire_object(SimObject& object);
  // The object's construction failed before anyone saw its structure: drop it entirely.
  void forget_object(const SimObject& object);
  // The live object behind `structure`; null (and an error naming `call`) when it was
  // destroyed or was never an engine structure.
  SimObject* find_object(const void* structure, const char* call);
  bool is_engine_structure(const void* structure);

  // --- program structures held by the engine
  void note_program_hold(const TCefBase* structure);
  // False (and an error) when the engine holds no reference on `structure`.
  bool note_program_release(const TCefBase* structure);

  // --- engine allocations
  void track_allocation(const void* address, Allocation kind);
  // False (and an error naming `call`) when `address` is not a live allocation of `kind`.
  bool untrack_allocation(const void* address, Allocation kind, const char* call);
  bool is_live_allocation(const void* address, Allocation kind, const char* call);

  // --- results
  void record_error(std::string text);
  int live_objects();
  int held_program_refs();
  int error_count();
  int live_allocations();
  std::string report();
  void reset();

 private:
  struct ObjectEntry {
    SimObject* object;  // null once destroyed
    const char* kind;
    unsigned epoch;
    std::unique_ptr<std::byte[]> quarantined_block;
  };
  struct ProgramHold {
    int held = 0;       // references taken in this epoch
    int abandoned = 0;  // references left over from earlier epochs
  };
  struct AllocationEntry {
    Allocation kind;
    unsigned epoch;
  };

  void record_error_locked(std::string text);
  bool check_allocation_locked(const void* address, Allocation kind, const char* call);
  // What this epoch counts as outstanding.
  bool outstanding(const ObjectEntry& entry) const { return entry.object != nullptr && entry.epoch == epoch_; }
  bool outstanding(const AllocationEntry& entry) const { return entry.epoch == epoch_; }

  std::mutex mutex_;
  unsigned epoch_ = 0;
  std::unordered_map<const void*, ObjectEntry> objects_;
  std::unordered_map<const TCefBase*, ProgramHold> program_holds_;
  std::unordered_map<const void*, AllocationEntry> allocations_;
  std::vector<std::string> errors_;
  int error_count_ = 0;
};

// The process-wide ledger. Never destroyed, so engine calls during process exit still find it.
Ledger& ledger();

}  // namespace larkwell::enginesim
