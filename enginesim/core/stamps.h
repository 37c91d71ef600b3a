// Moments for the start-up and at-rest benchmarks, written where another process can read them
// (ENGINESIM_TIMESTAMPS, see control_process.h).
#pragma once

#include <string>

namespace larkwell::enginesim {

// Appends "<time> <event>[ <detail>]" to the file ENGINESIM_TIMESTAMPS names; nothing when it
// is not set. <time> is read first, so opening the file is not part of the moment.
void stamp_moment(const char* event, const std::u16string& detail = {}) noexcept;

}  // namespace larkwell::enginesim
