// A progress bar with its percentage written on it.
//
// The bar is painted inside a one-pixel black frame on the background colour, as wide (or, as
// a vertical bar, as high) as the percentage done; the text "N%" is centred and combined with
// the picture by inverting the pixels under the letters, so it reads on the bar and beside it.
#pragma once

#include <cstdint>

#include "framework/ui/graphics.h"
#include "framework/ui/win_control.h"

namespace larkwell {

enum class TGaugeKind { gkHorizontalBar, gkVerticalBar };
enum class TBorderStyle { bsNone, bsSingle };

template <>
struct TEnumNames<TGaugeKind> {
  static constexpr std::u16string_view kNames[] = {u"gkHorizontalBar", u"gkVerticalBar"};
};
template <>
struct TEnumNames<TBorderStyle> {
  static constexpr std::u16string_view kNames[] = {u"bsNone", u"bsSingle"};
};

class TGauge : public TWinControl {
 public:
  TGauge();

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  int32_t MinValue() const noexcept { return min_; }
  void SetMinValue(int32_t value);
  int32_t MaxValue() const noexcept { return max_; }
  void SetMaxValue(int32_t value);
  int32_t Progress() const noexcept { return progress_; }
  // Stores `value` clamped to [MinValue, MaxValue]. Nothing happens when the stored value does
  // not change; otherwise the bar is repainted at once, but only if the percentage changed.
  void SetProgress(int32_t value);
  // 0 when MaxValue equals MinValue, else (Progress - MinValue) * 100 / (MaxValue - MinValue),
  // truncated toward zero.
  int32_t PercentDone() const noexcept;

  TGaugeKind Kind() const noexcept { return kind_; }
  void SetKind(TGaugeKind kind);
  TColor ForeColor() const noexcept { return fore_color_; }
  void SetForeColor(TColor color);
  TColor BackColor() const noexcept { return back_color_; }
  void SetBackColor(TColor color);
  bool ShowText() const noexcept { return show_text_; }
  void SetShowText(bool value);
  TBorderStyle BorderStyle() const noexcept { return border_style_; }
  void SetBorderStyle(TBorderStyle style);

  // Paints the gauge into `dc` over `client` (what WM_PAINT draws).
  void PaintTo(HDC dc, const RECT& client);

  // ---- for tests and diagnostics ----
  // How often the gauge has been painted (tests watch what a change repaints).
  int PaintCount() const noexcept { return paint_count_; }

 protected:
  bool PaintsItself() const override { return true; }
  void Paint(HDC dc, const RECT& client) override;
  void WndProc(TMessage& message) override;

 private:
  void Changed(int32_t percentBefore);
  // Sets a property of the picture and paints it anew.
  template <class T>
  void Restyle(T& field, T value) {
    field = value;
    Repaint();
  }

  int32_t min_ = 0;
  int32_t max_ = 100;
  int32_t progress_ = 0;
  TGaugeKind kind_ = TGaugeKind::gkHorizontalBar;
  TColor fore_color_ = clBlack;
  TColor back_color_ = clWhite;
  bool show_text_ = true;
  TBorderStyle border_style_ = TBorderStyle::bsSingle;
  int paint_count_ = 0;
  TOffscreen picture_{false};  // the whole gauge, copied to the window in one go
  TOffscreen letters_{true};   // the text as a mask
};

inline const TClassRegistration<TGauge> kRegisterTGauge;

}  // namespace larkwell
