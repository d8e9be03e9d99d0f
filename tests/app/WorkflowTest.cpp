// The whole work through the main window, as a user walks it: a base linkage
// entered and swept into the views, the changed linkage edited on the
// change-input form and judged over the whole stroke, link files of the
// changed set, the table's outputs, the toolbar's fronts and the way back.
// Every expectation comes from the engine's own sweeps, formats and file
// functions, or from the geometry of the linkage itself.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <functional>

#include "ProgramDriving.hpp"
#include "ProgramFixture.hpp"
#include "SampleLinkages.hpp"
#include "app/MainWindow.hpp"
#include "app/ResultViews.hpp"
#include "entry/BoxNames.hpp"
#include "entry/InputForm.hpp"
#include "entry/MemoryForm.hpp"
#include "entry/PositionForm.hpp"
#include "entry/WidgetEntryForm.hpp"
#include "files/LinkFile.hpp"
#include "files/TableExport.hpp"
#include "files/TextCodec.hpp"
#include "model/NumberFormat.hpp"
#include "model/Solver.hpp"
#include "model/StrokeSweep.hpp"
#include "ui/ScriptedPrompts.hpp"
#include "views/ResultTableModel.hpp"
#include "QtText.hpp"

namespace potelan {
namespace {

const QString kPutBack = QStringLiteral("データを前の状態に戻します");
const QString kNotFormed = QStringLiteral("変更された条件でリンクが成立しません");
using testing::Field;
using testing::kFields;
using testing::WhenModal;

using testing::DimensionBoxes;

using testing::Q;
QString Example(int type) { return QStringLiteral(POTELAN_EXAMPLES "/type%1.lin").arg(type); }
QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Shock length of a lone set moved `stroke` mm down its axle stroke.
double ShockLengthAt(const ConfigSet& set, double stroke) {
  AppState probe;
  probe.Set[kBaseSet] = set;
  probe.Set[kBaseSet].AxleStartPos = set.AxleStartPos - stroke;
  EXPECT_EQ(SolveLinkage(probe, kBaseSet, set.SusPos), SolveResult::Assembled) << stroke;
  return probe.Set[kBaseSet].SusLength;
}

// Two sets carry the same link type, position and dimensions.
void ExpectSameDimensions(const ConfigSet& actual, const ConfigSet& expected) {
  EXPECT_EQ(actual.SusType, expected.SusType);
  EXPECT_EQ(actual.SusPos, expected.SusPos);
  for (const Field& f : kFields) {
    EXPECT_EQ(actual.*f.Value, expected.*f.Value) << f.Box->toStdString();
  }
}

// The number of points a detail drawing plots per curve at a pitch: the
// stroke counter is single precision.
int DetailSteps(float pitch, std::int16_t maxStroke) {
  int steps = 0;
  for (float s = 0; s <= static_cast<float>(maxStroke); s += pitch) ++steps;
  return steps;
}

class WorkflowTest : public testing::ProgramTest {
 protected:
  // Types the dimensions of a set into the boxes a window has.
  static void Fill(QWidget& form, const ConfigSet& c) { testing::FillBoxes(form, c); }

  // Next at the base stage; the position dialog, should it open, gets
  // `position` clicked and OK.
  bool NextChoosing(int position) {
    bool asked = false;
    WhenModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<PositionForm*>(modal);
      ASSERT_NE(dialog, nullptr);
      asked = true;
      dialog->ChoosePosition(position - 1);
      dialog->Accept();
    });
    window->ClickButton(kButtonNext);
    QCoreApplication::processEvents();  // no stale timer for a later dialog
    return asked;
  }

  // From start-up to the editing stage over a base set.
  void OpenEditing(const ConfigSet& base) {
    Open();
    Fill(StartBase(base.SusType), base);
    EXPECT_TRUE(NextChoosing(base.SusPos));
    ASSERT_EQ(state.Mode, EditMode::New);
    ASSERT_NE(window->Input(), nullptr);
  }

