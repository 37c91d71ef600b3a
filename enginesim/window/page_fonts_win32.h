// The fonts a browser window draws its page with, and the measure that lays it out with them.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string_view>

#include "enginesim/window/page_layout.h"

namespace larkwell::enginesim::window {

// One font per text style, plain and underlined (links). The face is Microsoft YaHei with the
// Chinese character set, so Chinese text is drawn by a font that has it.
class PageFonts {
 public:
  PageFonts();
  ~PageFonts();
  PageFonts(const PageFonts&) = delete;
  PageFonts& operator=(const PageFonts&) = delete;

  HFONT font(TextStyle style, bool link) const;  // owned by this object

 private:
  static constexpr int kStyles = 5;
  std::array<HFONT, kStyles * 2> fonts_{};
};

// Measures in a memory device context of its own, so any thread may lay out.
class GdiMeasure final : public Measure {
 public:
  explicit GdiMeasure(std::shared_ptr<const PageFonts> fonts);
  ~GdiMeasure() override;
  GdiMeasure(const GdiMeasure&) = delete;
  GdiMeasure& operator=(const GdiMeasure&) = delete;

  int width(std::u16string_view text, TextStyle style) override;
  int line_height(TextStyle style) override;

 private:
  const std::shared_ptr<const PageFonts> fonts_;
  HDC dc_;
};

// Win32 text calls take UTF-16 as wchar_t, the same code units.
inline const wchar_t* wide(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

}  // namespace larkwell::enginesim::window
