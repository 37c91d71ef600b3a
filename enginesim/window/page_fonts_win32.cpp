#include "enginesim/window/page_fonts_win32.h"

namespace larkwell::enginesim::window {
namespace {

struct FontSpec {
  int pixels;
  int weight;
};

FontSpec spec_of(TextStyle style) {
  switch (style) {
    case TextStyle::title:
      return {20, FW_BOLD};
    case TextStyle::heading1:
      return {28, FW_BOLD};
    case TextStyle::heading2:
      return {22, FW_BOLD};
    case TextStyle::heading3:
      return {18, FW_BOLD};
    case TextStyle::body:
      break;
  }
  return {16, FW_NORMAL};
}

}  // namespace

PageFonts::PageFonts() {
  for (int style = 0; style < kStyles; ++style) {
    const FontSpec spec = spec_of(static_cast<TextStyle>(style));
    for (int link = 0; link < 2; ++link) {
      fonts_[static_cast<std::size_t>(style * 2 + link)] =
          CreateFontW(-spec.pixels, 0, 0, 0, spec.weight, FALSE, link != 0, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Microsoft YaHei");
    }
  }
}

PageFonts::~PageFonts() {
  for (HFONT font : fonts_) {
    if (font != nullptr) DeleteObject(font);
  }
}

HFONT PageFonts::font(TextStyle style, bool link) const {
  HFONT font = fonts_[static_cast<std::size_t>(static_cast<int>(style) * 2 + (link ? 1 : 0))];
  return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

GdiMeasure::GdiMeasure(std::shared_ptr<const PageFonts> fonts)
    : fonts_(std::move(fonts)), dc_(CreateCompatibleDC(nullptr)) {}

GdiMeasure::~GdiMeasure() {
  if (dc_ != nullptr) DeleteDC(dc_);
}

int GdiMeasure::width(std::u16string_view text, TextStyle style) {
  if (text.empty() || dc_ == nullptr) return 0;
  SelectObject(dc_, fonts_->font(style, false));
  SIZE size{};
  GetTextExtentPoint32W(dc_, wide(text), static_cast<int>(text.size()), &size);
  return size.cx;
}

int GdiMeasure::line_height(TextStyle style) {
  if (dc_ == nullptr) return 0;
  SelectObject(dc_, fonts_->font(style, false));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc_, &metrics);
  return metrics.tmHeight + metrics.tmExternalLeading + 2;
}

}  // namespace larkwell::enginesim::window
