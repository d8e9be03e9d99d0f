// Test main for window tests: an offscreen QApplication around GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/Fonts.hpp"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  potelan::InstallFontSubstitutes();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
