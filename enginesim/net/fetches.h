// Every fetch the stand-in runs, so that a new load, a browser's last release and shutdown can
// stop them; and the facts the tests read (sim_net_counts).
//
// Browsing is Windows-only (the platform's HTTP client fetches): elsewhere no address is
// fetched, and there is never a fetch to stop.
#pragma once

#include <functional>
#include <string>

#include "enginesim/control_net.h"
#include "enginesim/web/browsing.h"

namespace larkwell::enginesim::net {

// The browsing the library installs for the browsers and the process (net/browsing.cpp).
web::Browsing& browsing();

// Whether load_url fetches `url` over the network.
bool is_http(const std::u16string& url);
// Starts fetching `url` into the target's frame on a worker thread of its own.
void start_fetch(web::LoadTarget target, const std::u16string& url);

// See web::Browsing.
void stop_fetches_of_tree(const web::FrameTree* tree);
void stop_page_fetches_of(const web::SimFrame* frame);  // fetches not yet turned into downloads
void stop_all_fetches();
// Fetches whose worker is not done, or whose download has not ended.
int running_fetches();

// Stops everything, sets the counts to 0 and the switch back to its default.
void reset_net();

void note(const std::function<void(TSimNetCounts&)>& change);
TSimNetCounts counts();
bool complete_after_cancel();
int set_complete_after_cancel(int enable);

}  // namespace larkwell::enginesim::net