  InputForm& Input() const { return *window->Input(); }
  QLineEdit* Box(const QString& name) const { return Input().findChild<QLineEdit*>(name); }
  QStringList BoxTexts() const {
    QStringList texts;
    for (const Field& f : kFields) texts << Box(*f.Box)->text();
    return texts;
  }
  void Spin(const char* name, bool up) {
    auto* spin = Input().findChild<SpinButton*>(name);
    ASSERT_NE(spin, nullptr) << name;
    (up ? spin->UpArrow() : spin->DownArrow())->click();
  }
  // Types a pitch into Combo_Pitch and confirms it with Enter.
  void SetPitch(const QString& text) {
    QLineEdit* edit = Input().PitchList()->lineEdit();
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  void PressEnterIn(const QString& name) { QTest::keyClick(Box(name), Qt::Key_Return); }

  bool Shown(const QWidget* child) const {
    const QMdiSubWindow* sub = window->SubWindowOf(child);
    return sub != nullptr && sub->isVisible();
  }
  QWidget* Active() const {
    QMdiSubWindow* sub = window->Area()->activeSubWindow();
    return sub != nullptr ? sub->widget() : nullptr;
  }
  std::vector<QWidget*> ViewWindows() const {
    ResultViews& views = window->Views();
    return {views.GraphWindow(), views.TableWindow(), views.RealWindow()};
  }
  bool ViewsOpen() const {
    const std::vector<QWidget*> views = ViewWindows();
    return std::count(views.begin(), views.end(), nullptr) == 0;
  }
  std::vector<int> EnabledOf(std::initializer_list<int> indices) const {
    std::vector<int> enabled;
    for (int i : indices) {
      if (window->Button(i)->isEnabled()) enabled.push_back(i);
    }
    return enabled;
  }

  QStringList ShownCells() const {
    QStringList cells;
    for (int row = 2; row <= LastRow(); ++row) {
      for (int c = 0; c < window->Views().Table().ColumnCount(); ++c) cells << ShownCell(c, row);
    }
    return cells;
  }


};

TEST_F(WorkflowTest, NextSweepsTheBaseSetAndOpensTheEditingWindows) {
  const ConfigSet sample = testing::SampleSet(4);
  OpenEditing(sample);
  ResultViews& views = window->Views();
  EXPECT_TRUE(prompts.Messages().empty());

  // One row per 5 mm up to the maximum stroke: 31 for the default 150 mm.
  const int steps = LastSweepStroke(state.MaxStroke) / 5 + 1;
  EXPECT_EQ(steps, 31);
  EXPECT_EQ(views.TableWindow()->Model()->rowCount(), steps);
  for (int s = 0; s <= state.MaxStroke; s += 5) {
    EXPECT_EQ(ShownCell(0, ResultTable::RowOfStroke(s)), Q(CellText(s, "##0"))) << s;
  }
  ExpectTableOfEngine(false);
  // Column 1 holds the link ratio: the shock length's rate of change along
  // the axle stroke.
  ASSERT_TRUE(views.Table().IsShown(ResultItem::LinkRatio));
  for (int s : {0, 50, 100, 150}) {
    const double h = 0.01;
    const double rate =
        (ShockLengthAt(state.Set[kBaseSet], s - h) - ShockLengthAt(state.Set[kBaseSet], s + h)) /
        (2 * h);
    EXPECT_NEAR(ShownCell(1, ResultTable::RowOfStroke(s)).toDouble(), rate, 2e-4) << s;
  }
  // The detail display of the base set has replaced the sweep's coarse points.
  const int detail = DetailSteps(GraphView::kDetailDisplayPitch, state.MaxStroke);
  EXPECT_EQ(views.GraphWindow()->PlotCount(PlotColour::Blue), detail);
  EXPECT_EQ(views.GraphWindow()->PlotCount(PlotColour::Cyan), detail);
  EXPECT_EQ(views.GraphWindow()->PlotCount(PlotColour::Grey), 0);

  // The three views and the change-input form are shown, the form in front
  // with the base values in its boxes.
  EXPECT_EQ(views.GraphWindow()->objectName(), "Form_Graph");
  EXPECT_EQ(views.TableWindow()->objectName(), "Form_Value");
  EXPECT_EQ(views.RealWindow()->objectName(), "Form_Real");
  EXPECT_EQ(Input().objectName(), "Form_Input");
  for (QWidget* view : ViewWindows()) EXPECT_TRUE(Shown(view)) << view->objectName().toStdString();
  EXPECT_TRUE(Shown(&Input()));
  EXPECT_EQ(Active(), &Input());
  EXPECT_FALSE(Shown(window->BaseDimensions()));
  EXPECT_EQ(Box(box::LinkUp)->text(), Q(FormatNumber(state.Set[kBaseSet].LinkUp, "###.##")));
  EXPECT_EQ(EnabledOf({6, 7, 8, 9, 12}), (std::vector<int>{6, 7, 8, 9}));
  // The graph and the real-motion view stand centred across the working
  // area, a quarter of the free height down; the table beside the form.
  const QSize room = window->Area()->viewport()->size();
  for (QWidget* view : {static_cast<QWidget*>(views.GraphWindow()),
                        static_cast<QWidget*>(views.RealWindow())}) {
    const QMdiSubWindow* frame = window->SubWindowOf(view);
    EXPECT_EQ(frame->x(), std::max(0, (room.width() - frame->width()) / 2));
    EXPECT_EQ(frame->y(), std::max(0, (room.height() - frame->height()) / 4));
  }
  EXPECT_EQ(window->SubWindowOf(views.TableWindow())->x(),
            window->SubWindowOf(&Input())->geometry().right() + 1);
}

TEST_F(WorkflowTest, ABaseSetThatFailsOnTheStrokeGoesBackToItsForm) {
  // Lower the axle's initial position, millimetre by millimetre, until the
  // base set still forms at zero stroke but no longer further down.
  ConfigSet base = testing::SampleSet(4);
  SweepResult failure;
  for (int axle = static_cast<int>(base.AxleStartPos); axle > -1000 && failure.Ok; --axle) {
    AppState probe;
    probe.Set[kBaseSet] = base;
    probe.Set[kBaseSet].AxleStartPos = axle;
    ResultTable table;
    NullPlotSink sink;
    const SweepResult result = BaseSweep(probe, table, sink);
    if (!result.Ok && result.FailedStroke > 0) {
      base.AxleStartPos = axle;
      failure = result;
    }
  }
  ASSERT_FALSE(failure.Ok);

  Open();
  BaseForm& form = StartBase(4);
  Fill(form, base);
  EXPECT_TRUE(NextChoosing(base.SusPos));

  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].Text, Q(StrokeFailureMessage(failure.FailedStroke)));
  EXPECT_TRUE(prompts.Messages()[0].Text.startsWith("ｱｸｽﾙｽﾄﾛｰｸ "));
  EXPECT_TRUE(prompts.Messages()[0].Text.endsWith("mm でリンクが成立しなくなります"));
  EXPECT_EQ(prompts.Messages()[0].Title, "ぽてらんからの警告!!");
  EXPECT_EQ(prompts.Messages()[0].Icon, MessageIcon::Error);
  EXPECT_FALSE(ViewsOpen());
  EXPECT_EQ(window->Input(), nullptr);
  EXPECT_EQ(state.Mode, EditMode::Base);
  EXPECT_TRUE(Shown(&form));
  EXPECT_EQ(state.Set[kBaseWork].AxleStartPos, state.Set[kBaseSet].AxleStartPos);
  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(EnabledOf({6, 7, 8, 9, 12}), std::vector<int>{12});
}

