// Build revision, cookie managers and plug-in information: not simulated yet.
#include "enginesim/core/neutral_exports.h"

CEF_EXPORTS_OTHER(ENGINESIM_DEFINE_NEUTRAL_EXPORT)
