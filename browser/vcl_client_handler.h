// The browser control's client, which also keeps the engine's message loop running: one timer
// of 10 ms for the whole process, made with the first client and killed with the last, does
// one step of the engine's work on the user-interface thread per tick.
#pragma once

#include <cstdint>

#include "browser/client_handler.h"

namespace larkwell {

class TVCLClientHandler : public TCustomClientHandler {
 public:
  // Creates the handlers for `crm`; the first client of the process starts the timer.
  explicit TVCLClientHandler(const IPtr<IChromiumEvents>& crm);
  // The last client kills the timer (on the user-interface thread, where the timer lives, also
  // when the engine releases the client on a thread of its own).
  ~TVCLClientHandler() override;

  // Live clients, and whether the shared timer exists (tests and diagnostics).
  static int32_t InstanceCount() noexcept;
  static bool TimerRunning() noexcept;
  // Timer ticks so far, those that found the engine busy included.
  static int64_t Ticks() noexcept;

 protected:
  // The user-interface thread, destroying the control, waits for calls that engine threads have
  // inside it; such a call may send a message to a window of that thread (set the control's
  // text) and wait for it in turn. So the waiting thread handles the messages sent to it, and
  // only those: posted messages, input and timers stay queued, and none of the control's posted
  // work (nor the engine's work step) runs inside its destruction.
  void WhileWaitingForCalls() noexcept override;

 private:
  // One tick: the engine's work, unless a tick is already doing it further up this thread's
  // stack (a modal dialog shown by a handler inside that work dispatches ticks too). Nothing
  // below it throws: the engine's step is noexcept, because every callback the engine makes
  // inside it stops its exceptions at its entry (CefCallback) and reports them.
  static void Tick() noexcept;
};

}  // namespace larkwell
