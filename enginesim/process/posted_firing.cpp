// Firings queued for the next work step (sim_post_fire).
#include <memory>
#include <string>
#include <vector>

#include "enginesim/control_firing.h"
#include "enginesim/core/held.h"
#include "enginesim/core/ledger.h"
#include "enginesim/core/shield.h"
#include "enginesim/firing/slot_table.h"
#include "enginesim/process/process.h"
#include "enginesim/web/browser.h"

namespace larkwell::enginesim::process {
namespace {

// Everything one queued firing needs when its step comes: the engine holds the target and the
// arguments' objects until then; the record has copied the texts.
class PostedFiring {
 public:
  PostedFiring(void* target, web::SimBrowser* browser, const char* slot, const TSimArg* args, int count)
      : target_(Held<TCefBase>::copy(static_cast<TCefBase*>(target))),
        browser_(browser),
        slot_(slot),
        record_(args, count) {
    for (int i = 0; i < count; ++i) {
      const bool object = args[i].kind == SIM_ARG_OBJECT || args[i].kind == SIM_ARG_OBJECT_OUT;
      if (object && args[i].object != nullptr) objects_.push_back(Held<TCefBase>::copy(args[i].object));
    }
  }

  void run() {
    if (browser_ != nullptr) {
      browser_->fire_at_client(slot_.c_str(), record_);
    } else {
      firing::fire(target_.get(), slot_.c_str(), record_);
    }
  }

 private:
  Held<TCefBase> target_;
  web::SimBrowser* const browser_;  // the target, when it is a browser: alive while target_ holds it
  std::vector<Held<TCefBase>> objects_;
  const std::string slot_;
  firing::Record record_;  // released before the objects its arguments point at
};

// The browser behind `target`, when it is one; false (and a ledger error) for a target that
// cannot be fired at through `slot`.
bool check_target(void* target, const char* slot, web::SimBrowser*& browser) {
  browser = nullptr;
  const std::string call = std::string("sim_post_fire ") + (slot ? slot : "(null)");
  if (firing::find_slot(slot) == nullptr || target == nullptr) {
    ledger().record_error(call + ": an unknown member or a null target");
    return false;
  }
  if (!ledger().is_engine_structure(target)) return true;  // a program structure
  browser = object_of<web::SimBrowser>(target, call.c_str());
  if (browser == nullptr) return false;
  if (!firing::reachable_from_client(slot)) {
    ledger().record_error(call + ": no structure a client gives has this member");
    return false;
  }
  return true;
}

}  // namespace
}  // namespace larkwell::enginesim::process

using namespace larkwell::enginesim;

int CEF_EXPORT_CALL sim_post_fire(void* target, const char* slot, const TSimArg* args, int count) {
  return shielded<int>(__func__, [&] {
    web::SimBrowser* browser = nullptr;
    if (!process::check_target(target, slot, browser)) return 0;
    auto posted = std::make_shared<process::PostedFiring>(target, browser, slot, args, args != nullptr ? count : 0);
    process::current().post([posted] { posted->run(); });
    return 1;
  });
}
