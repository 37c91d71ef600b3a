// Colours and font descriptions as forms store them.
//
// TColor is the framework's colour: a Windows RGB value (0x00BBGGRR), or a system colour
// (0xFF000000 | the system colour index), or one of the two special values clNone and
// clDefault. Named colours are stored by name, others as $XXXXXXXX. A font description is a
// sub-object, stored as Font.Name = 'Tahoma', Font.Height = -11 and so on; the window layer
// makes the system's font from it.
#pragma once

#include <cstdint>

#include "core/ustring.h"
#include "framework/forms/form_values.h"
#include "framework/forms/persistent.h"

namespace larkwell {

enum class TColor : int32_t {};

constexpr TColor RgbColor(uint8_t red, uint8_t green, uint8_t blue) {
  return TColor{static_cast<int32_t>(red | (green << 8) | (blue << 16))};
}
constexpr TColor SystemColor(int32_t index) {
  return TColor{static_cast<int32_t>(0xFF000000u | static_cast<uint32_t>(index))};
}

inline constexpr TColor clBlack = RgbColor(0x00, 0x00, 0x00);
inline constexpr TColor clMaroon = RgbColor(0x80, 0x00, 0x00);
inline constexpr TColor clGreen = RgbColor(0x00, 0x80, 0x00);
inline constexpr TColor clOlive = RgbColor(0x80, 0x80, 0x00);
inline constexpr TColor clNavy = RgbColor(0x00, 0x00, 0x80);
inline constexpr TColor clPurple = RgbColor(0x80, 0x00, 0x80);
inline constexpr TColor clTeal = RgbColor(0x00, 0x80, 0x80);
inline constexpr TColor clGray = RgbColor(0x80, 0x80, 0x80);
inline constexpr TColor clSilver = RgbColor(0xC0, 0xC0, 0xC0);
inline constexpr TColor clRed = RgbColor(0xFF, 0x00, 0x00);
inline constexpr TColor clLime = RgbColor(0x00, 0xFF, 0x00);
inline constexpr TColor clYellow = RgbColor(0xFF, 0xFF, 0x00);
inline constexpr TColor clBlue = RgbColor(0x00, 0x00, 0xFF);
inline constexpr TColor clFuchsia = RgbColor(0xFF, 0x00, 0xFF);
inline constexpr TColor clAqua = RgbColor(0x00, 0xFF, 0xFF);
inline constexpr TColor clWhite = RgbColor(0xFF, 0xFF, 0xFF);

// System colours, by the system's colour index.
inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);

inline constexpr TColor clNone = TColor{0x1FFFFFFF};     // no colour at all
inline constexpr TColor clDefault = TColor{0x20000000};  // whatever the control uses by default

template <>
struct TNamedValues<TColor> {
  static constexpr bool kHex = true;
  static constexpr TNamedValue<TColor> kValues[] = {
      {clBlack, u"clBlack"},
      {clMaroon, u"clMaroon"},
      {clGreen, u"clGreen"},
      {clOlive, u"clOlive"},
      {clNavy, u"clNavy"},
      {clPurple, u"clPurple"},
      {clTeal, u"clTeal"},
      {clGray, u"clGray"},
      {clSilver, u"clSilver"},
      {clRed, u"clRed"},
      {clLime, u"clLime"},
      {clYellow, u"clYellow"},
      {clBlue, u"clBlue"},
      {clFuchsia, u"clFuchsia"},
      {clAqua, u"clAqua"},
      {clWhite, u"clWhite"},
      {clScrollBar, u"clScrollBar"},
      {clBackground, u"clBackground"},
      {clActiveCaption, u"clActiveCaption"},
      {clInactiveCaption, u"clInactiveCaption"},
      {clMenu, u"clMenu"},
      {clWindow, u"clWindow"},
      {clWindowFrame, u"clWindowFrame"},
      {clMenuText, u"clMenuText"},
      {clWindowText, u"clWindowText"},
      {clCaptionText, u"clCaptionText"},
      {clActiveBorder, u"clActiveBorder"},
      {clInactiveBorder, u"clInactiveBorder"},
      {clAppWorkSpace, u"clAppWorkSpace"},
      {clHighlight, u"clHighlight"},
      {clHighlightText, u"clHighlightText"},
      {clBtnFace, u"clBtnFace"},
      {clBtnShadow, u"clBtnShadow"},
      {clGrayText, u"clGrayText"},
      {clBtnText, u"clBtnText"},
      {clInactiveCaptionText, u"clInactiveCaptionText"},
      {clBtnHighlight, u"clBtnHighlight"},
      {cl3DDkShadow, u"cl3DDkShadow"},
      {cl3DLight, u"cl3DLight"},
      {clInfoText, u"clInfoText"},
      {clInfoBk, u"clInfoBk"},
      {clNone, u"clNone"},
      {clDefault, u"clDefault"},
  };
};

// The character set a font asks for, as the system numbers it. Stored by its system name.
enum class TFontCharset : uint8_t {};
inline constexpr TFontCharset fcAnsi{0};
inline constexpr TFontCharset fcDefault{1};
inline constexpr TFontCharset fcSymbol{2};
inline constexpr TFontCharset fcShiftJis{128};
inline constexpr TFontCharset fcHangeul{129};
inline constexpr TFontCharset fcGb2312{134};
inline constexpr TFontCharset fcChineseBig5{136};
inline constexpr TFontCharset fcOem{255};

template <>
struct TNamedValues<TFontCharset> {
  static constexpr bool kHex = false;
  static constexpr TNamedValue<TFontCharset> kValues[] = {
      {fcAnsi, u"ANSI_CHARSET"},
      {fcDefault, u"DEFAULT_CHARSET"},
      {fcSymbol, u"SYMBOL_CHARSET"},
      {fcShiftJis, u"SHIFTJIS_CHARSET"},
      {fcHangeul, u"HANGEUL_CHARSET"},
      {fcGb2312, u"GB2312_CHARSET"},
      {fcChineseBig5, u"CHINESEBIG5_CHARSET"},
      {fcOem, u"OEM_CHARSET"},
  };
};

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

template <>
struct TEnumNames<TFontStyle> {
  static constexpr std::u16string_view kNames[] = {u"fsBold", u"fsItalic", u"fsUnderline", u"fsStrikeOut"};
};

// A font description. Forms write all of it (a form's font is always stored in full).
class TFont : public TPersistent {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  ustring Name = u"Tahoma";
  int32_t Height = -11;  // negative: character height in pixels; positive: cell height
  TFontCharset Charset = fcDefault;
  TColor Color = clWindowText;
  TFontStyles Style;
};

}  // namespace larkwell
