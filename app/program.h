// Larkwell.exe's whole run: start-up, the message loop and shut-down, in a fixed order.
//
// The order is kept by these functions, step by step, rather than by the order in which the
// runtime constructs static objects (which depends on link order): nothing here is a static
// object with work to do, and no static object holds an engine reference.
#pragma once

namespace larkwell {

// Starts the program, runs its message loop until the main window closes, then shuts it down.
// Answers the process's exit code: 0, or 1 after a start-up or loop that failed (and said so).
int RunLarkwell() noexcept;

// The shut-down steps, also after a failed start: a download still running ends quietly from here
// on; the main window goes with its control, then the progress window if it was ever made, then
// the engine, exactly once, at the very end. Nothing touches the engine afterwards.
void ShutDownLarkwell() noexcept;

}  // namespace larkwell
