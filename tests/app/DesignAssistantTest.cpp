// The design assistant's window in the running program: its pages show the
// engine's own characteristics and sensitivities, a fit runs off the UI
// thread to a result that is previewed in the graph and applied as an
// ordinary edit of the changed set, Cancel and leaving the stage stop a
// running fit, and the menu follows the stage. Oracles are the engine's
// functions called directly and fresh sweeps of the sets.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "ProgramFixture.hpp"
#include "QtText.hpp"
#include "ProgramDriving.hpp"
#include "SampleLinkages.hpp"
#include "app/MainWindow.hpp"
#include "app/ResultViews.hpp"
#include "assist/Characteristics.hpp"
#include "assist/Fit.hpp"
#include "assist/Sensitivity.hpp"
#include "assistui/DesignAssistant.hpp"
#include "entry/PositionForm.hpp"
#include "model/StrokeSweep.hpp"
#include "ui/ScriptedPrompts.hpp"
#include "views/ResultTableModel.hpp"

namespace potelan {
namespace {

using Figure = SensitivityPage::Figure;
using testing::Q;

class DesignAssistantTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Open();
  }

  QAction* MenuAction() const { return window->findChild<QAction*>("menu_assist"); }

  // From start-up to "NEW" over a sample set of `type`.
  void OpenEditing(int type) {
    const ConfigSet base = testing::SampleSet(type);
    window->TypeChoice()->Option(type - 2)->click();
    window->ClickButton(kButtonNext);
    testing::FillBoxes(*window->BaseDimensions(), base);
    testing::WhenModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<PositionForm*>(modal);
      ASSERT_NE(dialog, nullptr);
      dialog->ChoosePosition(base.SusPos - 1);
      dialog->Accept();
    });
    window->ClickButton(kButtonNext);
    QCoreApplication::processEvents();
    ASSERT_EQ(state.Mode, EditMode::New);
    ASSERT_NE(window->Input(), nullptr);
  }

  void Spin(const char* name, bool up) {
    auto* spin = window->Input()->findChild<SpinButton*>(name);
    ASSERT_NE(spin, nullptr) << name;
    (up ? spin->UpArrow() : spin->DownArrow())->click();
  }

  DesignAssistant& OpenAssistant() {
    MenuAction()->trigger();
    DesignAssistant* assistant = window->Assistant();
    EXPECT_NE(assistant, nullptr);
    return *assistant;
  }

  // Waits, turning the event loop, until the fit has ended.
  static bool WaitForFit(DesignAssistant& assistant, int timeoutMs = 60000) {
    QElapsedTimer clock;
    clock.start();
    while (assistant.Fitting().FitRunning() && clock.elapsed() < timeoutMs) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      QThread::msleep(2);
    }
    return !assistant.Fitting().FitRunning();
  }

  // Ticks exactly the given dimensions.
  static void Vary(DesignAssistant& assistant, const std::vector<Dimension>& dims) {
    for (Dimension d : DimensionsOfType(4)) {
      if (QCheckBox* check = assistant.Fitting().Ranges().Check(d)) {
        check->setChecked(std::find(dims.begin(), dims.end(), d) != dims.end());
      }
    }
  }

};

