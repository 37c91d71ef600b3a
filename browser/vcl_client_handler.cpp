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
  if (gInstanceCount == 0) gTimer = SetTimer(nullptr, 0, 10, &GuardedTimerProc<&TVCLClientHandler::Tick>);
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

void TVCLClientHandler::Tick() {
  ++gTicks;
  if (gBusy || gInstanceCount <= 0) return;
  gBusy = true;
  try {
    CefDoMessageLoopWork();
  } catch (...) {
    gBusy = false;
    throw;  // reported by the guarded timer procedure; the next tick works again
  }
  gBusy = false;
}

}  // namespace larkwell
