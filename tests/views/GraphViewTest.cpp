// Form_Graph, the graph of link ratio and axle load against stroke: the
// detail drawing in each stage and at each pitch, the retained picture, the
// axis layout, the menus, the crosshair and the click read-out.

#include "views/GraphView.hpp"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <string>

#include "SampleLinkages.hpp"
#include "model/NumberFormat.hpp"
#include "model/Solver.hpp"
#include "ui/Controls.hpp"
#include "ui/Units.hpp"
#include "QtText.hpp"

namespace potelan {
namespace {

using testing::S;

// A solve of a copy of the state: working set k + 2 at `stroke` below set k.
ConfigSet SolvedAt(const AppState& state, int k, double stroke) {
  AppState copy = state;
  const int w = k + 2;
  copy.Set[w].AxleStartPos = copy.Set[k].AxleStartPos - stroke;
  EXPECT_EQ(SolveLinkage(copy, w, copy.Set[w].SusPos), SolveResult::Assembled);
  return copy.Set[w];
}

double LoadAt(const AppState& state, int k, double stroke) {
  return SolvedAt(state, k, stroke).AxleLoad.Magnitude;
}

// The engine's greatest axle load of set k over 0..maxStroke, every 0.1 mm.
double MaxLoad(const AppState& state, int k, int maxStroke) {
  double most = LoadAt(state, k, 0);
  for (int tenth = 1; tenth <= maxStroke * 10; ++tenth) {
    most = std::max(most, LoadAt(state, k, tenth / 10.0));
  }
  return most;
}

// The strokes of a detail drawing, counted as the drawing counts them: a
// single-precision counter advanced by the pitch while it is within range.
std::vector<float> DetailStrokes(float pitch, std::int16_t maxStroke) {
  std::vector<float> strokes;
  for (float s = 0; s <= maxStroke; s += pitch) strokes.push_back(s);
  return strokes;
}

// Pixels of the retained picture in a colour.
int CountPixels(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) n += row[x] == colour ? 1 : 0;
  }
  return n;
}

std::set<int> ColumnsWith(const QImage& image, QRgb colour) {
  std::set<int> columns;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (row[x] == colour) columns.insert(x);
    }
  }
  return columns;
}