TEST_F(WorkflowTest, SpinPressesAreJudgedOverTheWholeStroke) {
  OpenEditing(testing::SampleSet(4));
  ResultViews& views = window->Views();
  const ConfigSet before = state.Set[kChangedSet];
  const QString boxBefore = Box(box::LinkUp)->text();

  SetPitch("0.5");
  EXPECT_EQ(state.ChangePitch, 0.5);
  Spin("Spin_Link_Up", true);
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(state.Mode, EditMode::Change);
  EXPECT_EQ(state.Set[kChangedSet].LinkUp, before.LinkUp + 0.5);
  EXPECT_EQ(Box(box::LinkUp)->text(), Q(FormatNumber(before.LinkUp + 0.5, "###.##")));
  // The first commit kept what the boxes showed before it.
  EXPECT_EQ(state.Set[kStoredSet].LinkUp, boxBefore.toFloat());
  EXPECT_EQ(state.Set[kLastGoodSet].LinkUp, state.Set[kChangedSet].LinkUp);

  // The table's changed columns follow, and its ratio is the changed shock
  // length's rate of change.
  ExpectTableOfEngine(true);
  for (int s : {25, 125}) {
    const double h = 0.01;
    const ConfigSet& changed = state.Set[kChangedSet];
    const double rate = (ShockLengthAt(changed, s - h) - ShockLengthAt(changed, s + h)) / (2 * h);
    EXPECT_NEAR(ShownCell(2, ResultTable::RowOfStroke(s)).toDouble(), rate, 2e-4) << s;
  }
  // The graph redraws both sets at the checked pitch.
  GraphView& graph = *views.GraphWindow();
  const std::optional<float> pitch = graph.CheckedPitch();
  ASSERT_TRUE(pitch);
  const int detail = DetailSteps(*pitch, state.MaxStroke);
  for (PlotColour colour :
       {PlotColour::Blue, PlotColour::Cyan, PlotColour::Red, PlotColour::Magenta})
    EXPECT_EQ(graph.PlotCount(colour), detail) << static_cast<int>(colour);
  // The real-motion view places the changed linkage with its new plate side.
  RealView& real = *views.RealWindow();
  for (const auto& [line, length] : {std::pair{"Line_Link_Up", state.Set[kChangedSet].LinkUp},
                                     std::pair{"Line_Fork", state.Set[kChangedSet].ForkLength}}) {
    const std::optional<RealView::DrawnLine> drawn = real.Line(line, 1);
    ASSERT_TRUE(drawn && drawn->Placed) << line;
    EXPECT_TRUE(real.LineDrawn(line, 1)) << line;  // seen at once, beside the base
    EXPECT_NEAR(std::hypot(drawn->P2.x() - drawn->P1.x(), drawn->P2.y() - drawn->P1.y()), length,
                1e-6)
        << line;
  }

  // A press that moves the axle's initial position so far that the linkage
  // fails part way down the stroke; the engine finds the pitch and the stroke.
  const ConfigSet good = state.Set[kChangedSet];
  const QStringList goodBoxes = BoxTexts();
  const QStringList goodCells = ShownCells();
  int pitchToFail = 0;
  SweepResult failure;
  for (int p = 1; p < 1000 && failure.Ok; ++p) {
    AppState probe = state;
    probe.Set[kChangedSet].AxleStartPos = good.AxleStartPos - p;  // the up arrow lowers it
    ResultTable table;
    NullPlotSink sink;
    const SweepResult result = ChangedSweep(probe, table, sink);
    if (!result.Ok && result.FailedStroke > 0) {
      pitchToFail = p;
      failure = result;
    }
  }
  ASSERT_GT(pitchToFail, 0);
  SetPitch(QString::number(pitchToFail));
  prompts.Clear();
  Spin("Spin_Axle_Start_Pos", true);
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].Text,
            Q(ChangedStrokeFailureMessage(failure.FailedStroke)) + "\n" + kPutBack);
  EXPECT_TRUE(prompts.Messages()[0].Text.startsWith("変更された条件のｱｸｽﾙｽﾄﾛｰｸ"));
  EXPECT_EQ(prompts.Messages()[0].Title, "ぽてらんからの警告!!");
  EXPECT_EQ(prompts.Messages()[0].Icon, MessageIcon::Error);
  // Put back: the set, the boxes and the table as they were.
  ExpectSameDimensions(state.Set[kChangedSet], good);
  EXPECT_EQ(state.Set[kChangedWork].AxleStartPos, good.AxleStartPos);
  EXPECT_EQ(BoxTexts(), goodBoxes);
  EXPECT_EQ(ShownCells(), goodCells);
  EXPECT_EQ(state.Mode, EditMode::Change);
  EXPECT_FALSE(state.LinkFailed);
  EXPECT_TRUE(ViewsOpen());
}

