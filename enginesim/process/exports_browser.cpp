// Browser creation.
#include <memory>

#include "enginesim/core/shield.h"
#include "enginesim/exports.h"
#include "enginesim/process/process.h"
#include "enginesim/web/browser.h"

using namespace larkwell::enginesim;

// The browser is made at once, its window too; the client hears of it in the next work step.
// Nobody else holds it yet, so the engine keeps the reference the creator would have had until
// that step is over.
int CEF_EXPORT_CALL cef_browser_create(TCefWindowInfo* window_info, TCefClient* client, const TCefString* url,
                                       const TCefBrowserSettings* settings) {
  return shielded<int>(__func__, [&](const char* call) {
    TCefBrowser* browser =
        process::current().create_browser({SIM_CREATED_ASYNC, window_info, url, settings}, client, call);
    if (browser == nullptr) return 0;
    auto kept = std::make_shared<Held<TCefBrowser>>(Held<TCefBrowser>::adopt(browser));
    process::post_work([kept] {});
    return 1;
  });
}

TCefBrowser* CEF_EXPORT_CALL cef_browser_create_sync(TCefWindowInfo* window_info, TCefClient* client,
                                                     const TCefString* url, const TCefBrowserSettings* settings) {
  return shielded<TCefBrowser*>(__func__, [&](const char* call) {
    return process::current().create_browser({SIM_CREATED_SYNC, window_info, url, settings}, client, call);
  });
}
