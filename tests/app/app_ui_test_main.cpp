#include <gtest/gtest.h>

#include "framework/ui/application.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  larkwell::Application().Initialize();
  larkwell::Application().SetTitle(u"Larkwell");
  return RUN_ALL_TESTS();
}
