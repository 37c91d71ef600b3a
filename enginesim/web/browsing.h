// What the browsers need from the parts above them: the process's queue of work, and browsing
// over the network (the net part: Windows fetches with the platform's client). The library fills
// both in when it loads (enginesim/library.cpp); until then work is dropped and no address is
// fetched.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace larkwell::enginesim::web {

struct FrameTree;
class SimFrame;

// The frame a fetch loads into, known without being held: the engine keeps no browser alive
// for its own work (see post_for_browser).
struct LoadTarget {
  std::shared_ptr<FrameTree> tree;
  SimFrame* frame;  // alive while the tree's browser is
};

// This base browses nothing: no address is fetched, there is never a fetch to stop.
class Browsing {
 public:
  virtual ~Browsing() = default;
  // Whether load_url fetches `url` over the network.
  virtual bool fetches(const std::u16string& /*url*/) { return false; }
  // Starts fetching `url` into the target's frame on a worker thread of its own.
  virtual void start_fetch(LoadTarget /*target*/, const std::u16string& /*url*/) {}
  // Each stops the fetches it names: their workers post nothing more, and downloads they began
  // end at once on the calling thread. Never call them from a worker.
  virtual void stop_fetches_of_tree(const FrameTree* /*tree*/) {}
  virtual void stop_page_fetches_of(const SimFrame* /*frame*/) {}  // fetches not yet downloads
  virtual void stop_all_fetches() {}
  // Fetches whose worker is not done, or whose download has not ended.
  virtual int running_fetches() { return 0; }
  // Stops everything and sets what browsing counts and switches back to the start (sim_reset).
  virtual void reset() { stop_all_fetches(); }
  // Browsing's line of the exit report; empty for none.
  virtual std::string exit_report() { return {}; }
};

Browsing& browsing();
void install_browsing(Browsing& browsing);

// Queues the engine's own work for the next cef_do_message_loop_work (see process::post_work).
void post_work(std::function<void()> work);
void install_work_queue(std::function<void(std::function<void()>)> post);

}  // namespace larkwell::enginesim::web
