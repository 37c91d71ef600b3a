// The application object the loader hands to the engine when it initialises it.
#pragma once

#include "engine/cef_interfaces.h"
#include "engine/closures.h"
#include "engine/handlers_own.h"

namespace larkwell {

// Serves the engine's proxy and resource-bundle requests through the three configuration hooks
// (CefGetProxyForUrl, CefGetDataResource, CefGetLocalizedString), read once, when the object is
// made; empty hooks give the answers of a handler that overrides nothing. Only the engine holds
// it: the loader hands over its one reference, and the object, with both handlers, goes when
// the engine releases it.
class TInternalApp : public TCefAppOwn {
 public:
  TInternalApp();
  IPtr<ICefProxyHandler> GetProxyHandler() override;
  IPtr<ICefResourceBundleHandler> GetResourceBundleHandler() override;

 private:
  const IPtr<ICefProxyHandler> FProxyHandler;
  const IPtr<ICefResourceBundleHandler> FResourceBundleHandler;
};

}  // namespace larkwell
