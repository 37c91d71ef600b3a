// The browser control's client. Each one holds the engine pump (engine_pump.h) while it lives,
// so the engine's message loop runs from the first client to the last.
#pragma once

#include "browser/client_handler.h"

namespace larkwell {

class TVCLClientHandler : public TCustomClientHandler {
 public:
  // Creates the handlers for `crm` (on the user-interface thread) and holds the pump.
  explicit TVCLClientHandler(const IPtr<IChromiumEvents>& crm);
  // Lets the pump go, also when the engine releases the client on a thread of its own.
  ~TVCLClientHandler() override;

 protected:
  // The user-interface thread, destroying the control, waits for calls that engine threads have
  // inside it; such a call may send a message to a window of that thread (set the control's
  // text) and wait for it in turn. So the waiting thread handles the messages sent to it, and
  // only those: posted messages, input and timers stay queued, and none of the control's posted
  // work (nor the engine's work step) runs inside its destruction.
  void WhileWaitingForCalls() noexcept override;
};

}  // namespace larkwell
