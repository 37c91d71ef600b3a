// Script extensions, custom schemes and cross-origin white-list entries: not simulated yet.
#include "enginesim/core/neutral_exports.h"

CEF_EXPORTS_EXTENSIONS(ENGINESIM_DEFINE_NEUTRAL_EXPORT)
