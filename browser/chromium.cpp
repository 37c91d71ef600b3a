#include "browser/chromium.h"

#include <cstring>
#include <exception>
#include <utility>

#include "browser/browser_settings.h"
#include "browser/vcl_client_handler.h"
#include "core/exceptions.h"
#include "engine/loader.h"
#include "framework/ui/application.h"

namespace larkwell {

void TCustomChromium::FillBrowserSettings(TCefBrowserSettings& settings) {
  larkwell::FillBrowserSettings(settings, *FOptions, *FFontOptions, FDefaultEncoding, FUserStyleSheetLocation);
}

bool TCustomChromium::QueryInterface(const TGUID& iid, void** out) noexcept {
  *out = nullptr;
  if (InterfaceCaster caster = FindInterfaceCaster(iid)) *out = caster(static_cast<IChromiumEvents*>(this));
  return *out != nullptr;
}

// ---- life ----------------------------------------------------------------------------------

TCustomChromium::TCustomChromium(bool designing)
    : FOptions(std::make_unique<TChromiumOptions>()), FFontOptions(std::make_unique<TChromiumFontOptions>()) {
  SetDesigning(designing);
  SetColor(clWindow);
  if (!designing) FHandler = New<TVCLClientHandler>(IPtr<IChromiumEvents>::CopyFrom(this));
}

TCustomChromium::~TCustomChromium() {
  if (FBrowser) FBrowser->ParentWindowWillClose();
  // Every client this control makes can release its handlers; another kind of client is only let go.
  if (IPtr<ICefClientTeardown> teardown = Query<ICefClientTeardown>(FHandler)) teardown->ReleaseHandlers();
  FHandler.Reset();
  FBrowser.Reset();
  // The window goes in the base destructor, the browser's child window with it.
}

void TCustomChromium::SetOptions(std::unique_ptr<TChromiumOptions> options) {
  if (options) FOptions = std::move(options);
}

void TCustomChromium::Loaded() {
  TWinControl::Loaded();
  Load(FDefaultUrl);
}

// ---- the browser ---------------------------------------------------------------------------

void TCustomChromium::CreateWindowHandle(const TCreateParams& params) {
  TWinControl::CreateWindowHandle(params);
  CreateBrowserWindow();
}

void TCustomChromium::CreateBrowserWindow() {
  if (Designing()) return;
  TCefWindowInfo info;
  std::memset(&info, 0, sizeof info);
  RECT client;
  GetClientRect(Handle(), &client);
  info.ExStyle = 0;
  info.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP;
  info.WndParent = Handle();
  info.x = client.left;
  info.y = client.top;
  info.Width = client.right - client.left;
  info.Height = client.bottom - client.top;

  TCefBrowserSettings settings;
  std::memset(&settings, 0, sizeof settings);
  settings.size = sizeof settings;
  FillBrowserSettings(settings);

  FBrowser = CefBrowserCreateSync(&info, CefWrap<TCefClient>(FHandler), ustring(), &settings);
  if (!FBrowser) {
    // The control goes on without a browser: nothing is read from a missing one, and the user
    // hears why the page stays empty. Raising here would leave a window procedure.
    FBrowserHandle = kNoBrowserHandle;
    Application().HandleException(std::make_exception_ptr(ECefException(u"The engine created no browser")));
    return;
  }
  FBrowserHandle = FBrowser->GetWindowHandle();
}

void TCustomChromium::Load(const ustring& url) {
  if (Designing()) return;
  HandleNeeded();
  if (!FBrowser) return;
  if (IPtr<ICefFrame> frame = FBrowser->GetMainFrame()) frame->LoadUrl(url);
}

void TCustomChromium::ReCreateBrowser(const ustring& url) {
  if (!FBrowser || FBrowserHandle == nullptr) return;
  FBrowser->ParentWindowWillClose();
  HWND old = static_cast<HWND>(FBrowserHandle);
  SendMessageW(old, WM_CLOSE, 0, 0);
  SendMessageW(old, WM_DESTROY, 0, 0);
  FBrowserHandle = nullptr;
  FBrowser.Reset();
  CreateBrowserWindow();
  Load(url);
}

void TCustomChromium::Resize() {
  TWinControl::Resize();
  if (Designing()) return;
  const IPtr<ICefBrowser> browser = FBrowser;  // kept while the window moves
  if (!browser || FBrowserHandle == kNoBrowserHandle || !HandleAllocated()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  HDWP batch = BeginDeferWindowPos(1);
  if (!batch) return;
  // A positioning that fails frees the batch itself; one that works is ended here.
  batch = DeferWindowPos(batch, static_cast<HWND>(FBrowserHandle), nullptr, client.left, client.top,
                         client.right - client.left, client.bottom - client.top, SWP_NOZORDER);
  if (batch) EndDeferWindowPos(batch);
}

void TCustomChromium::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_SETFOCUS:
      if (FBrowser && FBrowserHandle != nullptr) {
        PostMessageW(static_cast<HWND>(FBrowserHandle), WM_SETFOCUS, message.WParam, 0);
      }
      break;
    case WM_ERASEBKGND:
      // The browser paints its own background.
      if (!Designing() && FBrowser) {
        message.Result = 0;
        return;
      }
      break;
    case WM_GETDLGCODE:
      message.Result = DLGC_WANTARROWS;
      return;
    case CM_WANTSPECIALKEY:
      // The arrows get the default answer; every other key is the browser's (Tab, Enter, ...).
      if (message.WParam >= VK_LEFT && message.WParam <= VK_DOWN) break;
      message.Result = 1;
      return;
    default:
      break;
  }
  TWinControl::WndProc(message);
}

