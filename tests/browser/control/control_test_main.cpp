#include <gtest/gtest.h>

#include "framework/ui/application.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // The test's main thread is the user-interface thread, where the engine's work is done.
  larkwell::Application().Initialize();
  larkwell::Application().SetTitle(u"Larkwell 测试");
  return RUN_ALL_TESTS();
}
