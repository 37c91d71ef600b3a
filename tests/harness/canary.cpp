// Faults the test machinery must catch. Every fault is a DISABLED_ test, so running this
// program plainly passes; tests/harness/CMakeLists.txt runs each fault on its own and
// requires a failing exit code and the expected report.
#include <gtest/gtest.h>

#include <limits>
#include <thread>

namespace larkwell {
namespace {

TEST(HarnessCanary, Passes) { SUCCEED(); }

TEST(HarnessCanary, DISABLED_Fails) { FAIL() << "this failure is expected"; }

TEST(HarnessCanary, DISABLED_HeapOverflow) {
  int* block = new int[4];
  volatile int index = 4;
  block[index] = 1;
  delete[] block;
}

TEST(HarnessCanary, DISABLED_SignedOverflow) {
  volatile int largest = std::numeric_limits<int>::max();
  int sum = largest + 1;
  EXPECT_NE(sum, 0);
}

TEST(HarnessCanary, DISABLED_Leak) {
  static int* volatile lost;
  lost = new int[4];
  EXPECT_NE(lost, nullptr);
  lost = nullptr;
}

TEST(HarnessCanary, DISABLED_DataRace) {
  int shared = 0;
  std::thread other([&shared] { ++shared; });
  ++shared;
  other.join();
  EXPECT_GT(shared, 0);
}

}  // namespace
}  // namespace larkwell
