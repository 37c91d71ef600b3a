#include "engine/closures.h"

#include <utility>

namespace larkwell {

TCefFastDomVisitor::TCefFastDomVisitor(TCefFastDomVisitorProc proc) : FProc(std::move(proc)) {}
void TCefFastDomVisitor::Visit(const IPtr<ICefDomDocument>& document) { FProc(document); }

TCefFastDomEventListener::TCefFastDomEventListener(TCefFastDomEventListenerProc proc) : FProc(std::move(proc)) {}
void TCefFastDomEventListener::HandleEvent(const IPtr<ICefDomEvent>& event) { FProc(event); }

TCefFastV8Accessor::TCefFastV8Accessor(TCefFastV8AccessorGetterProc getter, TCefFastV8AccessorSetterProc setter)
    : FGetter(std::move(getter)), FSetter(std::move(setter)) {}

bool TCefFastV8Accessor::Get(const ustring& name, const IPtr<ICefv8Value>& obj, IPtr<ICefv8Value>& retval,
                             const ustring& exception) {
  retval.Reset();
  return FGetter ? FGetter(name, obj, retval, exception) : false;
}

bool TCefFastV8Accessor::Set(const ustring& name, const IPtr<ICefv8Value>& obj, const IPtr<ICefv8Value>& value,
                             const ustring& exception) {
  return FSetter ? FSetter(name, obj, value, exception) : false;
}

TCefFastProxyHandler::TCefFastProxyHandler(TGetProxyForUrlProc handler) : FGetProxyForUrl(std::move(handler)) {}

void TCefFastProxyHandler::GetProxyForUrl(const ustring& url, TCefProxyType& proxyType, ustring& proxyList) {
  if (FGetProxyForUrl) FGetProxyForUrl(url, proxyType, proxyList);
}

TCefFastResourceBundle::TCefFastResourceBundle(TGetDataResource AGetDataResource,
                                               TGetLocalizedString AGetLocalizedString)
    : FGetDataResource(std::move(AGetDataResource)), FGetLocalizedString(std::move(AGetLocalizedString)) {}

bool TCefFastResourceBundle::GetLocalizedString(int messageId, ustring& stringVal) {
  stringVal.clear();
  return FGetLocalizedString ? FGetLocalizedString(messageId, stringVal) : false;
}

bool TCefFastResourceBundle::GetDataResource(int resourceId, void*& data, size_t& dataSize) {
  return FGetDataResource ? FGetDataResource(resourceId, data, dataSize) : false;
}

}  // namespace larkwell
