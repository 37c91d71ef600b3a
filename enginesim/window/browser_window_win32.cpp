// Browser windows on Windows: a window class of the stand-in's own that paints the main
// frame's page (window/page_view.h) with its fonts and hands clicks and context menus to it.
#include <windows.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "enginesim/core/collections.h"
#include "enginesim/core/ledger.h"
#include "enginesim/core/shield.h"
#include "enginesim/window/browser_window.h"
#include "enginesim/window/page_fonts_win32.h"

namespace larkwell::enginesim::window {
namespace {

constexpr wchar_t kClassName[] = L"EngineSim.Browser";
constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr COLORREF kLinkColour = RGB(0, 0, 238);
constexpr COLORREF kRuleColour = RGB(200, 200, 200);

// What the window keeps from WM_NCCREATE to WM_NCDESTROY (its GWLP_USERDATA).
struct WindowState {
  std::shared_ptr<PageView> view;
  std::shared_ptr<const PageFonts> fonts;
};

// What CreateWindowExW hands the window at WM_NCCREATE, when it takes its state over.
struct Creation {
  WindowState* state;
  bool adopted = false;
};

WindowState* state_of(HWND window) { return reinterpret_cast<WindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

// The page area. Painting covers the whole invalid part, so the class has no background brush.
void paint(HWND window, WindowState& state) {
  PAINTSTRUCT paint_info;
  HDC dc = BeginPaint(window, &paint_info);
  if (dc == nullptr) return;
  FillRect(dc, &paint_info.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const PageLayout layout = state.view->layout();
  const std::vector<int> links = PageView::link_numbers(layout);
  const int focus = GetFocus() == window ? state.view->focused_link() : -1;
  SetBkMode(dc, TRANSPARENT);
  const HGDIOBJ old_font = SelectObject(dc, state.fonts->font(TextStyle::body, false));
  for (size_t i = 0; i < layout.pieces.size(); ++i) {
    const Piece& piece = layout.pieces[i];
    SelectObject(dc, state.fonts->font(piece.style, piece.link));
    SetTextColor(dc, piece.link ? kLinkColour : kTextColour);
    TextOutW(dc, piece.x, piece.y, wide(piece.text), static_cast<int>(piece.text.size()));
    if (focus >= 0 && links[i] == focus) {
      RECT box{piece.x - 1, piece.y, piece.x + piece.width + 1, piece.y + piece.height};
      DrawFocusRect(dc, &box);
    }
  }
  SelectObject(dc, old_font);
  RECT client;
  GetClientRect(window, &client);
  RECT rule{kMargin, layout.title_bottom, client.right - kMargin, layout.title_bottom + 1};
  HBRUSH rule_brush = CreateSolidBrush(kRuleColour);
  FillRect(dc, &rule, rule_brush);
  DeleteObject(rule_brush);
  EndPaint(window, &paint_info);
  state.view->note_paint();
}

// Back, forward and reload, each through the browser's own call.
void show_engine_menu(HWND window, PageView& view, POINT at) {
  using Command = BrowserActions::Command;
  struct Item {
    Command command;
    const wchar_t* label;
  } const kItems[] = {{Command::back, L"后退"}, {Command::forward, L"前进"}, {Command::reload, L"重新加载"}};
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  for (const Item& item : kItems) {
    const UINT enabled = view.actions().can(item.command) ? MF_ENABLED : MF_GRAYED;
    AppendMenuW(menu, MF_STRING | enabled, static_cast<UINT_PTR>(item.command) + 1, item.label);
  }
  ClientToScreen(window, &at);
  SetForegroundWindow(GetAncestor(window, GA_ROOT));  // so a click elsewhere dismisses it
  view.note_menu_shown();
  const UINT_PTR chosen = static_cast<UINT_PTR>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, window, nullptr));
  DestroyMenu(menu);
  if (chosen != 0) view.actions().run(static_cast<Command>(chosen - 1));
}

void context_menu(HWND window, PageView& view, POINT at) {
  if (view.context_menu(at.x, at.y)) show_engine_menu(window, view, at);
}

// WM_CLOSE and WM_DESTROY take their default course: DefWindowProc destroys the window on
// WM_CLOSE. The window is gone only at WM_NCDESTROY, its last message: a WM_DESTROY someone
// merely sends leaves it as it was.
LRESULT CALLBACK browser_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  return shielded<LRESULT>("browser window procedure", [&]() -> LRESULT {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
      auto* creation = static_cast<Creation*>(create->lpCreateParams);
      creation->adopted = true;
      WindowState* state = creation->state;
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
      state->view->set_width(create->cx);
      state->view->set_change_hook([window] { InvalidateRect(window, nullptr, FALSE); });
    }
    WindowState* state = state_of(window);
    if (state == nullptr) return DefWindowProcW(window, message, wparam, lparam);
    // Held for the message: a menu's loop or the program may destroy the window meanwhile.
    const std::shared_ptr<PageView> view = state->view;
    const POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    switch (message) {
      case WM_PAINT:
        paint(window, *state);
        return 0;
      case WM_SIZE:
        view->set_width(LOWORD(lparam));
        InvalidateRect(window, nullptr, FALSE);
        break;
      case WM_LBUTTONDOWN:
        SetFocus(window);  // a click in the page gives it the keyboard
        return 0;
      case WM_LBUTTONUP:
        view->click(at.x, at.y);
        return 0;
      // The program posts WM_SETFOCUS when its control gets the focus: the page takes it.
      case WM_SETFOCUS:
        if (GetFocus() != window) SetFocus(window);
        InvalidateRect(window, nullptr, FALSE);
        return 0;
      case WM_KILLFOCUS:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
      case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
      // Tab and Shift+Tab move among the links, Enter follows the focused one.
      case WM_KEYDOWN:
        if (wparam == VK_TAB) {
          view->move_focus(GetKeyState(VK_SHIFT) >= 0);
          return 0;
        }
        if (wparam == VK_RETURN) {
          view->follow_focus();
          return 0;
        }
        break;
      case WM_CHAR:
        if (wparam == L'\t' || wparam == L'\r') return 0;
        break;
      case WM_SETCURSOR:
        if (LOWORD(lparam) == HTCLIENT) {
          POINT cursor;
          GetCursorPos(&cursor);
          ScreenToClient(window, &cursor);
          const bool over_link = view->layout().link_at(cursor.x, cursor.y) != nullptr;
          SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(over_link ? 32649 : 32512)));  // IDC_HAND, IDC_ARROW
          return TRUE;
        }
        break;
      // Handled here, a right click sends no WM_CONTEXTMENU; that one comes from the keyboard.
      case WM_RBUTTONUP:
        context_menu(window, *view, at);
        return 0;
      case WM_CONTEXTMENU: {
        POINT client{0, 0};
        if (lparam != -1) {
          client = at;
          ScreenToClient(window, &client);
        }
        context_menu(window, *view, client);
        return 0;
      }
      case WM_NCDESTROY:
        note_destroyed(window);
        view->set_change_hook({});
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete state;
        break;
      default:
        break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
  });
}

