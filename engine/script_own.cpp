#include "engine/script_own.h"

#include "engine/cef_callback.h"
#include "engine/dom_refs.h"
#include "engine/v8_refs.h"

namespace larkwell {

TCefV8AccessorOwn::TCefV8AccessorOwn() : TCefBaseOwn(sizeof(TCefV8Accessor)) {
  auto accessor = CefSlots<TCefV8Accessor>(this);
  // The engine's return value is always overwritten: with the Wrap of what Get left, or null.
  // Nothing is ever written into the engine's exception text.
  accessor.Set<&TCefV8Accessor::get, &TCefV8AccessorOwn::Get, ByType, ByType, ObjectInOut<kAlways, kEmpty>, ByType>();
  accessor.Set<&TCefV8Accessor::set, &TCefV8AccessorOwn::Set>();
}

bool TCefV8AccessorOwn::Get(const ustring&, const IPtr<ICefv8Value>&, IPtr<ICefv8Value>& retval, const ustring&) {
  retval = nullptr;
  return false;
}

bool TCefV8AccessorOwn::Set(const ustring&, const IPtr<ICefv8Value>&, const IPtr<ICefv8Value>&, const ustring&) {
  return false;
}

TCefDomVisitorOwn::TCefDomVisitorOwn() : TCefBaseOwn(sizeof(TCefDomVisitor)) {
  CefSlots<TCefDomVisitor>(this).Set<&TCefDomVisitor::visit, &TCefDomVisitorOwn::Visit>();
}

void TCefDomVisitorOwn::Visit(const IPtr<ICefDomDocument>&) {}

TCefDomEventListenerOwn::TCefDomEventListenerOwn() : TCefBaseOwn(sizeof(TCefDomEventListener)) {
  CefSlots<TCefDomEventListener>(this)
      .Set<&TCefDomEventListener::handle_event, &TCefDomEventListenerOwn::HandleEvent>();
}

void TCefDomEventListenerOwn::HandleEvent(const IPtr<ICefDomEvent>&) {}

}  // namespace larkwell
