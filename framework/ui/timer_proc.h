// Timer procedures that stop every exception.
//
// An exception cannot unwind through the system's frames that call a timer procedure. Give
// SetTimer GuardedTimerProc<&Tick> instead of a hand-written procedure: it calls Tick() and
// hands whatever it throws to the application's default error report; the timer goes on.
#pragma once

#include <exception>

#include "framework/ui/application.h"
#include "framework/ui/win32.h"

namespace larkwell {

template <void (*Tick)()>
void CALLBACK GuardedTimerProc(HWND, UINT, UINT_PTR, DWORD) noexcept {
  try {
    Tick();
  } catch (...) {
    Application().HandleException(std::current_exception());
  }
}

}  // namespace larkwell
