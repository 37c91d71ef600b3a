// The members of program structures the engine can be made to call (slot_table.cpp).
#pragma once

#include <cstddef>

#include "enginesim/firing/firing_record.h"

namespace larkwell::enginesim::firing {

struct Slot {
  const char* name;  // "<structure>.<member>", e.g. "load_handler.on_load_error"
  void (*fire)(void* structure, Record& record, const char* name);
  bool (*present)(const void* structure);
  std::size_t structure_size;
};

// The member called `name`; null for none.
const Slot* find_slot(const char* name);
// The index-th member, in structure order; null past the last.
const Slot* slot_at(int index);

// Calls member `name` of `structure` as `record` describes and completes the record. An
// unknown name, a null structure or one of another size is a ledger error, and nothing is
// called.
void fire(void* structure, const char* name, Record& record);

}  // namespace larkwell::enginesim::firing
