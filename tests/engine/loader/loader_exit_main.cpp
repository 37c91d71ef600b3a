// The binding's finalisation at a real process exit: the program returns from main with the
// engine loaded. The stand-in, unloaded after the program's static objects are gone, writes
// how often it was initialised and shut down and whether its ledger was clean once shutdown
// had released everything; ctest matches that line (see CMakeLists.txt).
#include <cstdio>

#include "engine/cef_base.h"
#include "engine/handlers_own.h"
#include "engine/loader.h"
#include "enginesim/control_process.h"

int main() {
  using namespace larkwell;
  sim_process_report_at_exit(1);
  CefCachePath = u"cache";
  try {
    auto client = New<TCefClientOwn>();
    TCefWindowInfo windowInfo{};
    TCefBrowserSettings browserSettings{};
    if (!CefBrowserCreateSync(&windowInfo, CefWrap<TCefClient>(client), u"", &browserSettings)) return 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "loading the engine failed: %s\n", error.what());
    return 1;
  }
  return 0;
}
