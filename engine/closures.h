// Closure adapters: program objects whose methods only call the closures given to their
// constructor, for callers that want to supply a piece of code instead of a class.
//
// A closure is captured once, when its adapter is made, and lives (with everything it
// captured) as long as the adapter: the caller's reference and every engine reference taken
// through Wrap. An empty optional closure makes the adapter answer as its base class would
// (false, nothing changed). Errors raised inside a closure are stopped at the engine boundary
// by the base class's entries.
#pragma once

#include <cstddef>
#include <functional>

#include "engine/cef_interfaces.h"
#include "engine/handlers_own.h"
#include "engine/script_own.h"

namespace larkwell {

// Requires its closure.
class TCefFastDomVisitor : public TCefDomVisitorOwn {
 public:
  explicit TCefFastDomVisitor(TCefFastDomVisitorProc proc);
  void Visit(const IPtr<ICefDomDocument>& document) override;

 private:
  const TCefFastDomVisitorProc FProc;
};

// Requires its closure.
class TCefFastDomEventListener : public TCefDomEventListenerOwn {
 public:
  explicit TCefFastDomEventListener(TCefFastDomEventListenerProc proc);
  void HandleEvent(const IPtr<ICefDomEvent>& event) override;

 private:
  const TCefFastDomEventListenerProc FProc;
};

// Either closure may be empty.
class TCefFastV8Accessor : public TCefV8AccessorOwn {
 public:
  TCefFastV8Accessor(TCefFastV8AccessorGetterProc getter, TCefFastV8AccessorSetterProc setter);
  bool Get(const ustring& name, const IPtr<ICefv8Value>& obj, IPtr<ICefv8Value>& retval,
           const ustring& exception) override;
  bool Set(const ustring& name, const IPtr<ICefv8Value>& obj, const IPtr<ICefv8Value>& value,
           const ustring& exception) override;

 private:
  const TCefFastV8AccessorGetterProc FGetter;
  const TCefFastV8AccessorSetterProc FSetter;
};

// The closure may be empty: the proxy type then stays as the engine set it, the list empty.
class TCefFastProxyHandler : public TCefProxyHandlerOwn {
 public:
  explicit TCefFastProxyHandler(TGetProxyForUrlProc handler);
  void GetProxyForUrl(const ustring& url, TCefProxyType& proxyType, ustring& proxyList) override;

 private:
  const TGetProxyForUrlProc FGetProxyForUrl;
};

// Either closure may be empty: the engine then keeps its own text or data.
class TCefFastResourceBundle : public TCefResourceBundleHandlerOwn {
 public:
  TCefFastResourceBundle(TGetDataResource AGetDataResource, TGetLocalizedString AGetLocalizedString);
  bool GetLocalizedString(int messageId, ustring& stringVal) override;
  bool GetDataResource(int resourceId, void*& data, size_t& dataSize) override;

 private:
  const TGetDataResource FGetDataResource;
  const TGetLocalizedString FGetLocalizedString;
};

}  // namespace larkwell
