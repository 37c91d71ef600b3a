#include "framework/ui/form.h"

#include <exception>

#include "framework/forms/form_reader.h"
#include "framework/forms/properties.h"
#include "framework/ui/application.h"

namespace larkwell {

namespace {

struct TBorderStyles {
  DWORD Style;
  DWORD ExStyle;
};

// The window styles of each border style.
TBorderStyles StylesOf(TFormBorderStyle border) {
  switch (border) {
    case TFormBorderStyle::bsNone:
      return {WS_POPUP, 0};
    case TFormBorderStyle::bsSingle:
      return {WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0};
    case TFormBorderStyle::bsDialog:
      return {WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME};
    // A thin caption with a close button, a fixed size and no task-bar entry.
    case TFormBorderStyle::bsToolWindow:
      return {WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW};
    case TFormBorderStyle::bsSizeToolWin:
      return {WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW};
    case TFormBorderStyle::bsSizeable:
      break;
  }
  return {WS_OVERLAPPEDWINDOW, WS_EX_APPWINDOW};
}

}  // namespace

const TClassInfo& TForm::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfoBuilder<TForm>(u"TForm", TWinControl::StaticClassInfo())
          // Made hidden (see the constructor) and shown by Show: that is what a stored form leaves out.
          .Value<&TForm::Visible, &TForm::SetVisible>(u"Visible", false)
          .Value<&TForm::Caption, &TForm::SetCaption>(u"Caption", u"")
          .Value<&TForm::ClientHeight, &TForm::SetClientHeight>(u"ClientHeight", kAlwaysStored)
          .Value<&TForm::ClientWidth, &TForm::SetClientWidth>(u"ClientWidth", kAlwaysStored)
          .Value<&TForm::WindowState, &TForm::SetWindowState>(u"WindowState", TWindowState::wsNormal)
          .Value<&TForm::Position, &TForm::SetPosition>(u"Position", TPosition::poDesigned)
          .Value<&TForm::BorderStyle, &TForm::SetBorderStyle>(u"BorderStyle", TFormBorderStyle::bsSizeable)
          .Value<&TForm::FormStyle, &TForm::SetFormStyle>(u"FormStyle", TFormStyle::fsNormal)
          .Value<&TForm::PixelsPerInch, &TForm::SetPixelsPerInch>(u"PixelsPerInch", kAlwaysStored)
          .Event<&TForm::OnCreate>(u"OnCreate")
          .Build();
  return info;
}

TForm::TForm() { TWinControl::SetVisible(false); }

TForm::~TForm() {
  Application().FormDestroyed(*this);
  DestroyComponents();
}

void TForm::CreateFromDescription(std::string_view text, const TMethodTable& methods) {
  ReadForm(text, *this, methods);
  if (OnCreate) {
    try {
      OnCreate(this);
    } catch (...) {
      Application().HandleException(std::current_exception());
    }
  }
}

int TForm::ScreenPixelsPerInch() noexcept {
  const TWindowDC screen(nullptr);
  const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
  return dpi > 0 ? dpi : 96;
}

void TForm::Loaded() {
  // The root is told first, before any child can make a window: every design size is scaled here.
  const int screen = ScreenPixelsPerInch();
  if (pixels_per_inch_ > 0 && screen != pixels_per_inch_) {
    ScaleBy(screen, pixels_per_inch_);
    pixels_per_inch_ = screen;
  }
  TWinControl::Loaded();
}

void TForm::ScaleBy(int multiplier, int divisor) {
  const int clientWidth = MulDiv(client_width_, multiplier, divisor);
  const int clientHeight = MulDiv(client_height_, multiplier, divisor);
  TWinControl::ScaleBy(multiplier, divisor);
  Font().Height = MulDiv(Font().Height, multiplier, divisor);
  client_width_ = clientWidth;
  client_height_ = clientHeight;
}

// ---- properties ----------------------------------------------------------------------------

void TForm::SetCaption(const ustring& caption) {
  // Unchanged, nothing to do: setting a window's text repaints its frame, a cost the progress
  // window would otherwise pay once per block.
  if (caption == caption_) return;
  caption_ = caption;
  if (HandleAllocated()) SetWindowTextW(Handle(), Wide(caption_));
}

RECT TForm::ClientRect() const {
  if (HandleAllocated()) return TWinControl::ClientRect();
  return RECT{0, 0, client_width_, client_height_};
}

