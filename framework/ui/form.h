// A top-level window built from its stored description.
//
// A form class keeps its description as text inside the program (a resource or a compiled-in
// string) and builds itself in its constructor:
//
//   TfrmProgress::TfrmProgress() { CreateFromDescription(FormResource(L"TFRMPROGRESS"), Methods()); }
//
// The description gives the form's properties and its child components (created by class name,
// owned by the form, freed with it); events bind by method name to what the form offers. Sizes
// are stored at the dpi the form was designed at (PixelsPerInch, 96) and scaled to the
// desktop's dpi once, when the form has been read.
#pragma once

#include <functional>
#include <string_view>

#include "framework/forms/persistent.h"
#include "framework/ui/win_control.h"

namespace larkwell {

using TNotifyEvent = std::function<void(TObject* Sender)>;

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TPosition { poDesigned, poScreenCenter, poDesktopCenter };
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TFormStyle { fsNormal, fsStayOnTop };

template <>
struct TEnumNames<TWindowState> {
  static constexpr std::u16string_view kNames[] = {u"wsNormal", u"wsMinimized", u"wsMaximized"};
};
template <>
struct TEnumNames<TPosition> {
  static constexpr std::u16string_view kNames[] = {u"poDesigned", u"poScreenCenter", u"poDesktopCenter"};
};
template <>
struct TEnumNames<TFormBorderStyle> {
  static constexpr std::u16string_view kNames[] = {u"bsNone",   u"bsSingle",     u"bsSizeable",
                                                   u"bsDialog", u"bsToolWindow", u"bsSizeToolWin"};
};
template <>
struct TEnumNames<TFormStyle> {
  static constexpr std::u16string_view kNames[] = {u"fsNormal", u"fsStayOnTop"};
};

class TForm : public TWinControl {
 public:
  TForm();
  // Destroys the components the form owns first, then its window.
  ~TForm() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  const ustring& Caption() const noexcept { return caption_; }
  void SetCaption(const ustring& caption);

  // The client size; before the window exists, the stored one.
  RECT ClientRect() const override;
  void SetClientWidth(int value);
  void SetClientHeight(int value);

  TWindowState WindowState() const noexcept;
  void SetWindowState(TWindowState state);
  TPosition Position() const noexcept { return position_; }
  void SetPosition(TPosition position) noexcept { position_ = position; }
  TFormBorderStyle BorderStyle() const noexcept { return border_style_; }
  void SetBorderStyle(TFormBorderStyle style);
  TFormStyle FormStyle() const noexcept { return form_style_; }
  void SetFormStyle(TFormStyle style);
  int PixelsPerInch() const noexcept { return pixels_per_inch_; }
  void SetPixelsPerInch(int value) noexcept { pixels_per_inch_ = value; }

  // Shows the form (maximised when its window state says so); the first showing places it as
  // Position says. Later showings leave it where it was.
  void Show();
  void Hide();
  void SetVisible(bool visible) override;
  void BringToFront();
  // The system's close button does this: the main form ends the application's message loop
  // (the window stays); any other form is hidden.
  void Close();

  void ScaleBy(int multiplier, int divisor) override;
  void Loaded() override;

  TNotifyEvent OnCreate;

  // The desktop's dpi, as the form scales to it.
  static int ScreenPixelsPerInch() noexcept;

 protected:
  // Reads the stored description `text` (UTF-8) into this form, binding events to `methods`,
  // then runs the creation handler. An error inside the handler goes to the application's
  // default error report and construction goes on; an error in the description is raised.
  void CreateFromDescription(std::string_view text, const TMethodTable& methods = {});

  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  ustring caption_;
  int client_width_ = 0;   // the stored client size, used until the window exists
  int client_height_ = 0;
  TWindowState window_state_ = TWindowState::wsNormal;
  TPosition position_ = TPosition::poDesigned;
  TFormBorderStyle border_style_ = TFormBorderStyle::bsSizeable;
  TFormStyle form_style_ = TFormStyle::fsNormal;
  int pixels_per_inch_ = 96;
  bool shown_once_ = false;
};

// The text of the RCDATA resource `name` of the program; raises EResNotFound when it has none.
std::string_view FormResource(const wchar_t* name);

class EResNotFound : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace larkwell
