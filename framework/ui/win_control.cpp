#include "framework/ui/win_control.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <mutex>
#include <set>
#include <utility>

#include "framework/forms/properties.h"
#include "framework/ui/application.h"
#include "os/last_error.h"

namespace larkwell {

// ---- the one window procedure --------------------------------------------------------------

LRESULT CALLBACK SharedWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  TWinControl* control = nullptr;
  if (msg == WM_NCCREATE) {
    // The control handed itself over as the creation parameter; from here on the window knows it.
    control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    control->handle_ = window;
  } else {
    control = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  // Messages before WM_NCCREATE (WM_GETMINMAXINFO of a top-level window) and after WM_NCDESTROY.
  if (!control) return DefWindowProcW(window, msg, wParam, lParam);

  TMessage message{msg, wParam, lParam, 0};
  try {
    control->WndProc(message);
  } catch (...) {
    // An exception cannot unwind through the system's frames: it is reported and the message
    // gets a neutral answer.
    Application().HandleException(std::current_exception());
    message.Result = 0;
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    control->handle_ = nullptr;
  }
  return message.Result;
}

namespace {

// Registers the window class `name` with the shared window procedure, once per name.
void RegisterWindowClass(const ustring& name, UINT style) {
  static std::mutex lock;
  static std::set<ustring> registered;
  std::lock_guard guard(lock);
  if (registered.contains(name)) return;
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  info.style = style;
  info.lpfnWndProc = &SharedWindowProc;
  info.hInstance = GetModuleHandleW(nullptr);
  info.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  info.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  info.lpszClassName = Wide(name);
  if (!RegisterClassExW(&info) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw os::LastOSError();
  }
  registered.insert(name);
}

}  // namespace

// ---- published surface ---------------------------------------------------------------------

const TClassInfo& TWinControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfoBuilder<TWinControl>(u"TWinControl", TComponent::StaticClassInfo())
          .Value<&TWinControl::Left, &TWinControl::SetLeft>(u"Left", kAlwaysStored)
          .Value<&TWinControl::Top, &TWinControl::SetTop>(u"Top", kAlwaysStored)
          .Value<&TWinControl::Width, &TWinControl::SetWidth>(u"Width", kAlwaysStored)
          .Value<&TWinControl::Height, &TWinControl::SetHeight>(u"Height", kAlwaysStored)
          .Value<&TWinControl::Align, &TWinControl::SetAlign>(u"Align", TAlign::alNone)
          .Value<&TWinControl::Anchors, &TWinControl::SetAnchors>(u"Anchors",
                                                                  TAnchors{TAnchorKind::akLeft, TAnchorKind::akTop})
          .Value<&TWinControl::Color, &TWinControl::SetColor>(u"Color", clBtnFace)
          .Value<&TWinControl::ParentColor, &TWinControl::SetParentColor>(u"ParentColor", false)
          .Object<static_cast<TFont& (TWinControl::*)()>(&TWinControl::Font)>(u"Font")
          .Value<&TWinControl::ParentFont, &TWinControl::SetParentFont>(u"ParentFont", true)
          .Value<&TWinControl::TabOrder, &TWinControl::SetTabOrder>(u"TabOrder", -1)
          .Value<&TWinControl::TabStop, &TWinControl::SetTabStop>(u"TabStop", false)
          .Value<&TWinControl::Visible, &TWinControl::SetVisible>(u"Visible", true)
          .Build();
  return info;
}

// ---- life ----------------------------------------------------------------------------------

TWinControl::TWinControl() = default;

TWinControl::~TWinControl() {
  DestroyHandle();
  // Children that outlive this control (owned elsewhere) lose their parent.
  for (TWinControl* child : std::exchange(controls_, {})) child->parent_ = nullptr;
  if (parent_) parent_->RemoveControl(*this);
}

void TWinControl::SetParentComponent(TComponent* parent) {
  TComponent::SetParentComponent(parent);
  SetParent(dynamic_cast<TWinControl*>(parent));
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(*this);
  parent_ = parent;
  if (parent_) parent_->InsertControl(*this);
  if (handle_) {
    // A child window needs a parent window; without one the control's window goes away.
    if (parent_ && parent_->HandleAllocated()) {
      ::SetParent(handle_, parent_->handle_);
      parent_->Realign();
    } else {
      DestroyHandle();
    }
  }
}

