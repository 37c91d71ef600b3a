// Script values and contexts: not simulated yet.
#include "enginesim/neutral_exports.h"

CEF_EXPORTS_SCRIPT(ENGINESIM_DEFINE_NEUTRAL_EXPORT)
