// The change-input form: what it shows when it opens, what every kind of
// commit does to the changed set, and how a change is judged, processed,
// refused and put back.
#include "entry/InputForm.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <map>

#include "SampleLinkages.hpp"
#include "entry/BoxNames.hpp"
#include "entry/ChangeViews.hpp"
#include "entry/WidgetEntryForm.hpp"
#include "model/NumberFormat.hpp"
#include "model/Solver.hpp"
#include "ui/ScriptedPrompts.hpp"

namespace potelan {
namespace {

// Views that record what the form asks of them.
class FakeViews : public ChangeViews {
 public:
  struct Sink : PlotSink {
    void Plot(double, double, PlotColour) override { ++points; }
    void Clear() override {
      points = 0;
      ++clears;
    }
    int points = 0;
    int clears = 0;
  };

  void EnsureOpen() override {
    if (!open) ++reopened;
    open = true;
  }
  void Close() override { open = false; }
  bool IsOpen() const override { return open; }
  bool LoadDisplayShown() const override { return loadDisplay; }
  void LoadDisplayOff() override { loadDisplay = false; }
  void DrawChangedSet() override { ++drawn; }
  void ShowMember(const QString& line) override { shown[line] = true; }
  int MemberWidth(const QString& line) const override {
    const auto it = widths.find(line);
    return it == widths.end() ? 1 : it->second;
  }
  void SetMemberWidth(const QString& line, int width) override { widths[line] = width; }
  void SetJointCaption(const QString& label, const QString& caption) override {
    captions[label] = caption;
  }
  PlotSink& Graph() override { return sink; }
  void DetailDrawingAtCheckedPitch() override { ++detailDrawings; }
  ResultTable& Table() override { return table; }
  void TableChanged() override {}

  bool open = true;
  bool loadDisplay = false;
  int reopened = 0, drawn = 0, detailDrawings = 0;
  std::map<QString, int> widths;
  std::map<QString, bool> shown;
  std::map<QString, QString> captions;
  Sink sink;
  ResultTable table;
};

class InputFormTest : public ::testing::Test {
 protected:
  void Open(const ConfigSet& base) {
    state.Set[kBaseSet] = base;
    state.Mode = EditMode::New;
    CopySet(state, kBaseSet);
    form = std::make_unique<InputForm>(state, prompts, views);
  }
  QLineEdit* Box(const QString& name) const { return form->findChild<QLineEdit*>(name); }
  // Types into a box and presses Enter there.
  void Enter(const QString& name, const QString& text) {
    Box(name)->setText(text);
    form->EnterInBox(name);
  }

