// Test control of what a browser's window shows and does: the main frame's page as laid out
// in the window, its links, and the context menus asked for in it.
//
// On Windows a browser's window (see control_web.h) shows its main frame's page from the work
// step that announces the frame's load on: a title line (the page's <title>, else its URL),
// then the headings, paragraphs and list items wrapped to the window's width. A left click on
// a link loads the link's target, resolved against the page's URL, in the main frame through
// its load_url. A right click (or the context-menu key) calls the client's menu handler's
// on_before_menu with a menu record in the window's client coordinates; without a handler, or
// when it answers 0, the engine shows its own popup menu (后退, 前进, 重新加载); when it answers
// non-zero, nothing. The host build has no windows: every browser answers "no view".
#pragma once

#include <stdint.h>

#include <string>

#include "enginesim/control.h"

extern "C" {

// The menu record's bits the engine sets.
enum : int32_t {
  SIM_MENU_TYPE_PAGE = 0x1,              // typeFlags: always
  SIM_MENU_TYPE_LINK = 0x4,              // typeFlags: over a link; linkUrl is its resolved target
  SIM_MENU_CAN_GO_FORWARD = 0x10000000,  // editFlags: nothing in the view is editable
  SIM_MENU_CAN_GO_BACK = 0x20000000,
};

struct TSimViewState {
  int32_t pages_shown;    // main-frame loads the window has shown
  int32_t layouts;        // times the page was laid out (a new page, a new width)
  int32_t paints;         // WM_PAINT handled
  int32_t width;          // the client width laid out for
  int32_t height;         // the bottom of the laid-out page
  int32_t links;          // link pieces (a link wrapped over two lines is two)
  int32_t menu_requests;  // right clicks and context-menu keys
  int32_t menus_asked;    // ... that reached the client's menu handler
  int32_t menus_shown;    // ... that showed the engine's popup menu
};
// Fills `state` (when given) and answers 1 for a browser with a window; 0 (all zero) otherwise.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_view_state(TCefBrowser* browser, TSimViewState* state);

// The texts of a view: what `part` names (of link piece `index` for the SIM_VIEW_LINK_* parts).
enum : int32_t {
  SIM_VIEW_TITLE = 1,  // the title line
  SIM_VIEW_TEXT,       // the page's text: one line a block, list items after "• "
  SIM_VIEW_URL,        // the URL of the page shown
  SIM_VIEW_LINK_TEXT,  // the text of link piece `index`
  SIM_VIEW_LINK_HREF,  // ... its target as the page wrote it
  SIM_VIEW_LINK_URL,   // ... resolved against the page's URL
};
// Answers -1 for a browser without a view or a link piece it does not have.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_view_text(TCefBrowser* browser, int32_t part, int index, char16_t* buffer,
                                                    int size);

struct TSimViewRect {
  int32_t left, top, right, bottom;  // client coordinates; right and bottom exclusive
};
// The rectangle of link piece `index`, in page order; answers 0 when there is none.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_view_link_rect(TCefBrowser* browser, int index, TSimViewRect* rect);

}  // extern "C"

namespace larkwell::enginesim {

inline std::u16string view_text(TCefBrowser* browser, int32_t part, int index = 0) {
  return copied_text<char16_t>(
      [&](char16_t* buffer, int size) { return sim_view_text(browser, part, index, buffer, size); });
}

}  // namespace larkwell::enginesim
