// Form_Real, the real-motion view: member lines join the solved joints of
// every type, the sliders move the motion sets along the stroke with their
// read-outs and loads, the markers report coordinates, the radius entry
// refuses what is no length, activation swaps the drawn sets.

#include "views/RealView.hpp"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleFactory>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "SampleLinkages.hpp"
#include "model/NumberFormat.hpp"
#include "model/Solver.hpp"
#include "ui/Controls.hpp"
#include "ui/Units.hpp"
#include "views/StrokePlayback.hpp"
#include "QtText.hpp"

namespace potelan {
namespace {

constexpr double kTolerance = 1e-9;

QString F(double value, const char* pattern) {
  return QString::fromStdString(FormatNumber(value, pattern));
}

// The base sample with the shock's upper mount moved: other shock length and
// loads, the same assembly over the stroke.
ConfigSet ChangedSample(int type) {
  ConfigSet c = testing::SampleSet(type);
  if (type >= 5) {
    c.SusUpOffset -= 6;
  } else {
    c.SusUpY -= 12;
    c.SusUpX += 5;
  }
  return c;
}

// A lone copy of a set solved at `stroke`, its reference length taken at 0.
ConfigSet SolvedAt(const AppState& state, int source, double stroke, bool* ok = nullptr) {
  AppState lone;
  lone.Set[0] = state.Set[static_cast<std::size_t>(source)];
  lone.Set[0].SusLength0 = 0;
  const double start = lone.Set[0].AxleStartPos;
  const bool atZero = SolveLinkage(lone, 0, lone.Set[0].SusPos) == SolveResult::Assembled;
  lone.Set[0].AxleStartPos = start - stroke;
  const bool atStroke = SolveLinkage(lone, 0, lone.Set[0].SusPos) == SolveResult::Assembled;
  if (ok != nullptr) *ok = atZero && atStroke;
  return lone.Set[0];
}

void ExpectPoint(const QPointF& actual, double x, double y, const std::string& what) {
  EXPECT_NEAR(actual.x(), x, kTolerance) << what;
  EXPECT_NEAR(actual.y(), y, kTolerance) << what;
}

struct Member {
  QString Line;
  QPointF From, To;
};

// The members of each type and the joints they join.
std::vector<Member> ExpectedMembers(const ConfigSet& c) {
  const QPointF axle(c.AxleX, c.AxleY), up(c.SusUpX, c.SusUpY), lwr(c.SusLwrX, c.SusLwrY),
      rod(c.LinkLwrX, c.LinkLwrY), fork(c.ForkLinkX, c.ForkLinkY),
      base(c.ForkLinkBaseX, c.ForkLinkBaseY), frame(c.FrameLinkX, c.FrameLinkY);
  std::vector<Member> m = {{"Line_Fork", {0, 0}, axle}, {"Line_Sus", up, lwr}};
  if (c.SusType == 2) {
    m.push_back({"Line_Offset", base, lwr});
  } else if (c.SusType == 3 || c.SusType == 5) {
    m.insert(m.end(), {{"Line_Offset", fork, base},
                       {"Line_Ten_Rod", frame, rod},
                       {"Line_Link_Rr", rod, fork},
                       {"Line_Link_Fr", lwr, rod},
                       {"Line_Link_Up", lwr, fork}});
  } else {
    m.insert(m.end(), {{"Line_Offset", fork, base},
                       {"Line_Ten_Rod", fork, rod},
                       {"Line_Link_Rr", rod, lwr},
                       {"Line_Link_Fr", frame, rod},
                       {"Line_Link_Up", lwr, frame}});
  }
  return m;
}

const QStringList kLinkLines = {"Line_Ten_Rod", "Line_Link_Rr", "Line_Link_Fr", "Line_Link_Up"};
const QStringList kMemberLines = QStringList{"Line_Fork", "Line_Sus", "Line_Offset"} + kLinkLines;
const QStringList kLoadLines = {"Line_Pivot_Load", "Line_Load_D_or_B", "Line_Axle_Load"};
const QStringList kLoadLabels = {"Label_Pivot_Load", "Label_D_or_B", "Label_Axle_Load",
                                 "Label_Sus_Load", "Label_Ten_Rod_Load"};

void SendMouse(QWidget* target, QEvent::Type type) {
  const QPointF inside(2, 2);
  QMouseEvent event(type, inside, target->mapToGlobal(inside), Qt::LeftButton,
                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

QPointF Centre(const QWidget* widget) { return QRectF(widget->geometry()).center(); }

class RealViewTest : public ::testing::Test {
 protected:
  // Base and changed linkage of a type in sets 0 and 1, solved at their
  // initial positions and copied into the sweep and motion sets.
  void Load(int type, EditMode mode = EditMode::Change) {
    state.Set[kBaseSet] = testing::SampleSet(type);
    state.Set[kChangedSet] = ChangedSample(type);
    for (int set : {kBaseSet, kChangedSet}) {
      ASSERT_EQ(SolveLinkage(state, set, state.Set[static_cast<std::size_t>(set)].SusPos),
                SolveResult::Assembled)
          << "sample type " << type;
      CopySet(state, set);
    }
    state.Mode = mode;
  }

  RealView& View() {
    if (!view) view = std::make_unique<RealView>(state);
    return *view;
  }
  QSlider* Slider(int k) { return View().Slider(k); }
  template <class T = QLabel>
  T* Find(const QString& name, int index) {
    T* found = FindIndexed<T>(View(), name, index);
    EXPECT_NE(found, nullptr) << name.toStdString() << "(" << index << ")";
    return found;
  }
  QAction* Menu(const char* name, int index) { return Find<QAction>(name, index); }

  AppState state;
  std::unique_ptr<RealView> view;
};

TEST_F(RealViewTest, OpensWithTheBaseDrawingItsMenusAndControls) {
  Load(4, EditMode::New);
  state.Set[kBaseSet].SusLength0 = 287.25;
  state.MaxStroke = 120;
  RealView& v = View();
  EXPECT_EQ(v.objectName(), "Form_Real");
  EXPECT_EQ(v.windowTitle(), "実働表示");
  EXPECT_EQ(v.width(), Px(8910));
  EXPECT_EQ(v.height() - v.findChild<QMenuBar*>()->sizeHint().height(), Px(6510));
  // Picture1 spans the width at 1020 : 600 on a grey ground, one scale for both axes.
  EXPECT_EQ(v.Picture()->width(), Px(8910));
  EXPECT_NEAR(v.Picture()->height(), Px(8910) * 600.0 / 1020.0, 1.0);
  EXPECT_NEAR(v.Scale(), v.Picture()->height() / 600.0, 1.0 / 600);
  EXPECT_EQ(v.Picture()->grab().toImage().pixelColor(3, 3), QColor(192, 192, 192));

  for (const QString& line : kMemberLines) {
    EXPECT_TRUE(v.LineDrawn(line, 0)) << line.toStdString();
    for (int set : {1, 6, 7}) EXPECT_FALSE(v.LineDrawn(line, set)) << line.toStdString() << set;
  }
  EXPECT_EQ(v.Line("Line_Sus", 0)->Width, 2);
  EXPECT_EQ(v.Line("Line_Fork", 0)->Width, 1);

  EXPECT_EQ(Find<QMenu>("menu_dummy", 0)->title(), "荷重表示");
  EXPECT_EQ(Find<QMenu>("menu_dummy", 1)->title(), "想定サス半径表示");
  EXPECT_EQ(v.findChild<QAction*>("menu_sus_r_change")->text(), "半径変更");
  for (const char* menu : {"menu_load", "menu_sus_r"}) {
    EXPECT_EQ(Menu(menu, 0)->text(), "ON");
    EXPECT_EQ(Menu(menu, 1)->text(), "OFF");
    EXPECT_FALSE(Menu(menu, 0)->isChecked());
    EXPECT_TRUE(Menu(menu, 1)->isChecked());
  }
  EXPECT_FALSE(v.StatusShown());
  EXPECT_TRUE(v.findChild<QGroupBox*>("Frame1")->isHidden());
  EXPECT_EQ(v.findChild<QGroupBox*>("Frame1")->title(), "新規サス長入力");
  EXPECT_FLOAT_EQ(v.SusRadius(), 287.25f);
  EXPECT_EQ(v.findChild<QLineEdit*>("Text1")->text(), F(287.25, "###.0"));
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(Slider(k)->minimum(), -120);
    EXPECT_EQ(Slider(k)->maximum(), 0);
    EXPECT_EQ(Slider(k)->value(), 0);
  }
}

TEST_F(RealViewTest, MemberLinesJoinTheSolvedJointsOfEveryType) {
  for (int type = 2; type <= 6; ++type) {
    SCOPED_TRACE("type " + std::to_string(type));
    state = AppState();
    view.reset();
    Load(type);
    View().Activate();
    Slider(1)->setValue(-37);
    const ConfigSet at37 = SolvedAt(state, kChangedSet, 37);
    for (int set : {kBaseSet, kChangedMotion}) {
      for (const Member& m : ExpectedMembers(set == kBaseSet ? state.Set[kBaseSet] : at37)) {
        const auto line = View().Line(m.Line, set);
        ASSERT_TRUE(line && line->Placed) << m.Line.toStdString() << " of set " << set;
        ExpectPoint(line->P1, m.From.x(), m.From.y(), m.Line.toStdString() + " start");
        ExpectPoint(line->P2, m.To.x(), m.To.y(), m.Line.toStdString() + " end");
      }
    }
    EXPECT_TRUE(View().LineDrawn("Line_Fork", kChangedMotion));
    EXPECT_FALSE(View().LineDrawn("Line_Fork", kChangedSet));
  }
}

// A moved pivot moves the whole drawing of its set, so the frame stays put.
TEST_F(RealViewTest, PivotMoveShiftsTheDrawingOfItsSet) {
  Load(4, EditMode::New);
  state.Set[kChangedSet].PivotMoveX = 20;
  state.Set[kChangedSet].PivotMoveY = -8;
  RealView& v = View();
  v.Graphic(kChangedSet);
  const auto base = v.Line("Line_Fork", 0);
  const auto changed = v.Line("Line_Fork", 1);
  ExpectPoint(changed->Origin, -320, -342, "changed origin");
  const QPointF shift =
      v.PicturePoint(changed->P1, changed->Origin) - v.PicturePoint(base->P1, base->Origin);
  ExpectPoint(shift / v.Scale(), 20, -8, "pivot shift");
}

// A set without a type is drawn as Type 4; a joint that is no number is not drawn.
TEST_F(RealViewTest, UntypedSetsAndNonNumbersDrawNothingBroken) {
  state.Mode = EditMode::New;
  RealView& v = View();
  v.Graphic(kChangedSet);
  EXPECT_EQ(state.Set[kChangedSet].SusType, 4);
  state.Set[kChangedSet].AxleX = std::nan("");
  v.Graphic(kChangedSet);
  v.ShowMember("Line_Fork", 1);
  EXPECT_FALSE(v.LineDrawn("Line_Fork", 1));
  EXPECT_TRUE(v.Line("Line_Sus", 1)->Placed);
  EXPECT_TRUE(Find("Label_Axle", 1)->isHidden());
  EXPECT_FALSE(Find("Label_Sus_Up", 1)->isHidden());
  EXPECT_FALSE(v.Picture()->grab().isNull());
}

TEST_F(RealViewTest, SliderAtItsTopEndShowsTheFullStroke) {
  state.MaxStroke = 120;
  Load(4);
  RealView& v = View();
  v.Activate();
  Slider(1)->triggerAction(QAbstractSlider::SliderToMinimum);
  const ConfigSet expected = SolvedAt(state, kChangedSet, 120);
  const ConfigSet& c = state.Set[kChangedMotion];
  EXPECT_NEAR(c.AxleStartPos, state.Set[kChangedWork].AxleStartPos - 120, kTolerance);
  ExpectPoint({c.SusLwrX, c.SusLwrY}, expected.SusLwrX, expected.SusLwrY, "shock lower mount");
  ExpectPoint({c.LinkLwrX, c.LinkLwrY}, expected.LinkLwrX, expected.LinkLwrY, "rod joint");
  EXPECT_NEAR(c.SusStroke, expected.SusStroke, kTolerance);
  EXPECT_EQ(v.PanelText(1), "変更ｻｽの値");
  EXPECT_EQ(v.PanelText(2), "ｱｸｽﾙｽﾄﾛｰｸ 120mm");
  EXPECT_EQ(v.PanelText(3),
            "ﾘﾝｸﾚｼｵ " + F(expected.LinkRatio, "0.000") + ":" + F(expected.InvLinkRatio, "0.000"));
  EXPECT_EQ(v.PanelText(4), "サス長 " + F(expected.SusLength, "###") + "mm");
  EXPECT_EQ(v.PanelText(5), "ｻｽｽﾄﾛｰｸ " + F(expected.SusStroke, "##0.0") + "mm");
  // The base slider set stayed at stroke 0.
  EXPECT_NEAR(state.Set[kBaseMotion].AxleX, state.Set[kBaseSet].AxleX, kTolerance);
  Slider(0)->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(v.PanelText(1), "基準ｻｽの値");
  EXPECT_NEAR(state.Set[kBaseMotion].SusLength, SolvedAt(state, kBaseSet, 120).SusLength,
              kTolerance);
}

// While the thumb is dragged the linkage follows; the read-outs wait for the release.
TEST_F(RealViewTest, DraggingMovesTheLinkageAndReleasingWritesTheReadOuts) {
  Load(3);
  RealView& v = View();
  v.Activate();
  Slider(0)->setSliderDown(true);
  Slider(0)->setSliderPosition(-25);
  EXPECT_NEAR(v.Line("Line_Fork", 6)->P2.x(), SolvedAt(state, kBaseSet, 25).AxleX, kTolerance);
  EXPECT_EQ(v.PanelText(2), "ｱｸｽﾙｽﾄﾛｰｸ 0mm");
  Slider(0)->setSliderDown(false);
  EXPECT_EQ(v.PanelText(1), "基準ｻｽの値");
  EXPECT_EQ(v.PanelText(2), "ｱｸｽﾙｽﾄﾛｰｸ 25mm");
}

TEST_F(RealViewTest, InNewModeTheSlidersDoNothing) {
  Load(4, EditMode::New);
  RealView& v = View();
  v.Activate();
  v.SetLoadDisplay(true);
  const ConfigSet before = state.Set[kChangedMotion];
  Slider(1)->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(state.Set[kChangedMotion].AxleStartPos, before.AxleStartPos);
  EXPECT_EQ(state.Set[kChangedMotion].SusLength, before.SusLength);
  EXPECT_TRUE(v.PanelText(2).isEmpty());
  EXPECT_FALSE(v.StatusShown());
  EXPECT_FALSE(v.LineDrawn("Line_Fork", 7));
  EXPECT_FALSE(v.LineDrawn("Line_Axle_Load", 3));
}

// Should a slider position fail although the set was judged, the drawing keeps
// the last good state and no failure is left behind for the next caller.
TEST_F(RealViewTest, AFailingPositionKeepsTheLastGoodStateAndClearsTheFlag) {
  Load(4);
  int failing = -1;
  ConfigSet changed = state.Set[kChangedSet];
  for (double rod = changed.TenRodLength; rod > 10 && failing < 0; rod -= 0.5) {
    AppState probe;
    probe.Set[0] = changed;
    probe.Set[0].TenRodLength = rod;
    bool ok = false;
    SolvedAt(probe, 0, 0, &ok);
    for (int s = 1; ok && s <= state.MaxStroke; ++s) {
      SolvedAt(probe, 0, s, &ok);
      if (!ok) failing = s, changed.TenRodLength = rod;
    }
  }
  ASSERT_GT(failing, 1) << "no tension rod that fails within the stroke";
  state.Set[kChangedSet] = changed;
  ASSERT_EQ(SolveLinkage(state, kChangedSet, changed.SusPos), SolveResult::Assembled);
  CopySet(state, kChangedSet);

  RealView& v = View();
  v.Activate();
  Slider(1)->setValue(1 - failing);
  const ConfigSet good = state.Set[kChangedMotion];
  Slider(1)->setValue(-failing);
  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(state.Set[kChangedMotion].AxleStartPos, good.AxleStartPos);
  EXPECT_EQ(state.Set[kChangedMotion].LinkLwrX, good.LinkLwrX);
  EXPECT_EQ(v.Line("Line_Ten_Rod", 7)->P2.x(), good.LinkLwrX);
  // A flag someone else raised stays raised: it is theirs to report.
  state.LinkFailed = true;
  Slider(1)->setValue(0);
  EXPECT_TRUE(state.LinkFailed);
}

TEST_F(RealViewTest, LoadDisplayFollowsTheMenuAndTheSideInPanelOne) {
  Load(4);
  RealView& v = View();
  v.Activate();
  Slider(1)->setValue(-60);
  Slider(0)->setValue(-40);
  for (const QString& line : kLoadLines) EXPECT_FALSE(v.LineDrawn(line, 2) || v.LineDrawn(line, 3));
  for (const QString& name : kLoadLabels) EXPECT_TRUE(Find(name, 0)->isHidden());

  Menu("menu_load", 0)->trigger();  // panel 1 names the base side
  const ConfigSet& c = state.Set[kBaseMotion];
  const auto pivot = v.Line("Line_Pivot_Load", 2);
  ExpectPoint(pivot->P2, c.PivotLoad.X / 5, c.PivotLoad.Y / 5, "pivot load");
  const auto mount = v.Line("Line_Load_D_or_B", 2);
  ExpectPoint(mount->P1, c.FrameLinkX, c.FrameLinkY, "frame-link load start");
  ExpectPoint(mount->P2, c.FrameLinkX + c.FrameLinkLoad.X / 5, c.FrameLinkY + c.FrameLinkLoad.Y / 5,
              "frame-link load end");
  ExpectPoint(v.Line("Line_Axle_Load", 2)->P2, c.AxleX, c.AxleY - c.AxleLoad.Magnitude / 5,
              "axle load end");
  const std::vector<double> values = {c.PivotLoad.Magnitude, c.FrameLinkLoad.Magnitude,
                                      c.AxleLoad.Magnitude, c.SusLoad.Magnitude,
                                      c.TenRodLoad.Magnitude};
  const QStringList lines = kLoadLines + QStringList{"Line_Sus", "Line_Ten_Rod"};
  for (int i = 0; i < 5; ++i) {
    const QLabel* label = Find(kLoadLabels[i], 0);
    EXPECT_TRUE(v.LineDrawn(lines[i], i < 3 ? 2 : 6)) << lines[i].toStdString();
    EXPECT_FALSE(label->isHidden());
    EXPECT_EQ(label->text(), F(values[static_cast<std::size_t>(i)], "####") + "kg");
    const auto line = v.Line(lines[i], i < 3 ? 2 : 6);
    const QPointF middle = v.PicturePoint((line->P1 + line->P2) / 2, line->Origin);
    EXPECT_NEAR((Centre(label) - middle).manhattanLength(), 0, 1.5) << lines[i].toStdString();
    EXPECT_TRUE(Find(kLoadLabels[i], 1)->isHidden());
    if (i < 3) {
      EXPECT_FALSE(v.LineDrawn(lines[i], 3));
    }
  }

  Slider(1)->setValue(-61);  // the changed side takes over
  EXPECT_TRUE(v.LineDrawn("Line_Axle_Load", 3));
  EXPECT_FALSE(v.LineDrawn("Line_Axle_Load", 2));
  EXPECT_FALSE(Find("Label_Axle_Load", 1)->isHidden());
  EXPECT_TRUE(Find("Label_Axle_Load", 0)->isHidden());
  SendMouse(Slider(0), QEvent::MouseButtonPress);  // values hide, vectors stay
  EXPECT_TRUE(Find("Label_Axle_Load", 1)->isHidden());
  EXPECT_TRUE(v.LineDrawn("Line_Axle_Load", 3));
  Menu("menu_load", 1)->trigger();
  EXPECT_FALSE(v.LineDrawn("Line_Axle_Load", 3));
}

TEST_F(RealViewTest, Type2HasNoPlateNorRodAndNoMountLoad) {
  Load(2);
  RealView& v = View();
  v.SetLoadDisplay(true);
  v.Activate();
  Slider(1)->setValue(-45);
  for (const QString& name : kLinkLines) EXPECT_FALSE(v.LineDrawn(name, 7)) << name.toStdString();
  EXPECT_FALSE(v.LineDrawn("Line_Load_D_or_B", 3));
  EXPECT_TRUE(Find("Label_D_or_B", 1)->isHidden());
  EXPECT_TRUE(Find("Label_Ten_Rod_Load", 1)->isHidden());
  EXPECT_FALSE(Find("Label_Sus_Load", 1)->isHidden());
  for (const char* name : {"Label_Link_Lwr", "Label_Fork_Link", "Label_Frame_Link"}) {
    EXPECT_TRUE(Find(name, 1)->isHidden()) << name;
  }
  v.Deactivate();  // the initial sets come back without a plate either
  for (const QString& name : kLinkLines) EXPECT_FALSE(v.LineDrawn(name, 1)) << name.toStdString();
  EXPECT_TRUE(v.LineDrawn("Line_Offset", 1));
}

TEST_F(RealViewTest, PressingAChangedJointShowsItsCoordinates) {
  Load(5);
  RealView& v = View();
  v.Activate();
  Slider(1)->setValue(-50);
  const ConfigSet& c = state.Set[kChangedMotion];
  ASSERT_GT(std::abs(c.AxleY - state.Set[kChangedSet].AxleY), 49.0);
  const std::vector<std::pair<QString, QPointF>> joints = {
      {"Label_Axle", {c.AxleX, c.AxleY}},
      {"Label_Sus_Up", {c.SusUpX, c.SusUpY}},
      {"Label_Sus_Lwr", {c.SusLwrX, c.SusLwrY}},
      {"Label_Link_Lwr", {c.LinkLwrX, c.LinkLwrY}},
      {"Label_Fork_Link", {c.ForkLinkX, c.ForkLinkY}},
      {"Label_Frame_Link", {c.FrameLinkX, c.FrameLinkY}}};
  for (const auto& [name, at] : joints) {
    SCOPED_TRACE(name.toStdString());
    QLabel* label = Find(name, 1);
    const QPointF joint = v.PicturePoint(at, v.SetOrigin(kChangedMotion));
    SendMouse(label, QEvent::MouseButtonPress);
    EXPECT_EQ(label->text(), "(" + F(at.x(), "###0.0") + "," + F(at.y(), "###0.0") + ")");
    EXPECT_TRUE(label->autoFillBackground());
    const double edge = name == "Label_Axle" ? label->geometry().right() + 1 : Centre(label).x();
    EXPECT_NEAR(edge, joint.x(), 1.0);
    SendMouse(label, QEvent::MouseButtonRelease);
    EXPECT_EQ(label->text(), "  ");
    EXPECT_FALSE(label->autoFillBackground());
    EXPECT_NEAR((Centre(label) - joint).manhattanLength(), 0, 1.5);
  }
  v.SetJointCaption("Label_Sus_Up", 1, "★");
  EXPECT_EQ(Find("Label_Sus_Up", 1)->text(), "★");
}

TEST_F(RealViewTest, RadiusEntryRefusesWhatIsNoLength) {
  Load(4);
  RealView& v = View();
  v.Activate();
  Slider(1)->setValue(-30);
  auto* frame = v.findChild<QGroupBox*>("Frame1");
  auto* text = v.findChild<QLineEdit*>("Text1");
  auto* ok = v.findChild<QPushButton*>("Command1");
  v.findChild<QAction*>("menu_sus_r_change")->trigger();
  EXPECT_FALSE(frame->isHidden());
  EXPECT_EQ(QAccessible::queryAccessibleInterface(text)->text(QAccessible::Name), "新規サス長入力");
  const float before = v.SusRadius();
  for (const char* refused : {"3O0", "", "1.2.3"}) {
    text->setPalette(QPalette());
    text->setText(refused);
    ok->click();
    EXPECT_TRUE(text->text().isEmpty()) << refused;
    EXPECT_EQ(text->palette().color(QPalette::Base), QColor(255, 0, 0)) << refused;
    EXPECT_EQ(v.SusRadius(), before) << refused;
    EXPECT_FALSE(frame->isHidden()) << refused;
  }

  text->setText("300.5");
  ok->click();
  EXPECT_TRUE(frame->isHidden());
  const ConfigSet& c = state.Set[kChangedMotion];
  const QRectF circle = v.CircleRect();
  EXPECT_NEAR(circle.width(), 601, 1e-9);
  EXPECT_NEAR(circle.height(), 601, 1e-9);
  ExpectPoint(circle.center(), c.SusUpX, c.SusUpY, "circle centre");
  // Painted in its colour once "ON" is checked, right of the mount.
  Menu("menu_sus_r", 0)->trigger();
  EXPECT_TRUE(Menu("menu_sus_r", 0)->isChecked() && !Menu("menu_sus_r", 1)->isChecked());
  const QPoint right = v.PicturePoint({c.SusUpX + 300.5, c.SusUpY}, v.SetOrigin(7)).toPoint();
  const QImage image = v.Picture()->grab().toImage();
  int reddish = 0;
  for (int dx = -1; dx <= 1; ++dx) {
    const QColor pixel = image.pixelColor(right.x() + dx, right.y());
    reddish += pixel.red() > 220 && pixel.green() < 180 && pixel.blue() < 180;
  }
  EXPECT_GT(reddish, 0);
}

TEST_F(RealViewTest, ActivationSwapsTheDrawnSetsAndDeactivationRestoresStrokeZero) {
  Load(3);
  state.Set[kChangedMotion].SusLength0 = 999;  // left from an earlier geometry
  RealView& v = View();
  v.Activate();
  EXPECT_TRUE(v.StatusShown());
  EXPECT_NEAR(state.Set[kChangedMotion].SusStroke, 0, kTolerance);  // stroke 0 is the reference
  for (const QString& line : kMemberLines) {
    EXPECT_FALSE(v.LineDrawn(line, 0) || v.LineDrawn(line, 1)) << line.toStdString();
    EXPECT_TRUE(v.LineDrawn(line, 6) && v.LineDrawn(line, 7)) << line.toStdString();
  }
  EXPECT_TRUE(v.LineDrawn("line_Y_Axis", 0));
  EXPECT_FALSE(v.LineDrawn("line_Y_Axis", 1));
  EXPECT_EQ(v.PanelText(2), "ｱｸｽﾙｽﾄﾛｰｸ 0mm");

  v.SetLoadDisplay(true);
  Slider(1)->setValue(-70);
  Slider(0)->setValue(-20);
  v.Deactivate();
  EXPECT_FALSE(v.StatusShown());
  EXPECT_EQ(Slider(0)->value(), 0);
  EXPECT_EQ(Slider(1)->value(), 0);
  for (const QString& line : kMemberLines) {
    EXPECT_TRUE(v.LineDrawn(line, 0) && v.LineDrawn(line, 1)) << line.toStdString();
    EXPECT_FALSE(v.LineDrawn(line, 6) || v.LineDrawn(line, 7)) << line.toStdString();
  }
  EXPECT_FALSE(v.LineDrawn("Line_Axle_Load", 3));
  EXPECT_TRUE(Find("Label_Axle_Load", 1)->isHidden());
  const ConfigSet expected = SolvedAt(state, kChangedSet, 0);
  const ConfigSet& c = state.Set[kChangedMotion];
  ExpectPoint({c.AxleX, c.AxleY}, expected.AxleX, expected.AxleY, "set 7 axle");
  ExpectPoint({c.SusLwrX, c.SusLwrY}, expected.SusLwrX, expected.SusLwrY, "set 7 shock mount");
  EXPECT_EQ(c.SusLength0, 0);
  EXPECT_EQ(state.Set[kBaseMotion].SusLength0, 0);
  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(v.MarkerSet(1), kChangedSet);
}

TEST_F(RealViewTest, SwitchingOffTheSliderDisplayBeforeAJudgement) {
  Load(6);
  RealView& v = View();
  v.Activate();
  v.SetLoadDisplay(true);
  Slider(1)->setValue(-80);
  const double axleAtStroke = state.Set[kChangedMotion].AxleX;
  v.SwitchOffSliderDisplay();
  EXPECT_FALSE(v.StatusShown());
  EXPECT_EQ(state.Mode, EditMode::Change);
  EXPECT_EQ(Slider(1)->value(), 0);
  EXPECT_EQ(state.Set[kChangedMotion].SusLength0, 0);
  EXPECT_EQ(state.Set[kChangedMotion].AxleX, axleAtStroke);  // nothing solved meanwhile
  EXPECT_FALSE(v.LineDrawn("Line_Fork", 7));
  EXPECT_TRUE(v.LineDrawn("Line_Fork", 1));
  EXPECT_FALSE(v.LineDrawn("Line_Axle_Load", 3));
}

TEST_F(RealViewTest, AnAcceptedChangeShowsTheChangedLinkageBesideTheBase) {
  // In the editing stage before the view was ever active: set 1 is hidden
  // until a change is drawn, then both initial-position sets are shown.
  Load(4, EditMode::New);
  RealView& v = View();
  EXPECT_FALSE(v.LineDrawn("Line_Fork", 1));
  v.ShowChangedBesideBase();  // nothing changed yet in "NEW"
  EXPECT_FALSE(v.LineDrawn("Line_Fork", 1));
  state.Mode = EditMode::Change;
  v.Graphic(kChangedSet);
  v.ShowChangedBesideBase();
  for (const QString& line : kMemberLines) {
    EXPECT_TRUE(v.LineDrawn(line, 0) && v.LineDrawn(line, 1)) << line.toStdString();
  }
  // While the view is active its slider sets stay as they are.
  v.Activate();
  v.ShowChangedBesideBase();
  EXPECT_TRUE(v.LineDrawn("Line_Fork", 7));
  EXPECT_FALSE(v.LineDrawn("Line_Fork", 1));
}

TEST_F(RealViewTest, ResizeKeepsTheAspectAndTheSlidersAtTheRightEdge) {
  Load(4, EditMode::New);
  RealView& v = View();
  const int menu = v.findChild<QMenuBar*>()->sizeHint().height();
  v.show();
  v.resize(1200, menu + 400);
  EXPECT_EQ(v.Picture()->height(), 400 - Px(360));
  EXPECT_NEAR(v.Picture()->width(), (400 - Px(360)) * 1020.0 / 600.0, 1.0);
  v.resize(700, menu + 700);
  EXPECT_EQ(v.Picture()->width(), 700);
  const QRect s0 = Slider(0)->geometry();
  const QRect s1 = Slider(1)->geometry();
  // Each slider runs from under its caption down to the bottom edge.
  for (int k = 0; k < 2; ++k) {
    const QRect slider = Slider(k)->geometry();
    const QRect caption = v.SliderLabel(k)->geometry();
    EXPECT_EQ(slider.bottom() + 1, v.Picture()->height()) << k;
    EXPECT_EQ(slider.top(), caption.bottom() + 1) << k;
    EXPECT_EQ(caption.top(), 0) << k;
    EXPECT_EQ(caption.left(), slider.left()) << k;
    EXPECT_EQ(caption.width(), slider.width()) << k;
  }
  EXPECT_EQ(s1.right() + 1, 700);
  EXPECT_NEAR(s0.left(), (611 + 300) * v.Scale(), 1.0);
  EXPECT_LE(s0.right(), s1.left());
  const auto fork = v.Line("Line_Fork", 0);
  EXPECT_LT(v.PicturePoint(fork->P2, fork->Origin).x(), s0.left());
  v.resize(Px(3800), menu + Px(2900));  // too small: left as it was
  EXPECT_EQ(v.Picture()->width(), 700);

  // In a small window (the tiled views on an 800 x 600 area) the sliders are
  // narrower than their captions at the normal size: the captions are set
  // smaller so that each fits over its own slider and they never run into
  // each other.
  v.resize(300, menu + 200);
  for (int k = 0; k < 2; ++k) {
    QLabel* caption = v.SliderLabel(k);
    EXPECT_LE(QFontMetricsF(caption->font()).horizontalAdvance(caption->text()),
              caption->width())
        << k;
  }
  EXPECT_LE(v.SliderLabel(0)->geometry().right(), v.SliderLabel(1)->geometry().left());
}

TEST_F(RealViewTest, OnlyTheMainWindowClosesTheViewAndMembersPulse) {
  Load(4);
  RealView& v = View();
  QCloseEvent refused;
  QCoreApplication::sendEvent(&v, &refused);
  EXPECT_FALSE(refused.isAccepted());
  v.AllowClose();
  QCloseEvent allowed;
  QCoreApplication::sendEvent(&v, &allowed);
  EXPECT_TRUE(allowed.isAccepted());

  EXPECT_EQ(v.MemberWidth("Line_Ten_Rod", 1), 1);
  EXPECT_EQ(v.MemberWidth("Line_Nothing", 1), 0);
  v.SetMemberWidth("Line_Ten_Rod", 1, 3);
  EXPECT_EQ(v.MemberWidth("Line_Ten_Rod", 1), 3);
  EXPECT_EQ(v.MemberWidth("Line_Ten_Rod", 0), 1);
  v.Graphic(kChangedSet);
  v.ShowMember("Line_Ten_Rod", 1);
  EXPECT_TRUE(v.LineDrawn("Line_Ten_Rod", 1));
}

// The two sliders said nothing of which set each moves. Each now carries its
// caption, "基準" over the base slider and "変更" over the changed one, as a
// label the platform reports as labelling it and as its accessible name.
TEST_F(RealViewTest, SlidersCarryTheirCaptions) {
  Load(4);
  RealView& v = View();
  v.show();
  QCoreApplication::processEvents();
  const QStringList captions = {"基準", "変更"};
  for (int k = 0; k < 2; ++k) {
    QLabel* caption = v.SliderLabel(k);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text(), captions[k]);
    EXPECT_TRUE(caption->isVisible()) << k;
    EXPECT_EQ(caption->buddy(), Slider(k));
    EXPECT_EQ(Slider(k)->accessibleName(), captions[k]);
    QAccessibleInterface* named = QAccessible::queryAccessibleInterface(Slider(k));
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(named->text(QAccessible::Name), captions[k]);
  }
  EXPECT_EQ(v.SliderLabel(2), nullptr);
}

// Which rows of the groove of a slider painted at `value` are filled, from
// the top: those whose pixel in the groove's middle column is of the
// highlight's hue (blue over the style's grey).
std::vector<bool> FilledRows(QSlider& slider, int value) {
  {
    const QSignalBlocker quiet(&slider);
    slider.setValue(value);
  }
  const QImage image = slider.grab().toImage();
  const QColor highlight = slider.palette().color(QPalette::Highlight);
  std::vector<bool> rows;
  for (int y = 0; y < image.height(); ++y) {
    const QColor pixel = image.pixelColor(image.width() / 2, y);
    rows.push_back(std::abs(pixel.hslHue() - highlight.hslHue()) < 20 &&
                   pixel.hslSaturation() > 80);
  }
  return rows;
}

// The groove was filled from its top end, the full stroke, down to the
// thumb: at stroke 0 the whole groove looked full, at full stroke empty, the
// opposite of the stroke travelled. The filled part now runs from stroke 0 at
// the bottom up to the thumb.
TEST_F(RealViewTest, SliderGrooveFillsWithTheStrokeTravelled) {
  Load(4);
  state.MaxStroke = 100;
  QSlider& slider = *Slider(0);
  ASSERT_EQ(slider.minimum(), -100);
  // Fusion is the style that fills its grooves wherever the tests run.
  std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
  ASSERT_NE(fusion, nullptr);
  slider.setStyle(fusion.get());
  const std::unique_ptr<QSlider, void (*)(QSlider*)> restore(
      &slider, [](QSlider* s) { s->setStyle(nullptr); });

  // The share of the rows between two fractions of the height, from the top,
  // that are filled.
  const auto share = [](const std::vector<bool>& rows, double from, double to) {
    const auto first = static_cast<std::ptrdiff_t>(from * static_cast<double>(rows.size()));
    const auto last = static_cast<std::ptrdiff_t>(to * static_cast<double>(rows.size()));
    const auto filled = std::count(rows.begin() + first, rows.begin() + last, true);
    return static_cast<double>(filled) / static_cast<double>(last - first);
  };
  // Half the stroke: the thumb in the middle, the groove filled below it only.
  const std::vector<bool> half = FilledRows(slider, -50);
  ASSERT_GT(half.size(), 100u);
  EXPECT_GT(share(half, 0.6, 0.95), 0.9);
  EXPECT_LT(share(half, 0.05, 0.4), 0.1);
  // Stroke 0: nothing travelled; full stroke: the groove is filled to the top.
  const std::vector<bool> none = FilledRows(slider, 0);
  EXPECT_LT(share(none, 0.05, 0.9), 0.1);
  const std::vector<bool> full = FilledRows(slider, -100);
  EXPECT_GT(share(full, 0.1, 0.95), 0.9);
}

// Playback drives both sliders together over the stroke and back at the
// chosen pace (3 s a trip at 1x), stops where it is and goes on from there;
// at "NEW" the base set plays alone until the stage changes.
TEST_F(RealViewTest, PlaybackMovesBothSlidersTogetherAndStopsWhereItIs) {
  state.MaxStroke = 120;
  Load(4);
  RealView& v = View();
  // Every item is named to the accessibility interface by its caption.
  QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(Find<QMenu>("menu_dummy", 2));
  const QStringList captions = {"再生", "停止", "", "0.5×", "1×", "2×"};
  ASSERT_EQ(menu->childCount(), captions.size());
  for (int i = 0; i < 6; ++i) EXPECT_EQ(menu->child(i)->text(QAccessible::Name), captions[i]);
  EXPECT_TRUE(Menu("menu_speed", 1)->isChecked());
  QAction* play = v.findChild<QAction*>("menu_play");
  v.Activate();
  Slider(1)->setValue(-30);
  play->trigger();
  v.Playback().Advance(1500);  // 30 + 60 mm
  v.Playback().Advance(2000);  // up to 120 and 50 mm back down
  for (int k = 0; k < 2; ++k) EXPECT_EQ(Slider(k)->value(), -70) << k;
  EXPECT_NEAR(state.Set[kBaseMotion].AxleStartPos, state.Set[kBaseWork].AxleStartPos - 70, 1e-9);
  EXPECT_EQ(v.PanelText(2), "ｱｸｽﾙｽﾄﾛｰｸ 70mm");
  v.findChild<QAction*>("menu_stop")->trigger();
  EXPECT_FALSE(v.Playing());
  Menu("menu_speed", 2)->trigger();
  EXPECT_FALSE(Menu("menu_speed", 1)->isChecked());
  play->trigger();
  v.Playback().Advance(500);  // on down at 2x
  EXPECT_EQ(Slider(0)->value(), -30);

  view.reset();
  Load(4, EditMode::New);
  View().findChild<QAction*>("menu_play")->trigger();
  View().Playback().Advance(750);
  EXPECT_NEAR(state.Set[kBaseMotion].AxleStartPos, state.Set[kBaseWork].AxleStartPos - 30, 1e-9);
  EXPECT_TRUE(View().LineDrawn("Line_Fork", kBaseMotion));
  EXPECT_FALSE(View().LineDrawn("Line_Fork", kChangedMotion));
  EXPECT_EQ(View().PanelText(1), "基準ｻｽの値");
  state.Mode = EditMode::Change;
  View().Playback().Advance(30);
  EXPECT_FALSE(View().Playing());
  EXPECT_TRUE(View().LineDrawn("Line_Fork", kBaseSet));
  EXPECT_FALSE(View().StatusShown());
}

}  // namespace
}  // namespace potelan
