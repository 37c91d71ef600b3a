// The window of a browser: on Windows, a real child window of the window the create call's
// window information names, made on the creating thread. The host build makes none.
//
// Which windows the stand-in made, and whether each still exists, is kept apart from the
// browsers: a window may outlive its browser (its WM_CLOSE was posted from another thread),
// and a browser its window (the parent took it along, or someone sent WM_CLOSE).
#pragma once

#include <cstdint>
#include <memory>

#include "engine/cef_api.h"
#include "enginesim/window/page_view.h"

namespace larkwell::enginesim::window {

class BrowserWindow {
 public:
  // The window `info` asks for, now, on this thread, stored in info.Wnd as well; null when
  // WndParent is not a window or rendering without a window was asked for (and always on the
  // host). A failed creation is a ledger error. The window's view asks `actions` of its browser.
  static std::unique_ptr<BrowserWindow> create(TCefWindowInfo& info, std::shared_ptr<BrowserActions> actions);

  // Destroys the window if it still exists: on the thread that made it at once, from any other
  // thread by posting it WM_CLOSE. A window that is gone already is not touched.
  ~BrowserWindow();
  BrowserWindow(const BrowserWindow&) = delete;
  BrowserWindow& operator=(const BrowserWindow&) = delete;

  TCefWindowHandle handle() const noexcept { return handle_; }
  // What the window shows; shared with the window itself, which may outlive this object.
  const std::shared_ptr<PageView>& view() const noexcept { return view_; }

 private:
  BrowserWindow(TCefWindowHandle handle, uint32_t thread, std::shared_ptr<PageView> view)
      : handle_(handle), thread_(thread), view_(std::move(view)) {}

  const TCefWindowHandle handle_;
  const uint32_t thread_;  // the thread that made the window and receives its messages
  const std::shared_ptr<PageView> view_;
};

// --- the stand-in's record of its windows (sim_window_state)

void note_created(TCefWindowHandle window, uint32_t thread);
void note_destroyed(TCefWindowHandle window);
// Notes that the engine is closing `window`; false (nothing noted) when it is gone already.
bool claim_for_closing(TCefWindowHandle window);

}  // namespace larkwell::enginesim::window