TEST_F(WorkflowTest, EnterStoreAndRestoreOnTheInputForm) {
  OpenEditing(testing::SampleSet(4));
  Spin("Spin_Link_Up", false);  // an accepted edit: the last good set
  ASSERT_TRUE(prompts.Messages().empty());
  const ConfigSet good = state.Set[kChangedSet];

  // Enter in a box that holds a letter: the box is named and marked, the
  // set is not touched, and the text stays for the user to mend.
  Box(box::LinkFr)->setText("6l");
  PressEnterIn(box::LinkFr);
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_TRUE(prompts.Messages()[0].Text.contains(QStringLiteral("リンクプレート前辺:「6l」")));
  EXPECT_FALSE(prompts.Messages()[0].Text.contains(kNotFormed));
  EXPECT_EQ(prompts.Messages()[0].Icon, MessageIcon::Error);
  ExpectSameDimensions(state.Set[kChangedSet], good);
  EXPECT_EQ(Box(box::LinkFr)->text(), "6l");
  EXPECT_EQ(BoxColourOf(*Box(box::LinkFr)), BoxColour::Red);
  EXPECT_FALSE(state.LinkFailed);
  ExpectTableOfEngine(true);
  Box(box::LinkFr)->setText(Q(FormatNumber(good.LinkFr, "###.##")));

  // Enter with a number is taken as typed.
  prompts.Clear();
  const double spring = good.SpringRate + 2.5;
  Box(box::Spring)->setText(QString::fromStdString(GeneralDouble(spring)));
  PressEnterIn(box::Spring);
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(state.Set[kChangedSet].SpringRate, static_cast<float>(spring));

  // Store, two more edits, restore: back to the stored boxes, judged again.
  Input().findChild<QPushButton*>("Command_Store")->click();
  const QStringList storedBoxes = BoxTexts();
  const double storedLinkUp = state.Set[kChangedSet].LinkUp;
  EXPECT_EQ(state.Set[kStoredSet].LinkUp, storedLinkUp);
  Spin("Spin_Link_Up", false);
  Spin("Spin_Link_Up", false);
  EXPECT_EQ(state.Set[kChangedSet].LinkUp, storedLinkUp - 2 * state.ChangePitch);
  Input().findChild<QPushButton*>("Command_Restore")->click();
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(state.Set[kChangedSet].LinkUp, storedLinkUp);
  EXPECT_EQ(BoxTexts(), storedBoxes);
  ExpectTableOfEngine(true);
}

