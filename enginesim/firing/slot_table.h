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

// Calls member `name` of the handler `client` gives for it, as the engine notifies a handler:
// it asks the client's getter for that handler ("load_handler.on_load_end": get_load_handler),
// calls, and releases the handler afterwards. A member of the client itself is called
// directly. No handler: nothing is called and the record says SIM_FIRE_EMPTY_SLOT. A member
// of a structure no client gives is a ledger error.
void fire_through_client(TCefClient* client, const char* name, Record& record);
// Whether fire_through_client can reach member `name` from a client.
bool reachable_from_client(const char* name);

}  // namespace larkwell::enginesim::firing
