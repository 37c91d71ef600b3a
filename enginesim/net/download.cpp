#include "enginesim/net/download.h"

#include <algorithm>
#include <utility>

#include "enginesim/control_firing.h"
#include "enginesim/firing/firing_record.h"
#include "enginesim/net/fetches.h"
#include "enginesim/process/process.h"
#include "enginesim/web/browser.h"

namespace larkwell::enginesim::net {

Download::Download(web::LoadTarget target, std::shared_ptr<StopFlag> stop, DownloadOffer offer)
    : target_(std::move(target)), stop_(std::move(stop)), offer_(std::move(offer)) {}

// --- the worker's side

void Download::offer() {
  web::post_for_browser(target_.tree, [self = shared_from_this()](web::SimBrowser& browser) { self->ask(browser); });
}

bool Download::push(std::string_view bytes) {
  std::unique_lock lock(mutex_);
  room_.wait(lock, [&] { return waiting_ < kMaxWaiting || phase_ == Phase::ended || stop_->load(); });
  if (phase_ == Phase::ended || stop_->load()) return false;
  waiting_ += bytes.size();
  const std::size_t waiting = waiting_;
  // Queued blocks are not being delivered: the last one takes what fits.
  if (!blocks_.empty() && blocks_.back().size() < kLargestBlock) {
    const std::size_t fits = std::min(bytes.size(), kLargestBlock - blocks_.back().size());
    blocks_.back().append(bytes.substr(0, fits));
    bytes.remove_prefix(fits);
  }
  for (; !bytes.empty(); bytes.remove_prefix(std::min(bytes.size(), kLargestBlock))) {
    blocks_.emplace_back().reserve(kLargestBlock);
    blocks_.back().assign(bytes.substr(0, kLargestBlock));
  }
  if (phase_ == Phase::accepted) post_pump_locked();
  lock.unlock();
  note([waiting](TSimNetCounts& c) { c.most_waiting = std::max(c.most_waiting, static_cast<int32_t>(waiting)); });
  return true;
}

void Download::finish(bool truncated) {
  std::lock_guard lock(mutex_);
  body_ended_ = true;
  truncated_ = truncated;
  if (phase_ == Phase::accepted) post_pump_locked();
}

void Download::wake() {
  std::lock_guard lock(mutex_);
  room_.notify_all();
}

void Download::post_pump_locked() {
  if (pump_posted_) return;
  pump_posted_ = true;
  process::post_work([self = shared_from_this()] { self->pump(); });
}

// --- the work step's side

void Download::ask(web::SimBrowser& browser) {
  {
    std::lock_guard lock(mutex_);
    if (phase_ != Phase::offered) return;
  }
  using namespace fire_args;
  const TSimArg arguments[] = {Obj(browser.structure()), Text(offer_.mime_type), Text(offer_.suggested_name),
                               Int(offer_.length), ObjOut(nullptr)};
  firing::Record question(arguments, 5);
  note([](TSimNetCounts& c) { ++c.downloads_begun; });
  browser.fire_at_client("request_handler.get_download_handler", question);
  // The record lets go of the handler it received; the download keeps a reference of its own.
  TCefBase* given = question.count() == 5 ? question.arg(4).report().object : nullptr;
  const bool accepted = question.status() == SIM_FIRE_CALLED && question.answer().number == 1 && given != nullptr;
  if (!accepted) {
    note([](TSimNetCounts& c) { ++c.handler_refusals; });
    end(false, false);
    return;
  }
  Held<TCefDownloadHandler> handler = Held<TCefDownloadHandler>::copy(reinterpret_cast<TCefDownloadHandler*>(given));
  {
    std::lock_guard lock(mutex_);
    if (phase_ == Phase::offered) {
      phase_ = Phase::accepted;
      if (const int threads = RefChurn::threads_wanted(); threads > 0) {
        churn_ = std::make_unique<RefChurn>(threads, reinterpret_cast<TCefBase*>(handler.get()),
                                            reinterpret_cast<TCefBase*>(browser.structure()));
      }
      handler_ = std::move(handler);
      if (!blocks_.empty() || body_ended_) post_pump_locked();
      return;
    }
  }
  // Abandoned while the program was answering: it hears the end at once.
  let_go(std::move(handler), true);
}

void Download::pump() {
  Held<TCefDownloadHandler> handler;
  {
    std::lock_guard lock(mutex_);
    pump_posted_ = false;
    if (phase_ != Phase::accepted) return;
    // A step run from inside received_data must not deliver ahead of the blocks still being delivered.
    if (delivering_) {
      post_pump_locked();
      return;
    }
    delivering_ = true;
    handler = Held<TCefDownloadHandler>::copy(handler_.get());  // alive through every call below
  }
  TCefDownloadHandler* target = handler.get();
  bool cancelled = false;
  for (int delivered = 0;; ++delivered) {
    std::string block;
    {
      std::lock_guard lock(mutex_);
      if (phase_ != Phase::accepted || blocks_.empty()) break;
      if (delivered == kBlocksPerStep) {
        post_pump_locked();  // the rest in the next step
        break;
      }
      block = std::move(blocks_.front());
      blocks_.pop_front();
    }
    const int size = static_cast<int>(block.size());
    const int answer = target->received_data != nullptr ? target->received_data(target, block.data(), size) : 1;
    note([size](TSimNetCounts& c) {
      ++c.blocks_delivered;
      c.bytes_delivered += size;
      c.largest_block = std::max(c.largest_block, size);
    });
    {
      std::lock_guard lock(mutex_);
      if (phase_ != Phase::ended) waiting_ -= block.size();  // an ending inside the call emptied it
      room_.notify_all();
    }
    if (answer == 0) {
      cancelled = true;
      break;
    }
  }
  bool done = false;
  {
    std::lock_guard lock(mutex_);
    delivering_ = false;
    done = phase_ == Phase::accepted && body_ended_ && blocks_.empty();
  }
  if (cancelled) {
    note([](TSimNetCounts& c) { ++c.cancels; });
    end(true, false);
  } else if (done) {
    end(false, false);
  }
}

void Download::abandon() { end(true, true); }

bool Download::ended() {
  std::lock_guard lock(mutex_);
  return phase_ == Phase::ended;
}

void Download::end(bool cancelled, bool abandoned) {
  Held<TCefDownloadHandler> handler;
  std::unique_ptr<RefChurn> churn;
  bool truncated = false;
  {
    std::lock_guard lock(mutex_);
    if (phase_ == Phase::ended) return;
    phase_ = Phase::ended;
    handler = std::move(handler_);
    churn = std::move(churn_);
    truncated = truncated_;
    blocks_.clear();
    waiting_ = 0;
    stop_->set();  // nothing more is wanted: the worker closes the connection
    room_.notify_all();
  }
  if (abandoned) note([](TSimNetCounts& c) { ++c.abandoned; });
  if (truncated && !cancelled && handler) note([](TSimNetCounts& c) { ++c.truncated; });
  churn.reset();  // its threads have let go before the handler hears the end
  let_go(std::move(handler), cancelled);
  note_download_ended();
}

void Download::let_go(Held<TCefDownloadHandler> handler, bool cancelled) {
  TCefDownloadHandler* target = handler.get();
  if (target == nullptr) return;
  if ((!cancelled || complete_after_cancel()) && target->complete != nullptr) {
    target->complete(target);
    note([](TSimNetCounts& c) { ++c.completes; });
  }
  handler.reset();  // the engine's reference goes last
}

}  // namespace larkwell::enginesim::net