const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kCyan = qRgb(0, 255, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kMagenta = qRgb(255, 0, 255);

// The graph at "CHANGE" over a Type 3 base set and a softer changed set, both
// assembling over 0..150 mm, with the table showing the link ratio.
class GraphViewTest : public ::testing::Test {
 protected:
  GraphViewTest() {
    state.Set[kBaseSet] = testing::SampleSet(3);
    state.Set[kChangedSet] = testing::SampleSet(3);
    state.Set[kChangedSet].SpringRate = 9;
    state.Set[kChangedSet].Preload = 6;
    Prepare();
    state.Mode = EditMode::Change;
    state.MaxStroke = 150;
    view = std::make_unique<GraphView>(state, table);
  }

  // The working sets as the sweeps leave them: copies of sets 0 and 1 whose
  // reference shock length is that of their zero stroke.
  void Prepare() {
    for (const int k : {kBaseSet, kChangedSet}) {
      CopySet(state, k);
      state.Set[k + 2].SusLength0 = 0;
      ASSERT_EQ(SolveLinkage(state, k + 2, state.Set[k + 2].SusPos), SolveResult::Assembled);
    }
  }

  QAction* Menu(const char* name) const {
    auto* action = view->findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
  }
  QAction* Pitch(int i) const {
    return FindIndexed<QAction>(*view, QStringLiteral("menu_detail_pitch"), i);
  }
  QLabel* Label(const char* name, int i) const {
    return FindIndexed<QLabel>(*view, QString::fromLatin1(name), i);
  }
  QLabel* Detail(int i) const { return Label("Label_detail", i); }

  // Picture1's geometry in plot units of a label.
  double LeftOf(const QLabel* label) const { return view->ToPlot(label->geometry().topLeft()).x(); }
  double RightOf(const QLabel* label) const {
    return view->ToPlot(QPointF(label->geometry().right() + 1, 0)).x();
  }
  double TopOf(const QLabel* label) const { return view->ToPlot(label->geometry().topLeft()).y(); }
  // One pixel of Picture1 in plot units, the tolerance of a placed label.
  double UnitX() const { return 1500.0 / view->PictureBox()->width() + 1e-9; }
  double UnitY() const { return 4000.0 / view->PictureBox()->height() + 1e-9; }

  AppState state;
  ResultTable table;
  std::unique_ptr<GraphView> view;
};

// ---- The window --------------------------------------------------------

TEST_F(GraphViewTest, OpensWithItsNameCaptionSizeAndDesignLayout) {
  EXPECT_EQ(S(view->objectName()), "Form_Graph");
  EXPECT_EQ(S(view->windowTitle()), "グラフ表示");
  EXPECT_EQ(view->Client()->size(), QSize(Px(7005), Px(4485)));
  EXPECT_EQ(view->PictureTwips(), QRect(380, 60, 6300, 3980));
  EXPECT_EQ(view->PictureBox()->geometry(), QRect(Px(380), Px(60), Px(6300), Px(3980)));
  EXPECT_EQ(S(view->PictureBox()->objectName()), "Picture1");
  EXPECT_EQ(view->Picture().size(), QSize(GraphView::kPictureWidth, GraphView::kPictureHeight));
  EXPECT_EQ(CountPixels(view->Picture(), qRgb(0, 0, 0)),
            GraphView::kPictureWidth * GraphView::kPictureHeight);
}

TEST_F(GraphViewTest, AxisLabelsCarryTheirDesignTexts) {
  EXPECT_EQ(view->RatioAxisLabels(), QStringList({"0.30", "0.40", "0.50", "0.60", "0.70"}));
  for (int k = 0; k <= 15; ++k) EXPECT_EQ(Label("Label2", k)->text(), QString::number(10 * k));
  EXPECT_EQ(S(Label("Label3", 1)->text()), "0");
  EXPECT_EQ(S(Label("Label3", 2)->text()), "200");
  EXPECT_EQ(S(Label("Label3", 3)->text()), "400");
  // Loads are drawn as y = F x 10 (0..400 kgf): a "-200" at the bottom would lie.
  EXPECT_EQ(S(Label("Label3", 0)->text()), "-200");
  EXPECT_TRUE(Label("Label3", 0)->isHidden());
  EXPECT_FALSE(view->Tick("Line2", 0)->Visible);
}

TEST_F(GraphViewTest, RatioAxisLabelsAreSettable) {
  const QStringList inverse = {"1.00", "1.50", "2.00", "2.50", "3.00"};
  view->SetRatioAxisLabels(inverse);
  EXPECT_EQ(view->RatioAxisLabels(), inverse);
  EXPECT_EQ(S(Label("Label1", 0)->text()), "1.00");
  EXPECT_EQ(S(Label("Label1", 4)->text()), "3.00");
}

// The ticks follow Picture1 and the labels follow their ticks, at the design
// size, grown, and at the narrowest with stroke labels that would run together.
TEST_F(GraphViewTest, LayoutPlacesTicksAndLabelsByThePicture) {
  view->show();  // a hidden window holds its resize events back
  for (const QSize grow : {QSize(0, 0), QSize(300, 150), QSize(-420, 0)}) {
    for (int k = 0; k <= 15 && grow.width() < 0; ++k) {  // narrow, the labels large
      Label("Label2", k)->setFont(QFont(QString(), 14));
      Label("Label2", k)->adjustSize();
    }
    view->resize(view->size() + grow);
    const QRect pic = view->PictureTwips();
    const int windowWidth = view->Client()->width() * kTwipsPerPixel + 90;
    const int windowHeight = view->Client()->height() * kTwipsPerPixel + 375;
    EXPECT_EQ(pic.width(), windowWidth - 795);
    EXPECT_EQ(pic.height(), windowHeight - 880);
    EXPECT_EQ(pic.topLeft(), QPoint(380, 60));
    const double right = pic.left() + pic.width();
    const double bottom = pic.top() + pic.height();
    for (int i = 0; i <= 4; ++i) {
      const QLineF tick = view->Tick("Line1", i)->Twips;
      const double y = pic.top() + (4 - i) * pic.height() / 4.0;
      EXPECT_DOUBLE_EQ(tick.y1(), y);
      EXPECT_DOUBLE_EQ(tick.x1(), pic.left() - 300);
      EXPECT_DOUBLE_EQ(tick.x2(), pic.left());
      EXPECT_NEAR(Label("Label1", i)->y(), PxF(y + 20), 1);
    }
    for (int i = 1; i <= 3; ++i) {
      const QLineF tick = view->Tick("Line2", i)->Twips;
      const double y = pic.top() + (3 - i) * pic.height() / 2.0;
      EXPECT_DOUBLE_EQ(tick.y1(), y);
      EXPECT_DOUBLE_EQ(tick.x1(), right);
      EXPECT_DOUBLE_EQ(tick.x2(), right + 380);
      EXPECT_NEAR(Label("Label3", i)->x(), PxF(right + 5), 1);
      EXPECT_NEAR(Label("Label3", i)->y(), PxF(y + 20), 1);
    }
    for (int i = 0; i <= 15; ++i) {
      const QLineF tick = view->Tick("Line3", i)->Twips;
      const double x = pic.left() + (15 - i) * pic.width() / 15.0;
      EXPECT_DOUBLE_EQ(tick.x1(), x);
      EXPECT_DOUBLE_EQ(tick.y1(), bottom);
      EXPECT_DOUBLE_EQ(tick.y2(), bottom + 240);
      const QLabel* label = Label("Label2", 15 - i);
      EXPECT_NEAR(label->geometry().center().x() + 0.5, PxF(x), 1) << i;
      EXPECT_NEAR(label->y(), PxF(bottom + 240), 1);
    }
    QList<QRect> shown;  // stroke labels: apart, and every one at the wider sizes
    for (int k = 0; k <= 15; ++k) {
      if (Label("Label2", k)->isHidden()) continue;
      for (const QRect& r : shown) EXPECT_FALSE(r.intersects(Label("Label2", k)->geometry())) << k;
      shown.push_back(Label("Label2", k)->geometry());
    }
    EXPECT_TRUE(grow.width() < 0 || shown.size() == 16U);
  }
}

TEST_F(GraphViewTest, TooSmallAWindowKeepsItsLayout) {
  const QRect before = view->PictureTwips();
  // 4800 twips wide: under the 5000 of the layout rule.
  view->resize(Px(4800 - 90), view->height());
  EXPECT_EQ(view->PictureTwips(), before);
  view->resize(Px(7005), Px(2800 - 375) + (view->height() - view->Client()->height()));
  EXPECT_EQ(view->PictureTwips(), before);
}

TEST_F(GraphViewTest, TheUserCannotCloseTheWindowTheMainWindowCan) {
  view->show();
  EXPECT_FALSE(view->close());
  EXPECT_TRUE(view->isVisible());
  view->AllowClose();
  EXPECT_TRUE(view->close());
}

// ---- The retained picture ------------------------------------------------

TEST_F(GraphViewTest, PlotSetsOnePixelInTheColourOfItsIndex) {
  const std::pair<PlotColour, QRgb> colours[] = {{PlotColour::Grey, qRgb(192, 192, 192)},
                                                 {PlotColour::Blue, kBlue},
                                                 {PlotColour::Cyan, kCyan},
                                                 {PlotColour::Red, kRed},
                                                 {PlotColour::Magenta, kMagenta},
                                                 {PlotColour::White, qRgb(255, 255, 255)}};
  double x = 100;
  for (const auto& [colour, rgb] : colours) {
    view->Plot(x, 1234, colour);
    const std::optional<QPoint> at = GraphView::PixelOf(x, 1234);
    ASSERT_TRUE(at);
    EXPECT_EQ(view->Picture().pixel(*at), rgb);
    EXPECT_EQ(CountPixels(view->Picture(), rgb), 1);
    EXPECT_EQ(view->PlotCount(colour), 1);
    x += 200;
  }
  // The corners of the plot are in it, what lies beyond is not drawn.
  EXPECT_EQ(GraphView::PixelOf(0, 0), QPoint(0, GraphView::kPictureHeight - 1));
  EXPECT_EQ(GraphView::PixelOf(1500, 4000), QPoint(GraphView::kPictureWidth - 1, 0));
  const QImage before = view->Picture();
  for (const QPointF outside : {QPointF(-5, 100), QPointF(1501, 100), QPointF(10, -8),
                                QPointF(10, 4010), QPointF(std::nan(""), 5)}) {
    EXPECT_FALSE(GraphView::PixelOf(outside.x(), outside.y()));
    view->Plot(outside.x(), outside.y(), PlotColour::Blue);
  }
  EXPECT_EQ(view->Picture(), before);
  EXPECT_EQ(view->PlotCount(PlotColour::Blue), 6);

  view->Clear();
  EXPECT_EQ(CountPixels(view->Picture(), qRgb(0, 0, 0)),
            GraphView::kPictureWidth * GraphView::kPictureHeight);
  EXPECT_EQ(view->PlotCount(PlotColour::Blue), 0);
}

// Every plotted point stays on the screen whatever the size of the window:
// shrunk to the smallest layout, and grown, Picture1 shows each colour.
TEST_F(GraphViewTest, RetainedPointsSurviveResizing) {
  view->Plot(GraphX(3), GraphLoadY(20), PlotColour::Red);
  view->Plot(GraphX(77), GraphLoadY(201), PlotColour::Cyan);
  view->Plot(GraphX(148), GraphRatioY(0.6), PlotColour::Grey);
  const QImage before = view->Picture();
  view->show();
  const int menuHeight = view->height() - view->Client()->height();
  for (const QSize size : {QSize(Px(5000 - 90) + 1, Px(3000 - 375) + menuHeight + 1),
                           QSize(1200, 800), view->sizeHint()}) {
    view->resize(size);
    QApplication::processEvents();
    EXPECT_EQ(view->Picture(), before);
    const QImage shown = view->PictureBox()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (const auto& [point, rgb] :
         {std::pair{QPointF(GraphX(3), GraphLoadY(20)), kRed},
          std::pair{QPointF(GraphX(77), GraphLoadY(201)), kCyan},
          std::pair{QPointF(GraphX(148), GraphRatioY(0.6)), qRgb(192, 192, 192)}}) {
      const QPointF at = view->ToPixel(point) * shown.devicePixelRatio();
      bool found = false;
      for (int dy = -2; dy <= 2 && !found; ++dy) {
        for (int dx = -2; dx <= 2 && !found; ++dx) {
          const QPoint p(static_cast<int>(at.x()) + dx, static_cast<int>(at.y()) + dy);
          found = shown.rect().contains(p) && shown.pixel(p) == rgb;
        }
      }
      EXPECT_TRUE(found) << "point " << point.x() << "," << point.y() << " at size " << size.width()
                         << "x" << size.height();
    }
  }
}

// ---- Detail drawing ------------------------------------------------------

// At 10 mm and MaxStroke 150 every curve has the 16 points 0, 10, ... 150,
// each where the solved set puts it.
TEST_F(GraphViewTest, TenMillimetrePitchDrawsSixteenPointsPerCurve) {
  Pitch(0)->trigger();
  EXPECT_FLOAT_EQ(state.GraphDetailPitch, 10.0f);
  for (const PlotColour c :
       {PlotColour::Blue, PlotColour::Cyan, PlotColour::Red, PlotColour::Magenta}) {
    EXPECT_EQ(view->PlotCount(c), 16);
  }
  // Sixteen distinct columns per set: 0, 100, ... 1500.
  std::set<int> expectedColumns;
  for (int s = 0; s <= 150; s += 10) expectedColumns.insert(GraphView::PixelOf(GraphX(s), 0)->x());
  EXPECT_EQ(expectedColumns.size(), 16u);
  for (int s = 0; s <= 150; s += 10) {
    const ConfigSet changed = SolvedAt(state, kChangedSet, s);
    const std::optional<QPoint> ratio =
        GraphView::PixelOf(GraphX(s), GraphRatioY(changed.LinkRatio));
    const std::optional<QPoint> load =
        GraphView::PixelOf(GraphX(s), GraphLoadY(changed.AxleLoad.Magnitude));
    ASSERT_TRUE(ratio && load);
    EXPECT_EQ(view->Picture().pixel(*ratio), kRed) << s;
    EXPECT_EQ(view->Picture().pixel(*load), kMagenta) << s;
  }
  for (const QRgb rgb : {kRed, kMagenta}) {
    EXPECT_EQ(ColumnsWith(view->Picture(), rgb), expectedColumns);
  }
  EXPECT_EQ(S(view->windowTitle()), "グラフ表示");
}

// At 0.1 mm the single-precision counter decides the number of samples and
// the last one, which never exceeds MaxStroke.
TEST_F(GraphViewTest, FinestPitchCountsAsTheSinglePrecisionCounter) {
  const std::vector<float> strokes = DetailStrokes(0.1f, 150);
  ASSERT_FALSE(strokes.empty());
  EXPECT_LE(strokes.back(), 150.0f);
  Pitch(6)->trigger();
  EXPECT_FLOAT_EQ(state.GraphDetailPitch, 0.1f);
  for (const PlotColour c :
       {PlotColour::Blue, PlotColour::Cyan, PlotColour::Red, PlotColour::Magenta}) {
    EXPECT_EQ(view->PlotCount(c), static_cast<int>(strokes.size()));
  }

  // 1.9 mm past 150 the single-precision counter stops one sample short of
  // what exact tenths would give.
  state.MaxStroke = 152;
  view->DetailDrawing();
  const std::vector<float> longer = DetailStrokes(0.1f, 152);
  EXPECT_LE(longer.back(), 152.0f);
  EXPECT_EQ(view->PlotCount(PlotColour::Magenta), static_cast<int>(longer.size()));
  state.MaxStroke = 150;

  // With the base alone and only the ratio, each sample is its own column.
  state.Mode = EditMode::New;
  Menu("menu_view_load")->trigger();
  const std::set<int> columns = ColumnsWith(view->Picture(), kBlue);
  EXPECT_EQ(columns.size(), strokes.size());
  EXPECT_EQ(*columns.rbegin(), GraphView::PixelOf(GraphX(strokes.back()), 0)->x());
  const ConfigSet last = SolvedAt(state, kBaseSet, strokes.back());
  EXPECT_EQ(view->Picture().pixel(
                *GraphView::PixelOf(GraphX(strokes.back()), GraphRatioY(last.LinkRatio))),
            kBlue);
}

TEST_F(GraphViewTest, PitchItemsCheckOnlyThemselvesAndSetThePitch) {
  EXPECT_TRUE(Pitch(1)->isChecked());
  EXPECT_EQ(view->CheckedPitch(), 5.0f);
  const float expected[] = {10, 5, 2, 1, 0.5f, 0.2f, 0.1f};
  for (int i = 6; i >= 0; --i) {
    Pitch(i)->trigger();
    for (int j = 0; j < 7; ++j) EXPECT_EQ(Pitch(j)->isChecked(), i == j) << i << " " << j;
    EXPECT_EQ(state.GraphDetailPitch, expected[i]);
    EXPECT_EQ(view->CheckedPitch(), expected[i]);
    EXPECT_EQ(view->PlotCount(PlotColour::Blue),
              static_cast<int>(DetailStrokes(expected[i], 150).size()));
  }
  // Clicking the checked item keeps it checked.
  Pitch(0)->trigger();
  EXPECT_TRUE(Pitch(0)->isChecked());
}

TEST_F(GraphViewTest, DetailItemDrawsAtTwoTenthsAndKeepsThePitch) {
  Pitch(2)->trigger();  // 2mm
  Menu("menu_detail")->trigger();
  EXPECT_EQ(view->PlotCount(PlotColour::Magenta),
            static_cast<int>(DetailStrokes(0.2f, 150).size()));
  EXPECT_FLOAT_EQ(state.GraphDetailPitch, 2.0f);
  EXPECT_TRUE(Pitch(2)->isChecked());
  EXPECT_EQ(view->CheckedPitch(), 2.0f);
}

// Between two drawings the stage can be "BASE" (going back) or "CHANGING"
// (values being written): the plot, the working sets and the caption stay.
TEST_F(GraphViewTest, OtherStagesLeaveThePlotUntouched) {
  view->Plot(GraphX(40), GraphLoadY(100), PlotColour::White);
  const QImage before = view->Picture();
  state.Set[kBaseWork].AxleStartPos = 12.5;
  state.Set[kChangedWork].AxleStartPos = -3;
  for (const EditMode mode :
       {EditMode::Base, EditMode::Changing, EditMode::None, EditMode::FormInputLoad}) {
    state.Mode = mode;
    view->DetailDrawing();
    view->DetailDrawingAt(0.2f);
    EXPECT_EQ(view->Picture(), before);
    EXPECT_EQ(view->PlotCount(PlotColour::White), 1);
    EXPECT_EQ(state.Set[kBaseWork].AxleStartPos, 12.5);
    EXPECT_EQ(state.Set[kChangedWork].AxleStartPos, -3);
    EXPECT_EQ(S(view->windowTitle()), "グラフ表示");
  }
}

TEST_F(GraphViewTest, NewStageDrawsTheBaseSetOnly) {
  state.Mode = EditMode::New;
  state.GraphDetailPitch = 10;
  view->Plot(GraphX(40), GraphLoadY(100), PlotColour::White);
  state.Set[kBaseWork].AxleStartPos = 12.5;
  view->DetailDrawing();
  EXPECT_EQ(view->PlotCount(PlotColour::White), 0);
  EXPECT_EQ(CountPixels(view->Picture(), qRgb(255, 255, 255)), 0);
  EXPECT_EQ(view->PlotCount(PlotColour::Blue), 16);
  EXPECT_EQ(view->PlotCount(PlotColour::Cyan), 16);
  EXPECT_EQ(view->PlotCount(PlotColour::Red), 0);
  EXPECT_EQ(view->PlotCount(PlotColour::Magenta), 0);
  EXPECT_EQ(state.Set[kBaseWork].AxleStartPos, state.Set[kBaseSet].AxleStartPos);
  EXPECT_EQ(S(view->windowTitle()), "グラフ表示");
  // Hiding the base side means nothing while there is only the base.
  Menu("menu_view_no_org")->trigger();
  EXPECT_EQ(view->PlotCount(PlotColour::Blue), 16);
}

TEST_F(GraphViewTest, ChangeStageDrawsBothSetsAndRestoresTheWorkingSets) {
  state.GraphDetailPitch = 10;
  state.Set[kChangedWork].SusLength0 = 999;
  view->DetailDrawing();
  for (const PlotColour c :
       {PlotColour::Blue, PlotColour::Cyan, PlotColour::Red, PlotColour::Magenta}) {
    EXPECT_EQ(view->PlotCount(c), 16);
  }
  EXPECT_EQ(state.Set[kBaseWork].AxleStartPos, state.Set[kBaseSet].AxleStartPos);
  EXPECT_EQ(state.Set[kChangedWork].AxleStartPos, state.Set[kChangedSet].AxleStartPos);
  // The changed set took a fresh reference length at its zero stroke.
  EXPECT_DOUBLE_EQ(state.Set[kChangedWork].SusLength0, SolvedAt(state, kChangedSet, 0).SusLength);
  for (int s = 0; s <= 150; s += 50) {
    const ConfigSet base = SolvedAt(state, kBaseSet, s);
    EXPECT_EQ(
        view->Picture().pixel(*GraphView::PixelOf(GraphX(s), GraphLoadY(base.AxleLoad.Magnitude))),
        kCyan)
        << s;
  }
}

TEST_F(GraphViewTest, HidingTheBaseSideDrawsOnlyTheChangedCurves) {
  state.GraphDetailPitch = 10;
  Menu("menu_view_no_org")->trigger();
  EXPECT_TRUE(Menu("menu_view_no_org")->isChecked());
  EXPECT_EQ(view->PlotCount(PlotColour::Blue), 0);
  EXPECT_EQ(view->PlotCount(PlotColour::Cyan), 0);
  EXPECT_EQ(CountPixels(view->Picture(), kBlue) + CountPixels(view->Picture(), kCyan), 0);
  EXPECT_EQ(view->PlotCount(PlotColour::Red), 16);
  EXPECT_EQ(view->PlotCount(PlotColour::Magenta), 16);
  Menu("menu_view_no_org")->trigger();
  EXPECT_EQ(view->PlotCount(PlotColour::Blue), 16);
}

TEST_F(GraphViewTest, ItemMenusChooseTheCurves) {
  state.GraphDetailPitch = 10;
  EXPECT_TRUE(Menu("menu_view_load")->isChecked());
  EXPECT_TRUE(Menu("menu_view_ratio")->isChecked());
  EXPECT_FALSE(Menu("menu_view_no_org")->isChecked());
  Menu("menu_view_ratio")->trigger();
  EXPECT_FALSE(Menu("menu_view_ratio")->isChecked());
  EXPECT_EQ(view->PlotCount(PlotColour::Blue), 0);
  EXPECT_EQ(view->PlotCount(PlotColour::Red), 0);
  EXPECT_EQ(view->PlotCount(PlotColour::Cyan), 16);
  EXPECT_EQ(view->PlotCount(PlotColour::Magenta), 16);
  Menu("menu_view_ratio")->trigger();
  Menu("menu_view_load")->trigger();
  EXPECT_EQ(view->PlotCount(PlotColour::Blue), 16);
  EXPECT_EQ(view->PlotCount(PlotColour::Cyan), 0);
}

// With both items off the drawing still clears, sweeps and puts the
// working sets back; it only plots nothing.
TEST_F(GraphViewTest, NoItemClearsDrawsNothingAndStillSweeps) {
  state.GraphDetailPitch = 10;
  view->Plot(GraphX(40), GraphLoadY(100), PlotColour::White);
  Menu("menu_view_load")->trigger();
  Menu("menu_view_ratio")->trigger();
  state.Set[kBaseWork].AxleStartPos = 12.5;
  state.Set[kChangedWork].AxleStartPos = -3;
  state.Set[kBaseWork].LinkRatio = -1;
  state.Set[kChangedWork].LinkRatio = -1;
  view->DetailDrawing();
  EXPECT_EQ(CountPixels(view->Picture(), qRgb(0, 0, 0)),
            GraphView::kPictureWidth * GraphView::kPictureHeight);
  for (const PlotColour c : {PlotColour::Blue, PlotColour::Cyan, PlotColour::Red,
                             PlotColour::Magenta, PlotColour::White}) {
    EXPECT_EQ(view->PlotCount(c), 0);
  }
  EXPECT_DOUBLE_EQ(state.Set[kBaseWork].LinkRatio, SolvedAt(state, kBaseSet, 150).LinkRatio);
  EXPECT_DOUBLE_EQ(state.Set[kChangedWork].LinkRatio, SolvedAt(state, kChangedSet, 150).LinkRatio);
  EXPECT_EQ(state.Set[kBaseWork].AxleStartPos, state.Set[kBaseSet].AxleStartPos);
  EXPECT_EQ(state.Set[kChangedWork].AxleStartPos, state.Set[kChangedSet].AxleStartPos);
}

TEST_F(GraphViewTest, InverseRatioIsPlottedWhenTheTableShowsIt) {
  state.Mode = EditMode::New;  // the changed ratio would cover the base one
  table.SetShown(ResultItem::LinkRatio, false);
  table.SetShown(ResultItem::InvLinkRatio, true);
  Pitch(0)->trigger();
  for (int s = 0; s <= 150; s += 30) {
    const ConfigSet base = SolvedAt(state, kBaseSet, s);
    const QPoint inverse = *GraphView::PixelOf(GraphX(s), GraphInvRatioY(base.InvLinkRatio));
    const QPoint direct = *GraphView::PixelOf(GraphX(s), GraphRatioY(base.LinkRatio));
    ASSERT_NE(inverse, direct);
    EXPECT_EQ(view->Picture().pixel(inverse), kBlue) << s;
    EXPECT_NE(view->Picture().pixel(direct), kBlue) << s;
  }
}

// A solve that fails inside the drawing must not raise the flag for the next
// caller; a flag raised before the drawing stays raised.
TEST_F(GraphViewTest, DrawingLeavesTheFailureFlagAsItFoundIt) {
  state.GraphDetailPitch = 10;
  state.Set[kChangedSet].TenRodLength = 1;  // cannot be formed anywhere
  CopySet(state, kChangedSet);
  ASSERT_TRUE([&] {
    AppState probe = state;
    return NotFormed(SolveLinkage(probe, kChangedWork, probe.Set[kChangedWork].SusPos));
  }());
  view->DetailDrawing();
  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(view->PlotCount(PlotColour::Blue), 16);
  state.LinkFailed = true;
  view->DetailDrawing();
  EXPECT_TRUE(state.LinkFailed);
}

// ---- Crosshair and read-out ----------------------------------------------

TEST_F(GraphViewTest, CrosshairFollowsTheMouseAndTheCaptionReadsIt) {
  view->PlotMouseMove(523.4, 1234.56);
  EXPECT_EQ(S(view->windowTitle()), "グラフ表示 ストローク:" + FormatNumber(52.34, "###.0") +
                                        "mm  荷重:" + FormatNumber(123.456, "###.0") + "kgf");
  EXPECT_EQ(S(view->windowTitle()), "グラフ表示 ストローク:52.3mm  荷重:123.5kgf");
  const auto tate = view->Line("Line_tate", 0);
  const auto yoko = view->Line("Line_yoko", 0);
  ASSERT_TRUE(tate && yoko);
  EXPECT_TRUE(tate->Visible && yoko->Visible);
  EXPECT_EQ(tate->At, QLineF(523.4, 4000, 523.4, 0));
  EXPECT_EQ(yoko->At, QLineF(0, 1234.56, 1500, 1234.56));
  EXPECT_EQ(tate->Style, Qt::DotLine);
  EXPECT_EQ(tate->Colour, QColor(64, 64, 64));
}

// Below both load curves: both sets read their load at the clicked stroke.
TEST_F(GraphViewTest, ClickBelowBothCurvesReadsTheLoads) {
  const double x = 600;  // 60 mm
  const double base = LoadAt(state, kBaseSet, 60);
  const double changed = LoadAt(state, kChangedSet, 60);
  ASSERT_GT(base, changed);
  const double y = GraphLoadY(changed) - 300;
  view->PlotMouseDown(x, y);

  EXPECT_EQ(S(Detail(0)->text()), "基準:" + FormatNumber(base, "##0.0") + "kgf");
  EXPECT_EQ(S(Detail(1)->text()), "変更:" + FormatNumber(changed, "##0.0") + "kgf");
  EXPECT_EQ(S(Detail(2)->text()), "ストローク:60.0mm");
  EXPECT_EQ(S(Detail(3)->text()), "差:" + FormatNumber(base - changed, "##.0") + "kgf  ");
  for (int k = 0; k < 2; ++k) {
    const auto line = view->Line("Line_load", k);
    EXPECT_TRUE(line->Visible);
    EXPECT_DOUBLE_EQ(line->At.y1(), GraphLoadY(k == 0 ? base : changed));
    EXPECT_DOUBLE_EQ(line->At.x1(), x);
    EXPECT_DOUBLE_EQ(line->At.x2(), 1500);
    EXPECT_FALSE(view->Line("Line_stroke", k)->Visible);
  }
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(Detail(i)->isHidden()) << i;

  // Value labels at the right edge, the higher one sitting on its line, the
  // lower one a label height below its line; the difference just left of the
  // base value, halfway between the two in height; the stroke at x above the
  // bottom edge.
  const QLabel* l0 = Detail(0);
  const QLabel* l1 = Detail(1);
  EXPECT_NEAR(RightOf(l0), 1500, UnitX());
  EXPECT_NEAR(RightOf(l1), 1500, UnitX());
  const double h0 = l0->height() * 4000.0 / view->PictureBox()->height();
  const double h1 = l1->height() * 4000.0 / view->PictureBox()->height();
  EXPECT_NEAR(TopOf(l0), GraphLoadY(base) + h0, UnitY());
  EXPECT_NEAR(TopOf(l1), GraphLoadY(changed) - h1, UnitY());
  EXPECT_NEAR(RightOf(Detail(3)), LeftOf(l0), UnitX());
  EXPECT_NEAR(TopOf(Detail(3)), (TopOf(l0) + TopOf(l1)) / 2, UnitY());
  EXPECT_NEAR(LeftOf(Detail(2)), x, UnitX());
  EXPECT_EQ(Detail(2)->geometry().bottom() + 1, view->PictureBox()->height());
  EXPECT_EQ(Detail(0)->palette().color(QPalette::WindowText), QColor(0, 192, 192));
  EXPECT_EQ(Detail(1)->palette().color(QPalette::WindowText), QColor(192, 0, 192));

  view->PlotMouseUp();
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(Detail(i)->isHidden()) << i;
  for (int k = 0; k < 2; ++k) {
    EXPECT_FALSE(view->Line("Line_load", k)->Visible);
    EXPECT_FALSE(view->Line("Line_stroke", k)->Visible);
  }
  EXPECT_EQ(state.Set[kBaseWork].AxleStartPos, state.Set[kBaseSet].AxleStartPos);
  EXPECT_EQ(state.Set[kChangedWork].AxleStartPos, state.Set[kChangedSet].AxleStartPos);
}

// Near the right edge the stroke label would run out of the plot: it is
// kept inside, whole.
TEST_F(GraphViewTest, ReadOutLabelsStayInsideThePlot) {
  view->PlotMouseDown(1480, 100);
  const QRect inside = view->PictureBox()->rect();
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(inside.contains(Detail(i)->geometry())) << i;
  }
  EXPECT_EQ(Detail(2)->geometry().right(), inside.right());
  EXPECT_EQ(S(Detail(2)->text()), "ストローク:148.0mm");
}

