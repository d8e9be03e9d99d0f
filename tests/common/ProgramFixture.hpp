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
#include "app/ResultViews.hpp"
#include "entry/BaseForm.hpp"
#include "entry/StartMixForm.hpp"
#include "model/AppState.hpp"
#include "model/ResultTable.hpp"
#include "model/StrokeSweep.hpp"
#include "ui/ScriptedPrompts.hpp"
#include "views/ResultTableModel.hpp"
#include "views/TableView.hpp"
#include "EngineTable.hpp"

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

  // The grid row of the last stroke of the range.
  int LastRow() const { return ResultTable::RowOfStroke(LastSweepStroke(state.MaxStroke)); }
  // A cell as the table window shows it.
  QString ShownCell(int column, int gridRow) const {
    ResultTableModel& model = *window->Views().TableWindow()->Model();
    return model.data(model.index(gridRow - ResultTableModel::kHeaderRows, column)).toString();
  }
  // The table as the engine's own sweeps fill it for the sets as they stand.
  ResultTable EngineTable(bool withChanged) const {
    AppState probe = state;
    ResultTable expected = TableLike(window->Views().Table());
    NullPlotSink sink;
    EXPECT_TRUE(BaseSweep(probe, expected, sink).Ok);
    if (withChanged) {
      EXPECT_TRUE(ChangedSweep(probe, expected, sink).Ok);
    }
    return expected;
  }
  // Every stroke row of the table window shows what fresh sweeps of set 0
  // (stroke and base columns) and, with `withChanged`, of set 1 (changed
  // columns) write; without it the changed columns are empty.
  void ExpectTableOfEngine(bool withChanged) const {
    ASSERT_TRUE(window->Views().IsOpen());
    const ResultTable expected = EngineTable(withChanged);
    ASSERT_EQ(window->Views().TableWindow()->Model()->columnCount(), expected.ColumnCount());
    for (int row = 2; row <= LastRow(); ++row) {
      for (int c = 0; c < expected.ColumnCount(); ++c) {
        const bool changedColumn = c > 0 && c % 2 == 0;
        const QString want = changedColumn && !withChanged
                                 ? QString()
                                 : QString::fromStdString(expected.Cell(c, row));
        EXPECT_EQ(ShownCell(c, row), want) << "column " << c << ", row " << row;
      }
    }
  }

  QTemporaryDir dir;
  QString previous;
  AppState state;
  ScriptedPrompts prompts;
  std::unique_ptr<MainWindow> window;
};

}  // namespace potelan::testing
