// The browser control's client: it creates the fourteen handlers of event_handlers.h for one
// IChromiumEvents at once, hands the engine the same handler object every time it asks, and
// lets go of them all when the control goes (ICefClientTeardown).
#pragma once

#include <array>
#include <cstddef>

#include "browser/chromium_events.h"
#include "engine/handlers_own.h"

namespace larkwell {

class TCustomClientHandler : public TCefClientOwn, public ICefClientTeardown {
 public:
  // Creates the handlers, in the order of the getters below, all forwarding to `crm`.
  explicit TCustomClientHandler(const IPtr<IChromiumEvents>& crm);

  // The kept handler (a new reference), or no object once the handlers are released.
  IPtr<ICefBase> GetLifeSpanHandler() override { return Handler(kLifeSpan); }
  IPtr<ICefBase> GetLoadHandler() override { return Handler(kLoad); }
  IPtr<ICefBase> GetRequestHandler() override { return Handler(kRequest); }
  IPtr<ICefBase> GetDisplayHandler() override { return Handler(kDisplay); }
  IPtr<ICefBase> GetFocusHandler() override { return Handler(kFocus); }
  IPtr<ICefBase> GetKeyboardHandler() override { return Handler(kKeyboard); }
  IPtr<ICefBase> GetMenuHandler() override { return Handler(kMenu); }
  IPtr<ICefBase> GetPermissionHandler() override { return Handler(kPermission); }
  IPtr<ICefBase> GetPrintHandler() override { return Handler(kPrint); }
  IPtr<ICefBase> GetFindHandler() override { return Handler(kFind); }
  IPtr<ICefBase> GetJsdialogHandler() override { return Handler(kJsDialog); }
  IPtr<ICefBase> GetV8contextHandler() override { return Handler(kV8Context); }
  IPtr<ICefBase> GetRenderHandler() override { return Handler(kRender); }
  IPtr<ICefBase> GetDragHandler() override { return Handler(kDrag); }

  // Releases the handlers in the order above, each cut off from the control first; handlers the
  // engine still holds live on without reaching the control. A second call does nothing.
  void ReleaseHandlers() override;

 protected:
  // Called on the releasing thread, again and again, while ReleaseHandlers waits for calls that
  // engine threads still have inside the control: a call may be waiting for that thread in turn.
  // The base has nothing to do. Must not throw.
  virtual void WhileWaitingForCalls() noexcept {}

 private:
  enum THandlerIndex : size_t {
    kLifeSpan,
    kLoad,
    kRequest,
    kDisplay,
    kFocus,
    kKeyboard,
    kMenu,
    kPermission,
    kPrint,
    kFind,
    kJsDialog,
    kV8Context,
    kRender,
    kDrag,
    kHandlerCount
  };

  IPtr<ICefBase> Handler(THandlerIndex index);

  // Engine threads ask for handlers while the user-interface thread may release them.
  std::array<IPtr<ICefBase>, kHandlerCount> FHandlers;
};

}  // namespace larkwell
