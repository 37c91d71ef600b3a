// Browser creation.
#include "enginesim/exports.h"
#include "enginesim/process/process.h"
#include "enginesim/shield.h"
#include "enginesim/web/browser.h"

using namespace larkwell::enginesim;

// Creation in the background is not simulated: the engine takes the client's reference over and
// lets it go again, and answers failure.
int CEF_EXPORT_CALL cef_browser_create(TCefWindowInfo*, TCefClient* client, const TCefString*,
                                       const TCefBrowserSettings*) {
  return shielded<int>(__func__, [&] {
    Held<TCefClient> taken_over = Held<TCefClient>::adopt(client);
    return 0;
  });
}

TCefBrowser* CEF_EXPORT_CALL cef_browser_create_sync(TCefWindowInfo* window_info, TCefClient* client,
                                                     const TCefString* url, const TCefBrowserSettings* settings) {
  return shielded<TCefBrowser*>(__func__, [&](const char* call) {
    return process::current().create_browser({SIM_CREATED_SYNC, window_info, url, settings}, client, call);
  });
}