TEST_F(WorkflowTest, ATypeChangeClosesTheViewsUntilTheNextCommit) {
  // Types 3 and 5 share position 1 in the samples, so the position label
  // still fits once the type has changed.
  OpenEditing(testing::SampleSet(3));
  Input().TypeList()->setCurrentIndex(3);  // "Type5"
  EXPECT_FALSE(ViewsOpen());
  EXPECT_EQ(window->Area()->findChild<GraphView*>(), nullptr);
  for (const QString& name : DimensionBoxes(5))
    EXPECT_EQ(Box(name)->text(), "") << name.toStdString();
  EXPECT_TRUE(Box(box::SusUpLength)->isVisibleTo(&Input()));
  EXPECT_FALSE(Box(box::SusUpX)->isVisibleTo(&Input()));
  EXPECT_EQ(Input().findChild<QLabel*>("Label3")->text(), "サス上部取付長:");

  const ConfigSet type5 = testing::SampleSet(5);
  ASSERT_EQ(type5.SusPos, state.Set[kBaseSet].SusPos);
  Fill(Input(), type5);
  PressEnterIn(box::LinkUp);
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(state.Set[kChangedSet].SusType, 5);
  EXPECT_EQ(state.Set[kChangedSet].SusUpLength, type5.SusUpLength);
  EXPECT_EQ(state.Mode, EditMode::Change);
  ASSERT_TRUE(ViewsOpen());
  ResultViews& views = window->Views();
  for (QWidget* view : ViewWindows()) EXPECT_TRUE(Shown(view)) << view->objectName().toStdString();
  ExpectTableOfEngine(true);
  const std::optional<RealView::DrawnLine> up = views.RealWindow()->Line("Line_Link_Up", 1);
  ASSERT_TRUE(up && up->Placed);
  EXPECT_NEAR(std::hypot(up->P2.x() - up->P1.x(), up->P2.y() - up->P1.y()), type5.LinkUp, 1e-6);
}

