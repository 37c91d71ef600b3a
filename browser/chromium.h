// The browser control: a windowed control whose client area is covered by one engine browser.
//
// TCustomChromium has all behaviour; TChromium publishes the properties for stored forms. The
// control creates its client (a TVCLClientHandler) when constructed and a new browser every time
// its own window is made; every engine callback that reaches the client's handlers ends in one
// of its event properties. It implements IChromiumEvents without reference counting: the form
// that owns it frees it, and the handlers' references do not keep it alive.
#pragma once

#include <cstdint>
#include <memory>

#include "browser/chromium_events.h"
#include "browser/chromium_options.h"
#include "engine/cef_interfaces.h"
#include "framework/forms/properties.h"
#include "framework/ui/win_control.h"

namespace larkwell {

// What BrowserHandle reads before the first browser exists.
inline const TCefWindowHandle kNoBrowserHandle = reinterpret_cast<TCefWindowHandle>(static_cast<intptr_t>(-1));

class TCustomChromium : public TWinControl, public IChromiumEvents {
 public:
  // A designing control gets no client and never a browser.
  explicit TCustomChromium(bool designing = false);
  // Tells the browser its parent window will close, makes the client release its handlers,
  // releases browser and client, then destroys the window with the browser's child window.
  ~TCustomChromium() override;

  // Makes sure the window (and with it a browser) exists, then loads `url` in the main frame.
  // Without a browser, or a main frame, the address is dropped.
  void Load(const ustring& url);
  // Throws the browser away (its window closed and destroyed), creates a new one with the
  // current settings and loads `url`. Nothing without a browser, or with one that has no window
  // (handle 0).
  void ReCreateBrowser(const ustring& url);

  const IPtr<ICefBrowser>& Browser() const noexcept { return FBrowser; }
  // The browser's window; kNoBrowserHandle before the first browser, 0 while re-creating.
  TCefWindowHandle BrowserHandle() const noexcept { return FBrowserHandle; }

  const ustring& DefaultUrl() const noexcept { return FDefaultUrl; }
  void SetDefaultUrl(const ustring& url) { FDefaultUrl = url; }
  const ustring& DefaultEncoding() const noexcept { return FDefaultEncoding; }
  void SetDefaultEncoding(const ustring& value) { FDefaultEncoding = value; }
  const ustring& UserStyleSheetLocation() const noexcept { return FUserStyleSheetLocation; }
  void SetUserStyleSheetLocation(const ustring& value) { FUserStyleSheetLocation = value; }

  // The control owns its options. Assigning hands a new object over (the old one is freed);
  // the settings are read only when a browser is created.
  TChromiumOptions& Options() noexcept { return *FOptions; }
  void SetOptions(std::unique_ptr<TChromiumOptions> options);
  TChromiumFontOptions& FontOptions() noexcept { return *FFontOptions; }

  void Loaded() override;

