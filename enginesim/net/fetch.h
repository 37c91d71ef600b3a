// One http:// load, fetched with the platform's HTTP client (WinINet) on a worker thread of its
// own: the request, its redirects, and the response read as a page for the frame or as a
// download for the program's handler.
//
// The worker calls nothing of the program's: it queues work for the engine's steps. The
// platform's reads cannot be interrupted, so stopping a fetch does not wait for its worker: it
// sets the stop flag, after which the worker queues nothing more, and ends its download at once.
// A worker that still waits for a stalled server ends when the wait does; until then it keeps
// the fetch, and this library, loaded.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "enginesim/net/download.h"
#include "enginesim/net/load_target.h"

namespace larkwell::enginesim::net {

class Response;

class Fetch : public std::enable_shared_from_this<Fetch> {
 public:
  Fetch(LoadTarget target, std::u16string url);
  Fetch(const Fetch&) = delete;
  Fetch& operator=(const Fetch&) = delete;

  void start();
  // Stops the fetch; a download it began is abandoned on this thread.
  void stop();
  // The worker's whole life (start runs it on the worker's thread).
  void work();

  const LoadTarget& target() const noexcept { return target_; }
  bool is_download() const noexcept { return is_download_.load(); }
  // The worker is done, and a download it began has ended.
  bool finished() const;

 private:
  struct Failure {
    int code;
    const char* name;
  };

  void run();
  // Follows the response as a page or a download.
  void read_page(Response& response);
  void read_download(Response& response);
  // The program hears of the failure in the next step.
  void fail(const Failure& failure);
  // Queues work for the frame's browser unless the fetch was stopped.
  void post(std::function<void(web::SimBrowser&)> work);

  const LoadTarget target_;
  const std::u16string url_;
  const std::shared_ptr<std::atomic<bool>> stop_ = std::make_shared<std::atomic<bool>>(false);
  std::atomic<bool> is_download_{false};
  std::atomic<bool> worker_done_{false};
  // Held while the stop flag is set, and while the worker queues work or begins its download.
  mutable std::mutex mutex_;
  std::shared_ptr<Download> download_;  // guarded by the mutex
};

}  // namespace larkwell::enginesim::net
