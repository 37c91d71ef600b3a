#include "tests/support/engine_test.h"

#include <sstream>
#include <vector>

#include "enginesim/control.h"
#include "engine/cef_base.h"
#include "engine/entry_points.h"
#include "engine/loader_testing.h"
#include "enginesim/control_process.h"
#include "os/dynamic_library.h"

namespace larkwell::testing {
namespace {

// Binds the binding's entry points to the stand-in engine, which the test program links, so the
// module found by name is the one already loaded.
class StandInEngine : public ::testing::Environment {
 public:
  void SetUp() override {
    module_ = os::LoadModule(kCefDefaultLibraryName);
    ASSERT_NE(module_, nullptr) << "the stand-in engine could not be loaded";
    ASSERT_EQ(ResolveEntryPoints(module_), 0) << "the stand-in engine lacks exports";
  }
  void TearDown() override {
    ClearEntryPoints();
    if (module_) os::UnloadModule(module_);
  }

 private:
  os::ModuleHandle module_ = nullptr;
};

const bool kRegistered = [] {
  ::testing::AddGlobalTestEnvironment(new StandInEngine);
  return true;
}();

}  // namespace

std::string LedgerProblems() {
  std::ostringstream problems;
  if (int n = CefBridgeLiveObjects()) problems << n << " bridge object(s) of the program still alive\n";
  if (sim_ledger_live_objects() || sim_ledger_held_program_refs() || sim_ledger_errors() ||
      sim_string_live_allocations()) {
    std::vector<char> report(static_cast<size_t>(sim_ledger_report(nullptr, 0)) + 1);
    sim_ledger_report(report.data(), static_cast<int>(report.size()));
    problems << report.data();
  }
  return problems.str();
}

void ResetLedger() { sim_ledger_reset(); }

void LoadedEngineTest::TearDown() {
  CefResetLoaderForTesting();
  EngineTest::TearDown();
  Restart();
}

void LoadedEngineTest::Restart() {
  CefResetLoaderForTesting();
  // A rejected library leaves the entry points bound to itself.
  if (os::ModuleHandle standIn = os::LoadModule(kCefDefaultLibraryName)) {
    ResolveEntryPoints(standIn);
    os::UnloadModule(standIn);  // the test program links the stand-in: it stays loaded
  }
  sim_process_reset();
}

void EngineTest::TearDown() {
  const std::string problems = LedgerProblems();
  EXPECT_EQ(problems, "") << "the engine ledger is not clean after the test";
  ResetLedger();
}

}  // namespace larkwell::testing