  // ---- IChromiumEvents: one raise method per event ----
  void FillBrowserSettings(TCefBrowserSettings& settings) override;
  bool FireBeforePopup(const IPtr<ICefBrowser>& parentBrowser, TCefPopupFeatures& popupFeatures,
                       TCefWindowInfo& windowInfo, ustring& url, IPtr<ICefBase>& client) override {
    return RaiseAnswering(FOnBeforePopup, parentBrowser, popupFeatures, windowInfo, url, client);
  }
  void FireAfterCreated(const IPtr<ICefBrowser>& browser) override { Raise(FOnAfterCreated, browser); }
  bool FireBeforeClose(const IPtr<ICefBrowser>& browser) override { return RaiseAnswering(FOnBeforeClose, browser); }
  bool FireClose(const IPtr<ICefBrowser>& browser) override { return RaiseAnswering(FOnClose, browser); }
  bool FireRunModal(const IPtr<ICefBrowser>& browser) override { return RaiseAnswering(FOnRunModal, browser); }
  void FireLoadStart(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame) override {
    Raise(FOnLoadStart, browser, frame);
  }
  bool FireLoadEnd(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, int httpStatusCode) override {
    return RaiseAnswering(FOnLoadEnd, browser, frame, httpStatusCode);
  }
  bool FireLoadError(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, int errorCode,
                     const ustring& failedUrl, ustring& errorText) override {
    return RaiseAnswering(FOnLoadError, browser, frame, errorCode, failedUrl, errorText);
  }
  bool FireAuthCredentials(const IPtr<ICefBrowser>& browser, bool isProxy, int Port, const ustring& host,
                           const ustring& realm, const ustring& scheme, ustring& username, ustring& password) override {
    return RaiseAnswering(FOnAuthCredentials, browser, isProxy, Port, host, realm, scheme, username, password);
  }
  bool FireGetDownloadHandler(const IPtr<ICefBrowser>& browser, const ustring& mimeType, const ustring& fileName,
                              int64_t contentLength, IPtr<ICefDownloadHandler>& handler) override {
    return RaiseAnswering(FOnGetDownloadHandler, browser, mimeType, fileName, contentLength, handler);
  }
  bool FireBeforeBrowse(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                        const IPtr<ICefRequest>& request, TCefHandlerNavtype navType, bool isRedirect) override {
    return RaiseAnswering(FOnBeforeBrowse, browser, frame, request, navType, isRedirect);
  }
  bool FireBeforeResourceLoad(const IPtr<ICefBrowser>& browser, const IPtr<ICefRequest>& request, ustring& redirectUrl,
                              IPtr<ICefStreamReader>& resourceStream, const IPtr<ICefResponse>& response,
                              int loadFlags) override {
    return RaiseAnswering(FOnBeforeResourceLoad, browser, request, redirectUrl, resourceStream, response, loadFlags);
  }
  bool FireProtocolExecution(const IPtr<ICefBrowser>& browser, const ustring& url, bool& AllowOsExecution) override {
    return RaiseAnswering(FOnProtocolExecution, browser, url, AllowOsExecution);
  }
  // The one place of the rule that a redirect's new address starts empty, whatever came in: here
  // it holds for every caller, so a handler that assigns nothing gives the engine no address.
  void FireResourceRedirect(const IPtr<ICefBrowser>& browser, const ustring& oldurl, ustring& newurl) override {
    newurl.clear();
    Raise(FOnResourceRedirect, browser, oldurl, newurl);
  }
  void FireResourceResponse(const IPtr<ICefBrowser>& browser, const ustring& url, const IPtr<ICefResponse>& response,
                            IPtr<ICefBase>& filter) override {
    Raise(FOnResourceResponse, browser, url, response, filter);
  }
  void FireAddressChange(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& url) override {
    Raise(FOnAddressChange, browser, frame, url);
  }
  void FireContentsSizeChange(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, int width,
                              int height) override {
    Raise(FOnContentsSizeChange, browser, frame, width, height);
  }
  bool FireConsoleMessage(const IPtr<ICefBrowser>& browser, const ustring& message, const ustring& source,
                          int line) override {
    return RaiseAnswering(FOnConsoleMessage, browser, message, source, line);
  }
  bool FireNavStateChange(const IPtr<ICefBrowser>& browser, bool canGoBack, bool canGoForward) override {
    return RaiseAnswering(FOnNavStateChange, browser, canGoBack, canGoForward);
  }
  bool FireStatusMessage(const IPtr<ICefBrowser>& browser, const ustring& value,
                         TCefHandlerStatusType StatusType) override {
    return RaiseAnswering(FOnStatusMessage, browser, value, StatusType);
  }
  bool FireTitleChange(const IPtr<ICefBrowser>& browser, const ustring& title) override {
    return RaiseAnswering(FOnTitleChange, browser, title);
  }
  bool FireTooltip(const IPtr<ICefBrowser>& browser, ustring& text) override {
    return RaiseAnswering(FOnTooltip, browser, text);
  }
  void FireTakeFocus(const IPtr<ICefBrowser>& browser, bool next) override { Raise(FOnTakeFocus, browser, next); }
  bool FireSetFocus(const IPtr<ICefBrowser>& browser, TCefHandlerFocusSource source) override {
    return RaiseAnswering(FOnSetFocus, browser, source);
  }
  void FireFocusedNodeChanged(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                              const IPtr<ICefDomNode>& node) override {
    Raise(FOnFocusedNodeChanged, browser, frame, node);
  }
  bool FireKeyEvent(const IPtr<ICefBrowser>& browser, TCefHandlerKeyEventType event, int code, int modifiers,
                    bool isSystemKey, bool isAfterJavaScript) override {
    return RaiseAnswering(FOnKeyEvent, browser, event, code, modifiers, isSystemKey, isAfterJavaScript);
  }
  bool FireBeforeMenu(const IPtr<ICefBrowser>& browser, PCefMenuInfo menuInfo) override {
    return RaiseAnswering(FOnBeforeMenu, browser, menuInfo);
  }
  bool FireGetMenuLabel(const IPtr<ICefBrowser>& browser, TCefMenuId menuId, ustring& caption) override {
    return RaiseAnswering(FOnGetMenuLabel, browser, menuId, caption);
  }
  bool FireMenuAction(const IPtr<ICefBrowser>& browser, TCefMenuId menuId) override {
    return RaiseAnswering(FOnMenuAction, browser, menuId);
  }
  bool FireBeforeScriptExtensionLoad(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                     const ustring& extensionName) override {
    return RaiseAnswering(FOnBeforeScriptExtensionLoad, browser, frame, extensionName);
  }
  bool FirePrintHeaderFooter(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, PCefPrintInfo printInfo,
                             const ustring& url, const ustring& title, int currentPage, int maxPages, ustring& topLeft,
                             ustring& topCenter, ustring& topRight, ustring& bottomLeft, ustring& bottomCenter,
                             ustring& bottomRight) override {
    return RaiseAnswering(FOnPrintHeaderFooter, browser, frame, printInfo, url, title, currentPage, maxPages, topLeft,
                          topCenter, topRight, bottomLeft, bottomCenter, bottomRight);
  }
  bool FirePrintOptions(const IPtr<ICefBrowser>& browser, PCefPrintOptions printOptions) override {
    return RaiseAnswering(FOnPrintOptions, browser, printOptions);
  }
  bool FireJsAlert(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& message) override {
    return RaiseAnswering(FOnJsAlert, browser, frame, message);
  }
  bool FireJsConfirm(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& message,
                     bool& retval) override {
    return RaiseAnswering(FOnJsConfirm, browser, frame, message, retval);
  }
  bool FireJsPrompt(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& message,
                    const ustring& defaultValue, bool& retval, ustring& result) override {
    return RaiseAnswering(FOnJsPrompt, browser, frame, message, defaultValue, retval, result);
  }
  bool FireJsBinding(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                     const IPtr<ICefv8Value>& obj) override {
    return RaiseAnswering(FOnJsBinding, browser, frame, obj);
  }
  bool FireFindResult(const IPtr<ICefBrowser>& browser, int count, PCefRect selectionRect, bool identifier,
                      bool activeMatchOrdinal, bool finalUpdate) override {
    return RaiseAnswering(FOnFindResult, browser, count, selectionRect, identifier, activeMatchOrdinal, finalUpdate);
  }
  void FireContextCreated(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                          const IPtr<ICefv8Context>& context) override {
    Raise(FOnContextCreated, browser, frame, context);
  }
  void FireContextReleased(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                           const IPtr<ICefv8Context>& context) override {
    Raise(FOnContextReleased, browser, frame, context);
  }
  bool FireGetViewRect(const IPtr<ICefBrowser>&, PCefRect) override { return false; }
  bool FireGetScreenRect(const IPtr<ICefBrowser>&, PCefRect) override { return false; }
  bool FireGetScreenPoint(const IPtr<ICefBrowser>&, int, int, int&, int&) override { return false; }
  void FirePopupShow(const IPtr<ICefBrowser>&, bool) override {}
  void FirePopupSize(const IPtr<ICefBrowser>&, PCefRect) override {}
  void FirePaint(const IPtr<ICefBrowser>&, TCefPaintElementType, size_t, const TCefRect*, const void*) override {}
  void FireCursorChange(const IPtr<ICefBrowser>&, TCefCursorHandle) override {}
  bool FireDragStart(const IPtr<ICefBrowser>& browser, const IPtr<ICefDragData>& dragData,
                     TCefDragOperationsMask mask) override {
    return RaiseAnswering(FOnDragStart, browser, dragData, mask);
  }
  bool FireDragEnter(const IPtr<ICefBrowser>& browser, const IPtr<ICefDragData>& dragData,
                     TCefDragOperationsMask mask) override {
    return RaiseAnswering(FOnDragEnter, browser, dragData, mask);
  }