void TWinControl::InsertControl(TWinControl& child) {
  controls_.push_back(&child);
  if (handle_) {
    child.HandleNeeded();
    Realign();
  }
}

void TWinControl::RemoveControl(TWinControl& child) {
  std::erase(controls_, &child);
  if (handle_) Realign();
}

void TWinControl::Loaded() {
  TComponent::Loaded();
  if (parent_) parent_->Realign();
}

// ---- properties ----------------------------------------------------------------------------

void TWinControl::SetBounds(int left, int top, int width, int height) {
  const bool sized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (handle_) {
    // WM_SIZE follows, which realigns the children and notifies Resize.
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateBoundsFromWindow();
  } else if (sized) {
    Realign();
    Resize();
  }
}

RECT TWinControl::ClientRect() const {
  RECT rect{0, 0, width_, height_};
  if (handle_) GetClientRect(handle_, &rect);
  return rect;
}

void TWinControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->Realign();
}

void TWinControl::SetColor(TColor color) {
  color_ = color;
  parent_color_ = false;
  Invalidate();
}

void TWinControl::SetParentColor(bool value) {
  parent_color_ = value;
  Invalidate();
}

TColor TWinControl::EffectiveColor() const noexcept {
  const TWinControl* control = this;
  while (control->parent_color_ && control->parent_) control = control->parent_;
  return control->color_;
}

void TWinControl::SetParentFont(bool value) {
  parent_font_ = value;
  Invalidate();
}

const TFont& TWinControl::EffectiveFont() const noexcept {
  const TWinControl* control = this;
  while (control->parent_font_ && control->parent_) control = control->parent_;
  return control->font_;
}

HFONT TWinControl::FontHandle() { return font_handle_.For(EffectiveFont()); }

void TWinControl::SetVisible(bool visible) {
  visible_ = visible;
  if (handle_) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
  if (parent_) parent_->Realign();
}

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

void TWinControl::ScaleBy(int multiplier, int divisor) {
  const auto scale = [&](int value) { return MulDiv(value, multiplier, divisor); };
  left_ = scale(left_);
  top_ = scale(top_);
  width_ = scale(width_);
  height_ = scale(height_);
  if (!parent_font_) font_.Height = scale(font_.Height);
  for (TWinControl* child : controls_) child->ScaleBy(multiplier, divisor);
}

// ---- the window ----------------------------------------------------------------------------

HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (parent_) parent_->HandleNeeded();
  // Making the parent's window makes its children's windows too, this one's included.
  if (!handle_) CreateHandle();
}

void TWinControl::CreateHandle() {
  TCreateParams params;
  CreateParams(params);
  RegisterWindowClass(params.WinClassName, params.ClassStyle);
  CreateWindowHandle(params);
  if (!handle_) return;
  UpdateBoundsFromWindow();
  for (TWinControl* child : std::vector<TWinControl*>(controls_)) {
    if (!child->handle_) child->CreateHandle();
  }
  Realign();
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible_ ? WS_VISIBLE : 0) | (tab_stop_ ? WS_TABSTOP : 0);
  params.X = left_;
  params.Y = top_;
  params.Width = width_;
  params.Height = height_;
  params.WndParent = parent_ ? parent_->handle_ : nullptr;
  params.WinClassName = u"Larkwell." + ClassName();
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
  HWND made = CreateWindowExW(params.ExStyle, Wide(params.WinClassName), Wide(params.Caption), params.Style, params.X,
                              params.Y, params.Width, params.Height, params.WndParent, nullptr,
                              GetModuleHandleW(nullptr), this);
  if (!made) throw os::LastOSError();
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  // The children's windows go with this one; WM_NCDESTROY clears each control's handle.
  DestroyWindow(handle_);
  handle_ = nullptr;
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyHandle();
  HandleNeeded();
}

void TWinControl::UpdateBoundsFromWindow() {
  if (!handle_) return;
  RECT rect;
  GetWindowRect(handle_, &rect);
  if (HWND parent = GetParent(handle_); parent && (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD)) {
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  }
  left_ = rect.left;
  top_ = rect.top;
  width_ = rect.right - rect.left;
  height_ = rect.bottom - rect.top;
}

LRESULT TWinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  WndProc(message);
  return message.Result;
}

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

bool TWinControl::Focused() const noexcept { return handle_ && GetFocus() == handle_; }

