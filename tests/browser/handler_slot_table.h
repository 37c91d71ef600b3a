// Every callback slot of the browser control's fourteen handlers, as the engine calls it, and
// the call of the control's events it must end in. Shared by the tests of the client (with
// events that record) and of the control itself (whose event properties record).
#pragma once

#include "tests/browser/handler_test.h"

namespace larkwell::testing {

inline constexpr int kNoAnswer = -1;  // the callback gives the engine nothing back

struct Slot {
  const char* member;
  int (*fire)(Handlers& h, EngineSide& e);  // the engine's call; what the engine got back
  const char* call;                         // what the events received
};

// One engine call of member `m` of handler family `f`.
#define ENGINE_CALL(f, m, ...) h.f->m(h.f, __VA_ARGS__)
#define ANSWERING(f, m, ...) [](Handlers& h, EngineSide& e) { return ENGINE_CALL(f, m, __VA_ARGS__); }
#define SILENT(f, m, ...)           \
  [](Handlers& h, EngineSide& e) {  \
    ENGINE_CALL(f, m, __VA_ARGS__); \
    return kNoAnswer;               \
  }

inline const Slot kSlots[] = {
    {"on_before_popup",
     ANSWERING(life, on_before_popup, e.Give(e.browser), &e.popupFeatures, &e.windowInfo, e.InOut(u"http://popup/"),
               e.ObjectSlot<TCefClient>(nullptr), &e.settings),
     "FillBrowserSettings(settings) BeforePopup(browser, popupFeatures, windowInfo, 'http://popup/', nil)"},
    {"on_after_created", SILENT(life, on_after_created, e.Give(e.browser)), "AfterCreated(browser)"},
    {"run_modal", ANSWERING(life, run_modal, e.Give(e.browser)), "RunModal(browser)"},
    {"do_close", ANSWERING(life, do_close, e.Give(e.browser)), "Close(browser)"},
    {"on_before_close", SILENT(life, on_before_close, e.Give(e.browser)), "BeforeClose(browser)"},

    {"on_load_start", SILENT(load, on_load_start, e.Give(e.browser), e.Give(e.frame)), "LoadStart(browser, frame)"},
    {"on_load_end", SILENT(load, on_load_end, e.Give(e.browser), e.Give(e.frame), 404), "LoadEnd(browser, frame, 404)"},
    {"on_load_error",
     ANSWERING(load, on_load_error, e.Give(e.browser), e.Give(e.frame), -105, e.In(u"http://bad/"), e.InOut(u"text")),
     "LoadError(browser, frame, -105, 'http://bad/', 'text')"},

    {"on_before_browse",
     ANSWERING(request, on_before_browse, e.Give(e.browser), e.Give(e.frame), e.Give(e.request), NAVTYPE_FORMSUBMITTED,
               5),
     "BeforeBrowse(browser, frame, request, 1, True)"},
    {"on_before_resource_load",
     ANSWERING(request, on_before_resource_load, e.Give(e.browser), e.Give(e.request), e.InOut(u"http://r/"),
               e.ObjectSlot(e.stream), e.Give(e.response), 7),
     "BeforeResourceLoad(browser, request, 'http://r/', stream, response, 7)"},
    {"on_resource_redirect",
     SILENT(request, on_resource_redirect, e.Give(e.browser), e.In(u"http://old/"), e.InOut(u"stale")),
     "ResourceRedirect(browser, 'http://old/', '')"},
    {"on_resource_response",
     SILENT(request, on_resource_response, e.Give(e.browser), e.In(u"http://x/"), e.Give(e.response),
            e.ObjectSlot(e.filter)),
     "ResourceResponse(browser, 'http://x/', response, filter)"},
    {"on_protocol_execution",
     ANSWERING(request, on_protocol_execution, e.Give(e.browser), e.In(u"mailto:a"), e.Flag(1)),
     "ProtocolExecution(browser, 'mailto:a', True)"},
    {"get_download_handler",
     ANSWERING(request, get_download_handler, e.Give(e.browser), e.In(u"text/csv"), e.In(u"a.xls"), int64_t{5000000000},
               e.ObjectSlot<TCefDownloadHandler>(nullptr)),
     "GetDownloadHandler(browser, 'text/csv', 'a.xls', 5000000000, nil)"},
    {"get_auth_credentials",
     ANSWERING(request, get_auth_credentials, e.Give(e.browser), 1, e.In(u"proxy.host"), 8080, e.In(u"realm"),
               e.In(u"basic"), e.InOut(u"u"), e.InOut(u"p")),
     "AuthCredentials(browser, True, 8080, 'proxy.host', 'realm', 'basic', 'u', 'p')"},

    {"on_nav_state_change", SILENT(display, on_nav_state_change, e.Give(e.browser), 1, 0),
     "NavStateChange(browser, True, False)"},
    {"on_address_change", SILENT(display, on_address_change, e.Give(e.browser), e.Give(e.frame), e.In(u"http://a/")),
     "AddressChange(browser, frame, 'http://a/')"},
    {"on_contents_size_change", SILENT(display, on_contents_size_change, e.Give(e.browser), e.Give(e.frame), 800, 600),
     "ContentsSizeChange(browser, frame, 800, 600)"},
    {"on_title_change", SILENT(display, on_title_change, e.Give(e.browser), e.In(u"Title")),
     "TitleChange(browser, 'Title')"},
    {"on_tooltip", ANSWERING(display, on_tooltip, e.Give(e.browser), e.InOut(u"tip")), "Tooltip(browser, 'tip')"},
    {"on_status_message",
     SILENT(display, on_status_message, e.Give(e.browser), e.In(u"status"), STATUSTYPE_MOUSEOVER_URL),
     "StatusMessage(browser, 'status', 1)"},
    {"on_console_message", ANSWERING(display, on_console_message, e.Give(e.browser), e.In(u"msg"), e.In(u"src.js"), 42),
     "ConsoleMessage(browser, 'msg', 'src.js', 42)"},

    {"on_take_focus", SILENT(focus, on_take_focus, e.Give(e.browser), 1), "TakeFocus(browser, True)"},
    {"on_set_focus", ANSWERING(focus, on_set_focus, e.Give(e.browser), FOCUS_SOURCE_WIDGET), "SetFocus(browser, 2)"},
    {"on_focused_node_changed",
     SILENT(focus, on_focused_node_changed, e.Give(e.browser), e.Give(e.frame), e.Give(e.node)),
     "FocusedNodeChanged(browser, frame, node)"},

    {"on_key_event", ANSWERING(keyboard, on_key_event, e.Give(e.browser), KEYEVENT_CHAR, 65, 4, 0, 1),
     "KeyEvent(browser, 3, 65, 4, False, True)"},

    {"on_before_menu", ANSWERING(menu, on_before_menu, e.Give(e.browser), &e.menuInfo),
     "BeforeMenu(browser, menuInfo)"},
    {"get_menu_label", SILENT(menu, get_menu_label, e.Give(e.browser), 26, e.InOut(u"Copy")),
     "GetMenuLabel(browser, 26, 'Copy')"},
    {"on_menu_action", ANSWERING(menu, on_menu_action, e.Give(e.browser), 27), "MenuAction(browser, 27)"},

    {"on_before_script_extension_load",
     ANSWERING(permission, on_before_script_extension_load, e.Give(e.browser), e.Give(e.frame), e.In(u"v8/ext")),
     "BeforeScriptExtensionLoad(browser, frame, 'v8/ext')"},

    {"get_print_options", ANSWERING(print, get_print_options, e.Give(e.browser), &e.printOptions),
     "PrintOptions(browser, printOptions)"},
    {"get_print_header_footer",
     ANSWERING(print, get_print_header_footer, e.Give(e.browser), e.Give(e.frame), &e.printInfo, e.In(u"http://p/"),
               e.In(u"T"), 2, 9, e.InOut(u""), e.InOut(u""), e.InOut(u""), e.InOut(u""), e.InOut(u""), e.InOut(u"")),
     "PrintHeaderFooter(browser, frame, printInfo, 'http://p/', 'T', 2, 9, '', '', '', '', '', '')"},

    {"on_find_result", SILENT(find, on_find_result, e.Give(e.browser), 7, 12, &e.rect, 3, 0),
     "FindResult(browser, 12, rect, True, True, False)"},

    {"on_jsalert", ANSWERING(jsdialog, on_jsalert, e.Give(e.browser), e.Give(e.frame), e.In(u"hi")),
     "JsAlert(browser, frame, 'hi')"},
    {"on_jsconfirm", ANSWERING(jsdialog, on_jsconfirm, e.Give(e.browser), e.Give(e.frame), e.In(u"sure?"), e.Flag(1)),
     "JsConfirm(browser, frame, 'sure?', True)"},
    {"on_jsprompt",
     ANSWERING(jsdialog, on_jsprompt, e.Give(e.browser), e.Give(e.frame), e.In(u"name?"), e.In(u"anon"), e.Flag(0),
               e.InOut(u"")),
     "JsPrompt(browser, frame, 'name?', 'anon', False, '')"},

    {"on_context_created", SILENT(v8context, on_context_created, e.Give(e.browser), e.Give(e.frame), e.Give(e.context)),
     "ContextCreated(browser, frame, context)"},
    {"on_context_released",
     SILENT(v8context, on_context_released, e.Give(e.browser), e.Give(e.frame), e.Give(e.context)),
     "ContextReleased(browser, frame, context)"},

    {"get_view_rect", ANSWERING(render, get_view_rect, e.Give(e.browser), &e.rect), "GetViewRect(browser, rect)"},
    {"get_screen_rect", ANSWERING(render, get_screen_rect, e.Give(e.browser), &e.rect), "GetScreenRect(browser, rect)"},
    {"get_screen_point", ANSWERING(render, get_screen_point, e.Give(e.browser), 10, 20, e.Flag(1), e.Flag(2)),
     "GetScreenPoint(browser, 10, 20, 1, 2)"},
    {"on_popup_show", SILENT(render, on_popup_show, e.Give(e.browser), 1), "PopupShow(browser, True)"},
    {"on_popup_size", SILENT(render, on_popup_size, e.Give(e.browser), &e.rect), "PopupSize(browser, rect)"},
    {"on_paint", SILENT(render, on_paint, e.Give(e.browser), 1, size_t{3}, e.dirtyRects, e.buffer),
     "Paint(browser, 1, 3, dirtyRects, buffer)"},
    {"on_cursor_change", SILENT(render, on_cursor_change, e.Give(e.browser), e.cursor),
     "CursorChange(browser, cursor)"},

    {"on_drag_start", ANSWERING(drag, on_drag_start, e.Give(e.browser), e.Give(e.dragData), 5),
     "DragStart(browser, dragData, 5)"},
    {"on_drag_enter", ANSWERING(drag, on_drag_enter, e.Give(e.browser), e.Give(e.dragData), 6),
     "DragEnter(browser, dragData, 6)"},
};

#undef ENGINE_CALL
#undef ANSWERING
#undef SILENT

}  // namespace larkwell::testing
