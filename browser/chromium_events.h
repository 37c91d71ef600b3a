// The event contract between the engine's handlers and the browser control.
//
// The control implements IChromiumEvents; each handler of its client (client_handler.h)
// forwards the engine's callbacks to it. The control's raise methods call its event properties,
// whose types are the TOn… types below: Sender (the control) first, then the method's own
// arguments, then, for events that answer, `bool& Result`. Arguments the engine lets the program
// change are references; the changes go back to the engine.
//
// The control implements IChromiumEvents without reference counting, so a handler's reference
// does not keep the control alive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "core/interface.h"
#include "core/object.h"
#include "core/ustring.h"
#include "engine/cef_api.h"
#include "engine/cef_base.h"
#include "engine/cef_interfaces.h"

namespace larkwell {

// Every event method of IChromiumEvents, one row each, in slot order after FillBrowserSettings:
//   EVENT(Name, EventType, Result, (parameters), (arguments))        an event bound to an object
//   FUNCTION_EVENT(Name, EventType, Result, (parameters), (arguments)) an event that is a plain function
//   RENDER(Name, Result, (parameters), (arguments))                  off-screen rendering: no event
// The interface method is Fire<Name>; Result is bool for methods that answer, else void.
// clang-format off
#define LARKWELL_CHROMIUM_EVENTS(EVENT, FUNCTION_EVENT, RENDER) \
  EVENT(BeforePopup, TOnBeforePopup, bool, (const IPtr<ICefBrowser>& parentBrowser, TCefPopupFeatures& popupFeatures, TCefWindowInfo& windowInfo, ustring& url, IPtr<ICefBase>& client), (parentBrowser, popupFeatures, windowInfo, url, client)) \
  EVENT(AfterCreated, TOnAfterCreated, void, (const IPtr<ICefBrowser>& browser), (browser)) \
  EVENT(BeforeClose, TOnBeforeClose, bool, (const IPtr<ICefBrowser>& browser), (browser)) \
  EVENT(Close, TOnClose, bool, (const IPtr<ICefBrowser>& browser), (browser)) \
  EVENT(RunModal, TOnRunModal, bool, (const IPtr<ICefBrowser>& browser), (browser)) \
  EVENT(LoadStart, TOnLoadStart, void, (const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame), (browser, frame)) \
  EVENT(LoadEnd, TOnLoadEnd, bool, (const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, int httpStatusCode), (browser, frame, httpStatusCode)) \
  EVENT(LoadError, TOnLoadError, bool, (const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, int errorCode, const ustring& failedUrl, ustring& errorText), (browser, frame, errorCode, failedUrl, errorText)) \
  EVENT(AuthCredentials, TOnAuthCredentials, bool, (const IPtr<ICefBrowser>& browser, bool isProxy, int Port, const ustring& host, const ustring& realm, const ustring& scheme, ustring& username, ustring& password), (browser, isProxy, Port, host, realm, scheme, username, password)) \
  EVENT(GetDownloadHandler, TOnGetDownloadHandler, bool, (const IPtr<ICefBrowser>& browser, const ustring& mimeType, const ustring& fileName, int64_t contentLength, IPtr<ICefDownloadHandler>& handler), (browser, mimeType, fileName, contentLength, handler)) \
  EVENT(BeforeBrowse, TOnBeforeBrowse, bool, (const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const IPtr<ICefRequest>& request, TCefHandlerNavtype navType, bool isRedirect), (browser, frame, request, navType, isRedirect)) \
  EVENT(BeforeResourceLoad, TOnBeforeResourceLoad, bool, (const IPtr<ICefBrowser>& browser, const IPtr<ICefRequest>& request, ustring& redirectUrl, IPtr<ICefStreamReader>& resourceStream, const IPtr<ICefResponse>& response, int loadFlags), (browser, request, redirectUrl, resourceStream, response, loadFlags)) \
  EVENT(ProtocolExecution, TOnProtocolExecution, bool, (const IPtr<ICefBrowser>& browser, const ustring& url, bool& AllowOsExecution), (browser, url, AllowOsExecution)) \
  EVENT(ResourceRedirect, TOnResourceRedirect, void, (const IPtr<ICefBrowser>& browser, const ustring& oldurl, ustring& newurl), (browser, oldurl, newurl)) \
  EVENT(ResourceResponse, TOnResourceResponse, void, (const IPtr<ICefBrowser>& browser, const ustring& url, const IPtr<ICefResponse>& response, IPtr<ICefBase>& filter), (browser, url, response, filter)) \
  EVENT(AddressChange, TOnAddressChange, void, (const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& url), (browser, frame, url)) \
  EVENT(ContentsSizeChange, TOnContentsSizeChange, void, (const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, int width, int height), (browser, frame, width, height)) \
  EVENT(ConsoleMessage, TOnConsoleMessage, bool, (const IPtr<ICefBrowser>& browser, const ustring& message, const ustring& source, int line), (browser, message, source, line)) \
  EVENT(NavStateChange, TOnNavStateChange, bool, (const IPtr<ICefBrowser>& browser, bool canGoBack, bool canGoForward), (browser, canGoBack, canGoForward)) \
  EVENT(StatusMessage, TOnStatusMessage, bool, (const IPtr<ICefBrowser>& browser, const ustring& value, TCefHandlerStatusType StatusType), (browser, value, StatusType)) \
  EVENT(TitleChange, TOnTitleChange, bool, (const IPtr<ICefBrowser>& browser, const ustring& title), (browser, title)) \
  EVENT(Tooltip, TOnTooltip, bool, (const IPtr<ICefBrowser>& browser, ustring& text), (browser, text)) \
  EVENT(TakeFocus, TOnTakeFocus, void, (const IPtr<ICefBrowser>& browser, bool next), (browser, next)) \
  EVENT(SetFocus, TOnSetFocus, bool, (const IPtr<ICefBrowser>& browser, TCefHandlerFocusSource source), (browser, source)) \
  EVENT(FocusedNodeChanged, TOnFocusedNodeChanged, void, (const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const IPtr<ICefDomNode>& node), (browser, frame, node)) \
  EVENT(KeyEvent, TOnKeyEvent, bool, (const IPtr<ICefBrowser>& browser, TCefHandlerKeyEventType event, int code, int modifiers, bool isSystemKey, bool isAfterJavaScript), (browser, event, code, modifiers, isSystemKey, isAfterJavaScript)) \
  EVENT(BeforeMenu, TOnBeforeMenu, bool, (const IPtr<ICefBrowser>& browser, PCefMenuInfo menuInfo), (browser, menuInfo)) \
  EVENT(GetMenuLabel, TOnGetMenuLabel, bool, (const IPtr<ICefBrowser>& browser, TCefMenuId menuId, ustring& caption), (browser, menuId, caption)) \
  EVENT(MenuAction, TOnMenuAction, bool, (const IPtr<ICefBrowser>& browser, TCefMenuId menuId), (browser, menuId)) \
  FUNCTION_EVENT(BeforeScriptExtensionLoad, TOnBeforeScriptExtensionLoad, bool, (const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& extensionName), (browser, frame, extensionName)) \
  EVENT(PrintHeaderFooter, TOnPrintHeaderFooter, bool, (const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, PCefPrintInfo printInfo, const ustring& url, const ustring& title, int currentPage, int maxPages, ustring& topLeft, ustring& topCenter, ustring& topRight, ustring& bottomLeft, ustring& bottomCenter, ustring& bottomRight), (browser, frame, printInfo, url, title, currentPage, maxPages, topLeft, topCenter, topRight, bottomLeft, bottomCenter, bottomRight)) \
  EVENT(PrintOptions, TOnPrintOptions, bool, (const IPtr<ICefBrowser>& browser, PCefPrintOptions printOptions), (browser, printOptions)) \
  EVENT(JsAlert, TOnJsAlert, bool, (const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& message), (browser, frame, message)) \
  EVENT(JsConfirm, TOnJsConfirm, bool, (const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& message, bool& retval), (browser, frame, message, retval)) \
  EVENT(JsPrompt, TOnJsPrompt, bool, (const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& message, const ustring& defaultValue, bool& retval, ustring& result), (browser, frame, message, defaultValue, retval, result)) \
  EVENT(JsBinding, TOnJsBinding, bool, (const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const IPtr<ICefv8Value>& obj), (browser, frame, obj)) \
  EVENT(FindResult, TOnFindResult, bool, (const IPtr<ICefBrowser>& browser, int count, PCefRect selectionRect, bool identifier, bool activeMatchOrdinal, bool finalUpdate), (browser, count, selectionRect, identifier, activeMatchOrdinal, finalUpdate)) \
  EVENT(ContextCreated, TOnContextEvent, void, (const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const IPtr<ICefv8Context>& context), (browser, frame, context)) \
  EVENT(ContextReleased, TOnContextEvent, void, (const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const IPtr<ICefv8Context>& context), (browser, frame, context)) \
  RENDER(GetViewRect, bool, (const IPtr<ICefBrowser>& browser, PCefRect rect), (browser, rect)) \
  RENDER(GetScreenRect, bool, (const IPtr<ICefBrowser>& browser, PCefRect rect), (browser, rect)) \
  RENDER(GetScreenPoint, bool, (const IPtr<ICefBrowser>& browser, int viewX, int viewY, int& screenX, int& screenY), (browser, viewX, viewY, screenX, screenY)) \
  RENDER(PopupShow, void, (const IPtr<ICefBrowser>& browser, bool show), (browser, show)) \
  RENDER(PopupSize, void, (const IPtr<ICefBrowser>& browser, PCefRect rect), (browser, rect)) \
  RENDER(Paint, void, (const IPtr<ICefBrowser>& browser, TCefPaintElementType paintType, size_t dirtyRectsCount, const TCefRect* dirtyRects, const void* buffer), (browser, paintType, dirtyRectsCount, dirtyRects, buffer)) \
  RENDER(CursorChange, void, (const IPtr<ICefBrowser>& browser, TCefCursorHandle cursor), (browser, cursor)) \
  EVENT(DragStart, TOnDragEvent, bool, (const IPtr<ICefBrowser>& browser, const IPtr<ICefDragData>& dragData, TCefDragOperationsMask mask), (browser, dragData, mask)) \
  EVENT(DragEnter, TOnDragEvent, bool, (const IPtr<ICefBrowser>& browser, const IPtr<ICefDragData>& dragData, TCefDragOperationsMask mask), (browser, dragData, mask))
// clang-format on

namespace chromium_events_detail {

// The event types: the method's parameters between Sender and, for answering events, Result.
template <class Result, class Signature>
struct EventTypes;
template <class... P>
struct EventTypes<void, void(P...)> {
  using Bound = std::function<void(TObject* Sender, P...)>;
  using Function = void (*)(TObject* Sender, P...);
};
template <class... P>
struct EventTypes<bool, void(P...)> {
  using Bound = std::function<void(TObject* Sender, P..., bool& Result)>;
  using Function = void (*)(TObject* Sender, P..., bool& Result);
};

}  // namespace chromium_events_detail

#define LARKWELL_DEFINE_EVENT_TYPE(Name, EventType, Result, Parameters, Arguments) \
  using EventType = chromium_events_detail::EventTypes<Result, void Parameters>::Bound;
#define LARKWELL_DEFINE_FUNCTION_EVENT_TYPE(Name, EventType, Result, Parameters, Arguments) \
  using EventType = chromium_events_detail::EventTypes<Result, void Parameters>::Function;
#define LARKWELL_NO_EVENT_TYPE(...)
LARKWELL_CHROMIUM_EVENTS(LARKWELL_DEFINE_EVENT_TYPE, LARKWELL_DEFINE_FUNCTION_EVENT_TYPE, LARKWELL_NO_EVENT_TYPE)
#undef LARKWELL_DEFINE_EVENT_TYPE
#undef LARKWELL_DEFINE_FUNCTION_EVENT_TYPE
#undef LARKWELL_NO_EVENT_TYPE

class IChromiumEvents : public virtual IInterface {
 public:
  static constexpr TGUID IID = TGUID::Parse("{0C139DB1-0349-4D7F-8155-76FEA6A0126D}");