TEST_F(WorkflowTest, ChangedLinkFilesLoadAndSave) {
  const ConfigSet base = testing::SampleSet(4);
  OpenEditing(base);
  const int steps = LastSweepStroke(state.MaxStroke) / 5 + 1;

  // A changed file: the example of the type with a stiffer spring.
  std::optional<QStringList> lines = ReadTextLines(Example(4));
  ASSERT_TRUE(lines);
  const QString springKey = LinkFileKey(box::Spring) + "=";
  QString springText;
  for (QString& line : *lines) {
    if (!line.startsWith(springKey)) continue;
    springText = QString::fromStdString(GeneralDouble(line.mid(springKey.size()).toDouble() + 1.5));
    line = springKey + springText;
  }
  ASSERT_FALSE(springText.isEmpty());
  const QString stiffer = dir.filePath("stiffer.lin");
  ASSERT_TRUE(WriteTextLines(stiffer, *lines));

  // Loaded at "NEW": the changed set, swept on its own; "CHANGE" from now on.
  prompts.PickFile(stiffer);
  window->ClickButton(kButtonLoad);
  ASSERT_EQ(prompts.History().size(), 1u);
  EXPECT_EQ(prompts.History()[0].Kind, "open");
  EXPECT_EQ(prompts.History()[0].Dialog.Title, "ﾘﾝｸﾌｧｲﾙ選択");
  EXPECT_EQ(prompts.History()[0].Dialog.InitialFolder, QDir::currentPath());  // no dat folder
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(state.Mode, EditMode::Change);
  EXPECT_EQ(Box(box::Spring)->text(), springText);
  EXPECT_EQ(state.Set[kChangedSet].SpringRate, springText.toFloat());
  EXPECT_EQ(state.Set[kStoredSet].SpringRate, springText.toFloat());  // what restore returns to
  ExpectTableOfEngine(true);
  // A clean sweep of the loaded set ends in the detail drawing (5 mm here),
  // as an accepted edit does.
  EXPECT_EQ(window->Views().GraphWindow()->PlotCount(PlotColour::Red), steps);
  EXPECT_EQ(window->Views().GraphWindow()->PlotCount(PlotColour::Magenta), steps);

  // Loaded at "CHANGE": another type. The type list follows the file without
  // emptying the boxes or closing the views, and both sets are swept again.
  prompts.PickFile(Example(5));
  window->ClickButton(kButtonLoad);
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(state.Mode, EditMode::Change);
  EXPECT_EQ(state.Set[kChangedSet].SusType, 5);
  EXPECT_EQ(Input().TypeList()->currentIndex(), 3);
  EXPECT_EQ(Input().findChild<QLabel*>("Label23")->text(),
            QStringLiteral(" P %1").arg(state.Set[kChangedSet].SusPos));
  EXPECT_TRUE(Box(box::SusUpLength)->isVisibleTo(&Input()));
  EXPECT_FALSE(Box(box::SusUpX)->isVisibleTo(&Input()));
  ASSERT_TRUE(ViewsOpen());
  ExpectTableOfEngine(true);
  GraphView& graph = *window->Views().GraphWindow();
  for (PlotColour detail : {PlotColour::Blue, PlotColour::Cyan, PlotColour::Red,
                            PlotColour::Magenta}) {
    EXPECT_EQ(graph.PlotCount(detail), steps);
  }
  EXPECT_EQ(graph.PlotCount(PlotColour::Grey), 0);  // the coarse pass was drawn over
  EXPECT_EQ(graph.PlotCount(PlotColour::White), 0);

  // Saved at once, the file is the one that was loaded.
  const QString saved = dir.filePath("saved.lin");
  prompts.PickFile(saved);
  window->ClickButton(kButtonSave);
  EXPECT_EQ(prompts.History().back().Kind, "save");
  EXPECT_EQ(prompts.History().back().Dialog.Title, "保存ﾘﾝｸﾌｧｲﾙ選択");
  EXPECT_EQ(ReadBytes(saved), ReadBytes(Example(5)));

  // After an edit, the saved file read back gives the same boxes, with set
  // 1's type and position.
  Spin("Spin_Spring", true);
  ASSERT_TRUE(prompts.Messages().empty());
  prompts.PickFile(saved);
  window->ClickButton(kButtonSave);
  const std::optional<QStringList> written = ReadTextLines(saved);
  ASSERT_TRUE(written && written->size() >= 2);
  EXPECT_EQ(written->at(0), QStringLiteral("SUSTYPE=%1").arg(state.Set[kChangedSet].SusType));
  EXPECT_EQ(written->at(1), QStringLiteral("SUSPOS=%1").arg(state.Set[kChangedSet].SusPos));
  AppState readBack;
  MemoryForm form = MemoryForm::InputForm();
  ASSERT_EQ(ReadLinkFile(readBack, form, saved, kChangedSet).Status, LinkReadStatus::Ok);
  for (const QString& name : DimensionBoxes(5)) {
    EXPECT_EQ(form.BoxText(name), Box(name)->text()) << name.toStdString();
  }
  EXPECT_EQ(readBack.Set[kChangedSet].SusType, state.Set[kChangedSet].SusType);
  EXPECT_EQ(readBack.Set[kChangedSet].SusPos, state.Set[kChangedSet].SusPos);
  EXPECT_EQ(readBack.Set[kChangedSet].SpringRate, Box(box::Spring)->text().toFloat());
}

