// Test main of the programs that test GUI code: the platform runs offscreen.
#include <gtest/gtest.h>

#include "vcl/testing.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  vcl::testing::StartHeadless();
  return RUN_ALL_TESTS();
}