TEST_F(DesignAssistantTest, MenuFollowsTheStageAndLeavingItClosesTheWindow) {
  ASSERT_NE(MenuAction(), nullptr);
  EXPECT_FALSE(MenuAction()->isEnabled());  // the type choice
  window->TypeChoice()->Option(2)->click();
  window->ClickButton(kButtonNext);
  ASSERT_EQ(state.Mode, EditMode::Base);
  EXPECT_FALSE(MenuAction()->isEnabled());
  window->ClickButton(kButtonPrevious);
  auto* special = window->menuBar()->findChild<QMenu*>("menu_z4");
  ASSERT_NE(special, nullptr);
  EXPECT_FALSE(special->menuAction()->isEnabled());
  OpenEditing(4);
  EXPECT_TRUE(MenuAction()->isEnabled());
  EXPECT_TRUE(special->menuAction()->isEnabled());
  DesignAssistant& assistant = OpenAssistant();
  EXPECT_NE(window->SubWindowOf(&assistant), nullptr);
  EXPECT_EQ(assistant.Pages()->count(), 3);
  EXPECT_EQ(assistant.Pages()->tabText(0), QStringLiteral("特性"));
  EXPECT_EQ(assistant.Pages()->tabText(1), QStringLiteral("感度"));
  EXPECT_EQ(assistant.Pages()->tabText(2), QStringLiteral("目標に合わせる"));
  // Every control a user operates has its caption as accessible name.
  for (QWidget* control : assistant.findChildren<QWidget*>()) {
    // The toolkit's own corner button of a table is not one of the window's.
    if (control->inherits("QTableCornerButton")) continue;
    if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QDoubleSpinBox*>(control) ||
        qobject_cast<QComboBox*>(control)) {
      EXPECT_FALSE(control->accessibleName().isEmpty())
          << control->metaObject()->className() << " " << control->objectName().toStdString()
          << " " << control->parentWidget()->metaObject()->className();
    }
  }

  // Back to the base stage, with a fit running: the window goes, the worker
  // is joined, the menu is disabled again.
  Vary(assistant, {Dimension::LinkUp, Dimension::LinkFr, Dimension::LinkRr, Dimension::TenRodLength});
  assistant.Fitting().Target().Reshape(TargetEditor::Change::AddProgression);
  ASSERT_TRUE(assistant.Fitting().Run());
  window->ClickButton(kButtonPrevious);
  EXPECT_EQ(state.Mode, EditMode::Base);
  EXPECT_EQ(window->Assistant(), nullptr);
  EXPECT_FALSE(MenuAction()->isEnabled());
}

TEST_F(DesignAssistantTest, CharacteristicsPageShowsTheEngineValuesOfBothSets) {
  OpenEditing(4);
  Spin("Spin_Link_Up", false);  // the changed set differs from the base set
  Spin("Spin_Link_Up", false);
  ASSERT_EQ(state.Mode, EditMode::Change);
  ASSERT_TRUE(prompts.Messages().empty());
  DesignAssistant& assistant = OpenAssistant();
  assistant.Characteristics().StaticLoadBox()->setValue(150);

  for (int k = 0; k < 2; ++k) {
    const assist::Characteristics c = assist::Characterise(state.Set[k], state.MaxStroke, 150.0);
    ASSERT_TRUE(c.Swept.Ok);
    const assist::Characteristics& shown = assistant.Characteristics().Shown()[k];
    EXPECT_EQ(shown.ProgressionPercent, c.ProgressionPercent);
    QTableWidget* table = assistant.Characteristics().FiguresTable();
    auto cell = [&](int row) { return table->item(row, k)->text(); };
    EXPECT_EQ(cell(0), QString::number(c.Swept.Points.front().LinkRatio, 'f', 4));
    EXPECT_EQ(cell(1), QString::number(c.Swept.Points.back().LinkRatio, 'f', 4));
    EXPECT_EQ(cell(2), QString::number(c.ProgressionPercent, 'f', 2));
    EXPECT_EQ(cell(3), QString::number(c.Swept.Points.back().SusStroke, 'f', 2));
    EXPECT_EQ(cell(4), QString::number(c.Swept.Points.front().WheelRate, 'f', 3));
    ASSERT_TRUE(c.StaticSag.has_value());
    ASSERT_EQ(c.StaticSag->Outcome, assist::SagOutcome::Reached);
    EXPECT_EQ(cell(6), QString::number(c.StaticSag->Stroke, 'f', 3));
    for (const assist::LoadPeak& peak : c.Peaks) {
      const int row = 7 + 2 * static_cast<int>(peak.Item);
      EXPECT_EQ(cell(row), QString::number(peak.Value, 'f', 1));
      EXPECT_EQ(cell(row + 1), QString::number(peak.Stroke, 'f', 0));
    }
  }
  // The two columns differ: the page did read the changed set.
  QStringList columns[2];
  for (int k = 0; k < 2; ++k) {
    for (int r = 0; r < assistant.Characteristics().FiguresTable()->rowCount(); ++r) {
      columns[k] << assistant.Characteristics().FiguresTable()->item(r, k)->text();
    }
  }
  EXPECT_NE(columns[0], columns[1]);

  // A later edit reaches the page without reopening it.
  Spin("Spin_Link_Up", false);
  ASSERT_TRUE(prompts.Messages().empty());
  QTest::qWait(600);
  EXPECT_EQ(assistant.Characteristics().Shown()[1].ProgressionPercent,
            assist::Characterise(state.Set[1], state.MaxStroke).ProgressionPercent);
  // The slot takes an edit at once, without the poll.
  Spin("Spin_Link_Up", false);
  assistant.ChangedSetChanged();
  EXPECT_EQ(assistant.Characteristics().Shown()[1].ProgressionPercent,
            assist::Characterise(state.Set[1], state.MaxStroke).ProgressionPercent);
}