void TWinControl::Repaint() {
  if (!handle_) return;
  InvalidateRect(handle_, nullptr, TRUE);
  UpdateWindow(handle_);
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

TWinControl* TWinControl::FindControl(HWND window) noexcept {
  for (; window; window = GetAncestor(window, GA_PARENT)) {
    if (GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SharedWindowProc)) {
      return reinterpret_cast<TWinControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (window == GetDesktopWindow()) break;
  }
  return nullptr;
}

// ---- messages ------------------------------------------------------------------------------

void TWinControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_SIZE:
      DefaultHandler(message);
      UpdateBoundsFromWindow();
      Realign();
      Resize();
      return;
    case WM_MOVE:
      DefaultHandler(message);
      UpdateBoundsFromWindow();
      return;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(handle_, &client);
      FillSolid(reinterpret_cast<HDC>(message.WParam), client, ColorToRGB(EffectiveColor()));
      message.Result = 1;
      return;
    }
    case WM_PAINT:
      if (PaintsItself()) {
        const TPaintDC paint(handle_);
        RECT client;
        GetClientRect(handle_, &client);
        Paint(paint.get(), client);
        return;
      }
      break;
    case CM_WANTSPECIALKEY:
      message.Result = 0;
      return;
    default:
      break;
  }
  DefaultHandler(message);
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (!handle_) return;
  message.Result = DefWindowProcW(handle_, message.Msg, message.WParam, message.LParam);
}

void TWinControl::Paint(HDC dc, const RECT& client) { FillSolid(dc, client, ColorToRGB(EffectiveColor())); }

// ---- alignment -----------------------------------------------------------------------------

void TWinControl::Realign() {
  if (realigning_) return;
  realigning_ = true;
  const RECT client = ClientRect();
  const int clientWidth = client.right - client.left;
  const int clientHeight = client.bottom - client.top;
  const bool firstTime = aligned_client_width_ < 0;
  const int grownX = firstTime ? 0 : clientWidth - aligned_client_width_;
  const int grownY = firstTime ? 0 : clientHeight - aligned_client_height_;
  aligned_client_width_ = clientWidth;
  aligned_client_height_ = clientHeight;

  RECT free = client;
  const auto place = [](TWinControl& child, int left, int top, int width, int height) {
    if (child.left_ != left || child.top_ != top || child.width_ != width || child.height_ != height ||
        !child.handle_) {
      child.SetBounds(left, top, std::max(width, 0), std::max(height, 0));
    }
  };
  try {
    // The system's order of docking: top, bottom, left, right, then what is left for the client.
    for (TAlign pass : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
      for (TWinControl* child : controls_) {
        if (child->align_ != pass || !child->visible_) continue;
        const int freeWidth = free.right - free.left;
        const int freeHeight = free.bottom - free.top;
        switch (pass) {
          case TAlign::alTop:
            place(*child, free.left, free.top, freeWidth, child->height_);
            free.top += child->height_;
            break;
          case TAlign::alBottom:
            place(*child, free.left, free.bottom - child->height_, freeWidth, child->height_);
            free.bottom -= child->height_;
            break;
          case TAlign::alLeft:
            place(*child, free.left, free.top, child->width_, freeHeight);
            free.left += child->width_;
            break;
          case TAlign::alRight:
            place(*child, free.right - child->width_, free.top, child->width_, freeHeight);
            free.right -= child->width_;
            break;
          default:
            place(*child, free.left, free.top, freeWidth, freeHeight);
            break;
        }
      }
    }
    // Unaligned children follow the edges they are anchored to.
    if (grownX != 0 || grownY != 0) {
      for (TWinControl* child : controls_) {
        if (child->align_ != TAlign::alNone) continue;
        int left = child->left_, top = child->top_, width = child->width_, height = child->height_;
        if (child->anchors_.Contains(TAnchorKind::akRight)) {
          child->anchors_.Contains(TAnchorKind::akLeft) ? width += grownX : left += grownX;
        }
        if (child->anchors_.Contains(TAnchorKind::akBottom)) {
          child->anchors_.Contains(TAnchorKind::akTop) ? height += grownY : top += grownY;
        }
        place(*child, left, top, width, height);
      }
    }
  } catch (...) {
    realigning_ = false;
    throw;
  }
  realigning_ = false;
}

}  // namespace larkwell
