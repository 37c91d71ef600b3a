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

// The event types, in slot order. Sender is the control; events that answer end in `bool& Result`,
// which starts false. The script-extension event is a plain function, the others may be bound to
// an object.
using TOnBeforePopup =
    std::function<void(TObject* Sender, const IPtr<ICefBrowser>& parentBrowser, TCefPopupFeatures& popupFeatures,
                       TCefWindowInfo& windowInfo, ustring& url, IPtr<ICefBase>& client, bool& Result)>;
using TOnAfterCreated = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser)>;
using TOnBeforeClose = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, bool& Result)>;
using TOnClose = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, bool& Result)>;
using TOnRunModal = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, bool& Result)>;
using TOnLoadStart =
    std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame)>;
using TOnLoadEnd = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                      int httpStatusCode, bool& Result)>;
using TOnLoadError = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                        int errorCode, const ustring& failedUrl, ustring& errorText, bool& Result)>;
using TOnAuthCredentials = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, bool isProxy, int Port,
                                              const ustring& host, const ustring& realm, const ustring& scheme,
                                              ustring& username, ustring& password, bool& Result)>;
using TOnGetDownloadHandler = std::function<void(
    TObject* Sender, const IPtr<ICefBrowser>& browser, const ustring& mimeType, const ustring& fileName,
    int64_t contentLength, IPtr<ICefDownloadHandler>& handler, bool& Result)>;
using TOnBeforeBrowse =
    std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                       const IPtr<ICefRequest>& request, TCefHandlerNavtype navType, bool isRedirect, bool& Result)>;
using TOnBeforeResourceLoad = std::function<void(
    TObject* Sender, const IPtr<ICefBrowser>& browser, const IPtr<ICefRequest>& request, ustring& redirectUrl,
    IPtr<ICefStreamReader>& resourceStream, const IPtr<ICefResponse>& response, int loadFlags, bool& Result)>;
using TOnProtocolExecution = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, const ustring& url,
                                                bool& AllowOsExecution, bool& Result)>;
using TOnResourceRedirect =
    std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, const ustring& oldurl, ustring& newurl)>;
using TOnResourceResponse = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, const ustring& url,
                                               const IPtr<ICefResponse>& response, IPtr<ICefBase>& filter)>;
using TOnAddressChange = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser,
                                            const IPtr<ICefFrame>& frame, const ustring& url)>;
using TOnContentsSizeChange = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser,
                                                 const IPtr<ICefFrame>& frame, int width, int height)>;
using TOnConsoleMessage = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, const ustring& message,
                                             const ustring& source, int line, bool& Result)>;
using TOnNavStateChange = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, bool canGoBack,
                                             bool canGoForward, bool& Result)>;
using TOnStatusMessage = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, const ustring& value,
                                            TCefHandlerStatusType StatusType, bool& Result)>;
using TOnTitleChange =
    std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, const ustring& title, bool& Result)>;
using TOnTooltip = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, ustring& text, bool& Result)>;
using TOnTakeFocus = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, bool next)>;
using TOnSetFocus =
    std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, TCefHandlerFocusSource source, bool& Result)>;
using TOnFocusedNodeChanged = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser,
                                                 const IPtr<ICefFrame>& frame, const IPtr<ICefDomNode>& node)>;
using TOnKeyEvent =
    std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, TCefHandlerKeyEventType event, int code,
                       int modifiers, bool isSystemKey, bool isAfterJavaScript, bool& Result)>;
using TOnBeforeMenu =
    std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, PCefMenuInfo menuInfo, bool& Result)>;
using TOnGetMenuLabel = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, TCefMenuId menuId,
                                           ustring& caption, bool& Result)>;
using TOnMenuAction =
    std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, TCefMenuId menuId, bool& Result)>;
using TOnBeforeScriptExtensionLoad = void (*)(TObject* Sender, const IPtr<ICefBrowser>& browser,
                                              const IPtr<ICefFrame>& frame, const ustring& extensionName, bool& Result);
using TOnPrintHeaderFooter = std::function<void(
    TObject* Sender, const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, PCefPrintInfo printInfo,
    const ustring& url, const ustring& title, int currentPage, int maxPages, ustring& topLeft, ustring& topCenter,
    ustring& topRight, ustring& bottomLeft, ustring& bottomCenter, ustring& bottomRight, bool& Result)>;
