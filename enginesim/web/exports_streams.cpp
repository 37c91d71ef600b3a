// Stream readers and writers: not simulated yet.
#include "enginesim/neutral_exports.h"

CEF_EXPORTS_STREAMS(ENGINESIM_DEFINE_NEUTRAL_EXPORT)
