// The fixture of the tests that drive the whole desktop program: a main
// window over its own state and scripted prompts, started in a temporary
// folder (the program's start folder, where it looks for its settings and
// its dat folder), and the type choice taken to a base form.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QRadioButton>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "app/MainWindow.hpp"
#include "entry/BaseForm.hpp"
#include "entry/StartMixForm.hpp"
#include "model/AppState.hpp"
#include "ui/ScriptedPrompts.hpp"

namespace potelan::testing {

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
  }
  void TearDown() override {
    window.reset();
    QDir::setCurrent(previous);
  }

  // Starts the program; with `showTypeChoice` false, as with an argument.
  MainWindow& Open(bool showTypeChoice = true) {
    window = std::make_unique<MainWindow>(state, prompts, showTypeChoice);
    window->show();
    return *window;
  }

  // Picks the type on the type choice and presses Next.
  BaseForm& StartBase(int type) {
    window->TypeChoice()->Option(type - 2)->click();
    window->ClickButton(kButtonNext);
    EXPECT_EQ(state.Mode, EditMode::Base);
    return *window->BaseDimensions();
  }

  QTemporaryDir dir;
  QString previous;
  AppState state;
  ScriptedPrompts prompts;
  std::unique_ptr<MainWindow> window;
};

}  // namespace potelan::testing
