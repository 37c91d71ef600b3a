// Every member of a program structure the engine can be made to call, one line each:
// X(structure name, structure type without TCef, member). The member's name for sim_fire is
// "<structure name>.<member>".
#include "enginesim/firing/slot_table.h"

#include <cstring>
#include <iterator>
#include <memory>
#include <string>

#include "enginesim/control_firing.h"
#include "enginesim/core/shield.h"
#include "enginesim/firing/slot_invoker.h"

#define ENGINESIM_PROGRAM_SLOTS(X)                                          \
  X(client, Client, get_life_span_handler)                                  \
  X(client, Client, get_load_handler)                                       \
  X(client, Client, get_request_handler)                                    \
  X(client, Client, get_display_handler)                                    \
  X(client, Client, get_focus_handler)                                      \
  X(client, Client, get_keyboard_handler)                                   \
  X(client, Client, get_menu_handler)                                       \
  X(client, Client, get_permission_handler)                                 \
  X(client, Client, get_print_handler)                                      \
  X(client, Client, get_find_handler)                                       \
  X(client, Client, get_jsdialog_handler)                                   \
  X(client, Client, get_v8context_handler)                                  \
  X(client, Client, get_render_handler)                                     \
  X(client, Client, get_drag_handler)                                       \
  X(life_span_handler, LifeSpanHandler, on_before_popup)                    \
  X(life_span_handler, LifeSpanHandler, on_after_created)                   \
  X(life_span_handler, LifeSpanHandler, run_modal)                          \
  X(life_span_handler, LifeSpanHandler, do_close)                           \
  X(life_span_handler, LifeSpanHandler, on_before_close)                    \
  X(load_handler, LoadHandler, on_load_start)                               \
  X(load_handler, LoadHandler, on_load_end)                                 \
  X(load_handler, LoadHandler, on_load_error)                               \
  X(request_handler, RequestHandler, on_before_browse)                      \
  X(request_handler, RequestHandler, on_before_resource_load)               \
  X(request_handler, RequestHandler, on_resource_redirect)                  \
  X(request_handler, RequestHandler, on_resource_response)                  \
  X(request_handler, RequestHandler, on_protocol_execution)                 \
  X(request_handler, RequestHandler, get_download_handler)                  \
  X(request_handler, RequestHandler, get_auth_credentials)                  \
  X(request_handler, RequestHandler, unused_member)                         \
  X(display_handler, DisplayHandler, on_nav_state_change)                   \
  X(display_handler, DisplayHandler, on_address_change)                     \
  X(display_handler, DisplayHandler, on_contents_size_change)               \
  X(display_handler, DisplayHandler, on_title_change)                       \
  X(display_handler, DisplayHandler, on_tooltip)                            \
  X(display_handler, DisplayHandler, on_status_message)                     \
  X(display_handler, DisplayHandler, on_console_message)                    \
  X(focus_handler, FocusHandler, on_take_focus)                             \
  X(focus_handler, FocusHandler, on_set_focus)                              \
  X(focus_handler, FocusHandler, on_focused_node_changed)                   \
  X(keyboard_handler, KeyboardHandler, on_key_event)                        \
  X(menu_handler, MenuHandler, on_before_menu)                              \
  X(menu_handler, MenuHandler, get_menu_label)                              \
  X(menu_handler, MenuHandler, on_menu_action)                              \
  X(permission_handler, PermissionHandler, on_before_script_extension_load) \
  X(print_handler, PrintHandler, get_print_options)                         \
  X(print_handler, PrintHandler, get_print_header_footer)                   \
  X(find_handler, FindHandler, on_find_result)                              \
  X(jsdialog_handler, JsDialogHandler, on_jsalert)                          \
  X(jsdialog_handler, JsDialogHandler, on_jsconfirm)                        \
  X(jsdialog_handler, JsDialogHandler, on_jsprompt)                         \
  X(v8context_handler, V8ContextHandler, on_context_created)                \
  X(v8context_handler, V8ContextHandler, on_context_released)               \
  X(render_handler, RenderHandler, get_view_rect)                           \
  X(render_handler, RenderHandler, get_screen_rect)                         \
  X(render_handler, RenderHandler, get_screen_point)                        \
  X(render_handler, RenderHandler, on_popup_show)                           \
  X(render_handler, RenderHandler, on_popup_size)                           \
  X(render_handler, RenderHandler, on_paint)                                \
  X(render_handler, RenderHandler, on_cursor_change)                        \
  X(drag_handler, DragHandler, on_drag_start)                               \
  X(drag_handler, DragHandler, on_drag_enter)                               \
  X(download_handler, DownloadHandler, received_data)                       \
  X(download_handler, DownloadHandler, complete)                            \
  X(app, App, get_resource_bundle_handler)                                  \
  X(app, App, get_proxy_handler)                                            \
  X(proxy_handler, ProxyHandler, get_proxy_for_url)                         \
  X(resource_bundle_handler, ResourceBundleHandler, get_localized_string)   \
  X(resource_bundle_handler, ResourceBundleHandler, get_data_resource)      \
  X(read_handler, ReadHandler, read)                                        \
  X(read_handler, ReadHandler, seek)                                        \
  X(read_handler, ReadHandler, tell)                                        \
  X(read_handler, ReadHandler, eof)                                         \
  X(v8accessor, V8Accessor, get)                                            \
  X(v8accessor, V8Accessor, set)                                            \
  X(dom_visitor, DomVisitor, visit)                                         \
  X(dom_event_listener, DomEventListener, handle_event)

namespace larkwell::enginesim::firing {
namespace {

#define ENGINESIM_SLOT_ENTRY(name, Struct, member)                                                 \
  {#name "." #member, &fire_member<&TCef##Struct::member>, &member_present<&TCef##Struct::member>, \
   sizeof(TCef##Struct)},

constexpr Slot kSlots[] = {ENGINESIM_PROGRAM_SLOTS(ENGINESIM_SLOT_ENTRY)};

#undef ENGINESIM_SLOT_ENTRY

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