  AppState state;
  ScriptedPrompts prompts;
  FakeViews views;
  std::unique_ptr<InputForm> form;
};

TEST_F(InputFormTest, OpensWithTheBaseValuesAndACopyOfTheBaseSet) {
  Open(testing::SampleSet(4));
  EXPECT_EQ(form->windowTitle(), "緒元入力");
  EXPECT_EQ(Box(box::ForkLength)->text(),
            QString::fromStdString(FormatNumber(state.Set[0].ForkLength, "###.##")));
  EXPECT_EQ(Box(box::Spring)->text(),
            QString::fromStdString(FormatNumber(state.Set[0].SpringRate, "##.#")));
  EXPECT_EQ(form->PitchList()->currentText(), "1.0");
  EXPECT_EQ(state.ChangePitch, 1.0);
  EXPECT_EQ(form->findChild<QLabel*>("Label16")->text(), "P 3");
  EXPECT_EQ(form->findChild<QLabel*>("Label23")->text(), " P 3");
  EXPECT_EQ(form->findChild<QLabel*>("Label18")->text(), "Type4");
  EXPECT_EQ(form->TypeList()->currentIndex(), 2);
  const ConfigSet& base = state.Set[0];
  const ConfigSet& changed = state.Set[1];
  EXPECT_EQ(changed.SusType, 4);
  EXPECT_EQ(changed.SusPos, 3);
  EXPECT_EQ(changed.LinkUp, base.LinkUp);
  EXPECT_EQ(changed.TenRodLength, base.TenRodLength);
  EXPECT_EQ(changed.SusUpY, base.SusUpY);
  EXPECT_EQ(state.Mode, EditMode::New);
  EXPECT_FALSE(Box(box::SusUpLength)->isVisibleTo(form.get()));
  EXPECT_TRUE(Box(box::LinkUp)->isVisibleTo(form.get()));
  EXPECT_FALSE(Box(box::RebSpring)->isVisibleTo(form.get()));
}

TEST_F(InputFormTest, SpinsStepByThePitchInTheirOwnDirection) {
  Open(testing::SampleSet(4));
  form->SetPitchText("0.5");
  const ConfigSet before = state.Set[1];
  form->Spin("Spin_Link_Up", true);
  EXPECT_EQ(state.Set[1].LinkUp, before.LinkUp + 0.5);
  form->Spin("Spin_Dy", true);
  EXPECT_EQ(state.Set[1].FrameLinkY, before.FrameLinkY - 0.5);
  form->Spin("Spin_Fork_Length", true);
  EXPECT_EQ(state.Set[1].ForkLength, before.ForkLength + 1);
  form->Spin("Spin_Spring", false);
  EXPECT_EQ(state.Set[1].SpringRate, before.SpringRate - 0.1);
  // The boxes follow the accepted set.
  EXPECT_EQ(Box(box::LinkUp)->text(),
            QString::fromStdString(FormatNumber(before.LinkUp + 0.5, "###.##")));
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(InputFormTest, PivotSpinMovesTheFrameFixedPointsTheOtherWay) {
  Open(testing::SampleSet(4));
  const ConfigSet before = state.Set[1];
  form->Spin("Spin_Pivot_y", false);
  EXPECT_EQ(state.Set[1].PivotMoveY, before.PivotMoveY + 1);
  EXPECT_EQ(state.Set[1].SusUpY, before.SusUpY - 1);
  EXPECT_EQ(state.Set[1].FrameLinkY, before.FrameLinkY - 1);
  EXPECT_EQ(state.Set[1].AxleStartPos, before.AxleStartPos - 1);
  EXPECT_EQ(Box(box::PivotY)->text(), "1.");
}

TEST_F(InputFormTest, TheFirstCommitStoresTheBoxesAndProcessesTheChange) {
  Open(testing::SampleSet(3));
  const double linkUp = state.Set[1].LinkUp;
  form->Spin("Spin_Link_Up", true);
  EXPECT_EQ(state.Mode, EditMode::Change);
  EXPECT_EQ(state.Set[4].LinkUp, static_cast<double>(static_cast<float>(linkUp)));
  // Processed: both sets swept, the views fed, the last good set kept.
  EXPECT_EQ(views.sink.points, 2 * 31 * 2);
  EXPECT_EQ(views.detailDrawings, 1);
  EXPECT_EQ(views.drawn, 1);
  EXPECT_NE(views.table.Cell(1, 32), "");
  EXPECT_NE(views.table.Cell(2, 32), "");
  EXPECT_EQ(state.Set[5].LinkUp, linkUp + 1);
}

TEST_F(InputFormTest, TypingWithoutEnterChangesNothingUntilACommit) {
  Open(testing::SampleSet(4));
  const double spring = state.Set[1].SpringRate;
  Box(box::Spring)->setText("12.5");
  EXPECT_EQ(state.Set[1].SpringRate, spring);
  form->EnterInBox(box::Spring);
  EXPECT_EQ(state.Set[1].SpringRate, 12.5);
}

TEST_F(InputFormTest, AChangeThatCannotBeFormedIsPutBack) {
  ConfigSet base = testing::SampleSet(2);
  base.ForkLength = 500;
  base.AxleStartPos = -300;
  Open(base);
  form->Spin("Spin_Link_Up", true);  // accepted: becomes the last good set
  ASSERT_TRUE(prompts.Messages().empty());
  const double goodAxle = state.Set[1].AxleStartPos;

  Enter(box::AxleStartPos, "-600");  // beyond the fork's reach at once
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].Text,
            "変更された条件でリンクが成立しません\nデータを前の状態に戻します");
  EXPECT_EQ(prompts.Messages()[0].Title, "ぽてらんからの警告!!");
  EXPECT_EQ(prompts.Messages()[0].Icon, MessageIcon::Error);
  EXPECT_EQ(state.Set[1].AxleStartPos, goodAxle);
  EXPECT_EQ(Box(box::AxleStartPos)->text(), "-300.");
  EXPECT_FALSE(state.LinkFailed);

