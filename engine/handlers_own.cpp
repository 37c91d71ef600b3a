#include "engine/handlers_own.h"

#include "engine/cef_callback.h"
#include "engine/ceflib.h"

namespace larkwell {

// Slot tables. One line per engine member: the member, the method it reaches, and for in/out
// arguments the rule that says when and how the value goes back to the engine.

TCefClientOwn::TCefClientOwn() : TCefBaseOwn(sizeof(TCefClient)) {
  using S = TCefClient;
  using O = TCefClientOwn;
  auto s = CefSlots<S>(this);
  s.Set<&S::get_life_span_handler, &O::GetLifeSpanHandler>();
  s.Set<&S::get_load_handler, &O::GetLoadHandler>();
  s.Set<&S::get_request_handler, &O::GetRequestHandler>();
  s.Set<&S::get_display_handler, &O::GetDisplayHandler>();
  s.Set<&S::get_focus_handler, &O::GetFocusHandler>();
  s.Set<&S::get_keyboard_handler, &O::GetKeyboardHandler>();
  s.Set<&S::get_menu_handler, &O::GetMenuHandler>();
  s.Set<&S::get_permission_handler, &O::GetPermissionHandler>();
  s.Set<&S::get_print_handler, &O::GetPrintHandler>();
  s.Set<&S::get_find_handler, &O::GetFindHandler>();
  s.Set<&S::get_jsdialog_handler, &O::GetJsdialogHandler>();
  s.Set<&S::get_v8context_handler, &O::GetV8contextHandler>();
  s.Set<&S::get_render_handler, &O::GetRenderHandler>();
  s.Set<&S::get_drag_handler, &O::GetDragHandler>();
}

// The engine's member order (before_popup, after_created, run_modal, do_close, before_close)
// differs from the class's method order.
TCefLifeSpanHandlerOwn::TCefLifeSpanHandlerOwn() : TCefBaseOwn(sizeof(TCefLifeSpanHandler)) {
  using S = TCefLifeSpanHandler;
  using O = TCefLifeSpanHandlerOwn;
  auto s = CefSlots<S>(this);
  // url always set back; client pointer always replaced (Wrap or null).
  s.Set<&S::on_before_popup, &O::OnBeforePopup, ByType, ByType, ByType, TextInOut<kAlways, kSet>,
        ObjectInOut<kAlways>>();
  s.Set<&S::on_after_created, &O::OnAfterCreated>();
  s.Set<&S::run_modal, &O::RunModal>();
  s.Set<&S::do_close, &O::DoClose>();
  s.Set<&S::on_before_close, &O::OnBeforeClose>();
}

TCefLoadHandlerOwn::TCefLoadHandlerOwn() : TCefBaseOwn(sizeof(TCefLoadHandler)) {
  using S = TCefLoadHandler;
  using O = TCefLoadHandlerOwn;
  auto s = CefSlots<S>(this);
  s.Set<&S::on_load_start, &O::OnLoadStart>();
  s.Set<&S::on_load_end, &O::OnLoadEnd>();
  // errorText set back only when the answer is true.
  s.Set<&S::on_load_error, &O::OnLoadError, ByType, ByType, ByType, ByType, TextInOut<kWhenTrue, kSet>>();
}

// Room for eight members; the eighth stays null.
TCefRequestHandlerOwn::TCefRequestHandlerOwn() : TCefBaseOwn(sizeof(TCefRequestHandler)) {
  using S = TCefRequestHandler;
  using O = TCefRequestHandlerOwn;
  auto s = CefSlots<S>(this);
  s.Set<&S::on_before_browse, &O::OnBeforeBrowse>();
  // Only when the answer is false: the redirect URL is set back if not empty, and the stream
  // pointer replaced (Wrap or null).
  s.Set<&S::on_before_resource_load, &O::OnBeforeResourceLoad, ByType, ByType,
        TextInOut<kWhenFalse | kWhenNotEmpty, kSet>, ObjectInOut<kWhenFalse>>();
  // newUrl starts empty and is set only when the handler filled it.
  s.Set<&S::on_resource_redirect, &O::OnResourceRedirect, ByType, ByType, TextInOut<kWhenNotEmpty, kSet, kEmpty>>();
  s.Set<&S::on_resource_response, &O::OnResourceResponse, ByType, ByType, ByType, ObjectInOut<kAlways>>();
  s.Set<&S::on_protocol_execution, &O::OnProtocolExecution, ByType, ByType, FlagInOut<kAlways>>();
  // The handler pointer starts empty and is always replaced.
  s.Set<&S::get_download_handler, &O::GetDownloadHandler, ByType, ByType, ByType, ByType,
        ObjectInOut<kAlways, kEmpty>>();
  // The engine passes host before port; user name and password are set back only when true.
  s.Set<&S::get_auth_credentials, &O::GetAuthCredentials, Order<0, 1, 3, 2, 4, 5, 6, 7>, ByType, ByType, ByType,
        ByType, ByType, ByType, TextInOut<kWhenTrue, kSet>, TextInOut<kWhenTrue, kSet>>();
}

TCefDisplayHandlerOwn::TCefDisplayHandlerOwn() : TCefBaseOwn(sizeof(TCefDisplayHandler)) {
  using S = TCefDisplayHandler;
  using O = TCefDisplayHandlerOwn;
  auto s = CefSlots<S>(this);
  s.Set<&S::on_nav_state_change, &O::OnNavStateChange>();
  s.Set<&S::on_address_change, &O::OnAddressChange>();
  s.Set<&S::on_contents_size_change, &O::OnContentsSizeChange>();
  s.Set<&S::on_title_change, &O::OnTitleChange>();
  // The text is taken from the engine (its record cleared) and always stored back as a fresh copy.
  s.Set<&S::on_tooltip, &O::OnTooltip, ByType, TextInOut<kAlways, kReplace, kTakeAndClear>>();
  s.Set<&S::on_status_message, &O::OnStatusMessage>();
  s.Set<&S::on_console_message, &O::OnConsoleMessage>();
}

TCefFocusHandlerOwn::TCefFocusHandlerOwn() : TCefBaseOwn(sizeof(TCefFocusHandler)) {
  using S = TCefFocusHandler;
  using O = TCefFocusHandlerOwn;
  auto s = CefSlots<S>(this);
  s.Set<&S::on_take_focus, &O::OnTakeFocus>();
  s.Set<&S::on_set_focus, &O::OnSetFocus>();
  s.Set<&S::on_focused_node_changed, &O::OnFocusedNodeChanged>();
}

TCefKeyboardHandlerOwn::TCefKeyboardHandlerOwn() : TCefBaseOwn(sizeof(TCefKeyboardHandler)) {
  using S = TCefKeyboardHandler;
  auto s = CefSlots<S>(this);
  s.Set<&S::on_key_event, &TCefKeyboardHandlerOwn::OnKeyEvent>();
}

TCefMenuHandlerOwn::TCefMenuHandlerOwn() : TCefBaseOwn(sizeof(TCefMenuHandler)) {
  using S = TCefMenuHandler;
  using O = TCefMenuHandlerOwn;
  auto s = CefSlots<S>(this);
  s.Set<&S::on_before_menu, &O::OnBeforeMenu>();
  // The label is read from the engine and always set back.
  s.Set<&S::get_menu_label, &O::GetMenuLabel, ByType, ByType, TextInOut<kAlways, kSet>>();
  s.Set<&S::on_menu_action, &O::OnMenuAction>();
}

TCefPermissionHandlerOwn::TCefPermissionHandlerOwn() : TCefBaseOwn(sizeof(TCefPermissionHandler)) {
  using S = TCefPermissionHandler;
  auto s = CefSlots<S>(this);
  s.Set<&S::on_before_script_extension_load, &TCefPermissionHandlerOwn::OnBeforeScriptExtensionLoad>();
}

TCefPrintHandlerOwn::TCefPrintHandlerOwn() : TCefBaseOwn(sizeof(TCefPrintHandler)) {
  using S = TCefPrintHandler;
  using O = TCefPrintHandlerOwn;
  using HeaderFooterText = TextInOut<kWhenFalse, kReplace, kEmpty>;
  auto s = CefSlots<S>(this);
  s.Set<&S::get_print_options, &O::GetPrintOptions>();
  // The six texts start empty; only when the answer is false all six are replaced.
  s.Set<&S::get_print_header_footer, &O::GetPrintHeaderFooter, ByType, ByType, ByType, ByType, ByType, ByType,
        ByType, HeaderFooterText, HeaderFooterText, HeaderFooterText, HeaderFooterText, HeaderFooterText,
        HeaderFooterText>();
}

TCefFindHandlerOwn::TCefFindHandlerOwn() : TCefBaseOwn(sizeof(TCefFindHandler)) {
  using S = TCefFindHandler;
  auto s = CefSlots<S>(this);
  // The engine passes (identifier, count, selectionRect, activeMatchOrdinal, finalUpdate).
  s.Set<&S::on_find_result, &TCefFindHandlerOwn::OnFindResult, Order<0, 2, 3, 1, 4, 5>>();
}

TCefJsDialogHandlerOwn::TCefJsDialogHandlerOwn() : TCefBaseOwn(sizeof(TCefJsDialogHandler)) {
  using S = TCefJsDialogHandler;
  using O = TCefJsDialogHandlerOwn;
  auto s = CefSlots<S>(this);
  s.Set<&S::on_jsalert, &O::OnJsAlert>();
  s.Set<&S::on_jsconfirm, &O::OnJsConfirm, ByType, ByType, ByType, FlagInOut<kWhenTrue>>();
  s.Set<&S::on_jsprompt, &O::OnJsPrompt, ByType, ByType, ByType, ByType, FlagInOut<kWhenTrue>,
        TextInOut<kWhenTrue, kReplace, kEmpty>>();
}

TCefV8ContextHandlerOwn::TCefV8ContextHandlerOwn() : TCefBaseOwn(sizeof(TCefV8ContextHandler)) {
  using S = TCefV8ContextHandler;
  using O = TCefV8ContextHandlerOwn;
  auto s = CefSlots<S>(this);
  s.Set<&S::on_context_created, &O::OnContextCreated>();
  s.Set<&S::on_context_released, &O::OnContextReleased>();
}

TCefRenderHandlerOwn::TCefRenderHandlerOwn() : TCefBaseOwn(sizeof(TCefRenderHandler)) {
  using S = TCefRenderHandler;
  using O = TCefRenderHandlerOwn;
  auto s = CefSlots<S>(this);
  s.Set<&S::get_view_rect, &O::GetViewRect>();
  s.Set<&S::get_screen_rect, &O::GetScreenRect>();
  s.Set<&S::get_screen_point, &O::GetScreenPoint>();
  s.Set<&S::on_popup_show, &O::OnPopupShow>();
  s.Set<&S::on_popup_size, &O::OnPopupSize>();
  s.Set<&S::on_paint, &O::OnPaint>();
  s.Set<&S::on_cursor_change, &O::OnCursorChange>();
}

TCefDragHandlerOwn::TCefDragHandlerOwn() : TCefBaseOwn(sizeof(TCefDragHandler)) {
  using S = TCefDragHandler;
  using O = TCefDragHandlerOwn;
  auto s = CefSlots<S>(this);
  s.Set<&S::on_drag_start, &O::OnDragStart>();
  s.Set<&S::on_drag_enter, &O::OnDragEnter>();
}

// The data block passes through untouched; the integer answer goes back unchanged.
TCefDownloadHandlerOwn::TCefDownloadHandlerOwn() : TCefBaseOwn(sizeof(TCefDownloadHandler)) {
  using S = TCefDownloadHandler;
  auto s = CefSlots<S>(this);
  s.Set<&S::received_data, &ICefDownloadHandler::ReceivedData>();
  s.Set<&S::complete, &ICefDownloadHandler::Complete>();
}

// The engine asks for the resource-bundle handler first; the class's order is the reverse.
TCefAppOwn::TCefAppOwn() : TCefBaseOwn(sizeof(TCefApp)) {
  using S = TCefApp;
  auto s = CefSlots<S>(this);
  s.Set<&S::get_resource_bundle_handler, &ICefApp::GetResourceBundleHandler>();
  s.Set<&S::get_proxy_handler, &ICefApp::GetProxyHandler>();
}

namespace {
// One record feeds two parameters: the proxy type by reference, the list as text that starts
// empty and is always set back into the record.
void GetProxyForUrlBody(ICefProxyHandler& handler, const TCefString* url, TCefProxyInfo* info) {
  ustring proxyList;
  handler.GetProxyForUrl(CefStringToNative(url), info->proxyType, proxyList);
  CefStringAssign(&info->proxyList, proxyList);
}
}  // namespace

TCefProxyHandlerOwn::TCefProxyHandlerOwn() : TCefBaseOwn(sizeof(TCefProxyHandler)) {
  CefSlots<TCefProxyHandler>(this).SetBody<&TCefProxyHandler::get_proxy_for_url, &GetProxyForUrlBody>();
}

TCefResourceBundleHandlerOwn::TCefResourceBundleHandlerOwn() : TCefBaseOwn(sizeof(TCefResourceBundleHandler)) {
  using S = TCefResourceBundleHandler;
  auto s = CefSlots<S>(this);
  // Only when true: the engine gets its own copy of the text, which outlives the handler's.
  s.Set<&S::get_localized_string, &ICefResourceBundleHandler::GetLocalizedString, ByType,
        TextInOut<kWhenTrue, kReplace, kEmpty>>();
  // The handler stores the data pointer and size straight into the engine's variables.
  s.Set<&S::get_data_resource, &ICefResourceBundleHandler::GetDataResource>();
}

// ---- the defaults: no action, false, or no object ----

IPtr<ICefBase> TCefClientOwn::GetLifeSpanHandler() { return {}; }
IPtr<ICefBase> TCefClientOwn::GetLoadHandler() { return {}; }
IPtr<ICefBase> TCefClientOwn::GetRequestHandler() { return {}; }
IPtr<ICefBase> TCefClientOwn::GetDisplayHandler() { return {}; }
IPtr<ICefBase> TCefClientOwn::GetFocusHandler() { return {}; }
IPtr<ICefBase> TCefClientOwn::GetKeyboardHandler() { return {}; }
IPtr<ICefBase> TCefClientOwn::GetMenuHandler() { return {}; }
IPtr<ICefBase> TCefClientOwn::GetPermissionHandler() { return {}; }
IPtr<ICefBase> TCefClientOwn::GetPrintHandler() { return {}; }
IPtr<ICefBase> TCefClientOwn::GetFindHandler() { return {}; }
IPtr<ICefBase> TCefClientOwn::GetJsdialogHandler() { return {}; }
IPtr<ICefBase> TCefClientOwn::GetV8contextHandler() { return {}; }
IPtr<ICefBase> TCefClientOwn::GetRenderHandler() { return {}; }
IPtr<ICefBase> TCefClientOwn::GetDragHandler() { return {}; }

bool TCefLifeSpanHandlerOwn::OnBeforePopup(const IPtr<ICefBrowser>&, TCefPopupFeatures&, TCefWindowInfo&, ustring&,
                                           IPtr<ICefBase>&, TCefBrowserSettings&) {
  return false;
}
void TCefLifeSpanHandlerOwn::OnAfterCreated(const IPtr<ICefBrowser>&) {}
void TCefLifeSpanHandlerOwn::OnBeforeClose(const IPtr<ICefBrowser>&) {}
bool TCefLifeSpanHandlerOwn::RunModal(const IPtr<ICefBrowser>&) { return false; }
bool TCefLifeSpanHandlerOwn::DoClose(const IPtr<ICefBrowser>&) { return false; }

void TCefLoadHandlerOwn::OnLoadStart(const IPtr<ICefBrowser>&, const IPtr<ICefFrame>&) {}
void TCefLoadHandlerOwn::OnLoadEnd(const IPtr<ICefBrowser>&, const IPtr<ICefFrame>&, int) {}
bool TCefLoadHandlerOwn::OnLoadError(const IPtr<ICefBrowser>&, const IPtr<ICefFrame>&, int, const ustring&,
                                     ustring&) {
  return false;
}

bool TCefRequestHandlerOwn::OnBeforeBrowse(const IPtr<ICefBrowser>&, const IPtr<ICefFrame>&,
                                           const IPtr<ICefRequest>&, TCefHandlerNavtype, bool) {
  return false;
}
bool TCefRequestHandlerOwn::OnBeforeResourceLoad(const IPtr<ICefBrowser>&, const IPtr<ICefRequest>&, ustring&,
                                                 IPtr<ICefStreamReader>&, const IPtr<ICefResponse>&, int) {
  return false;
}
void TCefRequestHandlerOwn::OnResourceRedirect(const IPtr<ICefBrowser>&, const ustring&, ustring&) {}
void TCefRequestHandlerOwn::OnResourceResponse(const IPtr<ICefBrowser>&, const ustring&, const IPtr<ICefResponse>&,
                                               IPtr<ICefBase>&) {}
bool TCefRequestHandlerOwn::OnProtocolExecution(const IPtr<ICefBrowser>&, const ustring&, bool&) { return false; }
bool TCefRequestHandlerOwn::GetDownloadHandler(const IPtr<ICefBrowser>&, const ustring&, const ustring&, int64_t,
                                               IPtr<ICefDownloadHandler>&) {
  return false;
}
bool TCefRequestHandlerOwn::GetAuthCredentials(const IPtr<ICefBrowser>&, bool, int, const ustring&, const ustring&,
                                               const ustring&, ustring&, ustring&) {
  return false;
}

void TCefDisplayHandlerOwn::OnNavStateChange(const IPtr<ICefBrowser>&, bool, bool) {}
void TCefDisplayHandlerOwn::OnAddressChange(const IPtr<ICefBrowser>&, const IPtr<ICefFrame>&, const ustring&) {}
void TCefDisplayHandlerOwn::OnContentsSizeChange(const IPtr<ICefBrowser>&, const IPtr<ICefFrame>&, int, int) {}
void TCefDisplayHandlerOwn::OnTitleChange(const IPtr<ICefBrowser>&, const ustring&) {}
bool TCefDisplayHandlerOwn::OnTooltip(const IPtr<ICefBrowser>&, ustring&) { return false; }
void TCefDisplayHandlerOwn::OnStatusMessage(const IPtr<ICefBrowser>&, const ustring&, TCefHandlerStatusType) {}
bool TCefDisplayHandlerOwn::OnConsoleMessage(const IPtr<ICefBrowser>&, const ustring&, const ustring&, int) {
  return false;
}

void TCefFocusHandlerOwn::OnTakeFocus(const IPtr<ICefBrowser>&, bool) {}
bool TCefFocusHandlerOwn::OnSetFocus(const IPtr<ICefBrowser>&, TCefHandlerFocusSource) { return false; }
void TCefFocusHandlerOwn::OnFocusedNodeChanged(const IPtr<ICefBrowser>&, const IPtr<ICefFrame>&,
                                               const IPtr<ICefDomNode>&) {}

bool TCefKeyboardHandlerOwn::OnKeyEvent(const IPtr<ICefBrowser>&, TCefHandlerKeyEventType, int, int, bool, bool) {
  return false;
}

bool TCefMenuHandlerOwn::OnBeforeMenu(const IPtr<ICefBrowser>&, PCefMenuInfo) { return false; }
void TCefMenuHandlerOwn::GetMenuLabel(const IPtr<ICefBrowser>&, TCefMenuId, ustring&) {}
bool TCefMenuHandlerOwn::OnMenuAction(const IPtr<ICefBrowser>&, TCefMenuId) { return false; }

bool TCefPermissionHandlerOwn::OnBeforeScriptExtensionLoad(const IPtr<ICefBrowser>&, const IPtr<ICefFrame>&,
                                                           const ustring&) {
  return false;
}

bool TCefPrintHandlerOwn::GetPrintOptions(const IPtr<ICefBrowser>&, PCefPrintOptions) { return false; }
bool TCefPrintHandlerOwn::GetPrintHeaderFooter(const IPtr<ICefBrowser>&, const IPtr<ICefFrame>&, PCefPrintInfo,
                                               const ustring&, const ustring&, int, int, ustring&, ustring&,
                                               ustring&, ustring&, ustring&, ustring&) {
  return false;
}

void TCefFindHandlerOwn::OnFindResult(const IPtr<ICefBrowser>&, int, PCefRect, bool, bool, bool) {}

bool TCefJsDialogHandlerOwn::OnJsAlert(const IPtr<ICefBrowser>&, const IPtr<ICefFrame>&, const ustring&) {
  return false;
}
bool TCefJsDialogHandlerOwn::OnJsConfirm(const IPtr<ICefBrowser>&, const IPtr<ICefFrame>&, const ustring&, bool&) {
  return false;
}
bool TCefJsDialogHandlerOwn::OnJsPrompt(const IPtr<ICefBrowser>&, const IPtr<ICefFrame>&, const ustring&,
                                        const ustring&, bool&, ustring&) {
  return false;
}

void TCefV8ContextHandlerOwn::OnContextCreated(const IPtr<ICefBrowser>&, const IPtr<ICefFrame>&,
                                               const IPtr<ICefv8Context>&) {}
void TCefV8ContextHandlerOwn::OnContextReleased(const IPtr<ICefBrowser>&, const IPtr<ICefFrame>&,
                                                const IPtr<ICefv8Context>&) {}

bool TCefRenderHandlerOwn::GetViewRect(const IPtr<ICefBrowser>&, PCefRect) { return false; }
bool TCefRenderHandlerOwn::GetScreenRect(const IPtr<ICefBrowser>&, PCefRect) { return false; }
bool TCefRenderHandlerOwn::GetScreenPoint(const IPtr<ICefBrowser>&, int, int, int&, int&) { return false; }
void TCefRenderHandlerOwn::OnPopupShow(const IPtr<ICefBrowser>&, bool) {}
void TCefRenderHandlerOwn::OnPopupSize(const IPtr<ICefBrowser>&, PCefRect) {}
void TCefRenderHandlerOwn::OnPaint(const IPtr<ICefBrowser>&, TCefPaintElementType, size_t, const TCefRect*,
                                   const void*) {}
void TCefRenderHandlerOwn::OnCursorChange(const IPtr<ICefBrowser>&, TCefCursorHandle) {}

bool TCefDragHandlerOwn::OnDragStart(const IPtr<ICefBrowser>&, const IPtr<ICefDragData>&, TCefDragOperationsMask) {
  return false;
}
bool TCefDragHandlerOwn::OnDragEnter(const IPtr<ICefBrowser>&, const IPtr<ICefDragData>&, TCefDragOperationsMask) {
  return false;
}

}  // namespace larkwell
