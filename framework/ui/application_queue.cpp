// Work handed to the user-interface thread from any thread: a queue under a lock, and a message
// posted to the application's hidden window that has the thread run what is queued.
#include <atomic>
#include <mutex>
#include <utility>

#include "framework/ui/application.h"
#include "framework/ui/application_testing.h"

namespace larkwell {

namespace {

// Posted to the application's message window when another thread queued work.
constexpr UINT kRunQueuedWork = WM_APP + 0x100;

std::atomic<TQueuedWorkHook> gQueuedWorkHook{nullptr};

}  // namespace

void SetQueuedWorkHookForTesting(TQueuedWorkHook hook) noexcept { gQueuedWorkHook = hook; }

void TApplication::RunOnUserInterfaceThread(std::function<void()> work) noexcept {
  if (!OnUserInterfaceThread()) {
    Post(std::move(work));
    return;
  }
  try {
    work();
  } catch (...) {
    HandleException(std::current_exception());
  }
}

void TApplication::Post(std::function<void()> work) noexcept {
  // Queued first, woken second: a wake-up that came first could find the queue empty and leave
  // this work there until some later wake-up, or for ever.
  try {
    std::lock_guard lock(queue_lock_);
    queued_work_.push_back(std::move(work));
  } catch (...) {
    return;
  }
  if (const TQueuedWorkHook hook = gQueuedWorkHook.load()) hook();
  if (notify_window_) PostMessageW(notify_window_, kRunQueuedWork, 0, 0);
}

void TApplication::RunQueuedWork() noexcept {
  for (;;) {
    std::function<void()> work;
    {
      std::lock_guard lock(queue_lock_);
      if (queued_work_.empty()) return;
      work = std::move(queued_work_.front());
      queued_work_.pop_front();
    }
    try {
      work();
    } catch (...) {
      HandleException(std::current_exception());
    }
  }
}

LRESULT CALLBACK TApplication::NotifyWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == kRunQueuedWork) {
    Application().RunQueuedWork();
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace larkwell
