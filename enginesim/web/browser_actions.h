// What a browser's window asks of its browser (window::BrowserActions), done through the
// browser's and main frame's own structure calls, as the program's calls would be.
#pragma once

#include <memory>

#include "enginesim/web/browser.h"

namespace larkwell::enginesim::web {

// Knows the browser through its frame tree, without holding it: the window may outlive it.
std::shared_ptr<window::BrowserActions> actions_for(std::shared_ptr<FrameTree> tree);

}  // namespace larkwell::enginesim::web
