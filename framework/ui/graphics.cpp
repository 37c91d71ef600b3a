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

TFontHandle::~TFontHandle() {
  if (handle_) DeleteObject(handle_);
}

HFONT TFontHandle::For(const TFont& font) {
  if (handle_ && name_ == font.Name && height_ == font.Height && charset_ == font.Charset && style_ == font.Style) {
    return handle_;
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
  if (!made) return handle_ ? handle_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (handle_) DeleteObject(handle_);
  handle_ = made;
  name_ = font.Name;
  height_ = font.Height;
  charset_ = font.Charset;
  style_ = font.Style;
  return handle_;
}

SIZE MeasureText(const ustring& text, HFONT font) {
  HDC dc = GetDC(nullptr);
  RECT rect{0, 0, 0, 0};
  {
    TSelectObject selected(dc, font);
    // An empty text still has the height of one line.
    const ustring measured = text.empty() ? ustring(u" ") : text;
    DrawTextW(dc, Wide(measured), static_cast<int>(measured.size()), &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    if (text.empty()) rect.right = rect.left;
  }
  ReleaseDC(nullptr, dc);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

HDC TOffscreen::Get(int width, int height) noexcept {
  if (dc_ && width == width_ && height == height_) return dc_;
  Release();
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = nullptr;
  if (monochrome_) {
    bitmap = CreateBitmap(width, height, 1, 1, nullptr);
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
    bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &pixels, nullptr, 0);
  }
  if (!dc || !bitmap) {
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
    return nullptr;
  }
  dc_ = dc;
  bitmap_ = bitmap;
  old_bitmap_ = SelectObject(dc_, bitmap_);
  width_ = width;
  height_ = height;
  return dc_;
}

void TOffscreen::Release() noexcept {
  if (!dc_) return;
  SelectObject(dc_, old_bitmap_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  width_ = height_ = 0;
}

}  // namespace larkwell
