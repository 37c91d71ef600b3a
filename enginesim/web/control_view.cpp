// The sim_view_* test-control exports.
#include "enginesim/control_view.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "enginesim/core/shield.h"
#include "enginesim/core/unicode.h"
#include "enginesim/page/url.h"
#include "enginesim/web/browser.h"

using namespace larkwell::enginesim;
using larkwell::enginesim::window::PageView;
using larkwell::enginesim::window::Piece;

namespace {

std::shared_ptr<PageView> view_of(TCefBrowser* browser, const char* call) {
  web::SimBrowser* found = object_of<web::SimBrowser>(browser, call);
  return found != nullptr ? found->view() : nullptr;
}

std::vector<Piece> links_of(PageView& view) {
  std::vector<Piece> links;
  for (Piece& piece : view.layout().pieces) {
    if (piece.link) links.push_back(std::move(piece));
  }
  return links;
}

}  // namespace

int CEF_EXPORT_CALL sim_view_state(TCefBrowser* browser, TSimViewState* state) {
  return shielded<int>(__func__, [&](const char* call) {
    const std::shared_ptr<PageView> view = view_of(browser, call);
    TSimViewState found{};
    if (view) {
      const window::PageLayout layout = view->layout();
      const window::ViewCounts counts = view->counts();
      found = {counts.pages_shown,
               counts.layouts,
               counts.paints,
               view->width(),
               layout.height,
               static_cast<int32_t>(std::count_if(layout.pieces.begin(), layout.pieces.end(),
                                                  [](const Piece& piece) { return piece.link; })),
               counts.menu_requests,
               counts.menus_asked,
               counts.menus_shown};
    }
    if (state != nullptr) *state = found;
    return view ? 1 : 0;
  });
}

int CEF_EXPORT_CALL sim_view_text(TCefBrowser* browser, int32_t part, int index, char16_t* buffer, int size) {
  return shielded<int>(__func__, [&](const char* call) -> int {
    const std::shared_ptr<PageView> view = view_of(browser, call);
    if (!view) return -1;
    switch (part) {
      case SIM_VIEW_TITLE:
        return copy_out(view->title(), buffer, size);
      case SIM_VIEW_TEXT:
        return copy_out(view->text(), buffer, size);
      case SIM_VIEW_URL:
        return copy_out(view->url(), buffer, size);
      default:
        break;
    }
    const std::vector<Piece> links = links_of(*view);
    if (index < 0 || static_cast<std::size_t>(index) >= links.size()) return -1;
    const Piece& link = links[static_cast<std::size_t>(index)];
    switch (part) {
      case SIM_VIEW_LINK_TEXT:
        return copy_out(link.text, buffer, size);
      case SIM_VIEW_LINK_HREF:
        return copy_out(link.href, buffer, size);
      case SIM_VIEW_LINK_URL:
        return copy_out(resolve_link(view->url(), link.href), buffer, size);
      default:
        return -1;
    }
  });
}

int CEF_EXPORT_CALL sim_view_link_rect(TCefBrowser* browser, int index, TSimViewRect* rect) {
  return shielded<int>(__func__, [&](const char* call) {
    const std::shared_ptr<PageView> view = view_of(browser, call);
    if (!view) return 0;
    const std::vector<Piece> links = links_of(*view);
    if (index < 0 || static_cast<std::size_t>(index) >= links.size()) return 0;
    const Piece& link = links[static_cast<std::size_t>(index)];
    if (rect != nullptr) *rect = {link.x, link.y, link.x + link.width, link.y + link.height};
    return 1;
  });
}
