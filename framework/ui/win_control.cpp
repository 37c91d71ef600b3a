// A windowed control: its published properties, its window's life and its messages. The one
// window procedure is in window_class.cpp, the layout in win_control_align.cpp, the tab order in
// tab_order.cpp.
#include "framework/ui/win_control.h"

#include <utility>

#include "framework/forms/properties.h"
#include "framework/ui/application.h"
#include "framework/ui/window_class.h"
#include "os/last_error.h"

namespace larkwell {

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

}  // namespace larkwell
