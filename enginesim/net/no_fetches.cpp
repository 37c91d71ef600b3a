// Where the platform has no HTTP client for the stand-in (the Linux host), no address is
// fetched: an http:// load shows an empty page like any other address.
#include "enginesim/net/fetches.h"

namespace larkwell::enginesim::net {

bool is_http(const std::u16string&) { return false; }

NetBrowsing& browsing() {
  static NetBrowsing* const instance = new NetBrowsing;  // never destroyed, like the process
  return *instance;
}

}  // namespace larkwell::enginesim::net