  // ---- the event properties ----
  // Events come on the engine's threads as well as on the user-interface thread. A handler on an
  // engine thread may send messages to the control's windows (set a text, SendMessage), also
  // while the control is being destroyed: the destruction waits for such calls to return and
  // handles the messages sent to its thread meanwhile (TVCLClientHandler::WhileWaitingForCalls).
  const TOnBeforePopup& OnBeforePopup() const noexcept { return FOnBeforePopup; }
  void SetOnBeforePopup(TOnBeforePopup handler) { FOnBeforePopup = std::move(handler); }
  const TOnAfterCreated& OnAfterCreated() const noexcept { return FOnAfterCreated; }
  void SetOnAfterCreated(TOnAfterCreated handler) { FOnAfterCreated = std::move(handler); }
  const TOnBeforeClose& OnBeforeClose() const noexcept { return FOnBeforeClose; }
  void SetOnBeforeClose(TOnBeforeClose handler) { FOnBeforeClose = std::move(handler); }
  const TOnClose& OnClose() const noexcept { return FOnClose; }
  void SetOnClose(TOnClose handler) { FOnClose = std::move(handler); }
  const TOnRunModal& OnRunModal() const noexcept { return FOnRunModal; }
  void SetOnRunModal(TOnRunModal handler) { FOnRunModal = std::move(handler); }
  const TOnLoadStart& OnLoadStart() const noexcept { return FOnLoadStart; }
  void SetOnLoadStart(TOnLoadStart handler) { FOnLoadStart = std::move(handler); }
  const TOnLoadEnd& OnLoadEnd() const noexcept { return FOnLoadEnd; }
  void SetOnLoadEnd(TOnLoadEnd handler) { FOnLoadEnd = std::move(handler); }
  const TOnLoadError& OnLoadError() const noexcept { return FOnLoadError; }
  void SetOnLoadError(TOnLoadError handler) { FOnLoadError = std::move(handler); }
  const TOnAuthCredentials& OnAuthCredentials() const noexcept { return FOnAuthCredentials; }
  void SetOnAuthCredentials(TOnAuthCredentials handler) { FOnAuthCredentials = std::move(handler); }
  const TOnGetDownloadHandler& OnGetDownloadHandler() const noexcept { return FOnGetDownloadHandler; }
  void SetOnGetDownloadHandler(TOnGetDownloadHandler handler) { FOnGetDownloadHandler = std::move(handler); }
  const TOnBeforeBrowse& OnBeforeBrowse() const noexcept { return FOnBeforeBrowse; }
  void SetOnBeforeBrowse(TOnBeforeBrowse handler) { FOnBeforeBrowse = std::move(handler); }
  const TOnBeforeResourceLoad& OnBeforeResourceLoad() const noexcept { return FOnBeforeResourceLoad; }
  void SetOnBeforeResourceLoad(TOnBeforeResourceLoad handler) { FOnBeforeResourceLoad = std::move(handler); }
  const TOnProtocolExecution& OnProtocolExecution() const noexcept { return FOnProtocolExecution; }
  void SetOnProtocolExecution(TOnProtocolExecution handler) { FOnProtocolExecution = std::move(handler); }
  const TOnResourceRedirect& OnResourceRedirect() const noexcept { return FOnResourceRedirect; }
  void SetOnResourceRedirect(TOnResourceRedirect handler) { FOnResourceRedirect = std::move(handler); }
  const TOnResourceResponse& OnResourceResponse() const noexcept { return FOnResourceResponse; }
  void SetOnResourceResponse(TOnResourceResponse handler) { FOnResourceResponse = std::move(handler); }
  const TOnAddressChange& OnAddressChange() const noexcept { return FOnAddressChange; }
  void SetOnAddressChange(TOnAddressChange handler) { FOnAddressChange = std::move(handler); }
  const TOnContentsSizeChange& OnContentsSizeChange() const noexcept { return FOnContentsSizeChange; }
  void SetOnContentsSizeChange(TOnContentsSizeChange handler) { FOnContentsSizeChange = std::move(handler); }
  const TOnConsoleMessage& OnConsoleMessage() const noexcept { return FOnConsoleMessage; }
  void SetOnConsoleMessage(TOnConsoleMessage handler) { FOnConsoleMessage = std::move(handler); }
  const TOnNavStateChange& OnNavStateChange() const noexcept { return FOnNavStateChange; }
  void SetOnNavStateChange(TOnNavStateChange handler) { FOnNavStateChange = std::move(handler); }
  const TOnStatusMessage& OnStatusMessage() const noexcept { return FOnStatusMessage; }
  void SetOnStatusMessage(TOnStatusMessage handler) { FOnStatusMessage = std::move(handler); }
  const TOnTitleChange& OnTitleChange() const noexcept { return FOnTitleChange; }
  void SetOnTitleChange(TOnTitleChange handler) { FOnTitleChange = std::move(handler); }
  const TOnTooltip& OnTooltip() const noexcept { return FOnTooltip; }
  void SetOnTooltip(TOnTooltip handler) { FOnTooltip = std::move(handler); }
  const TOnTakeFocus& OnTakeFocus() const noexcept { return FOnTakeFocus; }
  void SetOnTakeFocus(TOnTakeFocus handler) { FOnTakeFocus = std::move(handler); }
  const TOnSetFocus& OnSetFocus() const noexcept { return FOnSetFocus; }
  void SetOnSetFocus(TOnSetFocus handler) { FOnSetFocus = std::move(handler); }
  const TOnFocusedNodeChanged& OnFocusedNodeChanged() const noexcept { return FOnFocusedNodeChanged; }
  void SetOnFocusedNodeChanged(TOnFocusedNodeChanged handler) { FOnFocusedNodeChanged = std::move(handler); }
  const TOnKeyEvent& OnKeyEvent() const noexcept { return FOnKeyEvent; }
  void SetOnKeyEvent(TOnKeyEvent handler) { FOnKeyEvent = std::move(handler); }
  const TOnBeforeMenu& OnBeforeMenu() const noexcept { return FOnBeforeMenu; }
  void SetOnBeforeMenu(TOnBeforeMenu handler) { FOnBeforeMenu = std::move(handler); }
  const TOnGetMenuLabel& OnGetMenuLabel() const noexcept { return FOnGetMenuLabel; }
  void SetOnGetMenuLabel(TOnGetMenuLabel handler) { FOnGetMenuLabel = std::move(handler); }
  const TOnMenuAction& OnMenuAction() const noexcept { return FOnMenuAction; }
  void SetOnMenuAction(TOnMenuAction handler) { FOnMenuAction = std::move(handler); }
  const TOnBeforeScriptExtensionLoad& OnBeforeScriptExtensionLoad() const noexcept {
    return FOnBeforeScriptExtensionLoad;
  }
  void SetOnBeforeScriptExtensionLoad(TOnBeforeScriptExtensionLoad handler) {
    FOnBeforeScriptExtensionLoad = std::move(handler);
  }
  const TOnPrintHeaderFooter& OnPrintHeaderFooter() const noexcept { return FOnPrintHeaderFooter; }
  void SetOnPrintHeaderFooter(TOnPrintHeaderFooter handler) { FOnPrintHeaderFooter = std::move(handler); }
  const TOnPrintOptions& OnPrintOptions() const noexcept { return FOnPrintOptions; }
  void SetOnPrintOptions(TOnPrintOptions handler) { FOnPrintOptions = std::move(handler); }
  const TOnJsAlert& OnJsAlert() const noexcept { return FOnJsAlert; }
  void SetOnJsAlert(TOnJsAlert handler) { FOnJsAlert = std::move(handler); }
  const TOnJsConfirm& OnJsConfirm() const noexcept { return FOnJsConfirm; }
  void SetOnJsConfirm(TOnJsConfirm handler) { FOnJsConfirm = std::move(handler); }
  const TOnJsPrompt& OnJsPrompt() const noexcept { return FOnJsPrompt; }
  void SetOnJsPrompt(TOnJsPrompt handler) { FOnJsPrompt = std::move(handler); }
  const TOnJsBinding& OnJsBinding() const noexcept { return FOnJsBinding; }
  void SetOnJsBinding(TOnJsBinding handler) { FOnJsBinding = std::move(handler); }
  const TOnFindResult& OnFindResult() const noexcept { return FOnFindResult; }
  void SetOnFindResult(TOnFindResult handler) { FOnFindResult = std::move(handler); }
  const TOnContextEvent& OnContextCreated() const noexcept { return FOnContextCreated; }
  void SetOnContextCreated(TOnContextEvent handler) { FOnContextCreated = std::move(handler); }
  const TOnContextEvent& OnContextReleased() const noexcept { return FOnContextReleased; }
  void SetOnContextReleased(TOnContextEvent handler) { FOnContextReleased = std::move(handler); }
  const TOnDragEvent& OnDragStart() const noexcept { return FOnDragStart; }
  void SetOnDragStart(TOnDragEvent handler) { FOnDragStart = std::move(handler); }
  const TOnDragEvent& OnDragEnter() const noexcept { return FOnDragEnter; }
  void SetOnDragEnter(TOnDragEvent handler) { FOnDragEnter = std::move(handler); }