  prompts.Clear();
  Enter(box::AxleStartPos, "-466");  // leaves the reach first at 35 mm
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].Text,
            "変更された条件のｱｸｽﾙｽﾄﾛｰｸ35mm でリンクが成立しません\nデータを前の状態に戻します");
  EXPECT_EQ(state.Set[1].AxleStartPos, goodAxle);
  EXPECT_EQ(state.Set[3].AxleStartPos, goodAxle);
}

TEST_F(InputFormTest, WithoutAGoodSetTheBaseValuesComeBack) {
  Open(testing::SampleSet(4));
  state.Set[5] = ConfigSet();  // nothing has passed a sweep yet
  Enter(box::ForkLength, "10");
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(state.Set[1].ForkLength, state.Set[0].ForkLength);
}

// A letter used to be read as 0 and reported as a linkage that cannot be
// formed; the box is named instead, and the set keeps its value.
TEST_F(InputFormTest, ALetterInABoxIsNamedAndTheSetKeepsItsValue) {
  Open(testing::SampleSet(4));
  Enter(box::LinkFr, "6l");
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_TRUE(prompts.Messages()[0].Text.contains("リンクプレート前辺:「6l」"));
  EXPECT_EQ(BoxColourOf(*Box(box::LinkFr)), BoxColour::Red);
  EXPECT_EQ(state.Set[1].LinkFr, state.Set[0].LinkFr);
  EXPECT_FALSE(state.LinkFailed);
}

TEST_F(InputFormTest, AnEmptyShownBoxStopsTheJudgementAndLeavesNoFlag) {
  Open(testing::SampleSet(4));
  Box(box::TenRod)->clear();
  form->EnterInBox(box::LinkUp);
  EXPECT_EQ(BoxColourOf(*Box(box::TenRod)), BoxColour::Red);
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(views.sink.points, 0);
}

TEST_F(InputFormTest, Type2IsJudgedWithoutItsHiddenLinkBoxes) {
  Open(testing::SampleSet(2));
  EXPECT_FALSE(Box(box::LinkUp)->isVisibleTo(form.get()));
  form->Spin("Spin_Spring", true);
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_GT(views.sink.points, 0);
}

