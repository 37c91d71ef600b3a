// What the engine saw when the program called script functions and when the engine called the
// program's accessors: the last call of each kind, for the test-control API.
#pragma once

#include <cstdint>

#include "enginesim/control_script.h"

namespace larkwell::enginesim {

// Stores `call` as the last of kind `which` (SIM_V8_FUNCTION_CALL or SIM_V8_HANDLER_CALL),
// numbering it.
void note_v8_call(int32_t which, TSimV8Call call);
// False before the first call of that kind.
bool last_v8_call(int32_t which, TSimV8Call& out);

void note_accessor_call(TSimV8AccessorCall call);
bool last_accessor_call(TSimV8AccessorCall& out);

}  // namespace larkwell::enginesim
