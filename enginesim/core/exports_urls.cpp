// Parsing and composing URLs: not simulated yet.
#include "enginesim/core/neutral_exports.h"

CEF_EXPORTS_URLS(ENGINESIM_DEFINE_NEUTRAL_EXPORT)
