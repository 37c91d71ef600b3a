// Test support for everything that talks to the engine: the stand-in engine is loaded and the
// binding's entry points resolved once per test program; every EngineTest ends by checking that
// nothing leaked on either side of the boundary.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace larkwell::testing {

// What is still outstanding across the boundary; empty when clean.
std::string LedgerProblems();

// Forgets what the stand-in recorded (after a test that left something on purpose).
void ResetLedger();

class EngineTest : public ::testing::Test {
 protected:
  void TearDown() override;
};

// For tests that load the engine: each starts, and ends, with the loader as at process start,
// the entry points bound to the stand-in engine, and a stand-in that was never initialised.
class LoadedEngineTest : public EngineTest {
 protected:
  void SetUp() override { Restart(); }
  // Shuts an initialised engine down before the ledger is read.
  void TearDown() override;
  // The loader, the entry points and the stand-in back at process start (also mid-test).
  static void Restart();
};

}  // namespace larkwell::testing
