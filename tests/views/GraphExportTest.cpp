// The graph as a picture to read and take away: curves joined into lines at
// every pitch and size, marks where a curve leaves the fixed scale, the
// legend and axis titles, "自動スケール", and saving as PNG and SVG.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <cmath>
#include <functional>

#include "SampleLinkages.hpp"
#include "model/NumberFormat.hpp"
#include "model/Solver.hpp"
#include "ui/Controls.hpp"
#include "ui/ScriptedPrompts.hpp"
#include "views/GraphPainter.hpp"
#include "views/GraphView.hpp"
#include "QtText.hpp"

namespace potelan {
namespace {

using testing::S;

ConfigSet SolvedAt(const AppState& state, int k, double stroke, bool* formed = nullptr) {
  AppState copy = state;
  const int w = k + 2;
  copy.Set[w].AxleStartPos = copy.Set[k].AxleStartPos - stroke;
  copy.LinkFailed = false;
  const bool assembled = SolveLinkage(copy, w, copy.Set[w].SusPos) == SolveResult::Assembled;
  if (formed != nullptr) *formed = assembled;
  return copy.Set[w];
}

// The stroke in lo..hi where f changes sign, by bisection on the engine.
double Crossing(const std::function<double(double)>& f, double lo, double hi) {
  const bool lowSign = f(lo) > 0;
  for (int i = 0; i < 60; ++i) {
    const double mid = (lo + hi) / 2;
    if ((f(mid) > 0) == lowSign) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return (lo + hi) / 2;
}

bool Reddish(QRgb p) { return qRed(p) >= 90 && qGreen(p) < 70 && qBlue(p) < 70; }

// The graph at "CHANGE" with the Type 6 example as the base set (its ratio
// starts at 0.2549, below the fixed scale) and a stiffer changed Type 6 set
// whose axle load passes 400 kgf within the stroke.
class GraphExportTest : public ::testing::Test {
 protected:
  GraphExportTest() {
    state.Set[kBaseSet] = testing::SampleSet(6);
    state.Set[kChangedSet] = testing::SampleSet(6);
    state.Set[kChangedSet].SpringRate = 20;
    state.Set[kChangedSet].Preload = 15;
    for (const int k : {kBaseSet, kChangedSet}) {
      CopySet(state, k);
      state.Set[k + 2].SusLength0 = 0;
      EXPECT_EQ(SolveLinkage(state, k + 2, state.Set[k + 2].SusPos), SolveResult::Assembled);
    }
    state.Mode = EditMode::Change;
    state.MaxStroke = 150;
    view = std::make_unique<GraphView>(state, table);
    view->SetPrompts(prompts);
  }

  QAction* Menu(const char* name) const {
    auto* action = view->findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
  }
  void DrawAt(float pitch) {
    state.GraphDetailPitch = pitch;
    view->DetailDrawing();
  }
  const GraphCurve* CurveOf(int set, GraphQuantity quantity) const {
    for (const GraphCurve& curve : view->Curves()) {
      if (curve.Set == set && curve.Quantity == quantity) return &curve;
    }
    return nullptr;
  }

  AppState state;
  ResultTable table;
  ScriptedPrompts prompts;
  std::unique_ptr<GraphView> view;
  QTemporaryDir folder;
};

// ---- Joined curves -------------------------------------------------------

// The curves hold every detail point, in stroke order, at the engine's
// values, one run per curve when the sets form over the whole stroke.
TEST_F(GraphExportTest, CurvesHoldTheDetailPointsOfTheEngine) {
  DrawAt(10);
  ASSERT_EQ(view->Curves().size(), 4u);
  for (const int set : {0, 1}) {
    for (const GraphQuantity q : {GraphQuantity::Ratio, GraphQuantity::Load}) {
      const GraphCurve* curve = CurveOf(set, q);
      ASSERT_NE(curve, nullptr);
      ASSERT_EQ(curve->Runs.size(), 1u);
      ASSERT_EQ(curve->Runs[0].size(), 16u);
      for (int i = 0; i < 16; ++i) {
        const ConfigSet solved = SolvedAt(state, set, i * 10);
        const QPointF p = curve->Runs[0][static_cast<std::size_t>(i)];
        EXPECT_DOUBLE_EQ(p.x(), i * 10);
        EXPECT_DOUBLE_EQ(p.y(), q == GraphQuantity::Load ? solved.AxleLoad.Magnitude
                                                         : solved.LinkRatio);
      }
    }
  }
  // A clear empties them with the picture.
  view->Clear();
  EXPECT_TRUE(view->Curves().empty());
}

// Regression: at 5 mm in a large window the curves were scattered dots, tens
// of pixels apart. Every column of the plot between the first and the last
// sample now has the changed ratio curve within a few pixels of where the
// engine puts it.
TEST_F(GraphExportTest, AtFiveMillimetresInALargeWindowTheCurveIsUnbroken) {
  view->show();
  view->resize(1400, 900);
  QApplication::processEvents();
  DrawAt(5);
  const QImage shown = view->PictureBox()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const double dpr = shown.devicePixelRatio();
  int columns = 0;
  for (double stroke = 20; stroke <= 140; stroke += 0.5) {
    const double ratio = SolvedAt(state, kChangedSet, stroke).LinkRatio;
    const QPointF at = view->ToPixel({GraphX(stroke), 0}) * dpr;
    // The ratio lies on the fixed ratio scale, 0.30..0.70 over the height.
    const double y = (1 - (ratio - 0.3) / 0.4) * view->PictureBox()->height() * dpr;
    bool found = false;
    for (int dy = -3; dy <= 3 && !found; ++dy) {
      const QPoint p(static_cast<int>(at.x()), static_cast<int>(std::lround(y)) + dy);
      found = shown.rect().contains(p) && Reddish(shown.pixel(p));
    }
    EXPECT_TRUE(found) << "no curve at stroke " << stroke;
    ++columns;
  }
  EXPECT_GT(columns, 200);
}

// A stroke where the set cannot be formed ends a run: no line joins the
// strokes on either side of it, and no point of a run is a failed solve.
TEST_F(GraphExportTest, RunsEndWhereTheSetCannotBeFormed) {
  state.MaxStroke = 400;
  DrawAt(5);
  std::vector<double> failed;
  for (int s = 0; s <= 400; s += 5) {
    bool formed = true;
    SolvedAt(state, kBaseSet, s, &formed);
    if (!formed) failed.push_back(s);
  }
  ASSERT_FALSE(failed.empty()) << "the base set forms over 400 mm; the test needs a failure";
  const GraphCurve* curve = CurveOf(0, GraphQuantity::Load);
  ASSERT_NE(curve, nullptr);
  for (const auto& run : curve->Runs) {
    ASSERT_FALSE(run.empty());
    for (std::size_t i = 0; i < run.size(); ++i) {
      bool formed = true;
      SolvedAt(state, kBaseSet, run[i].x(), &formed);
      EXPECT_TRUE(formed) << run[i].x();
      if (i == 0) continue;
      // Consecutive points of a run are consecutive strokes: nothing failed
      // between them.
      EXPECT_NEAR(run[i].x() - run[i - 1].x(), 5, 1e-3);
    }
  }
}

// ---- Off-scale marks -----------------------------------------------------

// Regression: a ratio below 0.30 or a load above 400 kgf was simply not
// drawn. The Type 6 example's ratio starts below the scale: a mark at its
// start and one where the engine's ratio crosses 0.30; the stiffer set's load
// gets a mark where the engine's load crosses 400 kgf.
TEST_F(GraphExportTest, MarksStandWhereTheEngineCrossesTheScale) {
  DrawAt(0.2f);
  const double ratioAtZero = SolvedAt(state, kBaseSet, 0).LinkRatio;
  ASSERT_LT(ratioAtZero, 0.30);
  const double ratioIn = Crossing(
      [&](double s) { return SolvedAt(state, kBaseSet, s).LinkRatio - 0.30; }, 0, 150);
  ASSERT_GT(SolvedAt(state, kChangedSet, 150).AxleLoad.Magnitude, 400);
  const double loadOut = Crossing(
      [&](double s) { return SolvedAt(state, kChangedSet, s).AxleLoad.Magnitude - 400; }, 0,
      150);

  const std::vector<OffScaleMark> marks = view->OffScaleMarksShown();
  const auto find = [&](const QColor& colour, Qt::Edge edge, double stroke) {
    return std::count_if(marks.begin(), marks.end(), [&](const OffScaleMark& m) {
      return m.Colour == colour && m.Edge == edge && std::abs(m.Stroke - stroke) < 0.02 &&
             std::abs(m.At.x() - stroke / 150) < 0.02 / 150;
    });
  };
  // The changed set differs in its spring only: its ratio is the base's.
  for (const QColor& ratio : {QColor(0, 0, 255), QColor(255, 0, 0)}) {
    EXPECT_EQ(find(ratio, Qt::BottomEdge, 0), 1);
    EXPECT_EQ(find(ratio, Qt::BottomEdge, ratioIn), 1);
  }
  EXPECT_EQ(find(QColor(255, 0, 255), Qt::TopEdge, loadOut), 1);
  for (const OffScaleMark& m : marks) {
    EXPECT_NEAR(m.At.y(), m.Edge == Qt::BottomEdge ? 0 : 1, 1e-12);
    EXPECT_TRUE(std::isfinite(m.At.x()) && std::isfinite(m.Stroke));
  }
  // None besides: the ratio stays below 0.70 and the base load within
  // 0..400 kgf over the whole stroke.
  for (int s = 0; s <= 150; ++s) {
    const ConfigSet base = SolvedAt(state, kBaseSet, s);
    ASSERT_LT(base.LinkRatio, 0.7);
    ASSERT_TRUE(base.AxleLoad.Magnitude > 0 && base.AxleLoad.Magnitude < 400);
  }
  EXPECT_EQ(marks.size(), 5u);

  // The marks are painted: the plot shows the changed load's colour at the
  // top edge where it leaves.
  view->show();
  view->resize(1000, 640);
  QApplication::processEvents();
  const QImage shown = view->PictureBox()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const int x = static_cast<int>(view->ToPixel({GraphX(loadOut), 0}).x() * shown.devicePixelRatio());
  int magenta = 0;
  for (int dx = -3; dx <= 3; ++dx) {
    for (int y = 0; y < 6; ++y) magenta += shown.pixel(x + dx, y) == qRgb(255, 0, 255) ? 1 : 0;
  }
  EXPECT_GT(magenta, 3);
}

// A mark on the edge through which a stroke between two points leaves, for
// each edge, and a run that starts beyond the plot marked at its start.
TEST(OffScaleMarksTest, EachEdgeAndAStartBeyondIt) {
  const GraphScale scale = FixedScale(false);
  GraphCurve curve;
  curve.Quantity = GraphQuantity::Load;
  curve.Colour = Qt::green;
  curve.Runs = {{{10, 300}, {20, 500}},    // leaves at the top at 15 mm
                {{30, -100}, {40, 100}},   // starts below, comes in at 35 mm
                {{140, 100}, {160, 100}},  // leaves at the right at 150 mm
                {{50, 200}, {60, 220}}};   // stays inside
  const std::vector<OffScaleMark> marks = OffScaleMarks(curve, scale);
  ASSERT_EQ(marks.size(), 4u);
  EXPECT_EQ(marks[0].Edge, Qt::TopEdge);
  EXPECT_DOUBLE_EQ(marks[0].Stroke, 15);
  EXPECT_DOUBLE_EQ(marks[0].At.y(), 1);
  EXPECT_EQ(marks[1].Edge, Qt::BottomEdge);
  EXPECT_DOUBLE_EQ(marks[1].Stroke, 30);
  EXPECT_EQ(marks[2].Edge, Qt::BottomEdge);
  EXPECT_DOUBLE_EQ(marks[2].Stroke, 35);
  EXPECT_EQ(marks[3].Edge, Qt::RightEdge);
  EXPECT_DOUBLE_EQ(marks[3].Stroke, 150);
  EXPECT_DOUBLE_EQ(marks[3].At.x(), 1);
}

// ---- Legend and titles ---------------------------------------------------

TEST_F(GraphExportTest, LegendNamesEachSetWithItsCurvesColours) {
  DrawAt(10);
  GraphLegend legend = view->Figure().Legend;
  ASSERT_EQ(legend.Columns, QStringList({QStringLiteral("ﾘﾝｸﾚｼｵ"), QStringLiteral("荷重")}));
  ASSERT_EQ(legend.Rows.size(), 2u);
  EXPECT_EQ(S(legend.Rows[0].Name), "基準");
  EXPECT_EQ(S(legend.Rows[1].Name), "変更");
  EXPECT_EQ(legend.Rows[0].Colours[0], QColor(0, 0, 255));
  EXPECT_EQ(legend.Rows[0].Colours[1], QColor(0, 255, 255));
  EXPECT_EQ(legend.Rows[1].Colours[0], QColor(255, 0, 0));
  EXPECT_EQ(legend.Rows[1].Colours[1], QColor(255, 0, 255));

  // The base side hidden, the load unchecked: the changed ratio alone.
  Menu("menu_view_no_org")->trigger();
  Menu("menu_view_load")->trigger();
  legend = view->Figure().Legend;
  ASSERT_EQ(legend.Rows.size(), 1u);
  EXPECT_EQ(S(legend.Rows[0].Name), "変更");
  EXPECT_EQ(legend.Columns, QStringList({QStringLiteral("ﾘﾝｸﾚｼｵ")}));

  // Points of the coarse pass alone name the sets by their colours.
  view->Clear();
  view->Plot(100, 100, PlotColour::Grey);
  view->Plot(100, 200, PlotColour::White);
  legend = view->Figure().Legend;
  ASSERT_EQ(legend.Rows.size(), 1u);
  EXPECT_EQ(S(legend.Rows[0].Name), "基準");
  EXPECT_EQ(legend.Rows[0].Colours[0], QColor(192, 192, 192));
}

TEST(GraphTitlesTest, AxisTitlesCarryTheirUnits) {
  EXPECT_EQ(S(RatioTitle(false)), "ﾘﾝｸﾚｼｵ");
  EXPECT_EQ(S(RatioTitle(true)), "ﾘﾝｸﾚｼｵ(逆)");
  EXPECT_EQ(S(LoadTitle()), "荷重 kgf");
  EXPECT_EQ(S(StrokeTitle()), "ｱｸｽﾙｽﾄﾛｰｸ mm");
}

// ---- Auto scale ----------------------------------------------------------

// "自動スケール" is off at start; on, every detail point lies within the
// plot, the axis texts are the fitted ticks, and the click read-out still
// reads the engine at the stroke under the mouse; off, the fixed scale and
// its texts return.
TEST_F(GraphExportTest, AutoScaleFitsTheCurvesAndKeepsTheReadOutTrue) {
  QAction* item = Menu("menu_view_auto_scale");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(S(item->text()), "自動スケール");
  EXPECT_TRUE(item->isCheckable());
  EXPECT_FALSE(item->isChecked());
  view->show();
  QApplication::processEvents();
  DrawAt(1);
  EXPECT_FALSE(view->Scale().Fitted);
  EXPECT_FALSE(view->OffScaleMarksShown().empty());

  item->trigger();
  ASSERT_TRUE(view->Scale().Fitted);
  const GraphScale scale = view->Scale();
  for (const GraphCurve& curve : view->Curves()) {
    for (const auto& run : curve.Runs) {
      for (const QPointF& p : run) {
        const QPointF f = FractionOf(scale, curve.Quantity, p);
        EXPECT_TRUE(f.x() >= 0 && f.x() <= 1 && f.y() >= 0 && f.y() <= 1)
            << p.x() << " " << p.y();
      }
    }
  }
  EXPECT_TRUE(view->OffScaleMarksShown().empty());
  EXPECT_EQ(view->RatioAxisLabels(), RatioTickTexts(scale));
  EXPECT_NE(S(view->RatioAxisLabels().front()), "0.30");

  // A click in the plot reads the load at the stroke that pixel stands for.
  const QWidget* box = view->PictureBox();
  const QPointF pixel(box->width() * 0.4, box->height() - 2);
  const double stroke =
      scale.StrokeMin + 0.4 * (scale.StrokeMax - scale.StrokeMin);
  const QPointF at = view->ToPlot(pixel);
  EXPECT_NEAR(at.x(), GraphX(stroke), 1e-9);
  view->PlotMouseDown(at.x(), at.y());
  auto* label = FindIndexed<QLabel>(*view, QStringLiteral("Label_detail"), 0);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(S(label->text()),
            "基準:" + FormatNumber(SolvedAt(state, kBaseSet, stroke).AxleLoad.Magnitude, "##0.0") +
                "kgf");
  EXPECT_TRUE(box->rect().contains(label->geometry()));
  view->PlotMouseUp();

  item->trigger();
  EXPECT_FALSE(view->Scale().Fitted);
  EXPECT_EQ(view->RatioAxisLabels(),
            QStringList({"0.30", "0.40", "0.50", "0.60", "0.70"}));
}

// Fitted ranges hold the points with round, evenly spaced tick texts, and
// stay finite for a curve of one value.
TEST(FittedScaleTest, RoundTicksAroundThePoints) {
  GraphCurve ratio;
  ratio.Quantity = GraphQuantity::Ratio;
  ratio.Runs = {{{0, 0.2549}, {75, 0.41}, {150, 0.5432}}};
  GraphCurve load;
  load.Quantity = GraphQuantity::Load;
  load.Runs = {{{0, 57.3}, {150, 612.9}}};
  const GraphScale scale = FittedScale({ratio, load}, false);
  EXPECT_LE(scale.RatioMin, 0.2549);
  EXPECT_GE(scale.RatioMax, 0.5432);
  EXPECT_LE(scale.LoadMin, 57.3);
  EXPECT_GE(scale.LoadMax, 612.9);
  for (const QStringList& texts :
       {RatioTickTexts(scale), LoadTickTexts(scale), StrokeTickTexts(scale)}) {
    bool ok = true;
    const double step = texts[1].toDouble(&ok) - texts[0].toDouble();
    ASSERT_TRUE(ok);
    for (qsizetype i = 1; i < texts.size(); ++i) {
      EXPECT_NEAR(texts[i].toDouble() - texts[i - 1].toDouble(), step, 1e-9);
      EXPECT_LE(texts[i].size(), 5) << S(texts[i]);
    }
  }
  // One value: a range around it, finite.
  GraphCurve flat;
  flat.Quantity = GraphQuantity::Load;
  flat.Runs = {{{0, 100}, {150, 100}}};
  const GraphScale single = FittedScale({flat}, false);
  EXPECT_TRUE(std::isfinite(single.LoadMin) && std::isfinite(single.LoadMax));
  EXPECT_LT(single.LoadMin, single.LoadMax);
  EXPECT_TRUE(single.LoadMin <= 100 && single.LoadMax >= 100);
}

// ---- Saving --------------------------------------------------------------

// The PNG has the size chosen, and its plot shows the curves.
TEST_F(GraphExportTest, SavedPngHasTheChosenSizeAndTheCurves) {
  DrawAt(1);
  const QString path = folder.filePath(QStringLiteral("graph.png"));
  QAction* item = Menu("menu_save_png");
  EXPECT_EQ(S(item->text()), "画像として保存(PNG)...");
  prompts.PickImageSize(QSize(640, 400));
  prompts.PickFile(path);
  item->trigger();
  ASSERT_EQ(prompts.History().size(), 2u);
  // The window's size is offered first.
  const QSize offered = view->DefaultPictureSize();
  EXPECT_EQ(S(prompts.History()[0].Text),
            QStringLiteral("%1x%2").arg(offered.width()).arg(offered.height()).toStdString());
  EXPECT_EQ(S(prompts.History()[1].Dialog.DefaultSuffix), "png");
  EXPECT_TRUE(prompts.Messages().empty());

  QImage saved(path);
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.size(), QSize(640, 400));
  const QRect plot = FigurePlotRect(saved.size(), view->Figure()).toAlignedRect();
  ASSERT_TRUE(saved.rect().contains(plot));
  int red = 0;
  int cyan = 0;  // the base load (the base ratio lies under the changed one)
  for (int y = plot.top(); y <= plot.bottom(); ++y) {
    for (int x = plot.left(); x <= plot.right(); ++x) {
      const QRgb p = saved.pixel(x, y);
      red += Reddish(p) ? 1 : 0;
      cyan += qBlue(p) >= 90 && qGreen(p) >= 90 && qRed(p) < 70 ? 1 : 0;
    }
  }
  EXPECT_GT(red, 300);
  EXPECT_GT(cyan, 300);
}

// A cancelled size or file writes nothing.
TEST_F(GraphExportTest, CancellingWritesNothing) {
  DrawAt(10);
  prompts.PickImageSize(std::nullopt);
  Menu("menu_save_png")->trigger();
  ASSERT_EQ(prompts.History().size(), 1u);  // no file dialog after the size
  prompts.PickImageSize(QSize(300, 200));
  prompts.PickFile(std::nullopt);
  Menu("menu_save_png")->trigger();
  prompts.PickFile(std::nullopt);
  Menu("menu_save_svg")->trigger();
  EXPECT_TRUE(QDir(folder.path()).isEmpty());
  EXPECT_TRUE(prompts.Messages().empty());
}

// The SVG parses and holds the legend and the axis titles as text.
TEST_F(GraphExportTest, SavedSvgParsesAndHoldsLegendAndTitles) {
  DrawAt(2);
  const QString path = folder.filePath(QStringLiteral("graph.svg"));
  QAction* item = Menu("menu_save_svg");
  EXPECT_EQ(S(item->text()), "SVGとして保存...");
  prompts.PickFile(path);
  item->trigger();
  EXPECT_TRUE(prompts.Messages().empty());
  QSvgRenderer renderer(path);
  EXPECT_TRUE(renderer.isValid());
  EXPECT_EQ(renderer.viewBox(), QRect(QPoint(0, 0), view->DefaultPictureSize()));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString svg = QString::fromUtf8(file.readAll());
  // Qt writes a text in runs of one script each: "荷重 kgf" as "荷重 " and
  // "kgf".
  for (const char* text : {">基準<", ">変更<", ">ﾘﾝｸﾚｼｵ<", ">荷重", ">kgf<", ">ｱｸｽﾙｽﾄﾛｰｸ", ">mm<"}) {
    EXPECT_TRUE(svg.contains(QString::fromUtf8(text))) << text;
  }
  EXPECT_FALSE(svg.contains(QStringLiteral("nan"), Qt::CaseInsensitive));
  EXPECT_FALSE(svg.contains(QStringLiteral("inf\""), Qt::CaseInsensitive));
}

// Regression guard: a file that cannot be written is told in the program's
// one way, with the file, never reported as saved.
TEST_F(GraphExportTest, AFileThatCannotBeWrittenIsTold) {
  DrawAt(10);
  const QString path = folder.filePath(QStringLiteral("no-such-folder/graph.png"));
  prompts.PickImageSize(QSize(400, 300));
  prompts.PickFile(path);
  Menu("menu_save_png")->trigger();
  prompts.PickFile(folder.filePath(QStringLiteral("no-such-folder/graph.svg")));
  Menu("menu_save_svg")->trigger();
  const auto messages = prompts.Messages();
  ASSERT_EQ(messages.size(), 2u);
  for (const auto& shown : messages) {
    EXPECT_TRUE(shown.Text.startsWith(QStringLiteral("グラフを保存できません\n")));
    EXPECT_TRUE(shown.Text.contains(QStringLiteral("no-such-folder")));
    EXPECT_EQ(shown.Icon, MessageIcon::Error);
  }
  EXPECT_FALSE(QFile::exists(path));

  // A picture of no size is told as well, and writes nothing.
  prompts.Clear();
  const QString empty = folder.filePath(QStringLiteral("empty.png"));
  prompts.PickImageSize(QSize(0, 0));
  prompts.PickFile(empty);
  Menu("menu_save_png")->trigger();
  EXPECT_EQ(prompts.Messages().size(), 1u);
  EXPECT_FALSE(QFile::exists(empty));
}

}  // namespace
}  // namespace potelan
