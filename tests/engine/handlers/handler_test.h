// Shared by the handler tests: one recording handler of every family, the engine objects the
// engine passes them, and the standard arguments of every member of the families.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/cef_error_report.h"
#include "enginesim/control_firing.h"
#include "enginesim/control_script.h"
#include "enginesim/control_web.h"
#include "enginesim/exports.h"
#include "tests/engine/handlers/recorders.h"
#include "tests/support/engine_test.h"

namespace larkwell::handler_test {

using namespace enginesim::fire_args;
using enginesim::Fired;

// One engine reference the test holds, released at the end of its scope.
class EngineRef {
 public:
  explicit EngineRef(void* structure = nullptr) : structure_(static_cast<TCefBase*>(structure)) {}
  ~EngineRef() {
    if (structure_ != nullptr) structure_->release(structure_);
  }
  EngineRef(const EngineRef&) = delete;
  EngineRef& operator=(const EngineRef&) = delete;
  TCefBase* get() const { return structure_; }
  operator TCefBase*() const { return structure_; }
  int32_t refct() const { return sim_get_refct(structure_); }

 private:
  TCefBase* structure_;
};

// The structure of a program object, borrowed.
inline TCefBase* StructureOf(const IPtr<ICefBase>& object) {
  TCefBase* structure = CefWrap(object);
  structure->release(structure);
  return structure;
}

// A new wrapper of engine object `structure`, typed I, with a reference of its own.
template <class I = ICefBase>
IPtr<I> WrapperOf(TCefBase* structure) {
  structure->add_ref(structure);
  return CefUnWrapAs<I>(structure);
}

// A member of a family, called with its standard arguments: what the method must see (in the
// method's parameter order) and what kind of answer goes back.
enum class Answers { kNothing, kBoolean, kCount, kObject };
struct MemberCase {
  const char* slot;
  std::vector<TSimArg> args;
  const char* method;
  std::vector<Seen> seen;
  Answers answers;
};

inline const auto kWindow = reinterpret_cast<TCefWindowHandle>(0x5150);

// Everything a handler test works with, released before the fixture checks the ledger.
struct Objects {
  // --- program objects
  IPtr<TRecClient> client = New<TRecClient>();
  IPtr<TRecLifeSpan> life_span = New<TRecLifeSpan>();
  IPtr<TRecLoad> load = New<TRecLoad>();
  IPtr<TRecRequest> request_handler = New<TRecRequest>();
  IPtr<TRecDisplay> display = New<TRecDisplay>();
  IPtr<TRecFocus> focus = New<TRecFocus>();
  IPtr<TRecKeyboard> keyboard = New<TRecKeyboard>();
  IPtr<TRecMenu> menu = New<TRecMenu>();
  IPtr<TRecPermission> permission = New<TRecPermission>();
  IPtr<TRecPrint> print = New<TRecPrint>();
  IPtr<TRecFind> find = New<TRecFind>();
  IPtr<TRecJsDialog> jsdialog = New<TRecJsDialog>();
  IPtr<TRecV8Context> v8context = New<TRecV8Context>();
  IPtr<TRecRender> render = New<TRecRender>();
  IPtr<TRecDrag> drag = New<TRecDrag>();
  IPtr<TRecDownload> download = New<TRecDownload>();
  IPtr<TRecApp> app = New<TRecApp>();
  IPtr<TRecProxy> proxy = New<TRecProxy>();
  IPtr<TRecResourceBundle> bundle = New<TRecResourceBundle>();
  IPtr<TRecClient> popup_client = New<TRecClient>();  // the client a pop-up starts with

  // --- engine objects, one reference each held by the test
  EngineRef browser{MakeBrowser()};
  EngineRef frame{As<TCefBrowser>(browser)->get_main_frame(As<TCefBrowser>(browser))};
  EngineRef request{::cef_request_create()};
  EngineRef response{sim_create_response(200, "OK", "text/html", nullptr)};
  EngineRef stream{::cef_stream_reader_create_for_data(const_cast<char*>("data"), 4)};
  EngineRef drag_data{MakeDragData()};
  EngineRef document{sim_create_document("<html><body><p>x</p></body></html>", "http://page/")};
  EngineRef node{As<TCefDomDocument>(document)->get_body(As<TCefDomDocument>(document))};
  EngineRef context{sim_create_v8context(As<TCefBrowser>(browser), As<TCefFrame>(frame))};
  EngineRef filter{sim_create_object(1)};

  // --- engine records
  TCefPopupFeatures popup_features{};
  TCefWindowInfo window_info{};
  TCefBrowserSettings browser_settings{};
  TCefMenuInfo menu_info{};
  TCefPrintOptions print_options{};
  TCefPrintInfo print_info{};
  TCefRect rect{1, 2, 3, 4};
  TCefProxyInfo proxy_info{};
  unsigned char buffer[4096] = {};
  void* resource_data = nullptr;
  size_t resource_size = 0;

  template <class Struct>
  static Struct* As(const EngineRef& object) {
    return reinterpret_cast<Struct*>(object.get());
  }
  static TCefBrowser* MakeBrowser() {
    TSimBrowserSetup setup{};
    setup.window = kWindow;
    return sim_create_browser(&setup);
  }
  static TCefDragData* MakeDragData() {
    TSimDragDataSetup setup{};
    setup.is_link = 1;
    setup.link_url = "http://dragged/";
    return sim_create_drag_data(&setup);
  }
};

class HandlerTest : public testing::EngineTest {
 protected:
  void SetUp() override { ResetCefReportedErrors(); }
  void TearDown() override {
    objects_.reset();
    testing::EngineTest::TearDown();
  }

  // The recording handler of the family `slot` belongs to, and its structure.
  std::pair<Recorder*, TCefBase*> Family(const std::string& slot);

  // Every member of every handler family, with standard arguments.
  std::vector<MemberCase> MemberCases();

  std::optional<Objects> objects_{std::in_place};
  Objects& o = *objects_;
};

}  // namespace larkwell::handler_test
