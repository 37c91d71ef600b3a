// Program objects the engine calls in the script and document area: a script property
// accessor, a DOM visitor and a DOM event listener. Each answers with its default until a
// subclass overrides it.
#pragma once

#include "engine/cef_base.h"
#include "engine/cef_interfaces.h"

namespace larkwell {

class TCefV8AccessorOwn : public TCefBaseOwn, public ICefV8Accessor {
 public:
  TCefV8AccessorOwn();
  // Default: leaves `retval` empty (the engine receives null) and answers false.
  bool Get(const ustring& name, const IPtr<ICefv8Value>& obj, IPtr<ICefv8Value>& retval,
           const ustring& exception) override;
  // Default: answers false.
  bool Set(const ustring& name, const IPtr<ICefv8Value>& obj, const IPtr<ICefv8Value>& value,
           const ustring& exception) override;
};

class TCefDomVisitorOwn : public TCefBaseOwn, public ICefDomVisitor {
 public:
  TCefDomVisitorOwn();
  // The document is valid only during the call: keep nothing of it. Default: nothing.
  void Visit(const IPtr<ICefDomDocument>& document) override;
};

class TCefDomEventListenerOwn : public TCefBaseOwn, public ICefDomEventListener {
 public:
  TCefDomEventListenerOwn();
  // Default: nothing.
  void HandleEvent(const IPtr<ICefDomEvent>& event) override;
};

}  // namespace larkwell
