#include "enginesim/script/v8_context.h"

#include <initializer_list>
#include <mutex>
#include <utility>
#include <vector>

#include "enginesim/core/sim_object.h"
#include "enginesim/script/script_support.h"
#include "enginesim/script/v8_model.h"

namespace larkwell::enginesim {
namespace {

// The entered contexts and the contexts of running functions, innermost last. Each entry
// holds a reference, so a context lives while it is entered.
class ContextStacks {
 public:
  using Stack = std::vector<Held<TCefV8Context>>;

  void push(Stack ContextStacks::*stack, TCefV8Context* context) {
    Held<TCefV8Context> entry = Held<TCefV8Context>::copy(context);
    std::lock_guard lock(mutex_);
    (this->*stack).push_back(std::move(entry));
  }

  // Pops the top of `stack` when it is `context` (any top when null); false otherwise.
  bool pop(Stack ContextStacks::*stack, TCefV8Context* context) {
    Held<TCefV8Context> popped;  // released after the lock is gone
    std::lock_guard lock(mutex_);
    Stack& entries = this->*stack;
    if (entries.empty() || (context != nullptr && entries.back().get() != context)) return false;
    popped = std::move(entries.back());
    entries.pop_back();
    return true;
  }

  TCefV8Context* top(std::initializer_list<Stack ContextStacks::*> stacks) {
    std::lock_guard lock(mutex_);
    for (Stack ContextStacks::*stack : stacks) {
      if (!(this->*stack).empty()) return (this->*stack).back().share();
    }
    return nullptr;
  }

  Stack entered;
  Stack running;

 private:
  std::mutex mutex_;
};

ContextStacks& stacks() {
  static ContextStacks* const instance = new ContextStacks;  // never destroyed
  return *instance;
}

class SimV8Context final : public SimObjectOf<TCefV8Context> {
 public:
  SimV8Context(TCefBrowser* browser, TCefFrame* frame)
      : SimObjectOf("script context"),
        browser_(Held<TCefBrowser>::copy(browser)),
        frame_(Held<TCefFrame>::copy(frame)),
        global_(make_value(V8Kind::object)) {
    TCefV8Context* s = structure();
    s->get_browser = entry<&SimV8Context::get_browser>;
    s->get_frame = entry<&SimV8Context::get_frame>;
    s->get_global = entry<&SimV8Context::get_global>;
    s->enter = entry<&SimV8Context::enter>;
    s->exit = entry<&SimV8Context::exit>;
    s->is_same = entry<&SimV8Context::is_same>;
  }

 private:
  TCefBrowser* get_browser() { return browser_.share(); }
  TCefFrame* get_frame() { return frame_.share(); }
  TCefV8Value* get_global() { return value_handle(global_); }

  int enter() {
    stacks().push(&ContextStacks::entered, structure());
    return 1;
  }
  int exit() { return stacks().pop(&ContextStacks::entered, structure()) ? 1 : 0; }

  int is_same(TCefV8Context* that) {
    Held<TCefV8Context> other = Held<TCefV8Context>::adopt(that);
    return other.get() == structure() ? 1 : 0;
  }

  Held<TCefBrowser> browser_;
  Held<TCefFrame> frame_;
  V8Ref global_;
};

}  // namespace

TCefV8Context* create_v8context(TCefBrowser* browser, TCefFrame* frame) {
  return make_object<SimV8Context>(browser, frame)->structure();
}

TCefV8Context* current_context() { return stacks().top({&ContextStacks::running, &ContextStacks::entered}); }

TCefV8Context* entered_context() { return stacks().top({&ContextStacks::entered}); }

RunningIn::RunningIn(TCefV8Context* context) : pushed_(context != nullptr) {
  if (pushed_) stacks().push(&ContextStacks::running, context);
}

RunningIn::~RunningIn() {
  if (pushed_) stacks().pop(&ContextStacks::running, nullptr);
}

}  // namespace larkwell::enginesim