// ---- the published surface -----------------------------------------------------------------

const TClassInfo& TChromium::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassInfoBuilder<TChromium> builder(u"TChromium", TWinControl::StaticClassInfo());
    builder.Field<&TChromium::FDefaultUrl>(u"DefaultUrl", u"");
    // Made in the window's colour (see the constructor): that is the colour a stored form leaves out.
    builder.Value<&TChromium::Color, &TChromium::SetColor>(u"Color", clWindow);
    // The events in published order; the script-extension and script-context events are not published.
    builder.Event<&TChromium::FOnBeforePopup>(u"OnBeforePopup");
    builder.Event<&TChromium::FOnAfterCreated>(u"OnAfterCreated");
    builder.Event<&TChromium::FOnBeforeClose>(u"OnBeforeClose");
    builder.Event<&TChromium::FOnClose>(u"OnClose");
    builder.Event<&TChromium::FOnRunModal>(u"OnRunModal");
    builder.Event<&TChromium::FOnLoadStart>(u"OnLoadStart");
    builder.Event<&TChromium::FOnLoadEnd>(u"OnLoadEnd");
    builder.Event<&TChromium::FOnLoadError>(u"OnLoadError");
    builder.Event<&TChromium::FOnAuthCredentials>(u"OnAuthCredentials");
    builder.Event<&TChromium::FOnGetDownloadHandler>(u"OnGetDownloadHandler");
    builder.Event<&TChromium::FOnBeforeBrowse>(u"OnBeforeBrowse");
    builder.Event<&TChromium::FOnBeforeResourceLoad>(u"OnBeforeResourceLoad");
    builder.Event<&TChromium::FOnProtocolExecution>(u"OnProtocolExecution");
    builder.Event<&TChromium::FOnResourceRedirect>(u"OnResourceRedirect");
    builder.Event<&TChromium::FOnResourceResponse>(u"OnResourceResponse");
    builder.Event<&TChromium::FOnAddressChange>(u"OnAddressChange");
    builder.Event<&TChromium::FOnContentsSizeChange>(u"OnContentsSizeChange");
    builder.Event<&TChromium::FOnConsoleMessage>(u"OnConsoleMessage");
    builder.Event<&TChromium::FOnNavStateChange>(u"OnNavStateChange");
    builder.Event<&TChromium::FOnStatusMessage>(u"OnStatusMessage");
    builder.Event<&TChromium::FOnTitleChange>(u"OnTitleChange");
    builder.Event<&TChromium::FOnTooltip>(u"OnTooltip");
    builder.Event<&TChromium::FOnTakeFocus>(u"OnTakeFocus");
    builder.Event<&TChromium::FOnSetFocus>(u"OnSetFocus");
    builder.Event<&TChromium::FOnFocusedNodeChanged>(u"OnFocusedNodeChanged");
    builder.Event<&TChromium::FOnKeyEvent>(u"OnKeyEvent");
    builder.Event<&TChromium::FOnBeforeMenu>(u"OnBeforeMenu");
    builder.Event<&TChromium::FOnGetMenuLabel>(u"OnGetMenuLabel");
    builder.Event<&TChromium::FOnMenuAction>(u"OnMenuAction");
    builder.Event<&TChromium::FOnPrintHeaderFooter>(u"OnPrintHeaderFooter");
    builder.Event<&TChromium::FOnPrintOptions>(u"OnPrintOptions");
    builder.Event<&TChromium::FOnJsAlert>(u"OnJsAlert");
    builder.Event<&TChromium::FOnJsConfirm>(u"OnJsConfirm");
    builder.Event<&TChromium::FOnJsPrompt>(u"OnJsPrompt");
    builder.Event<&TChromium::FOnJsBinding>(u"OnJsBinding");
    builder.Event<&TChromium::FOnFindResult>(u"OnFindResult");
    builder.Event<&TChromium::FOnDragStart>(u"OnDragStart");
    builder.Event<&TChromium::FOnDragEnter>(u"OnDragEnter");
    builder.Object<&TChromium::Options>(u"Options")
        .Object<&TChromium::FontOptions>(u"FontOptions")
        .Value<&TChromium::DefaultEncoding, &TChromium::SetDefaultEncoding>(u"DefaultEncoding", u"")
        .Value<&TChromium::UserStyleSheetLocation, &TChromium::SetUserStyleSheetLocation>(u"UserStyleSheetLocation",
                                                                                          u"")
        .Creatable();
    return builder.Build();
  }();
  return info;
}

}  // namespace larkwell
