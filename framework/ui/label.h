// A line of text in its own font, sized to its text.
#pragma once

#include "framework/ui/win_control.h"

namespace larkwell {

class TLabel : public TWinControl {
 public:
  TLabel();

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  const ustring& Caption() const noexcept { return caption_; }
  void SetCaption(const ustring& caption);
  // With AutoSize (the default) the label takes the size of its text whenever text or font
  // change; the top-left corner stays.
  bool AutoSize() const noexcept { return auto_size_; }
  void SetAutoSize(bool value);
  // Sizes the label to its text now (after its font was changed in code).
  void AdjustSize();

  void Loaded() override;

 protected:
  bool PaintsItself() const override { return true; }
  // The window's text is the caption too, so that tools reading windows (screen readers) see it.
  void CreateParams(TCreateParams& params) override;
  void Paint(HDC dc, const RECT& client) override;
  void WndProc(TMessage& message) override;

 private:
  ustring caption_;
  bool auto_size_ = true;
};

// Forms that name TLabel find it once this header is part of the program.
inline const TClassRegistration<TLabel> kRegisterTLabel;

}  // namespace larkwell
