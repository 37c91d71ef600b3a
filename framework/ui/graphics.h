// Colours and fonts of stored forms as the system's drawing objects.
#pragma once

#include "framework/forms/graphics_values.h"
#include "framework/ui/win32.h"

namespace larkwell {

// The RGB value of `color` now (a system colour is looked up; clNone and clDefault give white).
COLORREF ColorToRGB(TColor color) noexcept;

// The system font for a font description, made when first asked for and made again when the
// description changes. Owns the font it made.
class TFontHandle {
 public:
  TFontHandle() = default;
  ~TFontHandle();
  TFontHandle(const TFontHandle&) = delete;
  TFontHandle& operator=(const TFontHandle&) = delete;

  // The font for `font` (valid until the next call with another description, or destruction).
  HFONT For(const TFont& font);

 private:
  HFONT handle_ = nullptr;  // we own it
  ustring name_;
  int32_t height_ = 0;
  TFontCharset charset_{};
  TFontStyles style_;
};

// A solid brush that deletes itself.
class TSolidBrush {
 public:
  explicit TSolidBrush(COLORREF color) noexcept : brush_(CreateSolidBrush(color)) {}
  ~TSolidBrush() {
    if (brush_) DeleteObject(brush_);
  }
  TSolidBrush(const TSolidBrush&) = delete;
  TSolidBrush& operator=(const TSolidBrush&) = delete;
  HBRUSH get() const noexcept { return brush_; }

 private:
  HBRUSH brush_;
};

// Selects an object into a device context for one scope, and the old one back afterwards.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
  ~TSelectObject() { SelectObject(dc_, old_); }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A drawing surface in the program's memory, kept from one paint to the next: making one costs
// more than the painting a small control does on it. Colour surfaces are 32-bit; a one-bit one
// is a monochrome bitmap, which a copy onto colour turns into the target's text colour (0) and
// background colour (1).
class TOffscreen {
 public:
  explicit TOffscreen(bool monochrome) noexcept : monochrome_(monochrome) {}
  ~TOffscreen() { Release(); }
  TOffscreen(const TOffscreen&) = delete;
  TOffscreen& operator=(const TOffscreen&) = delete;

  // A device context drawing on a surface of `width` x `height` (made again when the size
  // changes), or null when the system cannot make one. Valid until the next call.
  HDC Get(int width, int height) noexcept;
  void Release() noexcept;

 private:
  bool monochrome_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  int width_ = 0, height_ = 0;
};

// The size of `text` drawn on one line in `font`.
SIZE MeasureText(const ustring& text, HFONT font);

}  // namespace larkwell
