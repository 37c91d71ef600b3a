// What the fetches did, for sim_net_counts, and the one switch a test can set.
#include <atomic>
#include <mutex>

#include "enginesim/net/download_knobs.h"
#include "enginesim/net/fetches.h"

namespace larkwell::enginesim::net {
namespace {

struct Counts {
  std::mutex mutex;
  TSimNetCounts counts{};
  std::atomic<bool> complete_after_cancel{true};
};

Counts& shared() {
  static Counts* const instance = new Counts;  // never destroyed, like the process
  return *instance;
}

}  // namespace

void NetBrowsing::reset() {
  stop_all_fetches();
  std::lock_guard lock(shared().mutex);
  shared().counts = TSimNetCounts{};
  shared().complete_after_cancel = true;
}

void note(const std::function<void(TSimNetCounts&)>& change) {
  std::lock_guard lock(shared().mutex);
  change(shared().counts);
}

TSimNetCounts counts() {
  const int now_running = browsing().running_fetches();
  std::lock_guard lock(shared().mutex);
  TSimNetCounts copy = shared().counts;
  copy.fetches_running = now_running;
  return copy;
}

std::string NetBrowsing::exit_report() { return ref_churn_summary(); }

bool complete_after_cancel() { return shared().complete_after_cancel.load(); }

int set_complete_after_cancel(int enable) { return shared().complete_after_cancel.exchange(enable != 0) ? 1 : 0; }

}  // namespace larkwell::enginesim::net
