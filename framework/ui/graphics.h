// Colours and fonts of stored forms as the system's drawing objects.
#pragma once

#include <utility>

#include "framework/forms/graphics_values.h"
#include "framework/ui/win32.h"

namespace larkwell {

// The RGB value of `color` now (a system colour is looked up; clNone and clDefault give white).
COLORREF ColorToRGB(TColor color) noexcept;

// An owned handle of the window system, closed by `Close` when it goes: the one owner of every
// kind of drawing object the layer makes. Moves, never copies.
template <class Handle, auto Close>
class TUniqueHandle {
 public:
  TUniqueHandle() noexcept = default;
  explicit TUniqueHandle(Handle handle) noexcept : handle_(handle) {}
  ~TUniqueHandle() { reset(); }
  TUniqueHandle(TUniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, nullptr));
    return *this;
  }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }
  // Closes the handle held, if any, and holds `handle`.
  void reset(Handle handle = nullptr) noexcept {
    if (handle_) Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

// The close functions, as functions of this program (the system's own are imported, and an
// imported function's address is no constant a template can take).
inline void DeleteGdiObject(HGDIOBJ object) noexcept { DeleteObject(object); }
inline void DeleteMemoryDC(HDC dc) noexcept { DeleteDC(dc); }

using TUniqueFont = TUniqueHandle<HFONT, &DeleteGdiObject>;
using TUniqueBitmap = TUniqueHandle<HBITMAP, &DeleteGdiObject>;
using TUniqueMemoryDC = TUniqueHandle<HDC, &DeleteMemoryDC>;

// The system font for a font description, made when first asked for and made again when the
// description changes. Owns the font it made.
class TFontHandle {
 public:
  // The font for `font` (valid until the next call with another description, or destruction).
  HFONT For(const TFont& font);

 private:
  TUniqueFont handle_;
  ustring name_;
  int32_t height_ = 0;
  TFontCharset charset_{};
  TFontStyles style_;
};

// Fills `rect` with `color` through the device context's own brush (no brush made per fill).
void FillSolid(HDC dc, const RECT& rect, COLORREF color) noexcept;
// Draws a one-pixel frame of `color` just inside `rect`, the same way.
void FrameSolid(HDC dc, const RECT& rect, COLORREF color) noexcept;

// A window's device context for one scope (GetDC), released when it goes.
class TWindowDC {
 public:
  explicit TWindowDC(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  ~TWindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The painting of one WM_PAINT (BeginPaint), ended when it goes, also when the painting throws.
class TPaintDC {
 public:
  explicit TPaintDC(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~TPaintDC() { EndPaint(window_, &paint_); }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
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
  TUniqueMemoryDC dc_;
  TUniqueBitmap bitmap_;  // selected into dc_ in place of old_bitmap_
  HGDIOBJ old_bitmap_ = nullptr;
  int width_ = 0, height_ = 0;
};

// The size of `text` drawn on one line in `font`.
SIZE MeasureText(const ustring& text, HFONT font);

}  // namespace larkwell