// A click exactly on a set's load curve reads that set's load.
TEST_F(GraphViewTest, ClickOnALoadCurveIsLoadMode) {
  const double changed = LoadAt(state, kChangedSet, 80);
  view->PlotMouseDown(800, GraphLoadY(changed));
  EXPECT_TRUE(view->Line("Line_load", 1)->Visible);
  EXPECT_EQ(S(Detail(1)->text()), "変更:" + FormatNumber(changed, "##0.0") + "kgf");
}

// Between the curves the lower set (here the changed set) walks to the
// clicked load while the upper one reads its load; the layout follows the
// base set's mode and the common label holds the changed set's text.
TEST_F(GraphViewTest, ClickBetweenTheCurvesWithTheChangedSetLower) {
  const double x = 700;
  const double base = LoadAt(state, kBaseSet, 70);
  const double changed = LoadAt(state, kChangedSet, 70);
  ASSERT_GT(base, changed);
  const double y = std::round((GraphLoadY(base) + GraphLoadY(changed)) / 2);
  view->PlotMouseDown(x, y);

  const double found = state.Set[kChangedSet].AxleStartPos - state.Set[kChangedWork].AxleStartPos;
  EXPECT_GT(found, 70);
  EXPECT_NEAR(LoadAt(state, kChangedSet, found), y / 10, 0.01);
  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(S(Detail(0)->text()), "基準:" + FormatNumber(base, "##0.0") + "kgf");
  EXPECT_EQ(S(Detail(1)->text()), "変更:" + FormatNumber(found, "##0.0") + "mm");
  EXPECT_EQ(S(Detail(2)->text()), "荷重:" + FormatNumber(y / 10, "##0.0") + "kgf");
  // Load layout (the base set is in load mode): the difference is that of
  // the two curves at the clicked stroke, read from the two load lines, and
  // the changed label sits by the changed curve there, below the base one.
  EXPECT_EQ(S(Detail(3)->text()),
            "差:" + FormatNumber(std::abs(base - changed), "##.0") + "kgf  ");
  EXPECT_NEAR(view->Line("Line_load", 1)->At.y1(), GraphLoadY(changed), 1e-9);
  EXPECT_GT(Detail(1)->y(), Detail(0)->y());
  EXPECT_TRUE(view->Line("Line_load", 0)->Visible);
  EXPECT_FALSE(view->Line("Line_load", 1)->Visible);
  const auto strokeLine = view->Line("Line_stroke", 1);
  EXPECT_TRUE(strokeLine->Visible);
  EXPECT_NEAR(strokeLine->At.x1(), GraphX(found), 1e-9);
  EXPECT_DOUBLE_EQ(strokeLine->At.y1(), y);
  EXPECT_DOUBLE_EQ(strokeLine->At.y2(), 0);
  EXPECT_NEAR(RightOf(Detail(0)), 1500, UnitX());

  view->PlotMouseUp();
  EXPECT_EQ(state.Set[kChangedWork].AxleStartPos, state.Set[kChangedSet].AxleStartPos);
}

