// One http:// load on a worker thread of its own: the request, its redirects, and the
// response read as a page for the frame or as a download for the program's handler.
//
// The worker calls nothing of the program's: it queues work for the engine's steps. Stopping a
// fetch sets its stop flag, which every wait of the worker looks at, and joins the worker.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "enginesim/net/download.h"
#include "enginesim/net/http_text.h"
#include "enginesim/net/load_target.h"

namespace larkwell::enginesim::net {

class Connection;
class ResponseReader;

class Fetch {
 public:
  Fetch(LoadTarget target, std::u16string url);
  ~Fetch();
  Fetch(const Fetch&) = delete;
  Fetch& operator=(const Fetch&) = delete;

  void start();
  // Stops the worker and waits for it; a download it began is abandoned on this thread.
  void stop();
  // Waits for a worker that is done (see finished()).
  void join();

  const LoadTarget& target() const noexcept { return target_; }
  bool is_download() const noexcept { return is_download_.load(); }
  // The worker is done, and a download it began has ended.
  bool finished() const;

 private:
  struct Failure {
    int code;
    const char* name;
  };

  void run();  // the worker
  // Follows the response on `connection` as a page or a download.
  void read_page(Connection& connection, ResponseReader& reader, std::string body, const HttpUrl& url);
  void read_download(Connection& connection, ResponseReader& reader, std::string body, const HttpUrl& url);
  // The program hears of the failure in the next step.
  void fail(const Failure& failure);

  const LoadTarget target_;
  const std::u16string url_;
  const std::shared_ptr<std::atomic<bool>> stop_ = std::make_shared<std::atomic<bool>>(false);
  std::atomic<bool> is_download_{false};
  std::atomic<bool> worker_done_{false};
  mutable std::mutex mutex_;
  std::shared_ptr<Download> download_;  // guarded by the mutex
  std::unique_ptr<char[]> buffer_;  // the worker's reads land here
  std::thread worker_;
};

}  // namespace larkwell::enginesim::net
