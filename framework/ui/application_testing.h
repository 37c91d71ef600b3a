// For tests only: a seam in handing work to the user-interface thread from another thread.
#pragma once

namespace larkwell {

// Called on the posting thread between the two steps of TApplication's cross-thread queue: after
// the work is queued and before the user-interface thread is woken (null: nothing is called).
// A test holds the posting thread here to see that no wake-up can find the queue without the work.
using TQueuedWorkHook = void (*)() noexcept;
void SetQueuedWorkHookForTesting(TQueuedWorkHook hook) noexcept;

}  // namespace larkwell