using TOnPrintOptions =
    std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, PCefPrintOptions printOptions, bool& Result)>;
using TOnJsAlert = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                      const ustring& message, bool& Result)>;
using TOnJsConfirm = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                        const ustring& message, bool& retval, bool& Result)>;
using TOnJsPrompt = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                       const ustring& message, const ustring& defaultValue, bool& retval,
                                       ustring& result, bool& Result)>;
using TOnJsBinding = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                        const IPtr<ICefv8Value>& obj, bool& Result)>;
using TOnFindResult =
    std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser, int count, PCefRect selectionRect,
                       bool identifier, bool activeMatchOrdinal, bool finalUpdate, bool& Result)>;
using TOnContextEvent = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser,
                                           const IPtr<ICefFrame>& frame, const IPtr<ICefv8Context>& context)>;
using TOnDragEvent = std::function<void(TObject* Sender, const IPtr<ICefBrowser>& browser,
                                        const IPtr<ICefDragData>& dragData, TCefDragOperationsMask mask, bool& Result)>;

class IChromiumEvents : public virtual IInterface {
 public:
  static constexpr TGUID IID = TGUID::Parse("{0C139DB1-0349-4D7F-8155-76FEA6A0126D}");

  // Fills an engine browser-settings record from the control's options (browser_settings.h).
  virtual void FillBrowserSettings(TCefBrowserSettings& settings) = 0;

