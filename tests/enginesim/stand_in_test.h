// Shared pieces of the stand-in's own tests: a fixture that ends every test with a clean ledger
// (StandInTest; the binding's tests have their own, EngineTest), and a program-side counted
// structure for the engine to hold.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "enginesim/control.h"
#include "enginesim/exports.h"

namespace larkwell::enginesim::test {

// Every test must leave nothing alive, held or allocated, and no error behind.
class StandInTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(sim_ledger_clean(), 1) << ledger_report();
    sim_ledger_reset();
  }
  // For tests that provoke errors on purpose: checks the count, then forgets them.
  static void expect_errors_then_forget(int expected) {
    EXPECT_EQ(sim_ledger_errors(), expected) << ledger_report();
    sim_ledger_reset();
  }
};

// A structure the program implements: a header over one atomic count, as the program's own
// objects have. It records the thread that destroyed it instead of freeing anything.
struct ProgramStructure {
  TCefBase base{sizeof(TCefBase), &add_ref, &release, &get_refct};
  std::atomic<int32_t> count{1};
  std::atomic<bool> destroyed{false};
  std::thread::id destroyed_on{};

  TCefBase* header() { return &base; }

 private:
  static ProgramStructure* self(TCefBase* base) {
    return reinterpret_cast<ProgramStructure*>(base);
  }
  static int32_t CEF_CALLBACK add_ref(TCefBase* base) { return ++self(base)->count; }
  static int32_t CEF_CALLBACK release(TCefBase* base) {
    ProgramStructure* object = self(base);
    const int32_t count = --object->count;
    if (count == 0) {
      object->destroyed_on = std::this_thread::get_id();
      object->destroyed = true;
    }
    return count;
  }
  static int32_t CEF_CALLBACK get_refct(TCefBase* base) { return self(base)->count; }
};

}  // namespace larkwell::enginesim::test
