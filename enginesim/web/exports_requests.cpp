// Requests, post data and post data elements: not simulated yet.
#include "enginesim/neutral_exports.h"

CEF_EXPORTS_REQUESTS(ENGINESIM_DEFINE_NEUTRAL_EXPORT)
