#include "browser/event_handlers.h"

#include <algorithm>
#include <chrono>

namespace larkwell {

void TChromiumEventsLink::DropEvents(const std::function<void()>& whileWaiting) noexcept {
  // How often the waiting thread looks up from the wait to do its own work.
  constexpr std::chrono::milliseconds kServeEvery{5};
  IPtr<IChromiumEvents> dropped;
  {
    std::unique_lock lock(FLock);
    dropped = std::move(FCrm);
    const std::thread::id self = std::this_thread::get_id();
    auto onlyMine = [&] {
      return std::all_of(FCallers.begin(), FCallers.end(), [&](std::thread::id id) { return id == self; });
    };
    if (!whileWaiting) {
      FCallLeft.wait(lock, onlyMine);
    } else {
      while (!FCallLeft.wait_for(lock, kServeEvery, onlyMine)) {
        // Unlocked: what it does may call into this link (a message that raises an event).
        lock.unlock();
        whileWaiting();
        lock.lock();
      }
    }
  }
  // Released outside the lock: releasing may run code of the control.
}

TChromiumEventsLink::TEventsCall::TEventsCall(const TChromiumEventsLink& link) : FLink(link) {
  std::lock_guard lock(FLink.FLock);
  if (!FLink.FCrm) return;
  FLink.FCallers.push_back(std::this_thread::get_id());  // may throw: then nothing is counted
  FEvents = FLink.FCrm.get();
}

TChromiumEventsLink::TEventsCall::~TEventsCall() {
  if (!FEvents) return;
  std::lock_guard lock(FLink.FLock);
  auto& callers = FLink.FCallers;
  callers.erase(std::find(callers.begin(), callers.end(), std::this_thread::get_id()));
  FLink.FCallLeft.notify_all();
}

bool TCustomLifeSpanHandler::OnBeforePopup(const IPtr<ICefBrowser>& parentBrowser, TCefPopupFeatures& popupFeatures,
                                           TCefWindowInfo& windowInfo, ustring& url, IPtr<ICefBase>& client,
                                           TCefBrowserSettings& settings) {
  TEventsCall crm(*this);
  if (!crm) return false;
  crm->FillBrowserSettings(settings);
  return crm->FireBeforePopup(parentBrowser, popupFeatures, windowInfo, url, client);
}

}  // namespace larkwell
