// A function handler implemented by the engine (the program usually implements its own).
#pragma once

#include <string>

#include "engine/cef_api.h"

namespace larkwell::enginesim {

// Its execute answers 1 with a new reference to its first argument (a new undefined value when
// there is none) or, with a non-empty `exception_message`, fills the exception text instead.
// The result carries one reference.
TCefV8Handler* create_v8handler(std::u16string exception_message);

}  // namespace larkwell::enginesim
