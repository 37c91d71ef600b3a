// Browsing as the browsers and the process see it (web::Browsing), installed when the library
// loads.
#include "enginesim/net/download_knobs.h"
#include "enginesim/net/fetches.h"

namespace larkwell::enginesim::net {
namespace {

class NetBrowsing final : public web::Browsing {
 public:
  bool fetches(const std::u16string& url) override { return is_http(url); }
  void start_fetch(web::LoadTarget target, const std::u16string& url) override {
    net::start_fetch(std::move(target), url);
  }
  void stop_fetches_of_tree(const web::FrameTree* tree) override { net::stop_fetches_of_tree(tree); }
  void stop_page_fetches_of(const web::SimFrame* frame) override { net::stop_page_fetches_of(frame); }
  void stop_all_fetches() override { net::stop_all_fetches(); }
  void reset() override { reset_net(); }
  std::string exit_report() override { return ref_churn_summary(); }
};

}  // namespace

web::Browsing& browsing() {
  static NetBrowsing* const instance = new NetBrowsing;  // never destroyed, like the process
  return *instance;
}

}  // namespace larkwell::enginesim::net
