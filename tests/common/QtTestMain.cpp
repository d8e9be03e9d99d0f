// Test main for window tests: an offscreen QApplication around GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

#include "ui/Fonts.hpp"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The windows are compared in the program's own language, whatever the
  // shell's: no translation is installed, and the system locale is C.
  qputenv("LC_ALL", "C.UTF-8");
  qunsetenv("LANGUAGE");
  QApplication app(argc, argv);
  // The per-user settings (the language choice) go to a test folder.
  QStandardPaths::setTestModeEnabled(true);
  potelan::InstallFontSubstitutes();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