  // ---- IInterface, without counting ----
  bool QueryInterface(const TGUID& iid, void** out) noexcept override;
  int32_t AddRef() noexcept override { return 1; }
  int32_t Release() noexcept override { return 1; }

 protected:
  // After the framework has made the window: a new browser in it.
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  // Moves the browser's window to the client rectangle, in one deferred batch.
  void Resize() override;

  IPtr<ICefBase> FHandler;  // the client; empty while designing
  IPtr<ICefBrowser> FBrowser;
  TCefWindowHandle FBrowserHandle = kNoBrowserHandle;
  ustring FDefaultUrl;
  TOnBeforePopup FOnBeforePopup{};
  TOnAfterCreated FOnAfterCreated{};
  TOnBeforeClose FOnBeforeClose{};
  TOnClose FOnClose{};
  TOnRunModal FOnRunModal{};
  TOnLoadStart FOnLoadStart{};
  TOnLoadEnd FOnLoadEnd{};
  TOnLoadError FOnLoadError{};
  TOnAuthCredentials FOnAuthCredentials{};
  TOnGetDownloadHandler FOnGetDownloadHandler{};
  TOnBeforeBrowse FOnBeforeBrowse{};
  TOnBeforeResourceLoad FOnBeforeResourceLoad{};
  TOnProtocolExecution FOnProtocolExecution{};
  TOnResourceRedirect FOnResourceRedirect{};
  TOnResourceResponse FOnResourceResponse{};
  TOnAddressChange FOnAddressChange{};
  TOnContentsSizeChange FOnContentsSizeChange{};
  TOnConsoleMessage FOnConsoleMessage{};
  TOnNavStateChange FOnNavStateChange{};
  TOnStatusMessage FOnStatusMessage{};
  TOnTitleChange FOnTitleChange{};
  TOnTooltip FOnTooltip{};
  TOnTakeFocus FOnTakeFocus{};
  TOnSetFocus FOnSetFocus{};
  TOnFocusedNodeChanged FOnFocusedNodeChanged{};
  TOnKeyEvent FOnKeyEvent{};
  TOnBeforeMenu FOnBeforeMenu{};
  TOnGetMenuLabel FOnGetMenuLabel{};
  TOnMenuAction FOnMenuAction{};
  TOnBeforeScriptExtensionLoad FOnBeforeScriptExtensionLoad{};
  TOnPrintHeaderFooter FOnPrintHeaderFooter{};
  TOnPrintOptions FOnPrintOptions{};
  TOnJsAlert FOnJsAlert{};
  TOnJsConfirm FOnJsConfirm{};
  TOnJsPrompt FOnJsPrompt{};
  TOnJsBinding FOnJsBinding{};
  TOnFindResult FOnFindResult{};
  TOnContextEvent FOnContextCreated{};
  TOnContextEvent FOnContextReleased{};
  TOnDragEvent FOnDragStart{};
  TOnDragEvent FOnDragEnter{};
  std::unique_ptr<TChromiumOptions> FOptions;
  ustring FUserStyleSheetLocation;
  ustring FDefaultEncoding;
  std::unique_ptr<TChromiumFontOptions> FFontOptions;

 private:
  // The one rule of every raise: the result starts false, and the event is called only when
  // assigned, with the control as Sender and the arguments as they came (in/out ones by reference).
  template <class Event, class... A>
  bool RaiseAnswering(const Event& event, A&... args) {
    bool result = false;
    if (event) event(this, args..., result);
    return result;
  }
  template <class Event, class... A>
  void Raise(const Event& event, A&... args) {
    if (event) event(this, args...);
  }

  // Creates the browser in the control's window (every time the window is made).
  void CreateBrowserWindow();
};

class TChromium : public TCustomChromium {
 public:
  using TCustomChromium::TCustomChromium;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

// Forms that name TChromium find it once this header is part of the program.
inline const TClassRegistration<TChromium> kRegisterTChromium;

}  // namespace larkwell