HINSTANCE this_module() {
  static const char anchor = 0;
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&anchor), &module);
  return module;
}

// Registers the class once per process; false when that failed.
bool class_registered() {
  static const bool registered = [] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &browser_window_procedure;
    window_class.hInstance = this_module();
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    window_class.lpszClassName = kClassName;
    return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

}  // namespace

std::unique_ptr<BrowserWindow> BrowserWindow::create(TCefWindowInfo& info, std::shared_ptr<BrowserActions> actions) {
  const auto parent = static_cast<HWND>(info.WndParent);
  if (info.m_bWindowRenderingDisabled != 0 || parent == nullptr || !IsWindow(parent)) return nullptr;
  const std::u16string name(text_of(&info.windowName));
  const std::wstring wide_name(name.begin(), name.end());
  auto fonts = std::make_shared<const PageFonts>();
  auto view = std::make_shared<PageView>(std::make_unique<GdiMeasure>(fonts), std::move(actions));
  // The window owns its state from WM_NCCREATE on (it frees it at WM_NCDESTROY).
  Creation creation{new WindowState{view, fonts}};
  HWND window = class_registered() ? CreateWindowExW(info.ExStyle, kClassName, wide_name.c_str(), info.Style, info.x,
                                                     info.y, info.Width, info.Height, parent,
                                                     static_cast<HMENU>(info.Menu), this_module(), &creation)
                                   : nullptr;
  if (window == nullptr) {
    if (!creation.adopted) delete creation.state;
    ledger().record_error("browser creation: the browser window could not be made (error " +
                          std::to_string(GetLastError()) + ")");
    return nullptr;
  }
  const DWORD thread = GetCurrentThreadId();
  note_created(window, thread);
  info.Wnd = window;
  return std::unique_ptr<BrowserWindow>(new BrowserWindow(window, thread, std::move(view)));
}

BrowserWindow::~BrowserWindow() {
  if (!claim_for_closing(handle_)) return;
  const auto window = static_cast<HWND>(handle_);
  if (GetCurrentThreadId() == thread_) {
    DestroyWindow(window);
  } else {
    PostMessageW(window, WM_CLOSE, 0, 0);  // only its own thread may destroy it
  }
}

}  // namespace larkwell::enginesim::window
