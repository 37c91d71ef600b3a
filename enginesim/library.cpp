// The stand-in as one library. Its parts use only the parts below them; what the browsers need
// from above (the process's work queue, browsing over the network) is filled in here, while the
// library loads.
#include "enginesim/net/fetches.h"
#include "enginesim/process/process.h"
#include "enginesim/web/browsing.h"

namespace larkwell::enginesim {
namespace {

const bool joined = [] {
  web::install_work_queue(&process::post_work);
  web::install_browsing(net::browsing());
  return true;
}();

}  // namespace
}  // namespace larkwell::enginesim
