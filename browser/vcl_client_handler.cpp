#include "browser/vcl_client_handler.h"

#include "engine/loader.h"
#include "framework/ui/application.h"
#include "framework/ui/timer_proc.h"
#include "framework/ui/win32.h"

namespace larkwell {

namespace {

volatile LONG gInstanceCount = 0;  // changed only with interlocked operations
UINT_PTR gTimer = 0;               // the shared timer, 0 when there is none
bool gBusy = false;                // a tick is doing the engine's work
int64_t gTicks = 0;

}  // namespace

TVCLClientHandler::TVCLClientHandler(const IPtr<IChromiumEvents>& crm) : TCustomClientHandler(crm) {
  // Made on the user-interface thread, like the timer. When the last client went on an engine
  // thread, its timer's kill may still be queued: that timer is kept (the kill finds a client
  // again and leaves it), so a second one over it never exists.
  if (gTimer == 0) gTimer = SetTimer(nullptr, 0, 10, &GuardedTimerProc<&TVCLClientHandler::Tick>);
  InterlockedIncrement(&gInstanceCount);
}

TVCLClientHandler::~TVCLClientHandler() {
  if (InterlockedDecrement(&gInstanceCount) == 0) {
    // A thread timer can only be killed on the thread that made it.
    Application().RunOnUserInterfaceThread([] {
      if (gInstanceCount == 0 && gTimer != 0) {
        KillTimer(nullptr, gTimer);
        gTimer = 0;
      }
    });
  }
}

int32_t TVCLClientHandler::InstanceCount() noexcept { return gInstanceCount; }

bool TVCLClientHandler::TimerRunning() noexcept { return gTimer != 0; }

int64_t TVCLClientHandler::Ticks() noexcept { return gTicks; }

void TVCLClientHandler::WhileWaitingForCalls() noexcept {
  // Peeking runs the window procedures of pending sent messages before it looks at the queue;
  // asked for sent messages only, and without removing anything, it leaves the queue as it is.
  MSG ignored;
  PeekMessageW(&ignored, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

void TVCLClientHandler::Tick() noexcept {
  // The busy flag needs no clean-up on the way out of an exception: none can come from the step.
  static_assert(noexcept(CefDoMessageLoopWork()), "the engine's work step must not throw");
  ++gTicks;
  if (gBusy || gInstanceCount <= 0) return;
  gBusy = true;
  CefDoMessageLoopWork();
  gBusy = false;
}

}  // namespace larkwell
