#include "enginesim/web/browsing.h"

#include <utility>

namespace larkwell::enginesim::web {
namespace {

class NoBrowsing final : public Browsing {
 public:
  bool fetches(const std::u16string&) override { return false; }
  void start_fetch(LoadTarget, const std::u16string&) override {}
  void stop_fetches_of_tree(const FrameTree*) override {}
  void stop_page_fetches_of(const SimFrame*) override {}
  void stop_all_fetches() override {}
  void reset() override {}
  std::string exit_report() override { return {}; }
};

NoBrowsing no_browsing;
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
