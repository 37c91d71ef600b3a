// The families the stand-in does not simulate yet: each of their exports answers 0 or null and
// changes nothing. A family gets real behaviour by leaving this list for a file of its own
// with definitions of its own.
#include "enginesim/core/shield.h"
#include "enginesim/exports.h"

#define ENGINESIM_DEFINE_NEUTRAL_EXPORT(result, name, params) \
  result CEF_EXPORT_CALL name params { return ::larkwell::enginesim::neutral_answer<result>(); }

// Script extensions, custom schemes and cross-origin white-list entries.
CEF_EXPORTS_EXTENSIONS(ENGINESIM_DEFINE_NEUTRAL_EXPORT)
// Engine threads and posted tasks.
CEF_EXPORTS_TASKS(ENGINESIM_DEFINE_NEUTRAL_EXPORT)
// Parsing and composing URLs.
CEF_EXPORTS_URLS(ENGINESIM_DEFINE_NEUTRAL_EXPORT)
// Local and session storage.
CEF_EXPORTS_STORAGE(ENGINESIM_DEFINE_NEUTRAL_EXPORT)
// URL requests, XML and ZIP readers.
CEF_EXPORTS_READERS(ENGINESIM_DEFINE_NEUTRAL_EXPORT)
// Build revision, cookie managers and plug-in information.
CEF_EXPORTS_OTHER(ENGINESIM_DEFINE_NEUTRAL_EXPORT)

#undef ENGINESIM_DEFINE_NEUTRAL_EXPORT
