// The sim_* test-control exports of browsing over HTTP.
#include "enginesim/control_net.h"

#include <algorithm>

#include "enginesim/core/shield.h"
#include "enginesim/net/fetches.h"

using namespace larkwell::enginesim;

void CEF_EXPORT_CALL sim_net_counts(TSimNetCounts* counts) {
  shielded<void>(__func__, [&] {
    if (counts != nullptr) *counts = net::counts();
  });
}

int CEF_EXPORT_CALL sim_net_complete_after_cancel(int enable) {
  return shielded<int>(__func__, [&] { return net::set_complete_after_cancel(enable); });
}

int64_t CEF_EXPORT_CALL sim_net_deliver(TCefDownloadHandler* handler, void* block, int32_t block_size, int64_t total) {
  return shielded<int64_t>(__func__, [&]() -> int64_t {
    if (handler == nullptr || handler->received_data == nullptr || block == nullptr || block_size < 1 || total < 0)
      return -1;
    int64_t accepted = 0;
    while (accepted < total) {
      const auto size = static_cast<int>(std::min<int64_t>(block_size, total - accepted));
      const int answer = handler->received_data(handler, block, size);
      if (answer == 0) break;
      accepted += size;
    }
    return accepted;
  });
}