TEST_F(DesignAssistantTest, SensitivityRowsAreSortedByInfluenceWithSignsWritten) {
  OpenEditing(4);
  DesignAssistant& assistant = OpenAssistant();
  const assist::Sensitivity s = assist::ComputeSensitivity(state.Set[kChangedSet], state.MaxStroke);
  ASSERT_TRUE(s.Ok);
  for (int f = 0; f < 5; ++f) {
    assistant.Sensitivity().FigureChoice()->setCurrentIndex(f);
    std::vector<assist::DimensionSensitivity> rows = s.Rows;
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
      if (a.Assembles != b.Assembles) return a.Assembles;
      return a.Assembles && std::fabs(SensitivityPage::FigureOf(a.PerUnit, Figure(f))) >
                                std::fabs(SensitivityPage::FigureOf(b.PerUnit, Figure(f)));
    });
    std::vector<Dimension> expected;
    for (const auto& r : rows) expected.push_back(r.Dim);
    EXPECT_EQ(assistant.Sensitivity().Order(), expected) << "figure " << f;

    // Every figure's sign is written, not only coloured.
    QTableWidget* table = assistant.Sensitivity().SensitivityTable();
    for (int r = 0; r < table->rowCount(); ++r) {
      if (!rows[static_cast<std::size_t>(r)].Assembles) {
        EXPECT_TRUE(table->item(r, f + 1)->text().contains(QStringLiteral("成立せず")));
        continue;
      }
      const double v = SensitivityPage::FigureOf(rows[static_cast<std::size_t>(r)].PerUnit, Figure(f));
      const QString text = table->item(r, f + 1)->text();
      if (text.toDouble() != 0) {
        EXPECT_EQ(text.front(), v > 0 ? QLatin1Char('+') : QLatin1Char('-')) << text.toStdString();
        EXPECT_NEAR(text.toDouble(), v, 1e-3 * std::max(1.0, std::fabs(v)));
      }
    }
  }
}

