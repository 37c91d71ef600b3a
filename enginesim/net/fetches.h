// Browsing as the library installs it for the browsers and the process (web::Browsing), and the
// facts the tests read (sim_net_counts).
//
// Fetching is Windows-only (the platform's HTTP client fetches; fetches.cpp keeps every fetch, so
// that a new load, a browser's last release and shutdown can stop them): elsewhere no address is
// fetched, and there is never a fetch to stop.
#pragma once

#include <functional>
#include <string>

#include "enginesim/control_net.h"
#include "enginesim/web/browsing.h"

namespace larkwell::enginesim::net {

// What browsing does on every platform: sim_reset sets the counts to 0 and the switch back to
// its default; the exit report tells of the reference churn (download_knobs.h).
class NetBrowsing : public web::Browsing {
 public:
  void reset() override;
  std::string exit_report() override;
};

// The one browsing there is (fetches.cpp on Windows, no_fetches.cpp elsewhere).
NetBrowsing& browsing();

// Whether `url` is fetched over the network.
bool is_http(const std::u16string& url);

void note(const std::function<void(TSimNetCounts&)>& change);
TSimNetCounts counts();
bool complete_after_cancel();
int set_complete_after_cancel(int enable);

}  // namespace larkwell::enginesim::net
