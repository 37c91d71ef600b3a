#include "enginesim/net/fetches.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "enginesim/core/unicode.h"
#include "enginesim/net/fetch.h"
#include "enginesim/net/response_text.h"

namespace larkwell::enginesim::net {
namespace {

class Fetches final : public NetBrowsing {
 public:
  bool fetches(const std::u16string& url) override { return is_http(url); }

  void start_fetch(web::LoadTarget target, const std::u16string& url) override {
    reap();
    auto fetch = std::make_shared<Fetch>(std::move(target), url);
    {
      std::lock_guard lock(mutex_);
      running_.push_back(fetch);
    }
    note([](TSimNetCounts& c) { ++c.fetches_started; });
    fetch->start();
  }

  void stop_fetches_of_tree(const web::FrameTree* tree) override {
    stop_if([tree](const Fetch& fetch) { return fetch.target().tree.get() == tree; });
  }

  void stop_page_fetches_of(const web::SimFrame* frame) override {
    stop_if([frame](const Fetch& fetch) { return fetch.target().frame == frame && !fetch.is_download(); });
  }

  void stop_all_fetches() override {
    stop_if([](const Fetch&) { return true; });
  }

  int running_fetches() override {
    reap();
    std::lock_guard lock(mutex_);
    return static_cast<int>(running_.size());
  }

 private:
  // Stops, outside the lock, the fetches `pick` chooses: stopping one may call the program.
  template <class Pick>
  void stop_if(Pick pick) {
    for (const std::shared_ptr<Fetch>& fetch : take_if(pick)) fetch->stop();
  }

  // Forgets the fetches that are done.
  void reap() {
    take_if([](const Fetch& f) { return f.finished(); });
  }

  template <class Pick>
  std::vector<std::shared_ptr<Fetch>> take_if(Pick pick) {
    std::vector<std::shared_ptr<Fetch>> taken;
    std::lock_guard lock(mutex_);
    auto kept = std::stable_partition(running_.begin(), running_.end(),
                                      [&](const std::shared_ptr<Fetch>& fetch) { return !pick(*fetch); });
    taken.assign(kept, running_.end());
    running_.erase(kept, running_.end());
    return taken;
  }

  std::mutex mutex_;
  std::vector<std::shared_ptr<Fetch>> running_;
};

}  // namespace

NetBrowsing& browsing() {
  static Fetches* const instance = new Fetches;  // never destroyed, like the process
  return *instance;
}

bool is_http(const std::u16string& url) {
  return equal_ignoring_case(utf8_of(std::u16string_view(url).substr(0, 7)), "http://");
}

}  // namespace larkwell::enginesim::net