// A target that a linkage three dimensions away reaches is fitted, the
// preview is the fitted set's own curve, and 適用 makes it the changed set
// through the form's judging, with the table's changed columns following.
TEST_F(DesignAssistantTest, FitPreviewAndApplyReachTheChangedSetAndTheTable) {
  OpenEditing(4);
  DesignAssistant& assistant = OpenAssistant();
  ConfigSet known = state.Set[kChangedSet];
  known.LinkUp -= 2;
  known.TenRodLength += 3;
  known.FrameLinkX -= 3;
  const assist::Curve knownCurve = assist::SweepCurve(known, state.MaxStroke, false);
  ASSERT_TRUE(knownCurve.Ok);
  assistant.Fitting().Target().SetPoints(
      assist::TargetFromCurve(knownCurve, assist::Quantity::LinkRatio));
  Vary(assistant, {Dimension::LinkUp, Dimension::TenRodLength, Dimension::FrameLinkX});
  ASSERT_TRUE(assistant.Fitting().Run());
  EXPECT_TRUE(assistant.Fitting().FitRunning());
  EXPECT_TRUE(assistant.Fitting().CancelButton()->isEnabled());
  EXPECT_FALSE(assistant.Fitting().RunButton()->isEnabled());
  ASSERT_TRUE(WaitForFit(assistant));
  ASSERT_TRUE(assistant.Fitting().LastResult().has_value());
  const assist::FitResult result = *assistant.Fitting().LastResult();
  EXPECT_EQ(result.Status, assist::FitStatus::Done);
  EXPECT_LT(result.Rms, 1e-3);
  EXPECT_TRUE(assistant.Fitting().ApplyButton()->isEnabled());

  // The graph holds the fitted set's curve: ratio and axle load by stroke.
  GraphView* graph = window->Views().GraphWindow();
  ASSERT_NE(graph, nullptr);
  const assist::Curve fitted = assist::SweepCurve(result.Fitted, state.MaxStroke, false);
  ASSERT_TRUE(fitted.Ok);
  const std::vector<GraphCurve>& preview = graph->PreviewCurves();
  ASSERT_EQ(preview.size(), 2u);
  EXPECT_EQ(preview[0].Quantity, GraphQuantity::Ratio);
  EXPECT_EQ(preview[1].Quantity, GraphQuantity::Load);
  for (const GraphCurve& curve : preview) {
    EXPECT_EQ(curve.Colour, GraphView::kPreviewColour);
    ASSERT_EQ(curve.Runs.size(), 1u);
    ASSERT_EQ(curve.Runs[0].size(), fitted.Points.size());
  }
  for (std::size_t i = 0; i < fitted.Points.size(); ++i) {
    EXPECT_EQ(preview[0].Runs[0][i], QPointF(fitted.Points[i].Stroke, fitted.Points[i].LinkRatio));
    EXPECT_EQ(preview[1].Runs[0][i], QPointF(fitted.Points[i].Stroke, fitted.Points[i].Loads[1]));
  }

  // The table turned to the inverse ratio: the graph's ratio axis shows the
  // inverse, and the preview follows it.
  QWidget* tableWindow = window->Views().TableWindow();
  tableWindow->findChild<QAction*>("Menu_Link_Ratio2")->trigger();  // one or the other
  ASSERT_FALSE(window->Views().Table().IsShown(ResultItem::LinkRatio));
  QTest::qWait(600);
  ASSERT_EQ(graph->PreviewCurves().size(), 2u);
  EXPECT_EQ(graph->PreviewCurves()[0].Quantity, GraphQuantity::InverseRatio);
  EXPECT_EQ(graph->PreviewCurves()[0].Runs[0].back(),
            QPointF(fitted.Points.back().Stroke, fitted.Points.back().InvLinkRatio));
  tableWindow->findChild<QAction*>("Menu_Link_Ratio")->trigger();
  ASSERT_TRUE(window->Views().Table().IsShown(ResultItem::LinkRatio));

  // 適用: the changed set is the fitted one, judged and processed.
  ASSERT_TRUE(assistant.Fitting().Apply());
  EXPECT_TRUE(graph->PreviewCurves().empty());
  EXPECT_EQ(state.Mode, EditMode::Change);
  const ConfigSet& changed = state.Set[kChangedSet];
  for (const testing::Field& f : testing::kFields) {
    EXPECT_EQ(changed.*f.Value, result.Fitted.*f.Value) << f.Box->toStdString();
  }
  AppState probe = state;
  ResultTable expected;
  for (const ResultItemInfo& info : ResultItems()) {
    expected.SetShown(info.Item, window->Views().Table().IsShown(info.Item));
  }
  expected.BuildHeaders();
  NullPlotSink sink;
  ASSERT_TRUE(BaseSweep(probe, expected, sink).Ok);
  ASSERT_TRUE(ChangedSweep(probe, expected, sink).Ok);
  ResultTableModel& model = *window->Views().TableWindow()->Model();
  const int lastRow = ResultTable::RowOfStroke(LastSweepStroke(state.MaxStroke));
  for (int row = 2; row <= lastRow; ++row) {
    for (int c = 2; c < expected.ColumnCount(); c += 2) {
      EXPECT_EQ(model.data(model.index(row - ResultTableModel::kHeaderRows, c)).toString(),
                Q(expected.Cell(c, row)))
          << "column " << c << ", row " << row;
    }
  }
  EXPECT_TRUE(prompts.Messages().empty());
}

