#include "framework/ui/gauge.h"

#include <algorithm>
#include <string>

#include "framework/forms/properties.h"

namespace larkwell {

const TClassInfo& TGauge::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfoBuilder<TGauge>(u"TGauge", TWinControl::StaticClassInfo())
          .Value<&TGauge::BackColor, &TGauge::SetBackColor>(u"BackColor", clWhite)
          .Value<&TGauge::BorderStyle, &TGauge::SetBorderStyle>(u"BorderStyle", TBorderStyle::bsSingle)
          .Value<&TGauge::ForeColor, &TGauge::SetForeColor>(u"ForeColor", clBlack)
          .Value<&TGauge::Kind, &TGauge::SetKind>(u"Kind", TGaugeKind::gkHorizontalBar)
          .Value<&TGauge::MinValue, &TGauge::SetMinValue>(u"MinValue", 0)
          .Value<&TGauge::MaxValue, &TGauge::SetMaxValue>(u"MaxValue", 100)
          .Value<&TGauge::Progress, &TGauge::SetProgress>(u"Progress", 0)
          .Value<&TGauge::ShowText, &TGauge::SetShowText>(u"ShowText", true)
          .Creatable()
          .Build();
  return info;
}

TGauge::TGauge() { SetBounds(0, 0, 100, 100); }

int32_t TGauge::PercentDone() const noexcept {
  if (max_ == min_) return 0;
  const double done = (static_cast<double>(progress_) - min_) * 100.0 / (static_cast<double>(max_) - min_);
  return static_cast<int32_t>(done);  // toward zero
}

void TGauge::Changed(int32_t percentBefore) {
  if (PercentDone() == percentBefore || !HandleAllocated()) return;
  // Repainted at once, straight into the window: the window system's own cycle (invalidate, then
  // a WM_PAINT served at once) draws the same picture at several times the cost, paid up to a
  // hundred times a download.
  HWND window = Handle();
  RECT client;
  GetClientRect(window, &client);
  const TWindowDC dc(window);
  if (dc.get()) Paint(dc.get(), client);
}

void TGauge::SetProgress(int32_t value) {
  value = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
  if (value == progress_) return;
  const int32_t before = PercentDone();
  progress_ = value;
  Changed(before);
}

void TGauge::SetMinValue(int32_t value) {
  const int32_t before = PercentDone();
  min_ = value;
  progress_ = std::max(progress_, min_);
  Changed(before);
}

void TGauge::SetMaxValue(int32_t value) {
  const int32_t before = PercentDone();
  max_ = value;
  progress_ = std::min(progress_, max_);
  Changed(before);
}

void TGauge::SetKind(TGaugeKind kind) { Restyle(kind_, kind); }
void TGauge::SetForeColor(TColor color) { Restyle(fore_color_, color); }
void TGauge::SetBackColor(TColor color) { Restyle(back_color_, color); }
void TGauge::SetShowText(bool value) { Restyle(show_text_, value); }
void TGauge::SetBorderStyle(TBorderStyle style) { Restyle(border_style_, style); }

void TGauge::WndProc(TMessage& message) {
  // Painted whole in WM_PAINT, through a buffer: no erasing, no flicker.
  if (message.Msg == WM_ERASEBKGND) {
    message.Result = 1;
    return;
  }
  TWinControl::WndProc(message);
}

void TGauge::Paint(HDC dc, const RECT& client) {
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;
  HDC buffer = picture_.Get(width, height);
  if (!buffer) {
    PaintTo(dc, client);  // without a buffer it may flicker, but it shows
    return;
  }
  PaintTo(buffer, RECT{0, 0, width, height});
  BitBlt(dc, client.left, client.top, width, height, buffer, 0, 0, SRCCOPY);
}

void TGauge::PaintTo(HDC dc, const RECT& client) {
  ++paint_count_;
  RECT inner = client;
  if (border_style_ == TBorderStyle::bsSingle) {
    FrameSolid(dc, client, RGB(0, 0, 0));
    InflateRect(&inner, -1, -1);
  }
  const int innerWidth = std::max<int>(inner.right - inner.left, 0);
  const int innerHeight = std::max<int>(inner.bottom - inner.top, 0);
  FillSolid(dc, inner, ColorToRGB(back_color_));
  const int32_t percent = PercentDone();
  if (percent > 0) {
    RECT bar = inner;
    if (kind_ == TGaugeKind::gkHorizontalBar) {
      bar.right = inner.left + std::min(static_cast<int>(static_cast<int64_t>(innerWidth) * percent / 100), innerWidth);
    } else {
      bar.top = inner.bottom - std::min(static_cast<int>(static_cast<int64_t>(innerHeight) * percent / 100), innerHeight);
    }
    FillSolid(dc, bar, ColorToRGB(fore_color_));
  }
  if (!show_text_ || innerWidth == 0 || innerHeight == 0) return;

  // The letters as a one-bit mask (white on black), laid over the picture with XOR: where the
  // mask is white the picture's pixels are inverted, elsewhere they stay.
  const std::wstring text = std::to_wstring(percent) + L"%";
  HDC maskDc = letters_.Get(innerWidth, innerHeight);
  if (!maskDc) return;
  RECT area{0, 0, innerWidth, innerHeight};
  FillRect(maskDc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  {
    TSelectObject font(maskDc, FontHandle());
    SetBkMode(maskDc, TRANSPARENT);
    SetTextColor(maskDc, RGB(255, 255, 255));
    DrawTextW(maskDc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
  }
  // A one-bit source takes the target's text colour for 0 and its background colour for 1.
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  BitBlt(dc, inner.left, inner.top, innerWidth, innerHeight, maskDc, 0, 0, SRCINVERT);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

}  // namespace larkwell
