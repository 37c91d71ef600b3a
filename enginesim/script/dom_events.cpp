// DOM events: dispatching one to the listeners of a node and its ancestors, and the event
// object each listener receives.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "enginesim/core/sim_object.h"
#include "enginesim/script/dom_model.h"
#include "enginesim/script/script_support.h"

namespace larkwell::enginesim {
namespace {

constexpr TCefDomEventPhase kCapturing = 1;
constexpr TCefDomEventPhase kAtTarget = 2;
constexpr TCefDomEventPhase kBubbling = 3;

// One listener call's view of the event: a snapshot, so a listener that keeps its event sees
// the phase and current target of its own call.
struct EventState {
  DomEventInit init;
  TCefDomEventPhase phase = 0;
  DomRef document;
  DomNodeData* target = nullptr;
  DomNodeData* current_target = nullptr;
};

class SimDomEvent final : public SimObjectOf<TCefDomEvent> {
 public:
  explicit SimDomEvent(EventState state) : SimObjectOf("DOM event"), state_(std::move(state)) {
    TCefDomEvent* s = structure();
    s->get_type = entry<&SimDomEvent::get_type>;
    s->get_category = entry<&SimDomEvent::get_category>;
    s->get_phase = entry<&SimDomEvent::get_phase>;
    s->can_bubble = entry<&SimDomEvent::can_bubble>;
    s->can_cancel = entry<&SimDomEvent::can_cancel>;
    s->get_document = entry<&SimDomEvent::get_document>;
    s->get_target = entry<&SimDomEvent::node<&EventState::target>>;
    s->get_current_target = entry<&SimDomEvent::node<&EventState::current_target>>;
  }

 private:
  PCefStringUserFree get_type() { return userfree_text(state_.init.type); }
  TCefDomEventCategory get_category() { return state_.init.category; }
  TCefDomEventPhase get_phase() { return state_.phase; }
  int can_bubble() { return state_.init.bubbles ? 1 : 0; }
  int can_cancel() { return state_.init.cancelable ? 1 : 0; }
  TCefDomDocument* get_document() { return document_handle(state_.document); }

  template <DomNodeData* EventState::*Which>
  TCefDomNode* node() {
    return node_handle(state_.document, state_.*Which);
  }

  EventState state_;
};

// Calls the listeners of `node` for the event that `accepts`, each with a new event object
// carrying one reference. Listeners added during the dispatch wait for the next event.
template <class Accepts>
int call_listeners(EventState& state, DomNodeData& node, TCefDomEventPhase phase, const Accepts& accepts) {
  int called = 0;
  const std::size_t registered = node.listeners.size();
  for (std::size_t i = 0; i < registered; ++i) {
    const DomListener& entry = node.listeners[i];
    TCefDomEventListener* listener = entry.listener.get();
    if (entry.type != state.init.type || !accepts(entry) || listener == nullptr || listener->handle_event == nullptr) {
      continue;
    }
    state.phase = phase;
    state.current_target = &node;
    listener->handle_event(listener, make_object<SimDomEvent>(state)->structure());
    ++called;
  }
  return called;
}

bool capturing(const DomListener& entry) { return entry.use_capture; }
bool any(const DomListener&) { return true; }
bool bubbling(const DomListener& entry) { return !entry.use_capture; }

}  // namespace

int dispatch_event(const DomNodeRef& target, const DomEventInit& init) {
  if (!target.document || target.node == nullptr) return 0;
  EventState state{init, 0, target.document, target.node, nullptr};
  std::vector<DomNodeData*> ancestors;  // the root first
  for (DomNodeData* node = target.node->parent; node != nullptr; node = node->parent) {
    ancestors.push_back(node);
  }
  std::reverse(ancestors.begin(), ancestors.end());

  int called = 0;
  for (DomNodeData* node : ancestors) called += call_listeners(state, *node, kCapturing, capturing);
  called += call_listeners(state, *target.node, kAtTarget, any);
  if (init.bubbles) {
    for (auto node = ancestors.rbegin(); node != ancestors.rend(); ++node) {
      called += call_listeners(state, **node, kBubbling, bubbling);
    }
  }
  return called;
}

}  // namespace larkwell::enginesim