// The same with the base set lower: stroke layout, the changed value beside
// its own line, and a non-negative difference of strokes.
TEST_F(GraphViewTest, ClickBetweenTheCurvesWithTheBaseSetLower) {
  std::swap(state.Set[kBaseSet], state.Set[kChangedSet]);
  Prepare();
  const double x = 700;
  const double base = LoadAt(state, kBaseSet, 70);
  const double changed = LoadAt(state, kChangedSet, 70);
  ASSERT_LT(base, changed);
  const double y = std::round((GraphLoadY(base) + GraphLoadY(changed)) / 2);
  view->PlotMouseDown(x, y);

  const double found = state.Set[kBaseSet].AxleStartPos - state.Set[kBaseWork].AxleStartPos;
  EXPECT_GT(found, 70);
  EXPECT_NEAR(LoadAt(state, kBaseSet, found), y / 10, 0.01);
  EXPECT_EQ(S(Detail(0)->text()), "基準:" + FormatNumber(found, "##0.0") + "mm");
  EXPECT_EQ(S(Detail(1)->text()), "変更:" + FormatNumber(changed, "##0.0") + "kgf");
  EXPECT_EQ(S(Detail(2)->text()), "ストローク:70.0mm");
  EXPECT_EQ(S(Detail(3)->text()), "差:" + FormatNumber(found - 70, "##.0") + "mm");
  EXPECT_EQ(Detail(3)->text().indexOf('-'), -1);
  EXPECT_FALSE(view->Line("Line_load", 0)->Visible);
  EXPECT_TRUE(view->Line("Line_stroke", 0)->Visible);
  EXPECT_TRUE(view->Line("Line_load", 1)->Visible);

  // Stroke layout: both value labels on the bottom edge; the changed set
  // (at 70 mm) lies left of the base line, so the base label starts at its
  // line and the changed label ends at x.
  const double h0 = Detail(0)->height() * 4000.0 / view->PictureBox()->height();
  EXPECT_NEAR(TopOf(Detail(0)), h0, UnitY());
  EXPECT_EQ(Detail(0)->geometry().bottom() + 1, view->PictureBox()->height());
  EXPECT_NEAR(LeftOf(Detail(0)), GraphX(found), UnitX());
  EXPECT_NEAR(RightOf(Detail(1)), x, UnitX());
  EXPECT_NEAR(RightOf(Detail(2)), 1500, UnitX());
  EXPECT_NEAR(TopOf(Detail(2)), y, UnitY());
  const double h3 = Detail(3)->height() * 4000.0 / view->PictureBox()->height();
  EXPECT_NEAR(LeftOf(Detail(3)), (LeftOf(Detail(0)) + LeftOf(Detail(1))) / 2, UnitX());
  EXPECT_NEAR(TopOf(Detail(3)), TopOf(Detail(0)) + 2 * h3, UnitY());
}