// The fault guarded: values fitted to one changed set applied after the set
// was edited would give a curve that was never previewed.
TEST_F(DesignAssistantTest, ApplyAfterTheChangedSetWasEditedIsRefused) {
  OpenEditing(4);
  DesignAssistant& assistant = OpenAssistant();
  Vary(assistant, {Dimension::LinkUp});
  assistant.Fitting().Target().Reshape(TargetEditor::Change::AddProgression);
  ASSERT_TRUE(assistant.Fitting().Run());
  ASSERT_TRUE(WaitForFit(assistant));
  ASSERT_TRUE(assistant.Fitting().LastResult().has_value());
  GraphView* graph = window->Views().GraphWindow();
  ASSERT_FALSE(graph->PreviewCurves().empty());
  Spin("Spin_Ten_Rod", true);
  assistant.ChangedSetChanged();  // the preview of the set before the edit goes
  EXPECT_TRUE(graph->PreviewCurves().empty());
  const ConfigSet before = state.Set[kChangedSet];
  prompts.Clear();
  EXPECT_FALSE(assistant.Fitting().Apply());
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(state.Set[kChangedSet].LinkUp, before.LinkUp);
}

TEST_F(DesignAssistantTest, CancelStopsARunningFitAndTheWindowStaysUsable) {
  OpenEditing(4);
  DesignAssistant& assistant = OpenAssistant();
  Vary(assistant, {Dimension::LinkUp, Dimension::LinkFr, Dimension::LinkRr, Dimension::TenRodLength,
                   Dimension::FrameLinkX, Dimension::FrameLinkY});
  // Beyond reach: the search would use its whole budget.
  assistant.Fitting().Target().AmountBox()->setValue(60);
  assistant.Fitting().Target().Reshape(TargetEditor::Change::AddProgression);
  ASSERT_TRUE(assistant.Fitting().Run());
  EXPECT_FALSE(assistant.Fitting().Run());  // one fit at a time
  assistant.Fitting().CancelButton()->click();
  ASSERT_TRUE(WaitForFit(assistant));
  ASSERT_TRUE(assistant.Fitting().LastResult().has_value());
  EXPECT_EQ(assistant.Fitting().LastResult()->Status, assist::FitStatus::Cancelled);
  EXPECT_TRUE(assistant.Fitting().RunButton()->isEnabled());
  EXPECT_FALSE(assistant.Fitting().CancelButton()->isEnabled());

  // The window takes the next run and ends it normally.
  Vary(assistant, {Dimension::LinkUp});
  assistant.Fitting().Target().AmountBox()->setValue(2);
  assistant.Fitting().Target().TakeFrom(kChangedSet);
  assistant.Fitting().Target().Reshape(TargetEditor::Change::AddProgression);
  // A range too narrow for the target: the value ends on a bound, and the
  // result table says which.
  const double linkUp = state.Set[kChangedSet].LinkUp;
  assistant.Fitting().Ranges().LowerBox(Dimension::LinkUp)->setValue(linkUp - 0.05);
  assistant.Fitting().Ranges().UpperBox(Dimension::LinkUp)->setValue(linkUp + 0.05);
  ASSERT_TRUE(assistant.Fitting().Run());
  ASSERT_TRUE(WaitForFit(assistant));
  ASSERT_TRUE(assistant.Fitting().LastResult().has_value());
  EXPECT_EQ(assistant.Fitting().LastResult()->Status, assist::FitStatus::Done);
  EXPECT_TRUE(std::isfinite(assistant.Fitting().LastResult()->Rms));
  EXPECT_EQ(assistant.Fitting().LastResult()->AtBound, std::vector<bool>{true});
  const QString fitted = assistant.findChild<QTableWidget*>("Table_Result")->item(0, 2)->text();
  EXPECT_TRUE(fitted.endsWith(Q("(下限)")) || fitted.endsWith(Q("(上限)"))) << fitted.toStdString();

  // Closed by its frame while a fit runs: the worker is stopped and joined
  // with the window, and the program goes on.
  assistant.Fitting().Target().Reshape(TargetEditor::Change::Scale);
  ASSERT_TRUE(assistant.Fitting().Run());
  window->SubWindowOf(&assistant)->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(window->Assistant(), nullptr);
  EXPECT_TRUE(MenuAction()->isEnabled());
  EXPECT_NE(&OpenAssistant(), nullptr);
}

