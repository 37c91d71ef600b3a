// The program objects the engine calls back: the client with its fourteen handler families,
// the download handler, and the application object with its proxy and resource-bundle handlers.
//
// Each class owns its engine structure (TCefBaseOwn) and fills every slot in its constructor
// with the generic entry of engine/cef_callback.h; the slot tables in handlers_own.cpp say,
// one line per slot, which method each slot reaches and what goes back to the engine. Every
// method has an empty default (no action, false, or no object) unless the class is abstract;
// derived classes override what they need.
#pragma once

#include "engine/cef_api.h"
#include "engine/cef_base.h"
#include "engine/cef_interfaces.h"

namespace larkwell {

class TCefClientOwn : public TCefBaseOwn {
 public:
  TCefClientOwn();
  // Each call hands the engine a new reference to what the getter returns at that moment.
  virtual IPtr<ICefBase> GetLifeSpanHandler();
  virtual IPtr<ICefBase> GetLoadHandler();
  virtual IPtr<ICefBase> GetRequestHandler();
  virtual IPtr<ICefBase> GetDisplayHandler();
  virtual IPtr<ICefBase> GetFocusHandler();
  virtual IPtr<ICefBase> GetKeyboardHandler();
  virtual IPtr<ICefBase> GetMenuHandler();
  virtual IPtr<ICefBase> GetPermissionHandler();
  virtual IPtr<ICefBase> GetPrintHandler();
  virtual IPtr<ICefBase> GetFindHandler();
  virtual IPtr<ICefBase> GetJsdialogHandler();
  virtual IPtr<ICefBase> GetV8contextHandler();
  virtual IPtr<ICefBase> GetRenderHandler();
  virtual IPtr<ICefBase> GetDragHandler();
};

class TCefLifeSpanHandlerOwn : public TCefBaseOwn {
 public:
  TCefLifeSpanHandlerOwn();
  // The URL, the client and the records may be changed for the pop-up about to be created.
  virtual bool OnBeforePopup(const IPtr<ICefBrowser>& parentBrowser, TCefPopupFeatures& popupFeatures,
                             TCefWindowInfo& windowInfo, ustring& url, IPtr<ICefBase>& client,
                             TCefBrowserSettings& settings);
  virtual void OnAfterCreated(const IPtr<ICefBrowser>& browser);
  virtual void OnBeforeClose(const IPtr<ICefBrowser>& browser);
  virtual bool RunModal(const IPtr<ICefBrowser>& browser);
  virtual bool DoClose(const IPtr<ICefBrowser>& browser);
};

class TCefLoadHandlerOwn : public TCefBaseOwn {
 public:
  TCefLoadHandlerOwn();
  virtual void OnLoadStart(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame);
  virtual void OnLoadEnd(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, int httpStatusCode);
  virtual bool OnLoadError(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, int errorCode,
                           const ustring& failedUrl, ustring& errorText);
};

class TCefRequestHandlerOwn : public TCefBaseOwn {
 public:
  TCefRequestHandlerOwn();
  virtual bool OnBeforeBrowse(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                              const IPtr<ICefRequest>& request, TCefHandlerNavtype navType, bool isRedirect);
  virtual bool OnBeforeResourceLoad(const IPtr<ICefBrowser>& browser, const IPtr<ICefRequest>& request,
                                    ustring& redirectUrl, IPtr<ICefStreamReader>& resourceStream,
                                    const IPtr<ICefResponse>& response, int loadFlags);
  // Leaves newUrl empty.
  virtual void OnResourceRedirect(const IPtr<ICefBrowser>& browser, const ustring& oldUrl, ustring& newUrl);
  virtual void OnResourceResponse(const IPtr<ICefBrowser>& browser, const ustring& url,
                                  const IPtr<ICefResponse>& response, IPtr<ICefBase>& filter);
  virtual bool OnProtocolExecution(const IPtr<ICefBrowser>& browser, const ustring& url, bool& allowOsExecution);
  virtual bool GetDownloadHandler(const IPtr<ICefBrowser>& browser, const ustring& mimeType,
                                  const ustring& fileName, int64_t contentLength,
                                  IPtr<ICefDownloadHandler>& handler);
  virtual bool GetAuthCredentials(const IPtr<ICefBrowser>& browser, bool isProxy, int port, const ustring& host,
                                  const ustring& realm, const ustring& scheme, ustring& username,
                                  ustring& password);
};

class TCefDisplayHandlerOwn : public TCefBaseOwn {
 public:
  TCefDisplayHandlerOwn();
  virtual void OnNavStateChange(const IPtr<ICefBrowser>& browser, bool canGoBack, bool canGoForward);
  virtual void OnAddressChange(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& url);
  virtual void OnContentsSizeChange(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, int width,
                                    int height);
  virtual void OnTitleChange(const IPtr<ICefBrowser>& browser, const ustring& title);
  virtual bool OnTooltip(const IPtr<ICefBrowser>& browser, ustring& text);
  virtual void OnStatusMessage(const IPtr<ICefBrowser>& browser, const ustring& value,
                               TCefHandlerStatusType statusType);
  virtual bool OnConsoleMessage(const IPtr<ICefBrowser>& browser, const ustring& message, const ustring& source,
                                int line);
};

class TCefFocusHandlerOwn : public TCefBaseOwn {
 public:
  TCefFocusHandlerOwn();
  virtual void OnTakeFocus(const IPtr<ICefBrowser>& browser, bool next);
  virtual bool OnSetFocus(const IPtr<ICefBrowser>& browser, TCefHandlerFocusSource source);
  virtual void OnFocusedNodeChanged(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                    const IPtr<ICefDomNode>& node);
};

class TCefKeyboardHandlerOwn : public TCefBaseOwn {
 public:
  TCefKeyboardHandlerOwn();
  virtual bool OnKeyEvent(const IPtr<ICefBrowser>& browser, TCefHandlerKeyEventType event, int code, int modifiers,
                          bool isSystemKey, bool isAfterJavaScript);
};

class TCefMenuHandlerOwn : public TCefBaseOwn {
 public:
  TCefMenuHandlerOwn();
  virtual bool OnBeforeMenu(const IPtr<ICefBrowser>& browser, PCefMenuInfo menuInfo);
  virtual void GetMenuLabel(const IPtr<ICefBrowser>& browser, TCefMenuId menuId, ustring& caption);
  virtual bool OnMenuAction(const IPtr<ICefBrowser>& browser, TCefMenuId menuId);
};

class TCefPermissionHandlerOwn : public TCefBaseOwn {
 public:
  TCefPermissionHandlerOwn();
  virtual bool OnBeforeScriptExtensionLoad(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                           const ustring& extensionName);
};

class TCefPrintHandlerOwn : public TCefBaseOwn {
 public:
  TCefPrintHandlerOwn();
  virtual bool GetPrintOptions(const IPtr<ICefBrowser>& browser, PCefPrintOptions printOptions);
  virtual bool GetPrintHeaderFooter(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                    PCefPrintInfo printInfo, const ustring& url, const ustring& title,
                                    int currentPage, int maxPages, ustring& topLeft, ustring& topCenter,
                                    ustring& topRight, ustring& bottomLeft, ustring& bottomCenter,
                                    ustring& bottomRight);
};

class TCefFindHandlerOwn : public TCefBaseOwn {
 public:
  TCefFindHandlerOwn();
  virtual void OnFindResult(const IPtr<ICefBrowser>& browser, int count, PCefRect selectionRect, bool identifier,
                            bool activeMatchOrdinal, bool finalUpdate);
};

class TCefJsDialogHandlerOwn : public TCefBaseOwn {
 public:
  TCefJsDialogHandlerOwn();
  virtual bool OnJsAlert(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& message);
  virtual bool OnJsConfirm(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& message,
                           bool& retval);
  virtual bool OnJsPrompt(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, const ustring& message,
                          const ustring& defaultValue, bool& retval, ustring& result);
};

class TCefV8ContextHandlerOwn : public TCefBaseOwn {
 public:
  TCefV8ContextHandlerOwn();
  virtual void OnContextCreated(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                const IPtr<ICefv8Context>& context);
  virtual void OnContextReleased(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame,
                                 const IPtr<ICefv8Context>& context);
};

class TCefRenderHandlerOwn : public TCefBaseOwn {
 public:
  TCefRenderHandlerOwn();
  virtual bool GetViewRect(const IPtr<ICefBrowser>& browser, PCefRect rect);
  virtual bool GetScreenRect(const IPtr<ICefBrowser>& browser, PCefRect rect);
  virtual bool GetScreenPoint(const IPtr<ICefBrowser>& browser, int viewX, int viewY, int& screenX, int& screenY);
  virtual void OnPopupShow(const IPtr<ICefBrowser>& browser, bool show);
  virtual void OnPopupSize(const IPtr<ICefBrowser>& browser, PCefRect rect);
  virtual void OnPaint(const IPtr<ICefBrowser>& browser, TCefPaintElementType paintType, size_t dirtyRectsCount,
                       const TCefRect* dirtyRects, const void* buffer);
  virtual void OnCursorChange(const IPtr<ICefBrowser>& browser, TCefCursorHandle cursor);
};

class TCefDragHandlerOwn : public TCefBaseOwn {
 public:
  TCefDragHandlerOwn();
  virtual bool OnDragStart(const IPtr<ICefBrowser>& browser, const IPtr<ICefDragData>& dragData,
                           TCefDragOperationsMask mask);
  virtual bool OnDragEnter(const IPtr<ICefBrowser>& browser, const IPtr<ICefDragData>& dragData,
                           TCefDragOperationsMask mask);
};

// Abstract: a class that is instantiated implements both methods.
class TCefDownloadHandlerOwn : public TCefBaseOwn, public ICefDownloadHandler {
 public:
  TCefDownloadHandlerOwn();
};

// Abstract: the application object hands out its proxy and resource-bundle handlers.
class TCefAppOwn : public TCefBaseOwn, public ICefApp {
 public:
  TCefAppOwn();
};

// Abstract.
class TCefProxyHandlerOwn : public TCefBaseOwn, public ICefProxyHandler {
 public:
  TCefProxyHandlerOwn();
};

// Abstract.
class TCefResourceBundleHandlerOwn : public TCefBaseOwn, public ICefResourceBundleHandler {
 public:
  TCefResourceBundleHandlerOwn();
};

}  // namespace larkwell