TEST_F(InputFormTest, ATypeChangeEmptiesTheBoxesAndClosesTheViews) {
  Open(testing::SampleSet(3));
  state.Mode = EditMode::Change;
  form->TypeList()->setCurrentIndex(3);  // Type5
  EXPECT_FALSE(views.open);
  EXPECT_EQ(Box(box::ForkLength)->text(), "");
  EXPECT_TRUE(Box(box::SusUpLength)->isVisibleTo(form.get()));
  EXPECT_FALSE(Box(box::SusUpX)->isVisibleTo(form.get()));
  EXPECT_EQ(form->findChild<QLabel*>("Label3")->text(), "サス上部取付長:");
  EXPECT_EQ(form->findChild<QLabel*>("Label4")->text(), "サス上部取付オフセット:");
  EXPECT_EQ(state.Set[1].SusUpLength, state.Set[0].SusUpLength);

  // The examples' Type 5 values, typed in and committed, reopen the views.
  const ConfigSet t5 = testing::SampleSet(5);
  const std::pair<QString, double> values[] = {
      {box::SusUpLength, t5.SusUpLength}, {box::SusUpOffset, t5.SusUpOffset},
      {box::FrameLinkX, t5.FrameLinkX},   {box::FrameLinkY, t5.FrameLinkY},
      {box::ForkLinkLength, t5.ForkLinkLength}, {box::ForkLinkOffset, t5.ForkLinkOffset},
      {box::LinkUp, t5.LinkUp},           {box::LinkFr, t5.LinkFr},
      {box::LinkRr, t5.LinkRr},           {box::TenRod, t5.TenRodLength},
      {box::ForkLength, t5.ForkLength},   {box::AxleStartPos, t5.AxleStartPos},
      {box::Spring, t5.SpringRate},       {box::Preload, t5.Preload},
      {box::PivotX, 0},                   {box::PivotY, 0}};
  for (const auto& [name, value] : values) {
    Box(name)->setText(QString::fromStdString(GeneralDouble(value)));
  }
  form->findChild<QLabel*>("Label23")->setText(" P 1");
  form->EnterInBox(box::LinkUp);
  EXPECT_TRUE(prompts.Messages().empty()) << prompts.Messages()[0].Text.toStdString();
  EXPECT_EQ(state.Set[1].SusType, 5);
  EXPECT_TRUE(views.open);
  EXPECT_EQ(views.reopened, 1);
}

TEST_F(InputFormTest, ATypeWithALinkPlateShowsItsGroupsAndNoTypeHidesThem) {
  // A Type 2 base opens without the plate and rod groups; changing to Type 4
  // shows them, so that its dimensions can be entered at all.
  Open(testing::SampleSet(2));
  state.Mode = EditMode::Change;
  QWidget* plate = Box(box::LinkUp)->parentWidget();
  QWidget* frame = Box(box::FrameLinkX)->parentWidget();
  EXPECT_FALSE(plate->isVisibleTo(form.get()));
  EXPECT_FALSE(frame->isVisibleTo(form.get()));
  form->TypeList()->setCurrentIndex(2);  // Type4
  EXPECT_TRUE(plate->isVisibleTo(form.get()));
  EXPECT_TRUE(frame->isVisibleTo(form.get()));
  EXPECT_TRUE(Box(box::LinkUp)->isVisibleTo(form.get()));
  // Back to Type 2: the groups hide again.
  form->TypeList()->setCurrentIndex(0);
  EXPECT_FALSE(plate->isVisibleTo(form.get()));
  EXPECT_FALSE(frame->isVisibleTo(form.get()));
}

TEST_F(InputFormTest, StoreAndRestore) {
  // The sample's link plate lets its upper side shorten by a few millimetres.
  Open(testing::SampleSet(4));
  form->Spin("Spin_Link_Up", false);
  form->Store();
  const double stored = state.Set[4].LinkUp;
  EXPECT_EQ(stored, testing::SampleSet(4).LinkUp - 1);
  form->Spin("Spin_Link_Up", false);
  form->Spin("Spin_Link_Up", false);
  EXPECT_EQ(state.Set[1].LinkUp, stored - 2);
  EXPECT_TRUE(prompts.Messages().empty());
  form->Restore();
  EXPECT_EQ(state.Set[1].LinkUp, stored);
  EXPECT_EQ(Box(box::LinkUp)->text(), QString::fromStdString(FormatNumber(stored, "###.##")));
  EXPECT_EQ(state.Mode, EditMode::Change);
}

