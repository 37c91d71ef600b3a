#include "engine/handlers_own.h"

#include "engine/cef_callback.h"
#include "engine/ceflib.h"

namespace larkwell {

// Slot tables. One line per engine member: the member, the method it reaches, and for in/out
// arguments the rule that says when and how the value goes back to the engine.

TCefClientOwn::TCefClientOwn() : TCefBaseOwn(sizeof(TCefClient)) {
  using S = TCefClient;
  using O = TCefClientOwn;
  auto* s = DataAs<S>();
  s->get_life_span_handler = CefCallback<&S::get_life_span_handler, &O::GetLifeSpanHandler>;
  s->get_load_handler = CefCallback<&S::get_load_handler, &O::GetLoadHandler>;
  s->get_request_handler = CefCallback<&S::get_request_handler, &O::GetRequestHandler>;
  s->get_display_handler = CefCallback<&S::get_display_handler, &O::GetDisplayHandler>;
  s->get_focus_handler = CefCallback<&S::get_focus_handler, &O::GetFocusHandler>;
  s->get_keyboard_handler = CefCallback<&S::get_keyboard_handler, &O::GetKeyboardHandler>;
  s->get_menu_handler = CefCallback<&S::get_menu_handler, &O::GetMenuHandler>;
  s->get_permission_handler = CefCallback<&S::get_permission_handler, &O::GetPermissionHandler>;
  s->get_print_handler = CefCallback<&S::get_print_handler, &O::GetPrintHandler>;
  s->get_find_handler = CefCallback<&S::get_find_handler, &O::GetFindHandler>;
  s->get_jsdialog_handler = CefCallback<&S::get_jsdialog_handler, &O::GetJsdialogHandler>;
  s->get_v8context_handler = CefCallback<&S::get_v8context_handler, &O::GetV8contextHandler>;
  s->get_render_handler = CefCallback<&S::get_render_handler, &O::GetRenderHandler>;
  s->get_drag_handler = CefCallback<&S::get_drag_handler, &O::GetDragHandler>;
}

// The engine's member order (before_popup, after_created, run_modal, do_close, before_close)
// differs from the class's method order.
TCefLifeSpanHandlerOwn::TCefLifeSpanHandlerOwn() : TCefBaseOwn(sizeof(TCefLifeSpanHandler)) {
  using S = TCefLifeSpanHandler;
  using O = TCefLifeSpanHandlerOwn;
  auto* s = DataAs<S>();
  // url always set back; client pointer always replaced (Wrap or null).
  s->on_before_popup = CefCallback<&S::on_before_popup, &O::OnBeforePopup, ByType, ByType, ByType,
                                   TextInOut<kAlways, kSet>, ObjectInOut<kAlways>>;
  s->on_after_created = CefCallback<&S::on_after_created, &O::OnAfterCreated>;
  s->run_modal = CefCallback<&S::run_modal, &O::RunModal>;
  s->do_close = CefCallback<&S::do_close, &O::DoClose>;
  s->on_before_close = CefCallback<&S::on_before_close, &O::OnBeforeClose>;
}

TCefLoadHandlerOwn::TCefLoadHandlerOwn() : TCefBaseOwn(sizeof(TCefLoadHandler)) {
  using S = TCefLoadHandler;
  using O = TCefLoadHandlerOwn;
  auto* s = DataAs<S>();
  s->on_load_start = CefCallback<&S::on_load_start, &O::OnLoadStart>;
  s->on_load_end = CefCallback<&S::on_load_end, &O::OnLoadEnd>;
  // errorText set back only when the answer is true.
  s->on_load_error =
      CefCallback<&S::on_load_error, &O::OnLoadError, ByType, ByType, ByType, ByType, TextInOut<kWhenTrue, kSet>>;
}

// Room for eight members; the eighth stays null.
TCefRequestHandlerOwn::TCefRequestHandlerOwn() : TCefBaseOwn(sizeof(TCefRequestHandler)) {
  using S = TCefRequestHandler;
  using O = TCefRequestHandlerOwn;
  auto* s = DataAs<S>();
  s->on_before_browse = CefCallback<&S::on_before_browse, &O::OnBeforeBrowse>;
  // Only when the answer is false: the redirect URL is set back if not empty, and the stream
  // pointer replaced (Wrap or null).
  s->on_before_resource_load =
      CefCallback<&S::on_before_resource_load, &O::OnBeforeResourceLoad, ByType, ByType,
                  TextInOut<kWhenFalse | kWhenNotEmpty, kSet>, ObjectInOut<kWhenFalse>>;
  // newUrl starts empty and is set only when the handler filled it.
  s->on_resource_redirect = CefCallback<&S::on_resource_redirect, &O::OnResourceRedirect, ByType, ByType,
                                        TextInOut<kWhenNotEmpty, kSet, kEmpty>>;
  s->on_resource_response =
      CefCallback<&S::on_resource_response, &O::OnResourceResponse, ByType, ByType, ByType, ObjectInOut<kAlways>>;
  s->on_protocol_execution =
      CefCallback<&S::on_protocol_execution, &O::OnProtocolExecution, ByType, ByType, FlagInOut<kAlways>>;
  // The handler pointer starts empty and is always replaced.
  s->get_download_handler = CefCallback<&S::get_download_handler, &O::GetDownloadHandler, ByType, ByType, ByType,
                                        ByType, ObjectInOut<kAlways, kEmpty>>;
  // The engine passes host before port; user name and password are set back only when true.
  s->get_auth_credentials =
      CefCallback<&S::get_auth_credentials, &O::GetAuthCredentials, Order<0, 1, 3, 2, 4, 5, 6, 7>, ByType, ByType,
                  ByType, ByType, ByType, ByType, TextInOut<kWhenTrue, kSet>, TextInOut<kWhenTrue, kSet>>;
}

TCefDisplayHandlerOwn::TCefDisplayHandlerOwn() : TCefBaseOwn(sizeof(TCefDisplayHandler)) {
  using S = TCefDisplayHandler;
  using O = TCefDisplayHandlerOwn;
  auto* s = DataAs<S>();
  s->on_nav_state_change = CefCallback<&S::on_nav_state_change, &O::OnNavStateChange>;
  s->on_address_change = CefCallback<&S::on_address_change, &O::OnAddressChange>;
  s->on_contents_size_change = CefCallback<&S::on_contents_size_change, &O::OnContentsSizeChange>;
  s->on_title_change = CefCallback<&S::on_title_change, &O::OnTitleChange>;
  // The text is taken from the engine (its record cleared) and always stored back as a fresh copy.
  s->on_tooltip = CefCallback<&S::on_tooltip, &O::OnTooltip, ByType, TextInOut<kAlways, kReplace, kTakeAndClear>>;
  s->on_status_message = CefCallback<&S::on_status_message, &O::OnStatusMessage>;
  s->on_console_message = CefCallback<&S::on_console_message, &O::OnConsoleMessage>;
}

TCefFocusHandlerOwn::TCefFocusHandlerOwn() : TCefBaseOwn(sizeof(TCefFocusHandler)) {
  using S = TCefFocusHandler;
  using O = TCefFocusHandlerOwn;
  auto* s = DataAs<S>();
  s->on_take_focus = CefCallback<&S::on_take_focus, &O::OnTakeFocus>;
  s->on_set_focus = CefCallback<&S::on_set_focus, &O::OnSetFocus>;
  s->on_focused_node_changed = CefCallback<&S::on_focused_node_changed, &O::OnFocusedNodeChanged>;
}

TCefKeyboardHandlerOwn::TCefKeyboardHandlerOwn() : TCefBaseOwn(sizeof(TCefKeyboardHandler)) {
  using S = TCefKeyboardHandler;
  auto* s = DataAs<S>();
  s->on_key_event = CefCallback<&S::on_key_event, &TCefKeyboardHandlerOwn::OnKeyEvent>;
}

TCefMenuHandlerOwn::TCefMenuHandlerOwn() : TCefBaseOwn(sizeof(TCefMenuHandler)) {
  using S = TCefMenuHandler;
  using O = TCefMenuHandlerOwn;
  auto* s = DataAs<S>();
  s->on_before_menu = CefCallback<&S::on_before_menu, &O::OnBeforeMenu>;
  // The label is read from the engine and always set back.
  s->get_menu_label = CefCallback<&S::get_menu_label, &O::GetMenuLabel, ByType, ByType, TextInOut<kAlways, kSet>>;
  s->on_menu_action = CefCallback<&S::on_menu_action, &O::OnMenuAction>;
}

TCefPermissionHandlerOwn::TCefPermissionHandlerOwn() : TCefBaseOwn(sizeof(TCefPermissionHandler)) {
  using S = TCefPermissionHandler;
  auto* s = DataAs<S>();
  s->on_before_script_extension_load =
      CefCallback<&S::on_before_script_extension_load, &TCefPermissionHandlerOwn::OnBeforeScriptExtensionLoad>;
}

TCefPrintHandlerOwn::TCefPrintHandlerOwn() : TCefBaseOwn(sizeof(TCefPrintHandler)) {
  using S = TCefPrintHandler;
  using O = TCefPrintHandlerOwn;
  using HeaderFooterText = TextInOut<kWhenFalse, kReplace, kEmpty>;
  auto* s = DataAs<S>();
  s->get_print_options = CefCallback<&S::get_print_options, &O::GetPrintOptions>;
  // The six texts start empty; only when the answer is false all six are replaced.
  s->get_print_header_footer =
      CefCallback<&S::get_print_header_footer, &O::GetPrintHeaderFooter, ByType, ByType, ByType, ByType, ByType,
                  ByType, ByType, HeaderFooterText, HeaderFooterText, HeaderFooterText, HeaderFooterText,
                  HeaderFooterText, HeaderFooterText>;
}

TCefFindHandlerOwn::TCefFindHandlerOwn() : TCefBaseOwn(sizeof(TCefFindHandler)) {
  using S = TCefFindHandler;
  auto* s = DataAs<S>();
  // The engine passes (identifier, count, selectionRect, activeMatchOrdinal, finalUpdate).
  s->on_find_result = CefCallback<&S::on_find_result, &TCefFindHandlerOwn::OnFindResult, Order<0, 2, 3, 1, 4, 5>>;
}

TCefJsDialogHandlerOwn::TCefJsDialogHandlerOwn() : TCefBaseOwn(sizeof(TCefJsDialogHandler)) {
  using S = TCefJsDialogHandler;
  using O = TCefJsDialogHandlerOwn;
  auto* s = DataAs<S>();
  s->on_jsalert = CefCallback<&S::on_jsalert, &O::OnJsAlert>;
  s->on_jsconfirm = CefCallback<&S::on_jsconfirm, &O::OnJsConfirm, ByType, ByType, ByType, FlagInOut<kWhenTrue>>;
  s->on_jsprompt = CefCallback<&S::on_jsprompt, &O::OnJsPrompt, ByType, ByType, ByType, ByType,
                               FlagInOut<kWhenTrue>, TextInOut<kWhenTrue, kReplace, kEmpty>>;
}

TCefV8ContextHandlerOwn::TCefV8ContextHandlerOwn() : TCefBaseOwn(sizeof(TCefV8ContextHandler)) {
  using S = TCefV8ContextHandler;
  using O = TCefV8ContextHandlerOwn;
  auto* s = DataAs<S>();
  s->on_context_created = CefCallback<&S::on_context_created, &O::OnContextCreated>;
  s->on_context_released = CefCallback<&S::on_context_released, &O::OnContextReleased>;
}

TCefRenderHandlerOwn::TCefRenderHandlerOwn() : TCefBaseOwn(sizeof(TCefRenderHandler)) {
  using S = TCefRenderHandler;
  using O = TCefRenderHandlerOwn;
  auto* s = DataAs<S>();
  s->get_view_rect = CefCallback<&S::get_view_rect, &O::GetViewRect>;
  s->get_screen_rect = CefCallback<&S::get_screen_rect, &O::GetScreenRect>;
  s->get_screen_point = CefCallback<&S::get_screen_point, &O::GetScreenPoint>;
  s->on_popup_show = CefCallback<&S::on_popup_show, &O::OnPopupShow>;
  s->on_popup_size = CefCallback<&S::on_popup_size, &O::OnPopupSize>;
  s->on_paint = CefCallback<&S::on_paint, &O::OnPaint>;
  s->on_cursor_change = CefCallback<&S::on_cursor_change, &O::OnCursorChange>;
}

TCefDragHandlerOwn::TCefDragHandlerOwn() : TCefBaseOwn(sizeof(TCefDragHandler)) {
  using S = TCefDragHandler;
  using O = TCefDragHandlerOwn;
  auto* s = DataAs<S>();
  s->on_drag_start = CefCallback<&S::on_drag_start, &O::OnDragStart>;
  s->on_drag_enter = CefCallback<&S::on_drag_enter, &O::OnDragEnter>;
}

// The data block passes through untouched; the integer answer goes back unchanged.
TCefDownloadHandlerOwn::TCefDownloadHandlerOwn() : TCefBaseOwn(sizeof(TCefDownloadHandler)) {
  using S = TCefDownloadHandler;
  auto* s = DataAs<S>();
  s->received_data = CefCallback<&S::received_data, &ICefDownloadHandler::ReceivedData>;
  s->complete = CefCallback<&S::complete, &ICefDownloadHandler::Complete>;
}

// The engine asks for the resource-bundle handler first; the class's order is the reverse.
TCefAppOwn::TCefAppOwn() : TCefBaseOwn(sizeof(TCefApp)) {
  using S = TCefApp;
  auto* s = DataAs<S>();
  s->get_resource_bundle_handler = CefCallback<&S::get_resource_bundle_handler, &ICefApp::GetResourceBundleHandler>;
  s->get_proxy_handler = CefCallback<&S::get_proxy_handler, &ICefApp::GetProxyHandler>;
}

namespace {
// One record feeds two parameters: the proxy type by reference, the list as text that starts
// empty and is always set back into the record.
void GetProxyForUrlBody(TCefBaseOwn* owner, const TCefString* url, TCefProxyInfo* info) {
  ustring proxyList;
  dynamic_cast<ICefProxyHandler&>(*owner).GetProxyForUrl(CefStringToNative(url), info->proxyType, proxyList);
  CefStringAssign(&info->proxyList, proxyList);
}
}  // namespace

TCefProxyHandlerOwn::TCefProxyHandlerOwn() : TCefBaseOwn(sizeof(TCefProxyHandler)) {
  DataAs<TCefProxyHandler>()->get_proxy_for_url =
      CefCallbackBody<&TCefProxyHandler::get_proxy_for_url, &GetProxyForUrlBody>;
}

TCefResourceBundleHandlerOwn::TCefResourceBundleHandlerOwn() : TCefBaseOwn(sizeof(TCefResourceBundleHandler)) {
  using S = TCefResourceBundleHandler;
  auto* s = DataAs<S>();
  // Only when true: the engine gets its own copy of the text, which outlives the handler's.
  s->get_localized_string = CefCallback<&S::get_localized_string, &ICefResourceBundleHandler::GetLocalizedString,
                                        ByType, TextInOut<kWhenTrue, kReplace, kEmpty>>;
  // The handler stores the data pointer and size straight into the engine's variables.
  s->get_data_resource = CefCallback<&S::get_data_resource, &ICefResourceBundleHandler::GetDataResource>;
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
