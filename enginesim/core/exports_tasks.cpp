// Engine threads and posted tasks: not simulated yet.
#include "enginesim/core/neutral_exports.h"

CEF_EXPORTS_TASKS(ENGINESIM_DEFINE_NEUTRAL_EXPORT)