  // Fills an engine browser-settings record from the control's options (browser_settings.h).
  virtual void FillBrowserSettings(TCefBrowserSettings& settings) = 0;

  // Then Fire<Name> for each row of LARKWELL_CHROMIUM_EVENTS, in its order.
#define LARKWELL_DECLARE_FIRE(Name, EventType, Result, Parameters, Arguments) virtual Result Fire##Name Parameters = 0;
#define LARKWELL_DECLARE_RENDER(Name, Result, Parameters, Arguments) virtual Result Fire##Name Parameters = 0;
  LARKWELL_CHROMIUM_EVENTS(LARKWELL_DECLARE_FIRE, LARKWELL_DECLARE_FIRE, LARKWELL_DECLARE_RENDER)
#undef LARKWELL_DECLARE_FIRE
#undef LARKWELL_DECLARE_RENDER
};
inline const InterfaceRegistration<IChromiumEvents> kRegisterIChromiumEvents;

// How the control tells its client to let go of the handlers it created.
class ICefClientTeardown : public virtual IInterface {
 public:
  static constexpr TGUID IID = TGUID::Parse("{E76F6888-D9C3-4FCE-9C23-E89659820A36}");
  virtual void ReleaseHandlers() = 0;
};
inline const InterfaceRegistration<ICefClientTeardown> kRegisterICefClientTeardown;

}  // namespace larkwell