// Above both curves: both sets walk; the difference of the strokes is shown
// as a positive number whichever set reaches the load first.
TEST_F(GraphViewTest, ClickAboveBothCurvesFindsBothStrokes) {
  const double y = std::round(GraphLoadY(LoadAt(state, kBaseSet, 50)) + 200);
  view->PlotMouseDown(300, y);
  std::array<double, 2> found{};
  for (int k = 0; k < 2; ++k) {
    found[static_cast<std::size_t>(k)] = state.Set[k].AxleStartPos - state.Set[k + 2].AxleStartPos;
    EXPECT_NEAR(LoadAt(state, k, found[static_cast<std::size_t>(k)]), y / 10, 0.01) << k;
    EXPECT_TRUE(view->Line("Line_stroke", k)->Visible);
  }
  EXPECT_GT(found[1], found[0]);  // the softer set needs more stroke
  EXPECT_EQ(S(Detail(3)->text()), "差:" + FormatNumber(found[1] - found[0], "##.0") + "mm");
  EXPECT_NEAR(RightOf(Detail(0)), GraphX(found[0]), UnitX());
  EXPECT_NEAR(LeftOf(Detail(1)), GraphX(found[1]), UnitX());
}

// A load a set never reaches within 0..MaxStroke used to be read out as the
// end of the stroke ("120.0mm"), as if the set reached it there, with a
// difference of strokes between two sets that reach nothing. The read-out
// now says that the load is not reached, draws no stroke line for that set
// and shows no difference; the walk still ends, and its solves raise no flag.
TEST_F(GraphViewTest, ALoadNeverReachedWithinTheStrokeIsSaidSo) {
  state.MaxStroke = 120;
  const std::array<double, 2> most = {MaxLoad(state, kBaseSet, 120),
                                      MaxLoad(state, kChangedSet, 120)};
  const double y = std::round(GraphLoadY(std::max(most[0], most[1]) + 1));
  ASSERT_LE(y, 4000);
  view->PlotMouseDown(1100, y);
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(S(Detail(k)->text()), S(k == 0 ? "基準:" : "変更:") + "ストローク内で到達しません") << k;
    EXPECT_FALSE(view->Line("Line_stroke", k)->Visible) << k;
    EXPECT_FALSE(Detail(k)->isHidden()) << k;
  }
  EXPECT_EQ(S(Detail(2)->text()), "荷重:" + FormatNumber(y / 10, "##0.0") + "kgf");
  EXPECT_TRUE(Detail(3)->isHidden());
  EXPECT_FALSE(state.LinkFailed);
  view->PlotMouseUp();

  // A load between the two maxima: the stiffer base set reaches it, at the
  // stroke where the engine's load is that load; the changed set does not.
  ASSERT_GT(most[0], most[1] + 2);
  const double between = std::round(GraphLoadY((most[0] + most[1]) / 2));
  ASSERT_LT(LoadAt(state, kBaseSet, 10), between / 10);
  view->PlotMouseDown(100, between);
  const double found = state.Set[kBaseSet].AxleStartPos - state.Set[kBaseWork].AxleStartPos;
  EXPECT_NEAR(LoadAt(state, kBaseSet, found), between / 10, 0.01);
  EXPECT_LE(found, 120);
  EXPECT_EQ(S(Detail(0)->text()), "基準:" + FormatNumber(found, "##0.0") + "mm");
  EXPECT_EQ(S(Detail(1)->text()), "変更:ストローク内で到達しません");
  EXPECT_TRUE(view->Line("Line_stroke", 0)->Visible);
  EXPECT_FALSE(view->Line("Line_stroke", 1)->Visible);
  EXPECT_TRUE(Detail(3)->isHidden());
  view->PlotMouseUp();

  // A changed set that does not solve at all (no type yet) reaches nothing,
  // and the walk ends as well.
  state.Set[kChangedSet] = ConfigSet{};
  CopySet(state, kChangedSet);
  view->PlotMouseDown(500, 3500);
  EXPECT_EQ(S(Detail(1)->text()), "変更:ストローク内で到達しません");
  EXPECT_FALSE(state.LinkFailed);
  view->PlotMouseUp();
}

