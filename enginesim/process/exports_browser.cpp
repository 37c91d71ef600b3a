// Browser creation: not simulated yet.
#include "enginesim/neutral_exports.h"

CEF_EXPORTS_BROWSER(ENGINESIM_DEFINE_NEUTRAL_EXPORT)
