// The engine taking and dropping references on any structure, its own or the program's.
//
// References on program structures go through the ledger, which counts what the engine holds
// and refuses (recording an error) a release of something the engine does not hold. A program
// structure whose header lacks add_ref or release is not counted.
#pragma once

#include <cstdint>

#include "engine/cef_api.h"

namespace larkwell::enginesim {

// Adds a reference through the structure's add_ref; returns its result (0 for null).
int32_t engine_add_ref(TCefBase* structure);
// Takes over the reference that came with the structure; returns its get_refct.
int32_t engine_adopt_ref(TCefBase* structure);
// Releases one reference through the structure's release; returns its result (0 for null).
int32_t engine_release(TCefBase* structure);
// The structure's get_refct (0 for null, or a header without one).
int32_t refct_of(TCefBase* structure);

}  // namespace larkwell::enginesim
