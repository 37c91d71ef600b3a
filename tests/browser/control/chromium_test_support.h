// The browser control's tests: a form to hold controls, the engine loader back at process start
// before and after every test, and what the stand-in engine recorded of the objects it made.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string_view>

#include "browser/chromium.h"
#include "browser/engine_pump.h"
#include "browser/vcl_client_handler.h"
#include "engine/cef_base.h"
#include "engine/entry_points.h"
#include "engine/loader.h"
#include "engine/loader_testing.h"
#include "enginesim/control.h"
#include "enginesim/control_process.h"
#include "enginesim/control_web.h"
#include "framework/ui/application.h"
#include "framework/ui/form.h"
#include "os/dynamic_library.h"
#include "tests/framework/ui/ui_test_support.h"
#include "tests/support/engine_test.h"

namespace larkwell::testing {

// A form read from the text it is given.
class THostForm : public TForm {
 public:
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassInfoBuilder<THostForm>(u"THostForm", TForm::StaticClassInfo()).Build();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  explicit THostForm(std::string_view description, const TMethodTable& methods = {}) {
    CreateFromDescription(description, methods);
  }
};

inline constexpr char kEmptyHost[] = R"(object Host: THostForm
  ClientHeight = 300
  ClientWidth = 400
end
)";

// A control that lets the test reach the client it made.
class TTestChromium : public TChromium {
 public:
  using TChromium::TChromium;
  // The client's engine structure, borrowed.
  TCefClient* Client() const {
    TCefClient* client = CefWrap<TCefClient>(FHandler);
    client->base.release(&client->base);
    return client;
  }
};

class ChromiumTest : public LoadedEngineTest {
 protected:
  static TSimProcessCounts Counts() { return enginesim::process_counts(); }
};

// What a control's WM_ERASEBKGND does to a black bitmap: its answer, and the colour it left.
struct TErased {
  LRESULT Answer = 0;
  COLORREF Colour = 0;
};
inline TErased EraseOnBlack(TWinControl& control) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 16, 16};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  TErased erased;
  erased.Answer = control.Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
  erased.Colour = GetPixel(dc, 1, 1);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return erased;
}

// What the stand-in recorded under `key` for the engine object behind `object`.
template <class I>
int64_t Recorded(const IPtr<I>& object, const char* key) {
  TCefBase* structure = CefWrap(object);
  const int64_t value = sim_recorded_number(structure, key);
  structure->release(structure);
  return value;
}

}  // namespace larkwell::testing
