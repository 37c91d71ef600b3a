// The x87 control word step: the six exceptions masked, nothing else changed, on the target.
#include <thread>

#if defined(_WIN32)
#include <float.h>
#endif

#include "core/exceptions.h"
#include "os/fpu.h"
#include "tests/engine/loader/loader_test.h"

namespace larkwell::testing {
namespace {

// Round toward zero, 53-bit precision, only the invalid-operation and precision exceptions
// masked: nothing like the runtime's word, so a step that resets instead of masking shows.
constexpr uint16_t kUnusualWord = 0x0E61;
constexpr uint16_t kUnusualWordMasked = 0x0E7F;

class X87Test : public LoaderTest {
 protected:
  void SetUp() override {
    if (!os::HasX87ControlWord()) GTEST_SKIP() << "the host has no x87 step";
    LoaderTest::SetUp();
    saved_ = os::X87ControlWord();
  }
  void TearDown() override {
    if (!os::HasX87ControlWord()) return;
    os::LoadX87ControlWord(saved_);
    LoaderTest::TearDown();
  }
  uint16_t saved_ = 0;
};

TEST_F(X87Test, MaskingSetsTheSixMasksAndKeepsTheOtherBits) {
  os::LoadX87ControlWord(kUnusualWord);
  os::MaskX87Exceptions();
  EXPECT_EQ(os::X87ControlWord(), kUnusualWordMasked);
}

TEST_F(X87Test, MaskingClearsPendingExceptions) {
  os::LoadX87ControlWord(static_cast<uint16_t>(saved_ | os::kX87ExceptionMasks));
  volatile long double zero = 0;
  volatile long double quotient = 1 / zero;  // raises zero divide, masked: only the flag is set
  static_cast<void>(quotient);
  ASSERT_NE(os::X87PendingExceptions(), 0);
  os::MaskX87Exceptions();
  EXPECT_EQ(os::X87PendingExceptions(), 0);
}

TEST_F(X87Test, LoadingMasksTheExceptionsAlsoWhenItFails) {
  os::LoadX87ControlWord(kUnusualWord);
  CefLibraryName = kMissingLibrary;
  EXPECT_THROW(CefEnsureLoaded(), EOSError);
  EXPECT_EQ(os::X87ControlWord(), kUnusualWordMasked);
}

#if defined(_WIN32)
// The loader sets no default word of the runtime's: the one the runtime loads on a reset, and
// in every new thread such as the engine's, must mask all six itself.
TEST_F(X87Test, TheRuntimesOwnWordMasksAllSix) {
  os::LoadX87ControlWord(kUnusualWord);
  uint16_t threadWord = 0;
  std::thread([&] { threadWord = os::X87ControlWord(); }).join();
  EXPECT_EQ(threadWord & os::kX87ExceptionMasks, os::kX87ExceptionMasks) << "in a new thread";
  _fpreset();
  EXPECT_EQ(os::X87ControlWord() & os::kX87ExceptionMasks, os::kX87ExceptionMasks) << "after a reset";
}
#endif

}  // namespace
}  // namespace larkwell::testing
