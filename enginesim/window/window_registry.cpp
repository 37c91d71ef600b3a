// The stand-in's record of the windows it made for browsers, and sim_window_state.
#include <map>
#include <mutex>

#include "enginesim/control_web.h"
#include "enginesim/core/shield.h"
#include "enginesim/window/browser_window.h"

namespace larkwell::enginesim::window {
namespace {

class Registry {
 public:
  void created(TCefWindowHandle window, uint32_t thread) {
    std::lock_guard lock(mutex_);
    states_[window] = TSimWindowState{1, 1, 0, thread};  // a reused handle starts afresh
  }
  void destroyed(TCefWindowHandle window) {
    std::lock_guard lock(mutex_);
    if (auto found = states_.find(window); found != states_.end()) found->second.exists = 0;
  }
  bool claim(TCefWindowHandle window) {
    std::lock_guard lock(mutex_);
    auto found = states_.find(window);
    if (found == states_.end() || found->second.exists == 0) return false;
    found->second.closed_by_engine = 1;
    return true;
  }
  TSimWindowState state(TCefWindowHandle window) {
    std::lock_guard lock(mutex_);
    auto found = states_.find(window);
    return found != states_.end() ? found->second : TSimWindowState{};
  }

 private:
  std::mutex mutex_;
  std::map<TCefWindowHandle, TSimWindowState> states_;  // a few per test run: never pruned
};

Registry& registry() {
  static Registry* const instance = new Registry;  // never destroyed: windows may go at exit
  return *instance;
}

}  // namespace

void note_created(TCefWindowHandle window, uint32_t thread) { registry().created(window, thread); }
void note_destroyed(TCefWindowHandle window) { registry().destroyed(window); }
bool claim_for_closing(TCefWindowHandle window) { return registry().claim(window); }

}  // namespace larkwell::enginesim::window

int CEF_EXPORT_CALL sim_window_state(TCefWindowHandle window, TSimWindowState* state) {
  return larkwell::enginesim::shielded<int>(__func__, [&] {
    const TSimWindowState found = larkwell::enginesim::window::registry().state(window);
    if (state != nullptr) *state = found;
    return found.known;
  });
}