// The walk towards a clicked load went only towards longer strokes: a set
// whose axle load falls along the stroke (a preloaded spring that relaxes)
// reaches the load at a shorter stroke than the clicked one, and was read
// out as the end of the stroke. The stroke found is where the engine's load
// is the clicked load.
TEST_F(GraphViewTest, ALoadReachedBeforeTheClickedStrokeIsFound) {
  state.Set[kChangedSet].SpringRate = -2;
  state.Set[kChangedSet].Preload = -200;
  Prepare();
  const double first = LoadAt(state, kChangedSet, 0);
  const double at100 = LoadAt(state, kChangedSet, 100);
  ASSERT_GT(first, at100 + 5);
  ASSERT_LT(GraphLoadY(first), 4000);
  const double y = std::round(GraphLoadY((first + at100) / 2));
  view->PlotMouseDown(1000, y);
  const double found =
      state.Set[kChangedSet].AxleStartPos - state.Set[kChangedWork].AxleStartPos;
  EXPECT_LT(found, 100);
  EXPECT_GE(found, 0);
  EXPECT_NEAR(LoadAt(state, kChangedSet, found), y / 10, 0.01);
  EXPECT_EQ(S(Detail(1)->text()), "変更:" + FormatNumber(found, "##0.0") + "mm");
  EXPECT_TRUE(view->Line("Line_stroke", 1)->Visible);
  EXPECT_NEAR(view->Line("Line_stroke", 1)->At.x1(), GraphX(found), 1e-9);
  view->PlotMouseUp();
}

