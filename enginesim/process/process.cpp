#include "enginesim/process/process.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "enginesim/core/ledger.h"
#include "enginesim/core/shield.h"
#include "enginesim/core/sim_object.h"
#include "enginesim/core/stamps.h"
#include "enginesim/core/unicode.h"
#include "enginesim/web/browser.h"
#include "enginesim/web/browsing.h"

namespace larkwell::enginesim::process {

namespace {

// Destroyed when the library is unloaded at process exit, after the program's static objects,
// so its report sees what the program's own finalisation did.
struct ExitReport {
  ExitReport() = default;
  ExitReport(const ExitReport&) = delete;
  ExitReport& operator=(const ExitReport&) = delete;
  ~ExitReport() { current().write_exit_report(); }
} exit_report;

}  // namespace

Process& current() {
  static Process* const instance = new Process;
  return *instance;
}

void post_work(std::function<void()> work) { current().post_if_initialised(std::move(work)); }

int Process::initialize(const TCefSettings* settings, TCefApp* application) {
  Holdings offered;
  offered.application = Held<TCefApp>::adopt(application);
  // Like a real engine, the application is asked once for the handlers that serve its requests.
  if (TCefApp* app = offered.application.get()) {
    if (app->get_proxy_handler != nullptr) {
      offered.proxy_handler = Held<TCefProxyHandler>::adopt(app->get_proxy_handler(app));
    }
    if (app->get_resource_bundle_handler != nullptr) {
      offered.resource_bundle_handler = Held<TCefResourceBundleHandler>::adopt(app->get_resource_bundle_handler(app));
    }
  }
  std::optional<web::SettingsCopy> copy;
  if (settings != nullptr) copy.emplace(*settings);
  const char* lang = std::getenv("LANG");
  {
    std::lock_guard lock(mutex_);
    ++counts_.initialize;
    if (!initialised_) {
      initialised_ = true;
      counts_.initialised = 1;
      settings_ = std::move(copy);
      lang_at_initialize_ = lang ? lang : "";
      std::swap(holdings_, offered);
      return 1;
    }
  }
  ledger().record_error("cef_initialize: the engine is initialised already");
  return 0;  // what was offered is released here
}

void Process::shutdown() {
  {
    Holdings released;
    {
      std::lock_guard lock(mutex_);
      ++counts_.shutdown;
      if (!check_initialised_locked("cef_shutdown")) return;
      initialised_ = false;
      counts_.initialised = 0;
      released = take_holdings_locked();
    }
    // Workers stop and downloads end before the engine lets go of the rest.
    web::browsing().stop_all_fetches();
  }
  // Whatever the program still holds, or the engine still holds of the program's, is now
  // outstanding for good.
  const int clean = sim_ledger_clean();
  std::lock_guard lock(mutex_);
  counts_.ledger_clean_at_shutdown = clean;
}

void Process::do_message_loop_work() {
  std::deque<std::function<void()>> batch;
  {
    std::lock_guard lock(mutex_);
    ++counts_.message_loop_work;
    if (!check_initialised_locked("cef_do_message_loop_work")) return;
    if (running_work_ > 0) ++counts_.message_loop_reentries;
    ++running_work_;
    counts_.message_loop_max_depth = std::max(counts_.message_loop_max_depth, running_work_);
    batch.swap(holdings_.work);
  }
  for (std::function<void()>& work : batch) shielded<void>("queued work", work);
  batch.clear();  // what the work held goes inside the step
  std::lock_guard lock(mutex_);
  --running_work_;
}

void Process::run_message_loop() {
  {
    std::lock_guard lock(mutex_);
    ++counts_.run_message_loop;
    if (!check_initialised_locked("cef_run_message_loop")) return;
  }
  for (;;) {
    {
      std::lock_guard lock(mutex_);
      if (quit_requested_ || holdings_.work.empty() || !initialised_) {
        quit_requested_ = false;
        return;
      }
    }
    do_message_loop_work();
  }
}

void Process::quit_message_loop() {
  std::lock_guard lock(mutex_);
  ++counts_.quit_message_loop;
  quit_requested_ = true;
}

TCefBrowser* Process::create_browser(const web::Creation& creation, TCefClient* client, const char* call) {
  bool initialised = false;
  bool refused = false;
  bool unfinished = false;
  {
    std::lock_guard lock(mutex_);
    initialised = check_initialised_locked(call);
    refused = initialised && refuse_browsers_;
    unfinished = unfinished_browsers_;
    if (refused)
      ++counts_.browsers_refused;
    else if (initialised)
      ++counts_.browsers_created;
  }
  if (!initialised || refused) {
    Held<TCefClient>::adopt(client);  // the reference came to the engine: it goes here
    return nullptr;
  }
  TSimBrowserSetup setup{};
  setup.client = client;
  setup.window_rendering_disabled =
      creation.window_info != nullptr ? creation.window_info->m_bWindowRenderingDisabled : 0;
  setup.unfinished = unfinished ? 1 : 0;
  web::SimBrowser* made = make_object<web::SimBrowser>(setup, &creation);
  made->announce_creation();
  stamp_moment("browser");
  TCefBrowser* browser = made->structure();
  if (!unfinished && creation.url != nullptr && creation.url->length != 0) {
    TCefFrame* frame = browser->get_main_frame(browser);
    frame->load_url(frame, creation.url);
    frame->base.release(&frame->base);
  }
  return browser;
}

void Process::post(std::function<void()> work) {
  std::lock_guard lock(mutex_);
  holdings_.work.push_back(std::move(work));
}

bool Process::post_if_initialised(std::function<void()> work) {
  std::lock_guard lock(mutex_);
  if (!initialised_) return false;
  holdings_.work.push_back(std::move(work));
  return true;
}

int Process::pending_work() {
  std::lock_guard lock(mutex_);
  return static_cast<int>(holdings_.work.size());
}

TSimProcessCounts Process::counts() {
  std::lock_guard lock(mutex_);
  return counts_;
}

std::optional<web::SettingsCopy> Process::settings() {
  std::lock_guard lock(mutex_);
  return settings_;
}

TCefApp* Process::application() {
  std::lock_guard lock(mutex_);
  return holdings_.application.get();
}

Held<TCefProxyHandler> Process::proxy_handler() {
  std::lock_guard lock(mutex_);
  return Held<TCefProxyHandler>::copy(holdings_.proxy_handler.get());
}

Held<TCefResourceBundleHandler> Process::resource_bundle_handler() {
  std::lock_guard lock(mutex_);
  return Held<TCefResourceBundleHandler>::copy(holdings_.resource_bundle_handler.get());
}

void Process::reset() {
  web::browsing().reset();
  Holdings released;
  std::lock_guard lock(mutex_);
  released = take_holdings_locked();
  initialised_ = false;
  quit_requested_ = false;
  counts_ = kNoCounts;
  settings_.reset();
  refuse_browsers_ = false;
  unfinished_browsers_ = false;
}

void Process::set_report_at_exit(bool enable) {
  std::lock_guard lock(mutex_);
  report_at_exit_ = enable;
}

void Process::set_refuse_browsers(bool refuse) {
  std::lock_guard lock(mutex_);
  refuse_browsers_ = refuse;
}

void Process::set_unfinished_browsers(bool unfinished) {
  std::lock_guard lock(mutex_);
  unfinished_browsers_ = unfinished;
}

void Process::write_exit_report() {
  TSimProcessCounts counts{};
  std::optional<web::SettingsCopy> settings;
  {
    std::lock_guard lock(mutex_);
    // A program that cannot call the control exports (the shell itself) asks by its environment.
    if (!report_at_exit_ && !std::getenv("ENGINESIM_REPORT_AT_EXIT")) return;
    counts = counts_;
    settings = settings_;
  }
  std::fprintf(stderr, "enginesim at exit: cef_initialize %d, cef_shutdown %d, ledger %s at shutdown\n",
               static_cast<int>(counts.initialize), static_cast<int>(counts.shutdown),
               counts.ledger_clean_at_shutdown == 1 ? "clean" : "not clean");
  if (settings) {
    // What the engine was started with, for a test of the whole program.
    std::string line = "enginesim settings:";
    for (const char* key : {"cache_path", "user_agent", "product_version", "locale", "log_file", "javascript_flags",
                            "resources_dir_path", "locales_dir_path"}) {
      line += std::string(" ") + key + "='" + utf8_of(settings->text(key).value_or(u"?")) + "'";
    }
    for (const char* key : {"log_severity", "multi_threaded_message_loop", "extra_plugin_paths"}) {
      line += std::string(" ") + key + "=" + std::to_string(settings->number(key).value_or(-999));
    }
    std::fprintf(stderr, "%s LANG='%s'\n", line.c_str(), lang_at_initialize_.c_str());
  }
  if (const std::string churn = web::browsing().exit_report(); !churn.empty()) {
    std::fprintf(stderr, "enginesim %s\n", churn.c_str());
  }
  std::fflush(stderr);
}

Process::Holdings Process::take_holdings_locked() { return std::exchange(holdings_, Holdings{}); }

bool Process::check_initialised_locked(const char* call) {
  if (initialised_) return true;
  ledger().record_error(std::string(call) + " while the engine is not initialised");
  return false;
}

}  // namespace larkwell::enginesim::process
