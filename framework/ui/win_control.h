// The windowed control: the base of every window of the framework (forms, labels, gauges and
// the browser control).
//
// A control keeps its properties (bounds, alignment, colour, font, visibility, tab order)
// whether or not its window exists; the window is made on demand (HandleNeeded) with its parent's
// window first, and made again by RecreateWnd. Every window of every class runs through one
// shared window procedure, which finds the control from the pointer stored when the window was
// created, hands the message to the virtual WndProc, and stops every exception there (it is shown
// by the application's default error report and the program goes on).
#pragma once

#include <cstdint>
#include <vector>

#include "framework/forms/component.h"
#include "framework/forms/graphics_values.h"
#include "framework/ui/graphics.h"
#include "framework/ui/win32.h"

namespace larkwell {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

template <>
struct TEnumNames<TAlign> {
  static constexpr std::u16string_view kNames[] = {u"alNone", u"alTop",   u"alBottom",
                                                   u"alLeft", u"alRight", u"alClient"};
};
template <>
struct TEnumNames<TAnchorKind> {
  static constexpr std::u16string_view kNames[] = {u"akLeft", u"akTop", u"akRight", u"akBottom"};
};

// The framework's own messages, in the range the system leaves to applications above WM_APP
// (0x8000 to 0xBFFF), clear of the few that WM_APP + n gives by hand.
inline constexpr UINT CM_BASE = 0xB000;
// Asked before a key is used for dialog navigation (Tab, the arrows, Enter, Escape): wParam is
// the virtual-key code; a non-zero answer keeps the key for the control.
inline constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 16;

// One window message as the control's WndProc sees it; Result is what the sender gets.
struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

// What the window of a control is made with; CreateParams fills it, a subclass may change it.
struct TCreateParams {
  ustring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  UINT ClassStyle = CS_DBLCLKS;
  ustring WinClassName;  // registered once per name, always with the shared window procedure
};

class TWinControl : public TComponent {
 public:
  TWinControl();
  // Destroys the window (and with it the windows of its children) and leaves the parent.
  ~TWinControl() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // ---- parent and children ----
  TWinControl* Parent() const noexcept { return parent_; }
  // Moves the control into `parent` (null: no parent). A window that exists is re-parented.
  void SetParent(TWinControl* parent);
  // A stored form's enclosing control becomes the parent window.
  void SetParentComponent(TComponent* parent) override;
  int ControlCount() const noexcept { return static_cast<int>(controls_.size()); }
  TWinControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }

  // ---- bounds: relative to the parent's client area (top-level windows: to the desktop) ----
  int Left() const noexcept { return left_; }
  int Top() const noexcept { return top_; }
  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
  void SetTop(int value) { SetBounds(left_, value, width_, height_); }
  void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
  void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
  virtual void SetBounds(int left, int top, int width, int height);
  // The client rectangle, from the window when it exists.
  virtual RECT ClientRect() const;
  int ClientWidth() const { return ClientRect().right; }
  int ClientHeight() const { return ClientRect().bottom; }

  TAlign Align() const noexcept { return align_; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const noexcept { return anchors_; }
  void SetAnchors(TAnchors anchors) noexcept { anchors_ = anchors; }

  // ---- look ----
  TColor Color() const noexcept { return color_; }
  void SetColor(TColor color);
  // With ParentColor the control shows its parent's colour.
  bool ParentColor() const noexcept { return parent_color_; }
  void SetParentColor(bool value);
  TColor EffectiveColor() const noexcept;
  TFont& Font() noexcept { return font_; }
  const TFont& Font() const noexcept { return font_; }
  // With ParentFont (the default) the control writes in its parent's font.
  bool ParentFont() const noexcept { return parent_font_; }
  void SetParentFont(bool value);
  const TFont& EffectiveFont() const noexcept;
  // The system font for EffectiveFont().
  HFONT FontHandle();

  bool Visible() const noexcept { return visible_; }
  virtual void SetVisible(bool visible);
  bool TabStop() const noexcept { return tab_stop_; }
  void SetTabStop(bool value) noexcept { tab_stop_ = value; }
  int TabOrder() const noexcept { return tab_order_; }
  void SetTabOrder(int value) noexcept { tab_order_ = value; }
  // The tab-stop controls under this one that can take the focus, in tab order, depth first.
  std::vector<TWinControl*> TabList();

  // A control in a designer keeps its properties but has no live behaviour.
  bool Designing() const noexcept { return ComponentState().Contains(TComponentStateFlag::csDesigning); }

  // ---- the window ----
  // The window, made now if it does not exist yet.
  HWND Handle();
  bool HandleAllocated() const noexcept { return handle_ != nullptr; }
  // Makes the window (its parent's first) if it does not exist.
  void HandleNeeded();
  // Destroys the window and makes it again with the current properties.
  void RecreateWnd();
  // Sends `msg` to the control's WndProc directly (no window needed for the answer).
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  void SetFocus();
  bool Focused() const noexcept;
  // Repaints now when the window exists.
  void Repaint();
  void Invalidate();

  // The framework control that owns `window` or its nearest ancestor window; null when none.
  static TWinControl* FindControl(HWND window) noexcept;

  void Loaded() override;

  // Scales bounds and own font by multiplier / divisor (a form read at one dpi, shown at another).
  virtual void ScaleBy(int multiplier, int divisor);

 protected:
  // ---- what a subclass overrides ----
  virtual void CreateParams(TCreateParams& params);
  // Makes the window from `params`; runs every time the window is made. A subclass that needs
  // more than a window (the browser control) calls this base first, then does its part.
  virtual void CreateWindowHandle(const TCreateParams& params);
  // Handles one message; what it does not handle goes to DefaultHandler.
  virtual void WndProc(TMessage& message);
  // The system's default handling of a message.
  void DefaultHandler(TMessage& message);
  // After every change of size (the window's, or of the stored bounds without a window).
  virtual void Resize() {}
  // Paints the client area. Controls that draw themselves override it; the base fills the
  // control's colour.
  virtual void Paint(HDC dc, const RECT& client);
  // Answers whether the control paints itself in WM_PAINT (the base only erases).
  virtual bool PaintsItself() const { return false; }

  // Positions the children by their alignment and anchors inside the client area.
  void Realign();

 private:
  friend LRESULT CALLBACK SharedWindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;

  void CreateHandle();
  void DestroyHandle();
  void UpdateBoundsFromWindow();
  void InsertControl(TWinControl& child);
  void RemoveControl(TWinControl& child);

  HWND handle_ = nullptr;  // we own it (destroyed with the control)
  TWinControl* parent_ = nullptr;
  std::vector<TWinControl*> controls_;  // children, in insertion order; the owner owns them
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  int aligned_client_width_ = -1;   // the client size the children were last positioned in
  int aligned_client_height_ = -1;
  TAlign align_ = TAlign::alNone;
  TAnchors anchors_{TAnchorKind::akLeft, TAnchorKind::akTop};
  TColor color_ = clBtnFace;
  bool parent_color_ = false;
  TFont font_;
  bool parent_font_ = true;
  TFontHandle font_handle_;
  bool visible_ = true;
  bool tab_stop_ = false;
  int tab_order_ = -1;
  bool realigning_ = false;
};

}  // namespace larkwell