TEST_F(InputFormTest, ARestoredSetThatFailsEndsWithoutALoop) {
  // The base set fails beyond 100 mm (the stroke range grew after it was
  // judged) and no good set exists: an edit that fails restores the base
  // set, which fails as well. The user is told, and it ends.
  ConfigSet base = testing::SampleSet(2);
  base.ForkLength = 500;
  base.AxleStartPos = -380;
  Open(base);
  state.MaxStroke = 150;
  // The first stroke, on the 5 mm grid, at which the base set cannot be formed.
  int failsAt = -1;
  for (int s = 0; s <= state.MaxStroke && failsAt < 0; s += 5) {
    ConfigSet probe = base;
    probe.AxleStartPos = base.AxleStartPos - s;
    if (!testing::SolvesAt(probe, probe.SusPos)) failsAt = s;
  }
  ASSERT_GT(failsAt, 0);
  Enter(box::AxleStartPos, "-600");
  // The refusal, then the base set's own failure once, at its own stroke.
  ASSERT_EQ(prompts.Messages().size(), 2u);
  EXPECT_TRUE(prompts.Messages()[0].Text.startsWith("変更された条件でリンクが成立しません"));
  EXPECT_EQ(prompts.Messages()[1].Text, QString::fromStdString(StrokeFailureMessage(failsAt)));
  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(state.Set[1].AxleStartPos, -380);
}

TEST_F(InputFormTest, ABadPitchIsRefusedAndTheOldOneKept) {
  Open(testing::SampleSet(4));
  form->SetPitchText("0.5");
  EXPECT_EQ(state.ChangePitch, 0.5);
  for (const char* bad : {"abc", "0", "-1", ""}) {
    form->SetPitchText(bad);
    EXPECT_EQ(state.ChangePitch, 0.5) << bad;
  }
  EXPECT_EQ(prompts.Messages().size(), 4u);
  EXPECT_EQ(form->PitchList()->currentText(), "0.5");  // the pitch in force came back
  // Chosen, the text stands until the box is left; then the number's own form.
  form->PitchList()->setCurrentIndex(2);
  emit form->PitchList()->activated(2);
  EXPECT_EQ(state.ChangePitch, 1.0);
  EXPECT_EQ(form->PitchList()->currentText(), "1.0");
  QFocusEvent leave(QEvent::FocusOut);
  QApplication::sendEvent(form->PitchList(), &leave);
  EXPECT_EQ(form->PitchList()->currentText(), "1");
  // A pitch typed and entered is taken but not added to the list.
  form->PitchList()->setEditText("0.2");
  QTest::keyClick(form->PitchList()->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(state.ChangePitch, 0.2);
  form->PitchList()->setEditText("abc");
  QTest::keyClick(form->PitchList()->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(state.ChangePitch, 0.2);
  EXPECT_EQ(form->PitchList()->count(), 3);
}

TEST_F(InputFormTest, HoldingALabelPulsesTheChangedMember) {
  Open(testing::SampleSet(4));
  form->PressLabel("Label1(1)");
  EXPECT_TRUE(form->Timer()->isActive());
  EXPECT_EQ(form->Timer()->interval(), 200);
  EXPECT_TRUE(views.shown["Line_Ten_Rod"]);
  std::vector<int> widths;
  for (int i = 0; i < 6; ++i) {
    form->PulseTick();
    widths.push_back(views.MemberWidth("Line_Ten_Rod"));
  }
  EXPECT_EQ(widths, (std::vector<int>{2, 3, 2, 1, 2, 3}));
  form->ReleaseLabel("Label1(1)");
  EXPECT_FALSE(form->Timer()->isActive());
  EXPECT_EQ(views.MemberWidth("Line_Ten_Rod"), 1);

  form->PressLabel("Label21");
  EXPECT_EQ(views.captions["Label_Axle"], "★");
  form->ReleaseLabel("Label21");
  EXPECT_EQ(views.captions["Label_Axle"], "");
}

TEST_F(InputFormTest, TheLoadDisplayIsSwitchedOffByACommit) {
  Open(testing::SampleSet(4));
  views.loadDisplay = true;
  form->Spin("Spin_Link_Up", true);
  EXPECT_FALSE(views.loadDisplay);
}

TEST_F(InputFormTest, TheUserCannotCloseIt) {
  Open(testing::SampleSet(4));
  form->show();
  EXPECT_FALSE(form->close());
  form->AllowClose();
  EXPECT_TRUE(form->close());
}

}  // namespace
}  // namespace potelan
