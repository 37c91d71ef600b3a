// The engine's message loop inside the program's own: one thread timer of 10 ms for the whole
// process, on the user-interface thread, doing one step of the engine's work per tick while at
// least one browser client holds the pump.
#pragma once

#include <cstdint>

namespace larkwell {

class TEnginePump {
 public:
  // A new holder, on the user-interface thread (where the timer lives): the first one starts
  // the timer.
  static void Acquire();
  // A holder lets go, on any thread (the engine may release a client on one of its own): the
  // last one has the timer killed on the user-interface thread.
  static void Release() noexcept;

  // ---- for tests and diagnostics ----
  // Holders, whether the timer exists, and its ticks so far, those that found the engine busy
  // included.
  static int32_t Holders() noexcept;
  static bool TimerRunning() noexcept;
  static int64_t Ticks() noexcept;

 private:
  // One tick: the engine's work, unless a tick is already doing it further up this thread's
  // stack (a modal dialog shown by a handler inside that work dispatches ticks too). Nothing
  // below it throws: the engine's step is noexcept, because every callback the engine makes
  // inside it stops its exceptions at its entry (CefCallback) and reports them.
  static void Tick() noexcept;
};

}  // namespace larkwell
