#include "tests/engine/handlers/handler_test.h"

#include <ostream>

namespace larkwell::handler_test {

void PrintTo(const Structure& s, std::ostream* os) { *os << "structure " << s.structure; }
void PrintTo(const Address& a, std::ostream* os) { *os << "address " << a.address; }

std::pair<Recorder*, TCefBase*> HandlerTest::Family(const std::string& slot) {
  const std::string family = slot.substr(0, slot.find('.'));
  const auto pick = [](auto& handler) { return std::pair<Recorder*, TCefBase*>{handler.get(), handler->Data()}; };
  if (family == "client") return pick(o.client);
  if (family == "life_span_handler") return pick(o.life_span);
  if (family == "load_handler") return pick(o.load);
  if (family == "request_handler") return pick(o.request_handler);
  if (family == "display_handler") return pick(o.display);
  if (family == "focus_handler") return pick(o.focus);
  if (family == "keyboard_handler") return pick(o.keyboard);
  if (family == "menu_handler") return pick(o.menu);
  if (family == "permission_handler") return pick(o.permission);
  if (family == "print_handler") return pick(o.print);
  if (family == "find_handler") return pick(o.find);
  if (family == "jsdialog_handler") return pick(o.jsdialog);
  if (family == "v8context_handler") return pick(o.v8context);
  if (family == "render_handler") return pick(o.render);
  if (family == "drag_handler") return pick(o.drag);
  if (family == "download_handler") return pick(o.download);
  if (family == "app") return pick(o.app);
  if (family == "proxy_handler") return pick(o.proxy);
  if (family == "resource_bundle_handler") return pick(o.bundle);
  ADD_FAILURE() << "no recording handler for " << slot;
  return {nullptr, nullptr};
}

std::vector<MemberCase> HandlerTest::MemberCases() {
  using A = Answers;
  const Seen b = Structure{o.browser}, f = Structure{o.frame};
  const TSimArg Br = Obj(o.browser), Fr = Obj(o.frame);
  const int64_t kBig = int64_t{1} << 40;
  const TSimArg hf = String(u"engine footer");
  return {
      // Arguments in the engine's order; what the method sees in the method's order.
      {"life_span_handler.on_before_popup",
       {Br, Ptr(&o.popupFeatures), Ptr(&o.windowInfo), String(u"http://popup/"), ObjOut(o.popup_client->Data()),
        Ptr(&o.settings)},
       "OnBeforePopup",
       {b, Address{&o.popupFeatures}, Address{&o.windowInfo}, ustring(u"http://popup/"),
        Structure{o.popup_client->Data()}, Address{&o.settings}},
       A::kBoolean},
      {"life_span_handler.on_after_created", {Br}, "OnAfterCreated", {b}, A::kNothing},
      {"life_span_handler.run_modal", {Br}, "RunModal", {b}, A::kBoolean},
      {"life_span_handler.do_close", {Br}, "DoClose", {b}, A::kBoolean},
      {"life_span_handler.on_before_close", {Br}, "OnBeforeClose", {b}, A::kNothing},
      {"load_handler.on_load_start", {Br, Fr}, "OnLoadStart", {b, f}, A::kNothing},
      {"load_handler.on_load_end", {Br, Fr, Int(404)}, "OnLoadEnd", {b, f, int64_t{404}}, A::kNothing},
      {"load_handler.on_load_error",
       {Br, Fr, Int(-105), Text(u"http://failed/"), String(u"engine error")},
       "OnLoadError",
       {b, f, int64_t{-105}, ustring(u"http://failed/"), ustring(u"engine error")},
       A::kBoolean},
      {"request_handler.on_before_browse",
       {Br, Fr, Obj(o.request), Int(NAVTYPE_FORMSUBMITTED), Int(2)},
       "OnBeforeBrowse",
       {b, f, Structure{o.request}, int64_t{NAVTYPE_FORMSUBMITTED}, true},
       A::kBoolean},
      {"request_handler.on_before_resource_load",
       {Br, Obj(o.request), String(u"http://redirect/"), ObjOut(o.stream), Obj(o.response), Int(7)},
       "OnBeforeResourceLoad",
       {b, Structure{o.request}, ustring(u"http://redirect/"), Structure{o.stream}, Structure{o.response},
        int64_t{7}},
       A::kBoolean},
      {"request_handler.on_resource_redirect",
       {Br, Text(u"http://old/"), String(u"http://engine-new/")},
       "OnResourceRedirect",
       {b, ustring(u"http://old/"), ustring()},  // the new URL starts empty
       A::kNothing},
      {"request_handler.on_resource_response",
       {Br, Text(u"http://res/"), Obj(o.response), ObjOut(o.filter)},
       "OnResourceResponse",
       {b, ustring(u"http://res/"), Structure{o.response}, Structure{o.filter}},
       A::kNothing},
      {"request_handler.on_protocol_execution",
       {Br, Text(u"mailto:a@b"), IntOut(5)},
       "OnProtocolExecution",
       {b, ustring(u"mailto:a@b"), true},
       A::kBoolean},
      {"request_handler.get_download_handler",
       {Br, Text(u"text/plain"), Text(u"a.txt"), Int(kBig), ObjOut(nullptr)},
       "GetDownloadHandler",
       {b, ustring(u"text/plain"), ustring(u"a.txt"), kBig, Structure{nullptr}},
       A::kBoolean},
      {"request_handler.get_auth_credentials",
       {Br, Int(1), Text(u"proxy.host"), Int(8080), Text(u"realm"), Text(u"basic"), String(u"engine user"),
        String(u"engine password")},
       "GetAuthCredentials",
       {b, true, int64_t{8080}, ustring(u"proxy.host"), ustring(u"realm"), ustring(u"basic"),
        ustring(u"engine user"), ustring(u"engine password")},
       A::kBoolean},
      {"display_handler.on_nav_state_change", {Br, Int(1), Int(0)}, "OnNavStateChange", {b, true, false},
       A::kNothing},
      {"display_handler.on_address_change",
       {Br, Fr, Text(u"http://address/")},
       "OnAddressChange",
       {b, f, ustring(u"http://address/")},
       A::kNothing},
      {"display_handler.on_contents_size_change",
       {Br, Fr, Int(800), Int(600)},
       "OnContentsSizeChange",
       {b, f, int64_t{800}, int64_t{600}},
       A::kNothing},
      {"display_handler.on_title_change", {Br, Text(u"Título")}, "OnTitleChange", {b, ustring(u"Título")},
       A::kNothing},
      {"display_handler.on_tooltip", {Br, String(u"tip")}, "OnTooltip", {b, ustring(u"tip")}, A::kBoolean},
      {"display_handler.on_status_message",
       {Br, Text(u"status"), Int(STATUSTYPE_MOUSEOVER_URL)},
       "OnStatusMessage",
       {b, ustring(u"status"), int64_t{STATUSTYPE_MOUSEOVER_URL}},
       A::kNothing},
      {"display_handler.on_console_message",
       {Br, Text(u"message"), Text(u"source.js"), Int(12)},
       "OnConsoleMessage",
       {b, ustring(u"message"), ustring(u"source.js"), int64_t{12}},
       A::kBoolean},
      {"focus_handler.on_take_focus", {Br, Int(1)}, "OnTakeFocus", {b, true}, A::kNothing},
      {"focus_handler.on_set_focus", {Br, Int(FOCUS_SOURCE_SYSTEM)}, "OnSetFocus", {b, int64_t{FOCUS_SOURCE_SYSTEM}},
       A::kBoolean},
      {"focus_handler.on_focused_node_changed",
       {Br, Fr, Obj(o.node)},
       "OnFocusedNodeChanged",
       {b, f, Structure{o.node}},
       A::kNothing},
      {"keyboard_handler.on_key_event",
       {Br, Int(KEYEVENT_CHAR), Int(65), Int(4), Int(1), Int(0)},
       "OnKeyEvent",
       {b, int64_t{KEYEVENT_CHAR}, int64_t{65}, int64_t{4}, true, false},
       A::kBoolean},
      {"menu_handler.on_before_menu", {Br, Ptr(&o.menuInfo)}, "OnBeforeMenu", {b, Address{&o.menuInfo}},
       A::kBoolean},
      {"menu_handler.get_menu_label", {Br, Int(26), String(u"Copy")}, "GetMenuLabel", {b, int64_t{26}, ustring(u"Copy")},
       A::kNothing},
      {"menu_handler.on_menu_action", {Br, Int(26)}, "OnMenuAction", {b, int64_t{26}}, A::kBoolean},
      {"permission_handler.on_before_script_extension_load",
       {Br, Fr, Text(u"v8/extension")},
       "OnBeforeScriptExtensionLoad",
       {b, f, ustring(u"v8/extension")},
       A::kBoolean},
      {"print_handler.get_print_options", {Br, Ptr(&o.printOptions)}, "GetPrintOptions",
       {b, Address{&o.printOptions}}, A::kBoolean},
      {"print_handler.get_print_header_footer",
       {Br, Fr, Ptr(&o.printInfo), Text(u"http://print/"), Text(u"Title"), Int(2), Int(5), hf, hf, hf, hf, hf, hf},
       "GetPrintHeaderFooter",
       {b, f, Address{&o.printInfo}, ustring(u"http://print/"), ustring(u"Title"), int64_t{2}, int64_t{5},
        ustring(), ustring(), ustring(), ustring(), ustring(), ustring()},  // the six start empty
       A::kBoolean},
      {"find_handler.on_find_result",
       {Br, Int(7), Int(12), Ptr(&o.rect), Int(0), Int(1)},
       "OnFindResult",
       {b, int64_t{12}, Address{&o.rect}, true, false, true},
       A::kNothing},
      {"jsdialog_handler.on_jsalert", {Br, Fr, Text(u"alert")}, "OnJsAlert", {b, f, ustring(u"alert")},
       A::kBoolean},
      {"jsdialog_handler.on_jsconfirm",
       {Br, Fr, Text(u"sure?"), IntOut(1)},
       "OnJsConfirm",
       {b, f, ustring(u"sure?"), true},
       A::kBoolean},
      {"jsdialog_handler.on_jsprompt",
       {Br, Fr, Text(u"name?"), Text(u"default"), IntOut(0), String(u"engine result")},
       "OnJsPrompt",
       {b, f, ustring(u"name?"), ustring(u"default"), false, ustring()},  // the result starts empty
       A::kBoolean},
      {"v8context_handler.on_context_created", {Br, Fr, Obj(o.context)}, "OnContextCreated",
       {b, f, Structure{o.context}}, A::kNothing},
      {"v8context_handler.on_context_released", {Br, Fr, Obj(o.context)}, "OnContextReleased",
       {b, f, Structure{o.context}}, A::kNothing},
      {"render_handler.get_view_rect", {Br, Ptr(&o.rect)}, "GetViewRect", {b, Address{&o.rect}}, A::kBoolean},
      {"render_handler.get_screen_rect", {Br, Ptr(&o.rect)}, "GetScreenRect", {b, Address{&o.rect}}, A::kBoolean},
      {"render_handler.get_screen_point",
       {Br, Int(10), Int(20), IntOut(-1), IntOut(-2)},
       "GetScreenPoint",
       {b, int64_t{10}, int64_t{20}, int64_t{-1}, int64_t{-2}},
       A::kBoolean},
      {"render_handler.on_popup_show", {Br, Int(1)}, "OnPopupShow", {b, true}, A::kNothing},
      {"render_handler.on_popup_size", {Br, Ptr(&o.rect)}, "OnPopupSize", {b, Address{&o.rect}}, A::kNothing},
      {"render_handler.on_paint",
       {Br, Int(1), Int(1), Ptr(&o.rect), Ptr(o.buffer)},
       "OnPaint",
       {b, int64_t{1}, int64_t{1}, Address{&o.rect}, Address{o.buffer}},
       A::kNothing},
      {"render_handler.on_cursor_change", {Br, Ptr(o.buffer)}, "OnCursorChange", {b, Address{o.buffer}},
       A::kNothing},
      {"drag_handler.on_drag_start", {Br, Obj(o.dragData), Int(5)}, "OnDragStart",
       {b, Structure{o.dragData}, int64_t{5}}, A::kBoolean},
      {"drag_handler.on_drag_enter", {Br, Obj(o.dragData), Int(1)}, "OnDragEnter",
       {b, Structure{o.dragData}, int64_t{1}}, A::kBoolean},
      {"download_handler.received_data", {Ptr(o.buffer), Int(4096)}, "ReceivedData",
       {Address{o.buffer}, int64_t{4096}}, A::kCount},
      {"download_handler.complete", {}, "Complete", {}, A::kNothing},
      {"app.get_resource_bundle_handler", {}, "GetResourceBundleHandler", {}, A::kObject},
      {"app.get_proxy_handler", {}, "GetProxyHandler", {}, A::kObject},
      {"proxy_handler.get_proxy_for_url",
       {Text(u"http://x/"), Ptr(&o.proxy_info)},
       "GetProxyForUrl",
       {ustring(u"http://x/"), int64_t{0}, ustring()},  // the list starts empty
       A::kNothing},
      {"resource_bundle_handler.get_localized_string", {Int(42), String(u"engine text")}, "GetLocalizedString",
       {int64_t{42}, ustring()}, A::kBoolean},
      {"resource_bundle_handler.get_data_resource",
       {Int(7), Ptr(&o.resource_data), Ptr(&o.resource_size)},
       "GetDataResource",
       {int64_t{7}, Address{nullptr}, int64_t{0}},
       A::kBoolean},
  };
}

}  // namespace larkwell::handler_test
