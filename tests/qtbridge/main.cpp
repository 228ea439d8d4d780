// Test main of the Qt bridge: a Qt Widgets program as they come, which
// makes its own QApplication first; our platform then adopts it.
#include <QApplication>

#include <gtest/gtest.h>

#include "vcl/forms.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  vcl::Application->Initialize(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
