// Speed of the window side, measured on the desktop program itself: a main
// window walked to the editing stage over a sample linkage, offscreen, with
// its real result views (graph, numeric table, real-motion view) and its
// change-input form.
//
//   BM_BaseSweepWithViews  the base sweep of Next at the base stage into the
//                          table's cells and the graph's retained picture,
//                          then the table told of its new cells.
//   BM_DetailDrawing       D_Graph at "CHANGE": the detail curves of the base
//                          and the changed set at the checked pitch.
//   BM_EditPipeline        one spin press on the change-input form: judging,
//                          processing (coarse pass, table columns) and the
//                          detail drawing at the checked pitch.
//   BM_PlaybackFrame       one frame of the real-motion view's stroke
//                          playback, repainted: both sliders moved, their
//                          sets solved and drawn with loads and read-outs.
//                          The event loop turns once per frame, so this is
//                          the longest it waits while playing.
//
// The "_painted" variants also let the event loop run once after the command,
// so the time covers the repaint of every window the command touched.
// Without it, the pending events are handled with the clock stopped.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <memory>
#include <string>

#include "ProgramDriving.hpp"
#include "SampleLinkages.hpp"
#include "app/MainWindow.hpp"
#include "app/ResultViews.hpp"
#include "entry/BaseForm.hpp"
#include "entry/BoxNames.hpp"
#include "entry/InputForm.hpp"
#include "entry/StartMixForm.hpp"
#include "model/NumberFormat.hpp"
#include "model/StrokeSweep.hpp"
#include "ui/Controls.hpp"
#include "ui/Fonts.hpp"
#include "ui/ScriptedPrompts.hpp"
#include "views/GraphView.hpp"
#include "views/RealView.hpp"
#include "views/StrokePlayback.hpp"
#include "views/TableView.hpp"

namespace potelan {
namespace {

// The sample linkage of every benchmark here.
constexpr int kSampleType = 4;

// Items of the graph's "表示ピッチ変更" menu.
constexpr int kPitch5mm = 1;
constexpr int kPitch01mm = 6;

// Counts the paint events a widget receives.
class PaintCounter final : public QObject {
 public:
  int Paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Paints;
    return false;
  }
};

// The desktop program at the editing stage: the type chosen, the base form
// filled with the sample and Next pressed (the position comes with the set,
// as from a link file, so no position choice opens).
class EditingApp {
 public:
  explicit EditingApp(int type) : sample_(testing::SampleSet(type)) {
    window_ = std::make_unique<MainWindow>(state_, prompts_, true);
    state_.MaxStroke = kDefaultMaxStroke;  // whatever potelan.ini says here
    window_->show();
    window_->TypeChoice()->Option(type - 2)->click();
    window_->ClickButton(kButtonNext);
    if (state_.Mode != EditMode::Base || window_->BaseDimensions() == nullptr) {
      error_ = "the base form did not open";
      return;
    }
    testing::FillBoxes(*window_->BaseDimensions(), sample_);
    state_.Set[kBaseSet].SusPos = sample_.SusPos;
    window_->ClickButton(kButtonNext);
    if (state_.Mode != EditMode::New || window_->Input() == nullptr) {
      error_ = "the editing stage did not open";
      return;
    }
    // The graph comes to the front (the toolbar's graph button), as when the
    // user watches its curves while editing; else the change-input form and
    // the table cover it whole on the program's first 800 x 600 frame.
    window_->ClickButton(kButtonGraphFront);
    Settle();
    window_->Views().GraphWindow()->PictureBox()->installEventFilter(&graphPaints_);
    window_->Views().TableWindow()->Grid()->viewport()->installEventFilter(&tablePaints_);
    window_->Views().RealWindow()->Picture()->installEventFilter(&realPaints_);
    CheckQuiet();
  }

  // The first spin press moves the stage from "NEW" to "CHANGE", leaving the
  // changed set one step above the base set.
  void EnterChangeStage() {
    window_->Input()->Spin(kSpin, true);
    Settle();
    if (state_.Mode != EditMode::Change) error_ = "the change stage did not open";
    CheckQuiet();
    up_ = false;
  }