  // Then one raise method per event, in slot order; each answers what its event answered.
  virtual bool FireBeforePopup(const IPtr<ICefBrowser>& parentBrowser, TCefPopupFeatures& popupFeatures,
                               TCefWindowInfo& windowInfo, ustring& url, IPtr<ICefBase>& client) = 0;
  virtual void FireAfterCreated(const IPtr<ICefBrowser>& browser) = 0;
  virtual bool FireBeforeClose(const IPtr<ICefBrowser>& browser) = 0;
  virtual bool FireClose(const IPtr<ICefBrowser>& browser) = 0;
  virtual bool FireRunModal(const IPtr<ICefBrowser>& browser) = 0;
  virtual void FireLoadStart(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame) = 0;
  virtual bool FireLoadEnd(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, int httpStatusCode) = 0;
  virtual bool FireLoadError(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, int errorCode,
                             const ustring& failedUrl, ustring& errorText) = 0;
  virtual bool FireAuthCredentials(const IPtr<ICefBrowser>& browser, bool isProxy, int Port, const ustring& host,
                                   const ustring& realm, const ustring& scheme, ustring& username,
                                   ustring& password) = 0;
  virtual bool FireGetDownloadHandler(const IPtr<ICefBrowser>& browser, const ustring& mimeType,
                                      const ustring& fileName, int64_t contentLength,
                                      IPtr<ICefDownloadHandler>& handler) = 0;
  virtual bool FireBeforeBrowse(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                const IPtr<ICefRequest>& request, TCefHandlerNavtype navType, bool isRedirect) = 0;
  virtual bool FireBeforeResourceLoad(const IPtr<ICefBrowser>& browser, const IPtr<ICefRequest>& request,
                                      ustring& redirectUrl, IPtr<ICefStreamReader>& resourceStream,
                                      const IPtr<ICefResponse>& response, int loadFlags) = 0;
  virtual bool FireProtocolExecution(const IPtr<ICefBrowser>& browser, const ustring& url, bool& AllowOsExecution) = 0;
  virtual void FireResourceRedirect(const IPtr<ICefBrowser>& browser, const ustring& oldurl, ustring& newurl) = 0;
  virtual void FireResourceResponse(const IPtr<ICefBrowser>& browser, const ustring& url,
                                    const IPtr<ICefResponse>& response, IPtr<ICefBase>& filter) = 0;
  virtual void FireAddressChange(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                 const ustring& url) = 0;
  virtual void FireContentsSizeChange(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, int width,
                                      int height) = 0;
  virtual bool FireConsoleMessage(const IPtr<ICefBrowser>& browser, const ustring& message, const ustring& source,
                                  int line) = 0;
  virtual bool FireNavStateChange(const IPtr<ICefBrowser>& browser, bool canGoBack, bool canGoForward) = 0;
  virtual bool FireStatusMessage(const IPtr<ICefBrowser>& browser, const ustring& value,
                                 TCefHandlerStatusType StatusType) = 0;
  virtual bool FireTitleChange(const IPtr<ICefBrowser>& browser, const ustring& title) = 0;
  virtual bool FireTooltip(const IPtr<ICefBrowser>& browser, ustring& text) = 0;
  virtual void FireTakeFocus(const IPtr<ICefBrowser>& browser, bool next) = 0;
  virtual bool FireSetFocus(const IPtr<ICefBrowser>& browser, TCefHandlerFocusSource source) = 0;
  virtual void FireFocusedNodeChanged(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                      const IPtr<ICefDomNode>& node) = 0;
  virtual bool FireKeyEvent(const IPtr<ICefBrowser>& browser, TCefHandlerKeyEventType event, int code, int modifiers,
                            bool isSystemKey, bool isAfterJavaScript) = 0;
  virtual bool FireBeforeMenu(const IPtr<ICefBrowser>& browser, PCefMenuInfo menuInfo) = 0;
  virtual bool FireGetMenuLabel(const IPtr<ICefBrowser>& browser, TCefMenuId menuId, ustring& caption) = 0;
  virtual bool FireMenuAction(const IPtr<ICefBrowser>& browser, TCefMenuId menuId) = 0;
  virtual bool FireBeforeScriptExtensionLoad(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                             const ustring& extensionName) = 0;
  virtual bool FirePrintHeaderFooter(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                     PCefPrintInfo printInfo, const ustring& url, const ustring& title, int currentPage,
                                     int maxPages, ustring& topLeft, ustring& topCenter, ustring& topRight,
                                     ustring& bottomLeft, ustring& bottomCenter, ustring& bottomRight) = 0;
  virtual bool FirePrintOptions(const IPtr<ICefBrowser>& browser, PCefPrintOptions printOptions) = 0;
  virtual bool FireJsAlert(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& message) = 0;
  virtual bool FireJsConfirm(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& message,
                             bool& retval) = 0;
  virtual bool FireJsPrompt(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& message,
                            const ustring& defaultValue, bool& retval, ustring& result) = 0;
  virtual bool FireJsBinding(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                             const IPtr<ICefv8Value>& obj) = 0;
  virtual bool FireFindResult(const IPtr<ICefBrowser>& browser, int count, PCefRect selectionRect, bool identifier,
                              bool activeMatchOrdinal, bool finalUpdate) = 0;
  virtual void FireContextCreated(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                  const IPtr<ICefv8Context>& context) = 0;
  virtual void FireContextReleased(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                   const IPtr<ICefv8Context>& context) = 0;
  // Off-screen rendering, which has no events: the windowed control answers these itself.
  virtual bool FireGetViewRect(const IPtr<ICefBrowser>& browser, PCefRect rect) = 0;
  virtual bool FireGetScreenRect(const IPtr<ICefBrowser>& browser, PCefRect rect) = 0;
  virtual bool FireGetScreenPoint(const IPtr<ICefBrowser>& browser, int viewX, int viewY, int& screenX,
                                  int& screenY) = 0;
  virtual void FirePopupShow(const IPtr<ICefBrowser>& browser, bool show) = 0;
  virtual void FirePopupSize(const IPtr<ICefBrowser>& browser, PCefRect rect) = 0;
  virtual void FirePaint(const IPtr<ICefBrowser>& browser, TCefPaintElementType paintType, size_t dirtyRectsCount,
                         const TCefRect* dirtyRects, const void* buffer) = 0;
  virtual void FireCursorChange(const IPtr<ICefBrowser>& browser, TCefCursorHandle cursor) = 0;

  virtual bool FireDragStart(const IPtr<ICefBrowser>& browser, const IPtr<ICefDragData>& dragData,
                             TCefDragOperationsMask mask) = 0;
  virtual bool FireDragEnter(const IPtr<ICefBrowser>& browser, const IPtr<ICefDragData>& dragData,
                             TCefDragOperationsMask mask) = 0;
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
