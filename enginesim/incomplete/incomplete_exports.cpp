// A stand-in engine of the wrong version: it lacks the last export of the engine,
// cef_get_web_plugin_info_byname, so the binding must refuse it. Every other export answers
// 0 or nothing and counts the call, so a test can show that nothing ever reached it.
#include <atomic>

#include "enginesim/core/shield.h"
#include "enginesim/exports.h"

namespace {
std::atomic<int> calls{0};
}  // namespace

// Renamed before the export list expands: the definition it gets is an ordinary function of
// another name, without the export declaration, so the library's export table lacks exactly
// this entry point.
#define cef_get_web_plugin_info_byname incomplete_lacks_cef_get_web_plugin_info_byname

#define INCOMPLETE_DEFINE_EXPORT(result, name, params)      \
  extern "C" result CEF_EXPORT_CALL name params {           \
    calls.fetch_add(1);                                     \
    return ::larkwell::enginesim::neutral_answer<result>(); \
  }
CEF_EXPORTS(INCOMPLETE_DEFINE_EXPORT)
#undef INCOMPLETE_DEFINE_EXPORT
#undef cef_get_web_plugin_info_byname

// How many calls reached the exports above.
extern "C" CEF_DLL_EXPORT int CEF_EXPORT_CALL sim_incomplete_calls(void) { return calls.load(); }
