#include "browser/client_handler.h"

#include <utility>

#include "browser/event_handlers.h"

namespace larkwell {

TCustomClientHandler::TCustomClientHandler(const IPtr<IChromiumEvents>& crm)
    : FHandlers{New<TCustomLifeSpanHandler>(crm), New<TCustomLoadHandler>(crm),       New<TCustomRequestHandler>(crm),
                New<TCustomDisplayHandler>(crm),  New<TCustomFocusHandler>(crm),      New<TCustomKeyboardHandler>(crm),
                New<TCustomMenuHandler>(crm),     New<TCustomPermissionHandler>(crm), New<TCustomPrintHandler>(crm),
                New<TCustomFindHandler>(crm),     New<TCustomJsDialogHandler>(crm),   New<TCustomV8ContextHandler>(crm),
                New<TCustomRenderHandler>(crm),   New<TCustomDragHandler>(crm)} {}

IPtr<ICefBase> TCustomClientHandler::Handler(THandlerIndex index) {
  TCefOwnLock lock(*this);
  return FHandlers[index];
}

void TCustomClientHandler::ReleaseHandlers() {
  for (IPtr<ICefBase>& field : FHandlers) {
    IPtr<ICefBase> handler;
    {
      TCefOwnLock lock(*this);
      handler = std::move(field);
    }
    if (auto* link = dynamic_cast<TChromiumEventsLink*>(handler.get())) {
      link->DropEvents([this] { WhileWaitingForCalls(); });
    }
  }
}

}  // namespace larkwell
