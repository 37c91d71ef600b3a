#include "browser/event_handlers.h"

namespace larkwell {

void TChromiumEventsLink::DropEvents() noexcept {
  IPtr<IChromiumEvents> dropped;
  {
    std::lock_guard lock(FLock);
    dropped = std::move(FCrm);
  }
  // Released outside the lock: releasing may run code of the control.
}

IPtr<IChromiumEvents> TChromiumEventsLink::Events() const {
  std::lock_guard lock(FLock);
  return FCrm;
}

bool TCustomLifeSpanHandler::OnBeforePopup(const IPtr<ICefBrowser>& parentBrowser, TCefPopupFeatures& popupFeatures,
                                           TCefWindowInfo& windowInfo, ustring& url, IPtr<ICefBase>& client,
                                           TCefBrowserSettings& settings) {
  IPtr<IChromiumEvents> crm = Events();
  if (!crm) return false;
  crm->FillBrowserSettings(settings);
  return crm->FireBeforePopup(parentBrowser, popupFeatures, windowInfo, url, client);
}

}  // namespace larkwell
