#include "engine/internal_app.h"

#include "engine/loader.h"

namespace larkwell {

TInternalApp::TInternalApp()
    : FProxyHandler(New<TCefFastProxyHandler>(CefGetProxyForUrl)),
      FResourceBundleHandler(New<TCefFastResourceBundle>(CefGetDataResource, CefGetLocalizedString)) {}

IPtr<ICefProxyHandler> TInternalApp::GetProxyHandler() { return FProxyHandler; }

IPtr<ICefResourceBundleHandler> TInternalApp::GetResourceBundleHandler() { return FResourceBundleHandler; }

}  // namespace larkwell
