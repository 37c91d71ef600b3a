#include "browser/vcl_client_handler.h"

#include "browser/engine_pump.h"
#include "framework/ui/win32.h"

namespace larkwell {

TVCLClientHandler::TVCLClientHandler(const IPtr<IChromiumEvents>& crm) : TCustomClientHandler(crm) {
  TEnginePump::Acquire();
}

TVCLClientHandler::~TVCLClientHandler() { TEnginePump::Release(); }

void TVCLClientHandler::WhileWaitingForCalls() noexcept {
  // Peeking runs the window procedures of pending sent messages before it looks at the queue;
  // asked for sent messages only, and without removing anything, it leaves the queue as it is.
  MSG ignored;
  PeekMessageW(&ignored, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

}  // namespace larkwell