void TForm::SetClientWidth(int value) {
  client_width_ = value;
  if (HandleAllocated()) SetBounds(Left(), Top(), Width() + value - ClientWidth(), Height());
}

void TForm::SetClientHeight(int value) {
  client_height_ = value;
  if (HandleAllocated()) SetBounds(Left(), Top(), Width(), Height() + value - ClientHeight());
}

TWindowState TForm::WindowState() const noexcept {
  if (HandleAllocated() && Visible()) {
    HWND window = const_cast<TForm*>(this)->Handle();
    if (IsZoomed(window)) return TWindowState::wsMaximized;
    if (IsIconic(window)) return TWindowState::wsMinimized;
    return TWindowState::wsNormal;
  }
  return window_state_;
}

void TForm::SetWindowState(TWindowState state) {
  window_state_ = state;
  if (!HandleAllocated() || !Visible()) return;
  static constexpr int kShow[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
  ShowWindow(Handle(), kShow[static_cast<int>(state)]);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  border_style_ = style;
  if (HandleAllocated()) RecreateWnd();
}

void TForm::SetFormStyle(TFormStyle style) {
  form_style_ = style;
  if (HandleAllocated()) {
    SetWindowPos(Handle(), style == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

// ---- the window ----------------------------------------------------------------------------

void TForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  const TBorderStyles styles = StylesOf(border_style_);
  params.Style = styles.Style | WS_CLIPCHILDREN;  // shown by Show, not by being made
  params.ExStyle = styles.ExStyle | (form_style_ == TFormStyle::fsStayOnTop ? WS_EX_TOPMOST : 0);
  params.WndParent = nullptr;
  params.Caption = caption_;
  // The stored size is the client area's: the frame comes on top of it.
  RECT frame{0, 0, client_width_, client_height_};
  AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
  params.Width = frame.right - frame.left;
  params.Height = frame.bottom - frame.top;
}

void TForm::Show() {
  HWND window = Handle();
  // Already up: shown again, it would only cost (twice a window system round trip per call).
  if (Visible() && IsWindowVisible(window)) return;
  if (!shown_once_) {
    shown_once_ = true;
    if (position_ != TPosition::poDesigned) {
      RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
      if (position_ == TPosition::poScreenCenter) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
      RECT bounds;
      GetWindowRect(window, &bounds);
      const int width = bounds.right - bounds.left;
      const int height = bounds.bottom - bounds.top;
      SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                   area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  // Shown straight into its state: showing first and maximising after would let the user (and
  // anyone watching the window) see it at its design size for a moment. Only the maximised main
  // window takes the activation; a form in the normal state (the progress window) appears
  // without taking it from the window the user works in.
  ShowWindow(window, window_state_ == TWindowState::wsMaximized   ? SW_SHOWMAXIMIZED
                     : window_state_ == TWindowState::wsMinimized ? SW_SHOWMINNOACTIVE
                                                                  : SW_SHOWNA);
  TWinControl::SetVisible(true);
}

void TForm::Hide() {
  if (HandleAllocated()) {
    // The state the user left it in is shown again next time.
    if (Visible()) window_state_ = WindowState();
    ShowWindow(Handle(), SW_HIDE);
  }
  TWinControl::SetVisible(false);
}

void TForm::SetVisible(bool visible) {
  if (visible) {
    Show();
  } else {
    Hide();
  }
}

void TForm::BringToFront() {
  // Above its peers, without taking the activation: a window raised again and again (the progress
  // window, once per block) must not pull the keyboard from wherever the user put it. Already
  // in front of every window, restacking it again would change nothing but cost.
  if (GetWindow(Handle(), GW_HWNDPREV) == nullptr) return;
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::Close() {
  if (Application().MainForm() == this) {
    Application().Terminate();
  } else {
    Hide();
  }
}

void TForm::WndProc(TMessage& message) {
  if (message.Msg == WM_CLOSE) {
    Close();
    message.Result = 0;
    return;
  }
  TWinControl::WndProc(message);
}

// ---- stored descriptions -------------------------------------------------------------------

std::string_view FormResource(const wchar_t* name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, name, RT_RCDATA);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) throw EResNotFound(u"Resource " + FromWide(name) + u" not found");
  return std::string_view(static_cast<const char*>(bytes), SizeofResource(module, found));
}

}  // namespace larkwell