TEST_F(DesignAssistantTest, DimensionsOfferTheDefaultBoundsOfTheChangedSet) {
  OpenEditing(4);
  window->resize(1280, 900);
  QCoreApplication::processEvents();
  DesignAssistant& assistant = OpenAssistant();
  // It opens beside the graph, where its preview is drawn, not over it.
  EXPECT_FALSE(assistant.parentWidget()->geometry().intersects(
      window->Views().GraphWindow()->parentWidget()->geometry()));
  for (Dimension d : DimensionsOfType(4)) {
    ASSERT_NE(assistant.Fitting().Ranges().Check(d), nullptr) << JsonName(d);
    const Bounds b = DefaultBounds(d, ValueOf(state.Set[kChangedSet], d));
    const int decimals = EntryDecimals(d);
    const DimensionRanges& ranges = assistant.Fitting().Ranges();
    EXPECT_NEAR(ranges.LowerBox(d)->value(), b.Lower, std::pow(10, -decimals));
    EXPECT_NEAR(ranges.UpperBox(d)->value(), b.Upper, std::pow(10, -decimals));
  }
  // Type 4 has no shock mount on the fork.
  EXPECT_EQ(assistant.Fitting().Ranges().Check(Dimension::SusUpLength), nullptr);
}

// The fault guarded: a target row that is no number silently left out would
// fit a curve the user did not enter; no ticked dimension would start a
// search with nothing to move.
TEST_F(DesignAssistantTest, RunRefusesABadTargetRowOrNoDimensionWithAMessage) {
  OpenEditing(4);
  DesignAssistant& assistant = OpenAssistant();
  Vary(assistant, {});
  prompts.Clear();
  EXPECT_FALSE(assistant.Fitting().Run());
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].Text, QStringLiteral("変える寸法を選んでください"));

  Vary(assistant, {Dimension::LinkUp});
  assistant.Fitting().Target().PointsTable()->item(2, 1)->setText(QStringLiteral("0,31"));
  prompts.Clear();
  EXPECT_FALSE(assistant.Fitting().Run());
  EXPECT_FALSE(assistant.Fitting().FitRunning());
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].Text, QStringLiteral("目標点の 3 行目が数値ではありません"));

  // An empty row is no point at all.
  assistant.Fitting().Target().PointsTable()->item(2, 0)->setText(QString());
  assistant.Fitting().Target().PointsTable()->item(2, 1)->setText(QString());
  EXPECT_EQ(assistant.Fitting().Target().Points().size(),
            static_cast<std::size_t>(assistant.Fitting().Target().PointsTable()->rowCount() - 1));
  EXPECT_TRUE(assistant.Fitting().Run());
  EXPECT_TRUE(WaitForFit(assistant));
}

}  // namespace
}  // namespace potelan
