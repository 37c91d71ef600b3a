// Local and session storage: not simulated yet.
#include "enginesim/core/neutral_exports.h"

CEF_EXPORTS_STORAGE(ENGINESIM_DEFINE_NEUTRAL_EXPORT)
