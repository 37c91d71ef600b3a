// Moving the focus from the keyboard: the order of a form's tab stops, and the dialog keys (Tab,
// Shift+Tab and the arrows) that the message loop turns into moves along it.
#include <algorithm>
#include <climits>
#include <vector>

#include "framework/ui/application.h"
#include "framework/ui/win_control.h"

namespace larkwell {

std::vector<TWinControl*> TWinControl::TabList() {
  std::vector<TWinControl*> ordered(controls_);
  std::stable_sort(ordered.begin(), ordered.end(), [](const TWinControl* a, const TWinControl* b) {
    const auto key = [](const TWinControl* c) { return c->tab_order_ < 0 ? INT_MAX : c->tab_order_; };
    return key(a) < key(b);
  });
  std::vector<TWinControl*> list;
  for (TWinControl* child : ordered) {
    if (!child->visible_) continue;
    if (child->tab_stop_) list.push_back(child);
    for (TWinControl* inner : child->TabList()) list.push_back(inner);
  }
  return list;
}

bool TApplication::IsDialogKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  const auto key = static_cast<UINT>(msg.wParam);
  const bool tab = key == VK_TAB;
  const bool arrow = key >= VK_LEFT && key <= VK_DOWN;
  if (!tab && !arrow && key != VK_RETURN && key != VK_ESCAPE && key != VK_CANCEL && key != VK_EXECUTE) return false;

  TWinControl* control = TWinControl::FindControl(msg.hwnd);
  if (!control) return false;
  if (control->Perform(CM_WANTSPECIALKEY, key, 0) != 0) return false;
  const LRESULT code = control->Perform(WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg));
  if (code & DLGC_WANTALLKEYS) return false;
  if (tab && (code & DLGC_WANTTAB)) return false;
  if (arrow && (code & DLGC_WANTARROWS)) return false;
  if (!tab && !arrow) return false;  // no default or cancel buttons: Enter and Escape go on

  TWinControl* form = control;
  while (form->Parent()) form = form->Parent();
  std::vector<TWinControl*> order = form->TabList();
  if (order.empty()) return false;
  const bool backwards = tab ? (GetKeyState(VK_SHIFT) < 0) : (key == VK_LEFT || key == VK_UP);
  size_t at = order.size();
  for (size_t i = 0; i < order.size(); ++i) {
    if (order[i] == control) at = i;
  }
  size_t next;
  if (at == order.size()) {
    next = backwards ? order.size() - 1 : 0;
  } else {
    next = backwards ? (at + order.size() - 1) % order.size() : (at + 1) % order.size();
  }
  order[next]->SetFocus();
  return true;
}

}  // namespace larkwell
