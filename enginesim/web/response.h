// Responses, as the engine hands them to the program's handlers.
#pragma once

#include <string>
#include <vector>

#include "engine/cef_api.h"
#include "enginesim/core/collections.h"

namespace larkwell::enginesim::web {

// A new response with one reference for the caller.
TCefResponse* new_response(int status, std::u16string status_text, std::u16string mime_type,
                           std::vector<KeyValue> headers);

}  // namespace larkwell::enginesim::web
