// The engine's side of a client: it asks the client for a family's handler through the
// client's getter, as before every notification of that family, and holds the answers.
//
// The first question makes the engine hold the client itself; that reference and every handler
// still held go when the test says the engine is done with the client.
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "enginesim/control_firing.h"
#include "enginesim/core/engine_refs.h"
#include "enginesim/core/ledger.h"
#include "enginesim/core/shield.h"
#include "enginesim/firing/slot_table.h"

namespace larkwell::enginesim::firing {
namespace {

// The client's member that gives the handlers of structure `structure` ("load_handler":
// "client.get_load_handler"); null when a client gives no such structure.
const Slot* getter_of(std::string_view structure) {
  return find_slot(("client.get_" + std::string(structure)).c_str());
}

// The structure part of a member's name: "load_handler" of "load_handler.on_load_end".
std::string_view structure_of(const char* name) {
  const std::string_view full(name);
  return full.substr(0, full.find('.'));
}

struct HeldHandler {
  std::string family;
  TCefBase* handler;  // one engine reference
};

class ClientHolds {
 public:
  TCefBase* get_handler(TCefClient* client, const char* family) {
    if (client == nullptr || family == nullptr) {
      ledger().record_error("sim_client_get_handler: a null client or family");
      return nullptr;
    }
    const Slot* getter = getter_of(std::string(family) + "_handler");
    if (getter == nullptr) {
      ledger().record_error(std::string("sim_client_get_handler: no handler family ") + family);
      return nullptr;
    }
    Record record(nullptr, 0);
    fire(client, getter->name, record);
    // The answer's reference passes from the record to the engine's hold.
    TCefBase* handler = record.take_answer_object();

    std::lock_guard lock(mutex_);
    auto [hold, first] = holds_.try_emplace(client);
    if (first) engine_add_ref(reinterpret_cast<TCefBase*>(client));
    if (handler != nullptr) hold->second.push_back({family, handler});
    return handler;
  }

  int release_handlers(TCefClient* client, const char* family) {
    std::vector<HeldHandler> released;
    {
      std::lock_guard lock(mutex_);
      auto hold = holds_.find(client);
      if (hold == holds_.end()) return 0;
      std::erase_if(hold->second, [&](HeldHandler& held) {
        if (family != nullptr && held.family != family) return false;
        released.push_back(std::move(held));
        return true;
      });
    }
    // Outside the lock: a release may destroy the program's handler.
    for (const HeldHandler& held : released) engine_release(held.handler);
    return static_cast<int>(released.size());
  }

  int release_client(TCefClient* client) {
    std::vector<HeldHandler> released;
    {
      std::lock_guard lock(mutex_);
      auto hold = holds_.find(client);
      if (hold == holds_.end()) {
        ledger().record_error("sim_client_release: the engine holds nothing from this client");
        return -1;
      }
      released = std::move(hold->second);
      holds_.erase(hold);
    }
    for (const HeldHandler& held : released) engine_release(held.handler);
    engine_release(reinterpret_cast<TCefBase*>(client));
    return static_cast<int>(released.size());
  }

 private:
  std::mutex mutex_;
  std::map<TCefClient*, std::vector<HeldHandler>> holds_;
};

ClientHolds& client_holds() {
  static ClientHolds* const instance = new ClientHolds;  // never destroyed, like the ledger
  return *instance;
}

}  // namespace

bool reachable_from_client(const char* name) {
  const Slot* slot = find_slot(name);
  if (slot == nullptr) return false;
  const std::string_view structure = structure_of(slot->name);
  return structure == "client" || getter_of(structure) != nullptr;
}

void fire_through_client(TCefClient* client, const char* name, Record& record) {
  if (!reachable_from_client(name)) {
    ledger().record_error(std::string("a client gives no structure with the member ") + (name ? name : "(null)"));
    return;
  }
  const std::string_view structure = structure_of(name);
  if (structure == "client") {
    fire(client, name, record);
    return;
  }
  Record asked(nullptr, 0);  // holds the handler's reference until it goes, after the call
  fire(client, getter_of(structure)->name, asked);
  if (asked.answer().object == nullptr) {
    record.set_status(SIM_FIRE_EMPTY_SLOT);
    return;
  }
  fire(asked.answer().object, name, record);
}

}  // namespace larkwell::enginesim::firing

using larkwell::enginesim::shielded;
using larkwell::enginesim::firing::client_holds;

TCefBase* CEF_EXPORT_CALL sim_client_get_handler(TCefClient* client, const char* family) {
  return shielded<TCefBase*>(__func__, [&] { return client_holds().get_handler(client, family); });
}

int CEF_EXPORT_CALL sim_client_release_handlers(TCefClient* client, const char* family) {
  return shielded<int>(__func__, [&] { return client_holds().release_handlers(client, family); });
}

int CEF_EXPORT_CALL sim_client_release(TCefClient* client) {
  return shielded<int>(__func__, [&] { return client_holds().release_client(client); });
}