TEST_F(WorkflowTest, TheTableWindowWritesCsvAndPrints) {
  OpenEditing(testing::SampleSet(4));
  Spin("Spin_Preload", true);
  ASSERT_TRUE(prompts.Messages().empty());
  TableView& table = *window->Views().TableWindow();

  const QString path = dir.filePath("table.csv");
  prompts.PickFile(path);
  table.findChild<QAction*>("menu_file_csv")->trigger();
  EXPECT_TRUE(prompts.Messages().empty());
  const QString direct = dir.filePath("direct.csv");
  ASSERT_TRUE(WriteCsvFile(direct, CsvLines(state, window->Views().Table())));
  EXPECT_EQ(ReadBytes(path), ReadBytes(direct));
  // Two header lines, fourteen dimensions, an empty line, the stroke header
  // and one line per stroke row.
  const std::optional<QStringList> lines = ReadTextLines(path);
  ASSERT_TRUE(lines);
  const int steps = LastSweepStroke(state.MaxStroke) / 5 + 1;
  ASSERT_EQ(lines->size(), 2 + 14 + 1 + 1 + steps);
  EXPECT_EQ(lines->size(), 49);
  EXPECT_EQ(lines->at(1), QStringLiteral("サスタイプ,Type4,Type4"));
  for (int s = 0; s <= state.MaxStroke; s += 5) {
    const QStringList fields = lines->at(18 + s / 5).split(',');
    ASSERT_EQ(fields.size(), 10) << s;  // nine values, each followed by ","
    EXPECT_EQ(fields[0].toInt(), s);
    for (int c = 1; c < 9; ++c) {
      EXPECT_FLOAT_EQ(fields[c].toFloat(), ShownCell(c, ResultTable::RowOfStroke(s)).toFloat())
          << s << "," << c;
    }
  }

  const QString pdf = dir.filePath("report.pdf");
  table.Printer().setOutputFormat(QPrinter::PdfFormat);
  table.Printer().setOutputFileName(pdf);
  prompts.AcceptPrinter(true);
  table.findChild<QAction*>("menu_print")->trigger();
  EXPECT_EQ(prompts.History().back().Kind, "printer");
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_TRUE(ReadBytes(pdf).startsWith("%PDF"));

  // Another item chosen in the table's menu: the columns are rebuilt and
  // both sets swept into them again.
  table.ItemMenu(ResultItem::InvLinkRatio)->trigger();
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(table.Model()->HeaderLine(0, 1), "ﾘﾝｸﾚｼｵ(逆)");
  ExpectTableOfEngine(true);
}

// A stroke range lowered in the initial settings while the table is open:
// the rows of the longer range used to stay, with their numbers, in the grid
// and in every CSV file and report written from it. They go with the OK, and
// the next edit sweeps the new range.
TEST_F(WorkflowTest, LoweringTheStrokeRangeDropsTheTableRowsBeyondIt) {
  OpenEditing(testing::SampleSet(4));
  TableView& table = *window->Views().TableWindow();
  ASSERT_EQ(table.Model()->rowCount(), 31);

  window->OpenInitialSettings();
  ASSERT_NE(window->Init(), nullptr);
  window->Init()->findChild<QLineEdit*>("Text1")->setText("72");
  window->Init()->findChild<QPushButton*>("Command_OK")->click();
  QCoreApplication::processEvents();
  ASSERT_EQ(state.MaxStroke, 72);
  EXPECT_EQ(table.Model()->rowCount(), 15);  // strokes 0..70 mm
  EXPECT_EQ(CsvLines(state, window->Views().Table()).size(), 18 + 15);
  EXPECT_EQ(ReportLines(state, window->Views().Table()).size(), 21 + 15);

  Spin("Spin_Preload", true);
  ASSERT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(table.Model()->rowCount(), 15);
  ExpectTableOfEngine(true);
}

