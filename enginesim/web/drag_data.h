// Drag data, as the engine hands it to the program's drag handler. It does not change once
// made.
#pragma once

#include "engine/cef_api.h"
#include "enginesim/control_web.h"

namespace larkwell::enginesim::web {

// New drag data with one reference for the caller.
TCefDragData* new_drag_data(const TSimDragDataSetup& setup);

}  // namespace larkwell::enginesim::web
