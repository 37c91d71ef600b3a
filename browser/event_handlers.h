// The fourteen handlers of the browser control's client. Each derives from one handler family of
// the binding (engine/handlers_own.h) and forwards every callback unchanged, in the same order,
// to the control's IChromiumEvents, returning its answer where the callback has one. The
// exceptions are marked where they stand: the pop-up gets the control's settings first, and
// answers of callbacks without a result are dropped.
//
// When the client releases its handlers it cuts each one's link to the control, waiting for calls
// that engine threads already have inside the control. A handler the engine still holds after
// that answers as its binding base does (false, nothing changed) and never touches the control,
// which may be gone by then.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "browser/chromium_events.h"
#include "engine/handlers_own.h"

namespace larkwell {

// The link from a handler to the control's events.
//
// Engine threads call handlers while the user-interface thread cuts the link, and the control
// does not count references, so the link itself keeps the control safe: it knows which threads
// are inside the control through it, and cutting the link waits until those calls have left.
class TChromiumEventsLink {
 public:
  // Cuts the link for good, then waits until every call that other threads made into the control
  // through this link has returned. Calls of the cutting thread itself are not waited for: a
  // handler of an event may cut the link (for example by destroying the control) and must not
  // wait for its own return. Once this returns, no thread but the caller's is inside the control
  // through this link, and none enters it again.
  //
  // A call still inside may in turn wait for the cutting thread (an event on an engine thread
  // that sets a window's text sends a message to the user-interface thread). While the wait lasts,
  // `whileWaiting` (when given) runs every few milliseconds on the cutting thread, outside the
  // link's lock, to do what such calls wait for; it must not throw. Without a wait it never runs.
  void DropEvents(const std::function<void()>& whileWaiting = nullptr) noexcept;

 protected:
  explicit TChromiumEventsLink(IPtr<IChromiumEvents> crm) : FCrm(std::move(crm)) {}
  ~TChromiumEventsLink() = default;

  // One call into the control: while it lives, the calling thread counts as inside the control.
  // Empty (and counting nothing) once the link is cut.
  class TEventsCall {
   public:
    explicit TEventsCall(const TChromiumEventsLink& link);
    ~TEventsCall();
    TEventsCall(const TEventsCall&) = delete;
    TEventsCall& operator=(const TEventsCall&) = delete;

    explicit operator bool() const noexcept { return FEvents != nullptr; }
    // Not counted: the link's own reference and DropEvents's wait keep the control alive.
    IChromiumEvents* operator->() const noexcept { return FEvents; }

   private:
    const TChromiumEventsLink& FLink;
    IChromiumEvents* FEvents = nullptr;
  };

  // Calls the events' method `Fire` with `args`; without events answers false (or nothing).
  template <auto Fire, class... A>
  auto Forward(A&&... args) const {
    if (TEventsCall crm{*this}) return ((*crm.operator->()).*Fire)(std::forward<A>(args)...);
    using Result = decltype((std::declval<IChromiumEvents&>().*Fire)(std::forward<A>(args)...));
    return Result();
  }

