// Stops C++ exceptions at the stand-in's entry points.
//
// Every export and every function stored in an engine structure runs its body through
// shielded(): an exception becomes a ledger error and the entry's neutral answer, so nothing
// unwinds into the caller's frames.
#pragma once

#include <type_traits>

namespace larkwell::enginesim {

// The answer of an entry that has nothing to say: 0, null, or nothing at all.
template <class Result>
Result neutral_answer() noexcept {
  if constexpr (!std::is_void_v<Result>) return Result{};
}

// Records that an exception was stopped in `entry` (see ledger.cpp).
void note_stopped_exception(const char* entry) noexcept;

// Runs body() -- or body(entry), when the body wants the entry's name for its own records.
template <class Result, class Body>
Result shielded(const char* entry, Body&& body) noexcept {
  try {
    if constexpr (std::is_invocable_v<Body&, const char*>) {
      return body(entry);
    } else {
      return body();
    }
  } catch (...) {
    note_stopped_exception(entry);
    return neutral_answer<Result>();
  }
}

}  // namespace larkwell::enginesim
