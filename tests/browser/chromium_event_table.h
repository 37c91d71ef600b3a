// The browser control's events as a table, for the tests: the completeness oracle that the
// product's hand-written surface (browser/chromium_events.h, browser/chromium.h) is checked against.
// One row per raise method of IChromiumEvents, in slot order after FillBrowserSettings:
//   EVENT(Name, EventType, Result, (parameters), (arguments))          an event bound to an object
//   FUNCTION_EVENT(Name, EventType, Result, (parameters), (arguments)) an event that is a plain function
//   RENDER(Name, Result, (parameters), (arguments))                    off-screen rendering: no event
// The raise method is Fire<Name>; Result is bool for methods that answer, else void.
#pragma once

#include <functional>
#include <type_traits>

#include "browser/chromium_events.h"

namespace larkwell::testing {

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

namespace chromium_event_table_detail {

// The type an event must have: Sender, the method's parameters, and `bool& Result` when it answers.
template <class Result, class Signature>
struct ExpectedEvent;
template <class... P>
struct ExpectedEvent<void, void(P...)> {
  using Bound = std::function<void(TObject* Sender, P...)>;
  using Function = void (*)(TObject* Sender, P...);
};
template <class... P>
struct ExpectedEvent<bool, void(P...)> {
  using Bound = std::function<void(TObject* Sender, P..., bool& Result)>;
  using Function = void (*)(TObject* Sender, P..., bool& Result);
};

// Each event type and raise method of the product as the table says.
#define LARKWELL_CHECK_EVENT(Name, EventType, Result, Parameters, Arguments)                                   \
  static_assert(std::is_same_v<EventType, ExpectedEvent<Result, void Parameters>::Bound>, #EventType);         \
  static_assert(std::is_same_v<decltype(&IChromiumEvents::Fire##Name), Result(IChromiumEvents::*) Parameters>, \
                "Fire" #Name);
#define LARKWELL_CHECK_FUNCTION_EVENT(Name, EventType, Result, Parameters, Arguments)                          \
  static_assert(std::is_same_v<EventType, ExpectedEvent<Result, void Parameters>::Function>, #EventType);      \
  static_assert(std::is_same_v<decltype(&IChromiumEvents::Fire##Name), Result(IChromiumEvents::*) Parameters>, \
                "Fire" #Name);
#define LARKWELL_CHECK_RENDER(Name, Result, Parameters, Arguments)                                             \
  static_assert(std::is_same_v<decltype(&IChromiumEvents::Fire##Name), Result(IChromiumEvents::*) Parameters>, \
                "Fire" #Name);
LARKWELL_CHROMIUM_EVENTS(LARKWELL_CHECK_EVENT, LARKWELL_CHECK_FUNCTION_EVENT, LARKWELL_CHECK_RENDER)
#undef LARKWELL_CHECK_EVENT
#undef LARKWELL_CHECK_FUNCTION_EVENT
#undef LARKWELL_CHECK_RENDER

}  // namespace chromium_event_table_detail
}  // namespace larkwell::testing
