// One download, between the worker that reads its body and the work steps that hand it to the
// program's download handler.
//
// The worker queues the bytes it reads, joined into blocks of up to kLargestBlock bytes however
// small the platform's reads are; each work step delivers what is queued, in order, through
// received_data. The worker waits while kMaxWaiting bytes are undelivered. Only the work step
// (and whoever ends the download at once) calls the program.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "engine/cef_api.h"
#include "enginesim/core/held.h"
#include "enginesim/net/download_knobs.h"
#include "enginesim/net/stop_flag.h"
#include "enginesim/web/browsing.h"

namespace larkwell::enginesim::web {
class SimBrowser;
}  // namespace larkwell::enginesim::web

namespace larkwell::enginesim::net {

struct DownloadOffer {
  std::u16string mime_type;
  std::u16string suggested_name;
  int64_t length;  // -1 when the response announced none
};

class Download : public std::enable_shared_from_this<Download> {
 public:
  static constexpr std::size_t kMaxWaiting = 2 * 1024 * 1024;
  static constexpr std::size_t kLargestBlock = 64 * 1024;
  // A work step delivers at most this many blocks, then leaves the rest to the next one: the
  // engine's work must come back to the program's message loop however fast the network is.
  static constexpr int kBlocksPerStep = 16;

  // `stop` is the fetch's: the download sets it when the body is no longer wanted.
  Download(web::LoadTarget target, std::shared_ptr<StopFlag> stop, DownloadOffer offer);

  // --- the worker's side
  // Asks the program, in the next work step, for a handler.
  void offer();
  // Queues bytes of the body, first waiting for room; false once nobody wants more of it.
  bool push(std::string_view bytes);
  // The body has ended: complete, or early.
  void finish(bool truncated);
  // Wakes a worker waiting for room (its fetch was stopped).
  void wake();

  // Ends the download now, on this thread: complete per the switch, the handler released.
  // For a browser that went and for shutdown; the worker has stopped by then.
  void abandon();
  bool ended();

 private:
  enum class Phase { offered, accepted, ended };

  void ask(web::SimBrowser& browser);  // in a work step
  void pump();                         // in a work step
  void post_pump_locked();
  // Ends the download unless it has ended already; `handler` is called as the ending says.
  void end(bool cancelled, bool abandoned);
  static void let_go(Held<TCefDownloadHandler> handler, bool cancelled);

  const web::LoadTarget target_;
  const std::shared_ptr<StopFlag> stop_;
  const DownloadOffer offer_;

  std::mutex mutex_;
  std::condition_variable room_;
  // Guarded by the mutex:
  Phase phase_ = Phase::offered;
  std::deque<std::string> blocks_;
  std::size_t waiting_ = 0;  // undelivered bytes, also those a step is delivering
  bool body_ended_ = false;
  bool truncated_ = false;
  bool pump_posted_ = false;
  bool delivering_ = false;
  Held<TCefDownloadHandler> handler_;
  std::unique_ptr<RefChurn> churn_;  // engine threads on the handler while accepted, when asked for
};

}  // namespace larkwell::enginesim::net
