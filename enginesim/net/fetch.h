// One http:// load, fetched with the platform's HTTP client (WinINet) on a worker thread of its
// own: the request, its redirects, and the response read as a page for the frame or as a
// download for the program's handler.
//
// The worker calls nothing of the program's: it queues work for the engine's steps. Its calls
// to the platform are asynchronous, and it waits for each to end or for the fetch to stop, so a
// stopped fetch's worker ends at once, even while a server stalls. The platform's read then
// still pending outlives the handles' close under Wine, with the connection it holds, until the
// server sends or closes; it no longer calls back into this library.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "enginesim/net/download.h"
#include "enginesim/net/stop_flag.h"
#include "enginesim/web/browsing.h"

namespace larkwell::enginesim::net {

class Response;

// Where the platform's callback tells the worker that an asynchronous call ended; the fetch's
// stop ends the worker's wait for it.
struct AsyncCall {
  explicit AsyncCall(const StopFlag& fetch_stop);
  ~AsyncCall();
  AsyncCall(const AsyncCall&) = delete;
  AsyncCall& operator=(const AsyncCall&) = delete;
  // Waits for the call to end: false when the fetch was stopped first.
  bool wait() const;

  const HANDLE done;  // auto-reset event, set by the callback
  const StopFlag& stop;
  ULONG_PTR result = 0;  // written by the callback before it sets `done`
  DWORD error = 0;
  std::atomic<ULONG_PTR> created{0};  // the request's handle, as soon as the platform made it
};

class Fetch : public std::enable_shared_from_this<Fetch> {
 public:
  Fetch(web::LoadTarget target, std::u16string url);
  Fetch(const Fetch&) = delete;
  Fetch& operator=(const Fetch&) = delete;

  void start();
  // Stops the fetch; a download it began is abandoned on this thread.
  void stop();
  // The worker's whole life (start runs it on the worker's thread).
  void work();

  const web::LoadTarget& target() const noexcept { return target_; }
  bool is_download() const noexcept { return is_download_.load(); }
  // The worker is done, and a download it began has ended.
  bool finished() const;

 private:
  struct Failure {
    int code;
    const char* name;
  };

  void run();
  // The request's handle once its head came; null on failure (the thread's last error says why).
  HINTERNET open_url(HINTERNET session, const std::u16string& address);
  // Follows the response as a page or a download.
  void read_page(Response& response);
  void read_download(Response& response);
  // The program hears of the failure in the next step.
  void fail(const Failure& failure);
  // Queues work for the frame's browser unless the fetch was stopped.
  void post(std::function<void(web::SimBrowser&)> work);

  const web::LoadTarget target_;
  const std::u16string url_;
  const std::shared_ptr<StopFlag> stop_ = std::make_shared<StopFlag>();  // set by the download too
  AsyncCall call_{*stop_};
  std::atomic<bool> is_download_{false};
  std::atomic<bool> worker_done_{false};
  // Held while the stop flag is set, and while the worker queues work or begins its download.
  mutable std::mutex mutex_;
  std::shared_ptr<Download> download_;  // guarded by the mutex
};

}  // namespace larkwell::enginesim::net
