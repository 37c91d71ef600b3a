// URL requests, XML and ZIP readers: not simulated yet.
#include "enginesim/core/neutral_exports.h"

CEF_EXPORTS_READERS(ENGINESIM_DEFINE_NEUTRAL_EXPORT)