TEST_F(WorkflowTest, ToolbarBringsEachWindowToTheFront) {
  OpenEditing(testing::SampleSet(4));
  Spin("Spin_Link_Up", false);
  ASSERT_TRUE(prompts.Messages().empty());
  ResultViews& views = window->Views();
  RealView& real = *views.RealWindow();

  window->ClickButton(kButtonTableFront);
  EXPECT_EQ(Active(), views.TableWindow());
  // In front, the real-motion view moves both linkages with its sliders;
  // left again, it shows both at their initial positions.
  window->ClickButton(kButtonRealFront);
  EXPECT_EQ(Active(), &real);
  for (int index : {kBaseMotion, kChangedMotion})
    EXPECT_TRUE(real.LineDrawn("Line_Link_Up", index));
  EXPECT_FALSE(real.LineDrawn("Line_Link_Up", kChangedSet));
  window->ClickButton(kButtonInputFront);
  EXPECT_EQ(Active(), &Input());
  for (int index : {kBaseSet, kChangedSet}) EXPECT_TRUE(real.LineDrawn("Line_Link_Up", index));
  EXPECT_FALSE(real.LineDrawn("Line_Link_Up", kChangedMotion));

  // The graph comes to the front; once in front, it is drawn again at 0.2 mm
  // and the chosen pitch stays as it was.
  GraphView& graph = *views.GraphWindow();
  const float pitch = state.GraphDetailPitch;
  window->ClickButton(kButtonGraphFront);
  EXPECT_EQ(Active(), &graph);
  const int coarse = DetailSteps(pitch, state.MaxStroke);
  EXPECT_EQ(graph.PlotCount(PlotColour::Red), coarse);
  window->ClickButton(kButtonGraphFront);
  EXPECT_EQ(Active(), &graph);
  const int fine = DetailSteps(0.2f, state.MaxStroke);
  EXPECT_GT(fine, coarse);
  for (PlotColour colour :
       {PlotColour::Blue, PlotColour::Cyan, PlotColour::Red, PlotColour::Magenta})
    EXPECT_EQ(graph.PlotCount(colour), fine) << static_cast<int>(colour);
  EXPECT_EQ(state.GraphDetailPitch, pitch);
}

TEST_F(WorkflowTest, PreviousGoesBackToTheBaseForm) {
  const ConfigSet sample = testing::SampleSet(4);
  OpenEditing(sample);
  Spin("Spin_Fork_Length", true);
  ASSERT_EQ(state.Mode, EditMode::Change);

  window->ClickButton(kButtonPrevious);
  EXPECT_EQ(state.Mode, EditMode::Base);
  EXPECT_TRUE(Shown(window->BaseDimensions()));
  EXPECT_EQ(window->Input(), nullptr);
  EXPECT_FALSE(ViewsOpen());
  EXPECT_EQ(window->Area()->findChild<InputForm*>(), nullptr);
  EXPECT_EQ(EnabledOf({6, 7, 8, 9, 12, 13}), (std::vector<int>{12, 13}));

  // Forward again: the position stands, and the form starts over from the
  // base set.
  EXPECT_FALSE(NextChoosing(sample.SusPos));
  ASSERT_EQ(state.Mode, EditMode::New);
  EXPECT_TRUE(ViewsOpen());
  EXPECT_EQ(Box(box::ForkLength)->text(),
            Q(FormatNumber(state.Set[kBaseSet].ForkLength, "###.##")));
  EXPECT_EQ(state.Set[kChangedSet].ForkLength, state.Set[kBaseSet].ForkLength);
  ExpectTableOfEngine(false);
}

TEST_F(WorkflowTest, FrontButtonsOpenViewsThatATypeChangeClosed) {
  OpenEditing(testing::SampleSet(3));
  Input().TypeList()->setCurrentIndex(3);  // Type5: the views close
  ASSERT_FALSE(ViewsOpen());
  // The table's button opens the three views again with the base set swept,
  // the table beside the change-input form and in front.
  window->ClickButton(kButtonTableFront);
  ASSERT_TRUE(ViewsOpen());
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(Active(), window->Views().TableWindow());
  EXPECT_EQ(window->SubWindowOf(window->Views().TableWindow())->x(),
            window->SubWindowOf(&Input())->geometry().right() + 1);
  ExpectTableOfEngine(false);
  EXPECT_EQ(window->Views().GraphWindow()->PlotCount(PlotColour::Grey),
            LastSweepStroke(state.MaxStroke) / 5 + 1);
}

TEST_F(WorkflowTest, FilesThatCannotBeReadOrWrittenAreToldInTheProgramsWords) {
  OpenEditing(testing::SampleSet(4));
  const QString missing = dir.filePath("none/missing.lin");
  prompts.PickFile(missing);
  window->ClickButton(kButtonLoad);
  prompts.PickFile(missing);
  window->ClickButton(kButtonSave);
  const auto messages = prompts.Messages();
  ASSERT_EQ(messages.size(), 2u);
  for (const auto& message : messages) {
    // A Japanese headline and the file: no text of the system's libraries.
    const QStringList lines = message.Text.split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], QDir::toNativeSeparators(missing));
    for (const QChar c : lines[0]) EXPECT_GT(c.unicode(), 0x7f) << lines[0].toStdString();
  }
  EXPECT_EQ(state.Mode, EditMode::New);  // nothing was read
  EXPECT_TRUE(ViewsOpen());
}

}  // namespace
}  // namespace potelan