  // Checks an item of the graph's pitch menu, as the user does (this draws once).
  void CheckPitch(int item) {
    QAction* action = FindIndexed<QAction>(*Graph(), QStringLiteral("menu_detail_pitch"), item);
    if (action == nullptr) {
      error_ = "no pitch menu item";
      return;
    }
    action->trigger();
    Settle();
    CheckQuiet();
  }

  // One spin press, up and down in turn, so the changed set stays between the
  // base set and one step above it.
  void SpinPress() {
    window_->Input()->Spin(kSpin, up_);
    up_ = !up_;
  }

  // Lets the event loop run: pending repaints and deferred work.
  static void Settle() { QCoreApplication::processEvents(); }

  // A message shown means the linkage failed somewhere: the figures would
  // not be those of a good edit.
  void CheckQuiet() {
    if (error_.empty() && !prompts_.Messages().empty()) {
      error_ = "a message was shown: " + prompts_.Messages().front().Text.toStdString();
    }
  }

  bool Ok() const { return error_.empty(); }
  const std::string& Error() const { return error_; }

  AppState& State() { return state_; }
  ResultViews& Views() { return window_->Views(); }
  GraphView* Graph() { return window_->Views().GraphWindow(); }
  int GraphPaints() const { return graphPaints_.Paints; }
  int TablePaints() const { return tablePaints_.Paints; }
  int RealPaints() const { return realPaints_.Paints; }

 private:
  // The tension rod of the Type 4 sample holds 1 mm longer or shorter over
  // the whole stroke (the link plate's top edge 1 mm longer does not).
  static inline const QString kSpin = QStringLiteral("Spin_Ten_Rod");

  AppState state_;
  ScriptedPrompts prompts_;
  ConfigSet sample_;
  PaintCounter graphPaints_;  // they outlive the windows they watch
  PaintCounter tablePaints_;
  PaintCounter realPaints_;
  std::unique_ptr<MainWindow> window_;
  std::string error_;
  bool up_ = true;
};

// Runs the event loop once: inside the clock when the repaint is measured,
// else with the clock stopped.
void AfterCommand(benchmark::State& bench, bool painted) {
  if (painted) {
    EditingApp::Settle();
    return;
  }
  bench.PauseTiming();
  EditingApp::Settle();
  bench.ResumeTiming();
}

// Paint events per command of the graph's Picture1, the table's grid and the
// real-motion view's picture: they show which repaints the "_painted"
// variants time.
struct PaintCounts {
  explicit PaintCounts(const EditingApp& app)
      : Graph(app.GraphPaints()), Table(app.TablePaints()), Real(app.RealPaints()) {}
  int Graph, Table, Real;
};

void CountPaints(benchmark::State& bench, const EditingApp& app, const PaintCounts& before) {
  const auto perCommand = [](int paints) {
    return benchmark::Counter(paints, benchmark::Counter::kAvgIterations);
  };
  bench.counters["graph_paints"] = perCommand(app.GraphPaints() - before.Graph);
  bench.counters["table_paints"] = perCommand(app.TablePaints() - before.Table);
  bench.counters["real_paints"] = perCommand(app.RealPaints() - before.Real);
}

// Next at the base stage, past the creation of the windows: the 31-step base
// sweep into the result views' table and the graph's retained picture, then
// the table model reloaded and the grid fitted to it.
void BM_BaseSweepWithViews(benchmark::State& bench, bool painted) {
  EditingApp app(kSampleType);
  if (!app.Ok()) {
    bench.SkipWithError(app.Error().c_str());
    return;
  }
  ResultViews& views = app.Views();
  const PaintCounts before(app);
  for (auto _ : bench) {
    const SweepResult swept = BaseSweep(app.State(), views.Table(), views.Graph());
    views.TableChanged();
    if (!swept.Ok) {
      bench.SkipWithError(swept.Message.c_str());
      break;
    }
    AfterCommand(bench, painted);
  }
  CountPaints(bench, app, before);
  bench.SetLabel("Type " + std::to_string(kSampleType));
}
BENCHMARK_CAPTURE(BM_BaseSweepWithViews, plain, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BaseSweepWithViews, painted, true)->Unit(benchmark::kMicrosecond);

// D_Graph at "CHANGE" at the checked pitch: the picture cleared, then the
// base and the changed set solved and plotted (ratio and load) at every
// pitch step of 0..MaxStroke.
void BM_DetailDrawing(benchmark::State& bench, int pitchItem) {
  EditingApp app(kSampleType);
  app.EnterChangeStage();
  app.CheckPitch(pitchItem);
  if (!app.Ok()) {
    bench.SkipWithError(app.Error().c_str());
    return;
  }
  GraphView& graph = *app.Graph();
  std::int64_t solves = 0;
  for (auto _ : bench) {
    graph.DetailDrawing();
    // Each solve plots one ratio point and one load point.
    solves += graph.PlotCount(PlotColour::Blue) + graph.PlotCount(PlotColour::Red);
    AfterCommand(bench, false);
  }
  bench.SetItemsProcessed(solves);
  bench.counters["solves"] =
      benchmark::Counter(static_cast<double>(solves), benchmark::Counter::kAvgIterations);
  bench.counters["points"] =
      benchmark::Counter(graph.PlotCount(PlotColour::Blue) + graph.PlotCount(PlotColour::Cyan) +
                         graph.PlotCount(PlotColour::Red) + graph.PlotCount(PlotColour::Magenta));
  bench.SetLabel("Type " + std::to_string(kSampleType) + ", both sets");
}
BENCHMARK_CAPTURE(BM_DetailDrawing, 5mm, kPitch5mm)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DetailDrawing, 0.1mm, kPitch01mm)->Unit(benchmark::kMicrosecond);

