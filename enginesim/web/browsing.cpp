#include "enginesim/web/browsing.h"

#include <utility>

namespace larkwell::enginesim::web {
namespace {

Browsing no_browsing;
Browsing* installed = &no_browsing;
// Set once, while the library loads, before any thread of the program runs.
std::function<void(std::function<void()>)>& work_queue() {
  static std::function<void(std::function<void()>)> post;
  return post;
}

}  // namespace

Browsing& browsing() { return *installed; }
void install_browsing(Browsing& browsing) { installed = &browsing; }

void post_work(std::function<void()> work) {
  if (work_queue()) work_queue()(std::move(work));
}
void install_work_queue(std::function<void(std::function<void()>)> post) { work_queue() = std::move(post); }

}  // namespace larkwell::enginesim::web
