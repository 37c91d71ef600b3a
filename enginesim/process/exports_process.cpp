// Process functions: initialise, shut down and run the message loop: not simulated yet.
#include "enginesim/neutral_exports.h"

CEF_EXPORTS_PROCESS(ENGINESIM_DEFINE_NEUTRAL_EXPORT)
