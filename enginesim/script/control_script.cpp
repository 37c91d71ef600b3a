// The sim_* test-control exports of the script and document models.
#include "enginesim/control_script.h"

#include "enginesim/core/shield.h"
#include "enginesim/script/call_records.h"
#include "enginesim/script/dom_model.h"
#include "enginesim/script/script_support.h"
#include "enginesim/script/v8_context.h"
#include "enginesim/script/v8_handler.h"
#include "enginesim/script/v8_model.h"

using namespace larkwell::enginesim;

namespace {

// The place of `wanted` in the document order of `root`'s tree.
int position_of(DomNodeData& root, const DomNodeData* wanted) {
  int position = 0;
  find_node(root, [&](const DomNodeData& node) {
    if (&node == wanted) return true;
    ++position;
    return false;
  });
  return position;
}

}  // namespace

TCefV8Context* CEF_EXPORT_CALL sim_create_v8context(TCefBrowser* browser, TCefFrame* frame) {
  return shielded<TCefV8Context*>(__func__, [&] { return create_v8context(browser, frame); });
}

TCefV8Handler* CEF_EXPORT_CALL sim_create_v8handler(const char* exception_message) {
  return shielded<TCefV8Handler*>(__func__, [&] { return create_v8handler(from_utf8(exception_message)); });
}

TCefV8Exception* CEF_EXPORT_CALL sim_create_v8exception(const TSimV8ExceptionInit* init) {
  return shielded<TCefV8Exception*>(__func__, [&]() -> TCefV8Exception* {
    if (init == nullptr) return nullptr;
    return new_exception(V8ExceptionInfo{from_utf8(init->message), from_utf8(init->source_line),
                                         from_utf8(init->script_resource_name), init->line_number, init->start_position,
                                         init->end_position, init->start_column, init->end_column});
  });
}

int CEF_EXPORT_CALL sim_v8_last_call(int32_t which, TSimV8Call* out) {
  return shielded<int>(__func__, [&] { return out != nullptr && last_v8_call(which, *out) ? 1 : 0; });
}

int CEF_EXPORT_CALL sim_v8_last_accessor_call(TSimV8AccessorCall* out) {
  return shielded<int>(__func__, [&] { return out != nullptr && last_accessor_call(*out) ? 1 : 0; });
}

TCefDomDocument* CEF_EXPORT_CALL sim_create_document(const char* markup, const char* base_url) {
  return shielded<TCefDomDocument*>(__func__, [&] { return create_document(from_utf8(markup), from_utf8(base_url)); });
}

int CEF_EXPORT_CALL sim_dom_set_focused_node(TCefDomDocument* document, TCefDomNode* node) {
  return shielded<int>(__func__, [&](const char* call) {
    const DomRef data = document_of(document, call);
    const DomNodeRef focused = node_of(node, call);
    if (!data || (node != nullptr && focused.document != data)) return 0;
    data->focused = focused.node;
    return 1;
  });
}

int CEF_EXPORT_CALL sim_dom_set_selection(TCefDomDocument* document, TCefDomNode* start, int start_offset,
                                          TCefDomNode* end, int end_offset) {
  return shielded<int>(__func__, [&](const char* call) {
    const DomRef data = document_of(document, call);
    if (!data) return 0;
    if (start == nullptr) {
      data->selection_start = data->selection_end = DomPosition{};
      return 1;
    }
    const DomNodeRef from = node_of(start, call);
    const DomNodeRef to = node_of(end, call);
    auto valid = [&data](const DomNodeRef& end_node, int offset) {
      return end_node.document == data && end_node.node->kind == DomKind::text && offset >= 0 &&
             static_cast<std::size_t>(offset) <= end_node.node->text.size();
    };
    if (!valid(from, start_offset) || !valid(to, end_offset)) return 0;
    const bool ordered = from.node == to.node ? start_offset <= end_offset
                                              : position_of(data->root, from.node) < position_of(data->root, to.node);
    if (!ordered) return 0;
    data->selection_start = DomPosition{from.node, start_offset};
    data->selection_end = DomPosition{to.node, end_offset};
    return 1;
  });
}

int CEF_EXPORT_CALL sim_dom_dispatch_event(TCefDomNode* target, const char* type, int32_t category, int bubbles,
                                           int cancelable) {
  return shielded<int>(__func__, [&](const char* call) {
    return dispatch_event(node_of(target, call),
                          DomEventInit{from_utf8(type), category, bubbles != 0, cancelable != 0});
  });
}

int CEF_EXPORT_CALL sim_dom_last_listener(TCefDomNode* node, char* type, int type_size, int32_t* has_listener,
                                          int32_t* use_capture) {
  return shielded<int>(__func__, [&](const char* call) {
    const DomNodeRef found = node_of(node, call);
    if (found.node == nullptr || found.node->listeners.empty()) return 0;
    const DomListener& last = found.node->listeners.back();
    if (type_size > 0) copy_utf8(last.type, type, static_cast<std::size_t>(type_size));
    if (has_listener != nullptr) *has_listener = last.listener ? 1 : 0;
    if (use_capture != nullptr) *use_capture = last.use_capture ? 1 : 0;
    return static_cast<int>(found.node->listeners.size());
  });
}
