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
#include "tests/support/engine_side.h"
#include "tests/support/engine_test.h"

namespace larkwell::handler_test {

using namespace enginesim::fire_args;
using enginesim::Fired;

using testing::EngineRef;
using testing::StructureOf;
using testing::WrapperOf;

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

inline const auto kWindow = testing::kEngineSideWindow;

// Everything a handler test works with, released before the fixture checks the ledger: the
// engine's side (objects and records, testing::EngineSide) and the program's recording handlers.
struct Objects : testing::EngineSide {
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

  TCefProxyInfo proxy_info{};
  void* resource_data = nullptr;
  size_t resource_size = 0;
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
