#include "browser/engine_pump.h"

#include <atomic>

#include "engine/loader.h"
#include "framework/ui/application.h"
#include "framework/ui/timer_proc.h"
#include "framework/ui/win32.h"

namespace larkwell {

namespace {

std::atomic<int32_t> gHolders{0};
// Touched on the user-interface thread only.
UINT_PTR gTimer = 0;  // 0 when there is none
bool gBusy = false;   // a tick is doing the engine's work
int64_t gTicks = 0;

}  // namespace

void TEnginePump::Acquire() {
  // When the last holder went on an engine thread, its timer's kill may still be queued: that
  // timer is kept (the kill finds a holder again and leaves it), so a second one over it never
  // exists.
  if (gTimer == 0) gTimer = SetTimer(nullptr, 0, 10, &GuardedTimerProc<&TEnginePump::Tick>);
  ++gHolders;
}

void TEnginePump::Release() noexcept {
  if (--gHolders == 0) {
    // A thread timer can only be killed on the thread that made it.
    Application().RunOnUserInterfaceThread([] {
      if (gHolders == 0 && gTimer != 0) {
        KillTimer(nullptr, gTimer);
        gTimer = 0;
      }
    });
  }
}

int32_t TEnginePump::Holders() noexcept { return gHolders; }

bool TEnginePump::TimerRunning() noexcept { return gTimer != 0; }

int64_t TEnginePump::Ticks() noexcept { return gTicks; }

void TEnginePump::Tick() noexcept {
  // The busy flag needs no clean-up on the way out of an exception: none can come from the step.
  static_assert(noexcept(CefDoMessageLoopWork()), "the engine's work step must not throw");
  ++gTicks;
  if (gBusy || gHolders <= 0) return;
  gBusy = true;
  CefDoMessageLoopWork();
  gBusy = false;
}

}  // namespace larkwell