// Read-out labels were placed by their rules alone and then pushed back
// into the plot, so near an edge or where two lines lie close together two
// labels printed over each other. Wherever the plot is clicked, every shown
// label lies whole inside the plot and no two of them overlap.
TEST_F(GraphViewTest, ReadOutLabelsNeverPrintOverEachOther) {
  for (const bool swapped : {false, true}) {
    if (swapped) {
      std::swap(state.Set[kBaseSet], state.Set[kChangedSet]);
      Prepare();
    }
    const QRect inside = view->PictureBox()->rect();
    for (double x = 0; x <= 1500; x += 50) {
      for (double y = 0; y <= 4000; y += 160) {
        view->PlotMouseDown(x, y);
        std::vector<QRect> shown;
        for (int i = 0; i < 4; ++i) {
          if (Detail(i)->isHidden()) continue;
          const QRect at = Detail(i)->geometry();
          EXPECT_TRUE(inside.contains(at)) << i << " at " << x << "," << y;
          for (const QRect& other : shown) {
            EXPECT_FALSE(at.intersects(other))
                << "label " << i << " at " << x << "," << y << ": " << S(Detail(i)->text());
          }
          shown.push_back(at);
        }
        view->PlotMouseUp();
      }
    }
  }
}

TEST_F(GraphViewTest, ReadOutLeavesTheFailureFlagAsItFoundIt) {
  state.MaxStroke = 150;
  // Clicked beyond where the changed set can be formed: the solves fail.
  state.Set[kChangedSet].TenRodLength = 1;
  CopySet(state, kChangedSet);
  view->PlotMouseDown(500, 1500);
  EXPECT_FALSE(state.LinkFailed);
  view->PlotMouseUp();
  state.LinkFailed = true;
  view->PlotMouseDown(500, 1500);
  EXPECT_TRUE(state.LinkFailed);
}

