// The stand-in's process: initialisation with its settings and application object, the queue
// of work that cef_do_message_loop_work runs, browsers, and shutdown.
//
// The lock guards the state only; program code (the application's handlers, released
// references, queued work) always runs with the lock released, so it may call back into the
// engine.
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "engine/cef_api.h"
#include "enginesim/control_process.h"
#include "enginesim/core/held.h"
#include "enginesim/web/settings_copy.h"

namespace larkwell::enginesim::web {
struct Creation;
}  // namespace larkwell::enginesim::web

namespace larkwell::enginesim::process {

class Process {
 public:
  // Takes over the application's reference, asks it once for its proxy and resource-bundle
  // handlers and keeps all three until shutdown. 0 and a ledger error when already initialised.
  int initialize(const TCefSettings* settings, TCefApp* application);
  // Releases everything the engine holds; a ledger error when not initialised.
  void shutdown();
  // Runs the work queued before this step began; a ledger error when not initialised.
  void do_message_loop_work();
  // Runs steps until cef_quit_message_loop is called or nothing is left to do.
  void run_message_loop();
  void quit_message_loop();

  // A new browser holding `client` (its reference taken over), made as `creation` says
  // (its window too), loading its URL when not empty; one reference for the caller. Null and a
  // ledger error, naming `call`, when not initialised (the client's reference is then released).
  TCefBrowser* create_browser(const web::Creation& creation, TCefClient* client, const char* call);

  void post(std::function<void()> work);
  // The engine's own work: queued only while initialised; false when dropped.
  bool post_if_initialised(std::function<void()> work);
  int pending_work();

  TSimProcessCounts counts();
  std::optional<web::SettingsCopy> settings();
  TCefApp* application();
  // The handlers the application gave at initialisation, each held once more for the caller's
  // use; empty when there is none.
  Held<TCefProxyHandler> proxy_handler();
  Held<TCefResourceBundleHandler> resource_bundle_handler();

  void reset();
  void set_report_at_exit(bool enable);
  void set_refuse_browsers(bool refuse);
  void set_unfinished_browsers(bool unfinished);
  // The line sim_process_report_at_exit asks for, when it did.
  void write_exit_report();

 private:
  // What initialisation gave the engine to hold; released, unlocked, when it goes.
  struct Holdings {
    Held<TCefApp> application;
    Held<TCefProxyHandler> proxy_handler;
    Held<TCefResourceBundleHandler> resource_bundle_handler;
    std::deque<std::function<void()>> work;  // released first: it may hold references too
  };

  // Empties the holdings under the lock; the caller releases them after unlocking.
  Holdings take_holdings_locked();
  bool check_initialised_locked(const char* call);

  std::mutex mutex_;
  bool initialised_ = false;
  bool quit_requested_ = false;
  bool report_at_exit_ = false;
  bool refuse_browsers_ = false;      // create calls answer no browser (sim_process_refuse_browsers)
  bool unfinished_browsers_ = false;  // create calls make unfinished browsers
  int running_work_ = 0;              // cef_do_message_loop_work calls under way, on all threads
  static constexpr TSimProcessCounts kNoCounts{0, 0, 0, 0, 0, 0, 0, -1, 0, 0, 0};
  TSimProcessCounts counts_ = kNoCounts;
  std::optional<web::SettingsCopy> settings_;
  std::string lang_at_initialize_;  // the LANG variable when the engine started
  Holdings holdings_;
};

// The stand-in's one process. Never destroyed: a program that exits with the engine still
// initialised is not called back while the library is being unloaded.
Process& current();

// Queues the engine's own work for the next cef_do_message_loop_work, from any thread; an
// engine that is not initialised does no work, so nothing is queued then.
void post_work(std::function<void()> work);

}  // namespace larkwell::enginesim::process
