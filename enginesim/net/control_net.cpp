// The sim_* test-control exports of browsing over HTTP.
#include "enginesim/control_net.h"

#include "enginesim/net/fetches.h"
#include "enginesim/shield.h"

using namespace larkwell::enginesim;

void CEF_EXPORT_CALL sim_net_counts(TSimNetCounts* counts) {
  shielded<void>(__func__, [&] {
    if (counts != nullptr) *counts = net::counts();
  });
}

int CEF_EXPORT_CALL sim_net_complete_after_cancel(int enable) {
  return shielded<int>(__func__, [&] { return net::set_complete_after_cancel(enable); });
}
