// Every member of a program structure the engine can be made to call, one line each:
// ENGINESIM_SLOT(structure name, structure type, member). The member's name for sim_fire is
// "<structure name>.<member>".
#include "enginesim/firing/slot_table.h"

#include <cstring>
#include <iterator>
#include <memory>
#include <string>

#include "enginesim/control_firing.h"
#include "enginesim/core/shield.h"
#include "enginesim/firing/slot_invoker.h"

namespace larkwell::enginesim::firing {
namespace {

template <auto Member>
constexpr Slot slot_of(const char* name) {
  return {name, &fire_member<Member>, &member_present<Member>, sizeof(typename MemberOf<decltype(Member)>::Structure)};
}

#define ENGINESIM_SLOT(name, Struct, member) slot_of<&Struct::member>(#name "." #member)

constexpr Slot kSlots[] = {
    ENGINESIM_SLOT(client, TCefClient, get_life_span_handler),
    ENGINESIM_SLOT(client, TCefClient, get_load_handler),
    ENGINESIM_SLOT(client, TCefClient, get_request_handler),
    ENGINESIM_SLOT(client, TCefClient, get_display_handler),
    ENGINESIM_SLOT(client, TCefClient, get_focus_handler),
    ENGINESIM_SLOT(client, TCefClient, get_keyboard_handler),
    ENGINESIM_SLOT(client, TCefClient, get_menu_handler),
    ENGINESIM_SLOT(client, TCefClient, get_permission_handler),
    ENGINESIM_SLOT(client, TCefClient, get_print_handler),
    ENGINESIM_SLOT(client, TCefClient, get_find_handler),
    ENGINESIM_SLOT(client, TCefClient, get_jsdialog_handler),
    ENGINESIM_SLOT(client, TCefClient, get_v8context_handler),
    ENGINESIM_SLOT(client, TCefClient, get_render_handler),
    ENGINESIM_SLOT(client, TCefClient, get_drag_handler),
    ENGINESIM_SLOT(life_span_handler, TCefLifeSpanHandler, on_before_popup),
    ENGINESIM_SLOT(life_span_handler, TCefLifeSpanHandler, on_after_created),
    ENGINESIM_SLOT(life_span_handler, TCefLifeSpanHandler, run_modal),
    ENGINESIM_SLOT(life_span_handler, TCefLifeSpanHandler, do_close),
    ENGINESIM_SLOT(life_span_handler, TCefLifeSpanHandler, on_before_close),
    ENGINESIM_SLOT(load_handler, TCefLoadHandler, on_load_start),
    ENGINESIM_SLOT(load_handler, TCefLoadHandler, on_load_end),
    ENGINESIM_SLOT(load_handler, TCefLoadHandler, on_load_error),
    ENGINESIM_SLOT(request_handler, TCefRequestHandler, on_before_browse),
    ENGINESIM_SLOT(request_handler, TCefRequestHandler, on_before_resource_load),
    ENGINESIM_SLOT(request_handler, TCefRequestHandler, on_resource_redirect),
    ENGINESIM_SLOT(request_handler, TCefRequestHandler, on_resource_response),
    ENGINESIM_SLOT(request_handler, TCefRequestHandler, on_protocol_execution),
    ENGINESIM_SLOT(request_handler, TCefRequestHandler, get_download_handler),
    ENGINESIM_SLOT(request_handler, TCefRequestHandler, get_auth_credentials),
    ENGINESIM_SLOT(request_handler, TCefRequestHandler, unused_member),
    ENGINESIM_SLOT(display_handler, TCefDisplayHandler, on_nav_state_change),
    ENGINESIM_SLOT(display_handler, TCefDisplayHandler, on_address_change),
    ENGINESIM_SLOT(display_handler, TCefDisplayHandler, on_contents_size_change),
    ENGINESIM_SLOT(display_handler, TCefDisplayHandler, on_title_change),
    ENGINESIM_SLOT(display_handler, TCefDisplayHandler, on_tooltip),
    ENGINESIM_SLOT(display_handler, TCefDisplayHandler, on_status_message),
    ENGINESIM_SLOT(display_handler, TCefDisplayHandler, on_console_message),
    ENGINESIM_SLOT(focus_handler, TCefFocusHandler, on_take_focus),
    ENGINESIM_SLOT(focus_handler, TCefFocusHandler, on_set_focus),
    ENGINESIM_SLOT(focus_handler, TCefFocusHandler, on_focused_node_changed),
    ENGINESIM_SLOT(keyboard_handler, TCefKeyboardHandler, on_key_event),
    ENGINESIM_SLOT(menu_handler, TCefMenuHandler, on_before_menu),
    ENGINESIM_SLOT(menu_handler, TCefMenuHandler, get_menu_label),
    ENGINESIM_SLOT(menu_handler, TCefMenuHandler, on_menu_action),
    ENGINESIM_SLOT(permission_handler, TCefPermissionHandler, on_before_script_extension_load),
    ENGINESIM_SLOT(print_handler, TCefPrintHandler, get_print_options),
    ENGINESIM_SLOT(print_handler, TCefPrintHandler, get_print_header_footer),
    ENGINESIM_SLOT(find_handler, TCefFindHandler, on_find_result),
    ENGINESIM_SLOT(jsdialog_handler, TCefJsDialogHandler, on_jsalert),
    ENGINESIM_SLOT(jsdialog_handler, TCefJsDialogHandler, on_jsconfirm),
    ENGINESIM_SLOT(jsdialog_handler, TCefJsDialogHandler, on_jsprompt),
    ENGINESIM_SLOT(v8context_handler, TCefV8ContextHandler, on_context_created),
    ENGINESIM_SLOT(v8context_handler, TCefV8ContextHandler, on_context_released),
    ENGINESIM_SLOT(render_handler, TCefRenderHandler, get_view_rect),
    ENGINESIM_SLOT(render_handler, TCefRenderHandler, get_screen_rect),
    ENGINESIM_SLOT(render_handler, TCefRenderHandler, get_screen_point),
    ENGINESIM_SLOT(render_handler, TCefRenderHandler, on_popup_show),
    ENGINESIM_SLOT(render_handler, TCefRenderHandler, on_popup_size),
    ENGINESIM_SLOT(render_handler, TCefRenderHandler, on_paint),
    ENGINESIM_SLOT(render_handler, TCefRenderHandler, on_cursor_change),
    ENGINESIM_SLOT(drag_handler, TCefDragHandler, on_drag_start),
    ENGINESIM_SLOT(drag_handler, TCefDragHandler, on_drag_enter),
    ENGINESIM_SLOT(download_handler, TCefDownloadHandler, received_data),
    ENGINESIM_SLOT(download_handler, TCefDownloadHandler, complete),
    ENGINESIM_SLOT(app, TCefApp, get_resource_bundle_handler),
    ENGINESIM_SLOT(app, TCefApp, get_proxy_handler),
    ENGINESIM_SLOT(proxy_handler, TCefProxyHandler, get_proxy_for_url),
    ENGINESIM_SLOT(resource_bundle_handler, TCefResourceBundleHandler, get_localized_string),
    ENGINESIM_SLOT(resource_bundle_handler, TCefResourceBundleHandler, get_data_resource),
    ENGINESIM_SLOT(read_handler, TCefReadHandler, read),
    ENGINESIM_SLOT(read_handler, TCefReadHandler, seek),
    ENGINESIM_SLOT(read_handler, TCefReadHandler, tell),
    ENGINESIM_SLOT(read_handler, TCefReadHandler, eof),
    ENGINESIM_SLOT(v8accessor, TCefV8Accessor, get),
    ENGINESIM_SLOT(v8accessor, TCefV8Accessor, set),
    ENGINESIM_SLOT(dom_visitor, TCefDomVisitor, visit),
    ENGINESIM_SLOT(dom_event_listener, TCefDomEventListener, handle_event),
};

#undef ENGINESIM_SLOT

}  // namespace

const Slot* find_slot(const char* name) {
  if (name == nullptr) return nullptr;
  for (const Slot& slot : kSlots) {
    if (std::strcmp(slot.name, name) == 0) return &slot;
  }
  return nullptr;
}

const Slot* slot_at(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kSlots))) return nullptr;
  return &kSlots[index];
}

