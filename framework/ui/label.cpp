#include "framework/ui/label.h"

#include "framework/forms/properties.h"

namespace larkwell {

const TClassInfo& TLabel::StaticClassInfo() {
  static const TClassInfo info = TClassInfoBuilder<TLabel>(u"TLabel", TWinControl::StaticClassInfo())
                                     .Value<&TLabel::AutoSize, &TLabel::SetAutoSize>(u"AutoSize", true)
                                     // Made showing its parent's colour (see the constructor).
                                     .Value<&TLabel::ParentColor, &TLabel::SetParentColor>(u"ParentColor", true)
                                     .Value<&TLabel::Caption, &TLabel::SetCaption>(u"Caption", u"")
                                     .Creatable()
                                     .Build();
  return info;
}

TLabel::TLabel() { SetParentColor(true); }

void TLabel::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Caption = caption_;
}

void TLabel::SetCaption(const ustring& caption) {
  if (caption == caption_) return;  // no new text, no new size, nothing to repaint
  caption_ = caption;
  if (HandleAllocated()) SetWindowTextW(Handle(), Wide(caption_));
  AdjustSize();
  Repaint();
}

void TLabel::SetAutoSize(bool value) {
  auto_size_ = value;
  AdjustSize();
}

void TLabel::AdjustSize() {
  // While a form is read, its font may still change (and be scaled): Loaded sizes it.
  if (!auto_size_ || ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  const SIZE size = MeasureText(caption_, FontHandle());
  if (size.cx != Width() || size.cy != Height()) SetBounds(Left(), Top(), size.cx, size.cy);
}

void TLabel::Loaded() {
  TWinControl::Loaded();
  AdjustSize();
}

void TLabel::Paint(HDC dc, const RECT& client) {
  TWinControl::Paint(dc, client);
  TSelectObject font(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(EffectiveFont().Color));
  RECT area = client;
  DrawTextW(dc, Wide(caption_), static_cast<int>(caption_.size()), &area, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
}

void TLabel::WndProc(TMessage& message) {
  // The label paints its whole area in WM_PAINT.
  if (message.Msg == WM_ERASEBKGND) {
    message.Result = 1;
    return;
  }
  TWinControl::WndProc(message);
}

}  // namespace larkwell