// The real mouse on Picture1: press reads out, release clears, a double
// click draws, moving sets the caption.
TEST_F(GraphViewTest, MouseEventsOnThePictureDriveTheReadOut) {
  view->show();
  QApplication::processEvents();
  QWidget* picture = view->PictureBox();
  const QPointF pixel(picture->width() / 3.0, picture->height() * 0.9);
  const QPointF plot = view->ToPlot(pixel);
  const QPointF global = picture->mapToGlobal(pixel);

  QMouseEvent move(QEvent::MouseMove, pixel, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(picture, &move);
  EXPECT_EQ(S(view->windowTitle()),
            "グラフ表示 ストローク:" + FormatNumber(plot.x() / 10, "###.0") +
                "mm  荷重:" + FormatNumber(plot.y() / 10, "###.0") + "kgf");

  QMouseEvent press(QEvent::MouseButtonPress, pixel, global, Qt::RightButton, Qt::RightButton,
                    Qt::NoModifier);
  QApplication::sendEvent(picture, &press);
  EXPECT_TRUE(Detail(0)->isVisible());
  EXPECT_EQ(S(Detail(2)->text()), "ストローク:" + FormatNumber(plot.x() / 10, "##0.0") + "mm");
  QMouseEvent release(QEvent::MouseButtonRelease, pixel, global, Qt::RightButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(picture, &release);
  EXPECT_FALSE(Detail(0)->isVisible());

  ASSERT_EQ(view->PlotCount(PlotColour::Blue), 0);
  QMouseEvent twice(QEvent::MouseButtonDblClick, pixel, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(picture, &twice);
  EXPECT_EQ(view->PlotCount(PlotColour::Blue), static_cast<int>(DetailStrokes(5, 150).size()));
}

}  // namespace
}  // namespace potelan