void fire(void* structure, const char* name, Record& record) {
  const Slot* slot = find_slot(name);
  if (slot == nullptr) {
    ledger().record_error(std::string("sim_fire: no member named ") + (name ? name : "(null)"));
    return;
  }
  if (structure == nullptr) {
    ledger().record_error(std::string("sim_fire: ") + slot->name + " of a null structure");
    return;
  }
  // The program's structures have exactly the engine's size; another size means another kind.
  if (static_cast<const TCefBase*>(structure)->size != slot->structure_size) {
    ledger().record_error(std::string("sim_fire: ") + slot->name + " of a structure of another size");
    return;
  }
  slot->fire(structure, record, slot->name);
}

}  // namespace larkwell::enginesim::firing

using namespace larkwell::enginesim;

TSimFiring* CEF_EXPORT_CALL sim_fire(void* structure, const char* slot, const TSimArg* args, int count) {
  return shielded<TSimFiring*>(__func__, [&] {
    auto firing = std::make_unique<TSimFiring>(args, count);
    firing::fire(structure, slot, *firing);
    return firing.release();
  });
}

int CEF_EXPORT_CALL sim_slot_present(const void* structure, const char* slot) {
  return shielded<int>(__func__, [&] {
    const firing::Slot* found = firing::find_slot(slot);
    if (found == nullptr || structure == nullptr) return -1;
    return found->present(structure) ? 1 : 0;
  });
}

const char* CEF_EXPORT_CALL sim_slot_name(int index) {
  const firing::Slot* slot = firing::slot_at(index);
  return slot != nullptr ? slot->name : nullptr;
}
