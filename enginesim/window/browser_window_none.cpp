// The host build: browsers have no windows.
#include "enginesim/window/browser_window.h"

namespace larkwell::enginesim::window {

std::unique_ptr<BrowserWindow> BrowserWindow::create(TCefWindowInfo&, std::shared_ptr<BrowserActions>) {
  return nullptr;
}

BrowserWindow::~BrowserWindow() = default;

}  // namespace larkwell::enginesim::window
