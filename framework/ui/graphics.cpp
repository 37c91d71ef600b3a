#include "framework/ui/graphics.h"

#include <algorithm>
#include <cwchar>

namespace larkwell {

COLORREF ColorToRGB(TColor color) noexcept {
  const auto value = static_cast<uint32_t>(color);
  if (color == clNone || color == clDefault) return RGB(0xFF, 0xFF, 0xFF);
  if ((value & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(value & 0xFFu));
  return value & 0x00FFFFFFu;
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) noexcept {
  const COLORREF before = SetDCBrushColor(dc, color);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  SetDCBrushColor(dc, before);
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF color) noexcept {
  const COLORREF before = SetDCBrushColor(dc, color);
  FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  SetDCBrushColor(dc, before);
}

HFONT TFontHandle::For(const TFont& font) {
  if (handle_ && name_ == font.Name && height_ == font.Height && charset_ == font.Charset && style_ == font.Style) {
    return handle_.get();
  }
  LOGFONTW description{};
  description.lfHeight = font.Height;
  description.lfWeight = font.Style.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
  description.lfItalic = font.Style.Contains(TFontStyle::fsItalic);
  description.lfUnderline = font.Style.Contains(TFontStyle::fsUnderline);
  description.lfStrikeOut = font.Style.Contains(TFontStyle::fsStrikeOut);
  description.lfCharSet = static_cast<BYTE>(font.Charset);
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = DEFAULT_PITCH;
  const size_t length = std::min(font.Name.size(), size_t{LF_FACESIZE - 1});
  std::wmemcpy(description.lfFaceName, reinterpret_cast<const wchar_t*>(font.Name.data()), length);
  HFONT made = CreateFontIndirectW(&description);
  if (!made) return handle_ ? handle_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  handle_.reset(made);
  name_ = font.Name;
  height_ = font.Height;
  charset_ = font.Charset;
  style_ = font.Style;
  return handle_.get();
}

SIZE MeasureText(const ustring& text, HFONT font) {
  const TWindowDC screen(nullptr);
  RECT rect{0, 0, 0, 0};
  TSelectObject selected(screen.get(), font);
  // An empty text still has the height of one line.
  const ustring measured = text.empty() ? ustring(u" ") : text;
  DrawTextW(screen.get(), Wide(measured), static_cast<int>(measured.size()), &rect,
            DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  if (text.empty()) rect.right = rect.left;
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

HDC TOffscreen::Get(int width, int height) noexcept {
  if (dc_ && width == width_ && height == height_) return dc_.get();
  Release();
  TUniqueMemoryDC dc(CreateCompatibleDC(nullptr));
  TUniqueBitmap bitmap;
  if (monochrome_) {
    bitmap.reset(CreateBitmap(width, height, 1, 1, nullptr));
  } else {
    // Not a bitmap compatible with the screen: that one can live in the window system (an X
    // server pixmap under Wine), a round trip to make and to draw on.
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    bitmap.reset(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &pixels, nullptr, 0));
  }
  if (!dc || !bitmap) return nullptr;
  dc_ = std::move(dc);
  bitmap_ = std::move(bitmap);
  old_bitmap_ = SelectObject(dc_.get(), bitmap_.get());
  width_ = width;
  height_ = height;
  return dc_.get();
}

void TOffscreen::Release() noexcept {
  if (!dc_) return;
  // The bitmap is deselected before either goes: a selected bitmap cannot be deleted.
  SelectObject(dc_.get(), old_bitmap_);
  bitmap_.reset();
  dc_.reset();
  width_ = height_ = 0;
}

}  // namespace larkwell
