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

}  // namespace larkwell::testing