// One spin press on the change-input form ("Spin_Ten_Rod", 1 mm up and down
// in turn) at "CHANGE": HANDAN (the changed set written to the boxes and solved
// at zero stroke), SYORI (the real-motion view redrawn, the coarse pass of
// both sets into the graph and the table's columns, the table reloaded) and
// the detail drawing at the checked pitch.
void BM_EditPipeline(benchmark::State& bench, int pitchItem, bool painted) {
  EditingApp app(kSampleType);
  app.EnterChangeStage();
  app.CheckPitch(pitchItem);
  if (!app.Ok()) {
    bench.SkipWithError(app.Error().c_str());
    return;
  }
  const PaintCounts before(app);
  for (auto _ : bench) {
    app.SpinPress();
    AfterCommand(bench, painted);
    app.CheckQuiet();
    if (!app.Ok()) {
      bench.SkipWithError(app.Error().c_str());
      break;
    }
  }
  CountPaints(bench, app, before);
  bench.SetLabel("Type " + std::to_string(kSampleType));
}
BENCHMARK_CAPTURE(BM_EditPipeline, 5mm, kPitch5mm, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EditPipeline, 0.1mm, kPitch01mm, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EditPipeline, 5mm_painted, kPitch5mm, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EditPipeline, 0.1mm_painted, kPitch01mm, true)->Unit(benchmark::kMicrosecond);

// A playback frame at "NEW" (the base set alone) or "CHANGE" (both sets),
// the view in front with its load display on, repainted at once.
void BM_PlaybackFrame(benchmark::State& bench, bool changeStage) {
  EditingApp app(kSampleType);
  if (changeStage) app.EnterChangeStage();
  RealView* real = app.Views().RealWindow();
  if (!app.Ok() || real == nullptr) {
    bench.SkipWithError(app.Ok() ? "no real-motion view" : app.Error().c_str());
    return;
  }
  app.Views().BringToFront(real);
  real->SetLoadDisplay(true);
  real->StartPlayback();
  EditingApp::Settle();
  const PaintCounts before(app);
  for (auto _ : bench) {
    real->Playback().Advance(StrokePlayback::kFrameMs);
    EditingApp::Settle();
  }
  real->StopPlayback();
  app.CheckQuiet();
  if (!app.Ok()) bench.SkipWithError(app.Error().c_str());
  CountPaints(bench, app, before);
  bench.SetLabel("Type " + std::to_string(kSampleType) + (changeStage ? ", both sets" : ", base"));
}
BENCHMARK_CAPTURE(BM_PlaybackFrame, new, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PlaybackFrame, change, true)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace potelan

namespace {

QtMessageHandler qtHandler = nullptr;

// The offscreen platform warns at every window whose size hints change; the
// warning says nothing about the program and would bury the figures.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message.contains(QLatin1String("propagateSizeHints"))) return;
  if (qtHandler != nullptr) qtHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  // The windows are never put on a screen.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qtHandler = qInstallMessageHandler(QuietHandler);
  QApplication app(argc, argv);
  potelan::InstallFontSubstitutes();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
