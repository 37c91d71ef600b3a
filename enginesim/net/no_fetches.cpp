// Where the platform has no HTTP client for the stand-in (the Linux host), no address is
// fetched: an http:// load shows an empty page like any other address.
#include "enginesim/net/fetches.h"

namespace larkwell::enginesim::net {

bool is_http(const std::u16string&) { return false; }
void start_fetch(web::LoadTarget, const std::u16string&) {}
void stop_fetches_of_tree(const web::FrameTree*) {}
void stop_page_fetches_of(const web::SimFrame*) {}
void stop_all_fetches() {}
int running_fetches() { return 0; }

}  // namespace larkwell::enginesim::net
