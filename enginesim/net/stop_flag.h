// A fetch's stop: a flag for those that look at it, and an event for the worker waiting for
// the platform, so that setting it ends the wait at once.
#pragma once

#include <windows.h>

#include <atomic>

namespace larkwell::enginesim::net {

class StopFlag {
 public:
  StopFlag() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~StopFlag() {
    if (event_ != nullptr) CloseHandle(event_);
  }
  StopFlag(const StopFlag&) = delete;
  StopFlag& operator=(const StopFlag&) = delete;

  bool load() const noexcept { return set_.load(); }
  void set() noexcept {
    set_.store(true);
    if (event_ != nullptr) SetEvent(event_);
  }
  // Null when the event could not be made: the fetch then fails at its start.
  HANDLE event() const noexcept { return event_; }

 private:
  std::atomic<bool> set_{false};
  const HANDLE event_;
};

}  // namespace larkwell::enginesim::net