 private:
  mutable std::mutex FLock;
  mutable std::condition_variable FCallLeft;
  IPtr<IChromiumEvents> FCrm;
  // The thread of each call inside the control, once per call (a nested call counts twice).
  mutable std::vector<std::thread::id> FCallers;
};

template <class Own>
class TChromiumHandler : public Own, public TChromiumEventsLink {
 public:
  explicit TChromiumHandler(IPtr<IChromiumEvents> crm) : TChromiumEventsLink(std::move(crm)) {}
};

class TCustomLifeSpanHandler final : public TChromiumHandler<TCefLifeSpanHandlerOwn> {
 public:
  using TChromiumHandler::TChromiumHandler;
  // Fills the pop-up's settings from the control, then raises the event without them.
  bool OnBeforePopup(const IPtr<ICefBrowser>& parentBrowser, TCefPopupFeatures& popupFeatures,
                     TCefWindowInfo& windowInfo, ustring& url, IPtr<ICefBase>& client,
                     TCefBrowserSettings& settings) override;
  void OnAfterCreated(const IPtr<ICefBrowser>& browser) override {
    Forward<&IChromiumEvents::FireAfterCreated>(browser);
  }
  void OnBeforeClose(const IPtr<ICefBrowser>& browser) override {
    Forward<&IChromiumEvents::FireBeforeClose>(browser);  // the answer is dropped
  }
  bool RunModal(const IPtr<ICefBrowser>& browser) override { return Forward<&IChromiumEvents::FireRunModal>(browser); }
  bool DoClose(const IPtr<ICefBrowser>& browser) override { return Forward<&IChromiumEvents::FireClose>(browser); }
};

class TCustomLoadHandler final : public TChromiumHandler<TCefLoadHandlerOwn> {
 public:
  using TChromiumHandler::TChromiumHandler;
  void OnLoadStart(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame) override {
    Forward<&IChromiumEvents::FireLoadStart>(browser, frame);
  }
  void OnLoadEnd(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, int httpStatusCode) override {
    Forward<&IChromiumEvents::FireLoadEnd>(browser, frame, httpStatusCode);  // the answer is dropped
  }
  bool OnLoadError(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, int errorCode,
                   const ustring& failedUrl, ustring& errorText) override {
    return Forward<&IChromiumEvents::FireLoadError>(browser, frame, errorCode, failedUrl, errorText);
  }
};

class TCustomRequestHandler final : public TChromiumHandler<TCefRequestHandlerOwn> {
 public:
  using TChromiumHandler::TChromiumHandler;
  bool OnBeforeBrowse(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const IPtr<ICefRequest>& request,
                      TCefHandlerNavtype navType, bool isRedirect) override {
    return Forward<&IChromiumEvents::FireBeforeBrowse>(browser, frame, request, navType, isRedirect);
  }
  bool OnBeforeResourceLoad(const IPtr<ICefBrowser>& browser, const IPtr<ICefRequest>& request, ustring& redirectUrl,
                            IPtr<ICefStreamReader>& resourceStream, const IPtr<ICefResponse>& response,
                            int loadFlags) override {
    return Forward<&IChromiumEvents::FireBeforeResourceLoad>(browser, request, redirectUrl, resourceStream, response,
                                                             loadFlags);
  }
  // The control's raise empties the new address (chromium.h); the binding never reads the engine's.
  void OnResourceRedirect(const IPtr<ICefBrowser>& browser, const ustring& oldUrl, ustring& newUrl) override {
    Forward<&IChromiumEvents::FireResourceRedirect>(browser, oldUrl, newUrl);
  }
  void OnResourceResponse(const IPtr<ICefBrowser>& browser, const ustring& url, const IPtr<ICefResponse>& response,
                          IPtr<ICefBase>& filter) override {
    Forward<&IChromiumEvents::FireResourceResponse>(browser, url, response, filter);
  }
  bool OnProtocolExecution(const IPtr<ICefBrowser>& browser, const ustring& url, bool& allowOsExecution) override {
    return Forward<&IChromiumEvents::FireProtocolExecution>(browser, url, allowOsExecution);
  }
  bool GetDownloadHandler(const IPtr<ICefBrowser>& browser, const ustring& mimeType, const ustring& fileName,
                          int64_t contentLength, IPtr<ICefDownloadHandler>& handler) override {
    return Forward<&IChromiumEvents::FireGetDownloadHandler>(browser, mimeType, fileName, contentLength, handler);
  }
  bool GetAuthCredentials(const IPtr<ICefBrowser>& browser, bool isProxy, int port, const ustring& host,
                          const ustring& realm, const ustring& scheme, ustring& username, ustring& password) override {
    return Forward<&IChromiumEvents::FireAuthCredentials>(browser, isProxy, port, host, realm, scheme, username,
                                                          password);
  }
};

class TCustomDisplayHandler final : public TChromiumHandler<TCefDisplayHandlerOwn> {
 public:
  using TChromiumHandler::TChromiumHandler;
  void OnNavStateChange(const IPtr<ICefBrowser>& browser, bool canGoBack, bool canGoForward) override {
    Forward<&IChromiumEvents::FireNavStateChange>(browser, canGoBack, canGoForward);  // the answer is dropped
  }
  void OnAddressChange(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& url) override {
    Forward<&IChromiumEvents::FireAddressChange>(browser, frame, url);
  }
  void OnContentsSizeChange(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, int width,
                            int height) override {
    Forward<&IChromiumEvents::FireContentsSizeChange>(browser, frame, width, height);
  }
  void OnTitleChange(const IPtr<ICefBrowser>& browser, const ustring& title) override {
    Forward<&IChromiumEvents::FireTitleChange>(browser, title);  // the answer is dropped
  }
  bool OnTooltip(const IPtr<ICefBrowser>& browser, ustring& text) override {
    return Forward<&IChromiumEvents::FireTooltip>(browser, text);
  }
  void OnStatusMessage(const IPtr<ICefBrowser>& browser, const ustring& value,
                       TCefHandlerStatusType statusType) override {
    Forward<&IChromiumEvents::FireStatusMessage>(browser, value, statusType);  // the answer is dropped
  }
  bool OnConsoleMessage(const IPtr<ICefBrowser>& browser, const ustring& message, const ustring& source,
                        int line) override {
    return Forward<&IChromiumEvents::FireConsoleMessage>(browser, message, source, line);
  }
};

class TCustomFocusHandler final : public TChromiumHandler<TCefFocusHandlerOwn> {
 public:
  using TChromiumHandler::TChromiumHandler;
  void OnTakeFocus(const IPtr<ICefBrowser>& browser, bool next) override {
    Forward<&IChromiumEvents::FireTakeFocus>(browser, next);
  }
  bool OnSetFocus(const IPtr<ICefBrowser>& browser, TCefHandlerFocusSource source) override {
    return Forward<&IChromiumEvents::FireSetFocus>(browser, source);
  }
  void OnFocusedNodeChanged(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                            const IPtr<ICefDomNode>& node) override {
    Forward<&IChromiumEvents::FireFocusedNodeChanged>(browser, frame, node);
  }
};

class TCustomKeyboardHandler final : public TChromiumHandler<TCefKeyboardHandlerOwn> {
 public:
  using TChromiumHandler::TChromiumHandler;
  bool OnKeyEvent(const IPtr<ICefBrowser>& browser, TCefHandlerKeyEventType event, int code, int modifiers,
                  bool isSystemKey, bool isAfterJavaScript) override {
    return Forward<&IChromiumEvents::FireKeyEvent>(browser, event, code, modifiers, isSystemKey, isAfterJavaScript);
  }
};

class TCustomMenuHandler final : public TChromiumHandler<TCefMenuHandlerOwn> {
 public:
  using TChromiumHandler::TChromiumHandler;
  bool OnBeforeMenu(const IPtr<ICefBrowser>& browser, PCefMenuInfo menuInfo) override {
    return Forward<&IChromiumEvents::FireBeforeMenu>(browser, menuInfo);
  }
  void GetMenuLabel(const IPtr<ICefBrowser>& browser, TCefMenuId menuId, ustring& caption) override {
    Forward<&IChromiumEvents::FireGetMenuLabel>(browser, menuId, caption);  // the answer is dropped
  }
  bool OnMenuAction(const IPtr<ICefBrowser>& browser, TCefMenuId menuId) override {
    return Forward<&IChromiumEvents::FireMenuAction>(browser, menuId);
  }
};

class TCustomPermissionHandler final : public TChromiumHandler<TCefPermissionHandlerOwn> {
 public:
  using TChromiumHandler::TChromiumHandler;
  bool OnBeforeScriptExtensionLoad(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                   const ustring& extensionName) override {
    return Forward<&IChromiumEvents::FireBeforeScriptExtensionLoad>(browser, frame, extensionName);
  }
};

class TCustomPrintHandler final : public TChromiumHandler<TCefPrintHandlerOwn> {
 public:
  using TChromiumHandler::TChromiumHandler;
  bool GetPrintOptions(const IPtr<ICefBrowser>& browser, PCefPrintOptions printOptions) override {
    return Forward<&IChromiumEvents::FirePrintOptions>(browser, printOptions);
  }
  bool GetPrintHeaderFooter(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, PCefPrintInfo printInfo,
                            const ustring& url, const ustring& title, int currentPage, int maxPages, ustring& topLeft,
                            ustring& topCenter, ustring& topRight, ustring& bottomLeft, ustring& bottomCenter,
                            ustring& bottomRight) override {
    return Forward<&IChromiumEvents::FirePrintHeaderFooter>(browser, frame, printInfo, url, title, currentPage,
                                                            maxPages, topLeft, topCenter, topRight, bottomLeft,
                                                            bottomCenter, bottomRight);
  }
};

class TCustomFindHandler final : public TChromiumHandler<TCefFindHandlerOwn> {
 public:
  using TChromiumHandler::TChromiumHandler;
  void OnFindResult(const IPtr<ICefBrowser>& browser, int count, PCefRect selectionRect, bool identifier,
                    bool activeMatchOrdinal, bool finalUpdate) override {
    // The answer is dropped.
    Forward<&IChromiumEvents::FireFindResult>(browser, count, selectionRect, identifier, activeMatchOrdinal,
                                              finalUpdate);
  }
};

class TCustomJsDialogHandler final : public TChromiumHandler<TCefJsDialogHandlerOwn> {
 public:
  using TChromiumHandler::TChromiumHandler;
  bool OnJsAlert(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& message) override {
    return Forward<&IChromiumEvents::FireJsAlert>(browser, frame, message);
  }
  bool OnJsConfirm(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& message,
                   bool& retval) override {
    return Forward<&IChromiumEvents::FireJsConfirm>(browser, frame, message, retval);
  }
  bool OnJsPrompt(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& message,
                  const ustring& defaultValue, bool& retval, ustring& result) override {
    return Forward<&IChromiumEvents::FireJsPrompt>(browser, frame, message, defaultValue, retval, result);
  }
};

class TCustomV8ContextHandler final : public TChromiumHandler<TCefV8ContextHandlerOwn> {
 public:
  using TChromiumHandler::TChromiumHandler;
  void OnContextCreated(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                        const IPtr<ICefv8Context>& context) override {
    Forward<&IChromiumEvents::FireContextCreated>(browser, frame, context);
  }
  void OnContextReleased(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                         const IPtr<ICefv8Context>& context) override {
    Forward<&IChromiumEvents::FireContextReleased>(browser, frame, context);
  }
};

class TCustomRenderHandler final : public TChromiumHandler<TCefRenderHandlerOwn> {
 public:
  using TChromiumHandler::TChromiumHandler;
  bool GetViewRect(const IPtr<ICefBrowser>& browser, PCefRect rect) override {
    return Forward<&IChromiumEvents::FireGetViewRect>(browser, rect);
  }
  bool GetScreenRect(const IPtr<ICefBrowser>& browser, PCefRect rect) override {
    return Forward<&IChromiumEvents::FireGetScreenRect>(browser, rect);
  }
  bool GetScreenPoint(const IPtr<ICefBrowser>& browser, int viewX, int viewY, int& screenX, int& screenY) override {
    return Forward<&IChromiumEvents::FireGetScreenPoint>(browser, viewX, viewY, screenX, screenY);
  }
  void OnPopupShow(const IPtr<ICefBrowser>& browser, bool show) override {
    Forward<&IChromiumEvents::FirePopupShow>(browser, show);
  }
  void OnPopupSize(const IPtr<ICefBrowser>& browser, PCefRect rect) override {
    Forward<&IChromiumEvents::FirePopupSize>(browser, rect);
  }
  void OnPaint(const IPtr<ICefBrowser>& browser, TCefPaintElementType paintType, size_t dirtyRectsCount,
               const TCefRect* dirtyRects, const void* buffer) override {
    Forward<&IChromiumEvents::FirePaint>(browser, paintType, dirtyRectsCount, dirtyRects, buffer);
  }
  void OnCursorChange(const IPtr<ICefBrowser>& browser, TCefCursorHandle cursor) override {
    Forward<&IChromiumEvents::FireCursorChange>(browser, cursor);
  }
};

class TCustomDragHandler final : public TChromiumHandler<TCefDragHandlerOwn> {
 public:
  using TChromiumHandler::TChromiumHandler;
  bool OnDragStart(const IPtr<ICefBrowser>& browser, const IPtr<ICefDragData>& dragData,
                   TCefDragOperationsMask mask) override {
    return Forward<&IChromiumEvents::FireDragStart>(browser, dragData, mask);
  }
  bool OnDragEnter(const IPtr<ICefBrowser>& browser, const IPtr<ICefDragData>& dragData,
                   TCefDragOperationsMask mask) override {
    return Forward<&IChromiumEvents::FireDragEnter>(browser, dragData, mask);
  }
};

}  // namespace larkwell
