// Series over the axle stroke: a working copy of a set is moved down the
// stroke in 5 mm steps and solved at each step; every step becomes table cells
// and coarse graph points at once.
#pragma once

#include <cstdint>
#include <string>

#include "model/AppState.hpp"
#include "model/ResultTable.hpp"
#include "model/Translatable.hpp"

namespace potelan {

// Colours of plotted points, as the 16-colour index of the platform.
enum class PlotColour : int {
  Grey = 7,      // 192,192,192
  Blue = 9,      // 0,0,255
  Cyan = 11,     // 0,255,255
  Red = 12,      // 255,0,0
  Magenta = 13,  // 255,0,255
  White = 15,    // 255,255,255
};

// Where the points of a series go: the graph's retained picture.
class PlotSink {
 public:
  virtual ~PlotSink() = default;
  virtual void Plot(double x, double y, PlotColour colour) = 0;
  virtual void Clear() = 0;
};

// A sink that drops every point (for callers without a graph).
class NullPlotSink final : public PlotSink {
 public:
  void Plot(double, double, PlotColour) override {}
  void Clear() override {}
};

// Graph coordinates: x = stroke * 10; ratio y = (r - 0.3) * 10000;
// inverse ratio y = (q - 1) * 2000; load y = F * 10.
inline double GraphX(double stroke) { return stroke * 10; }
inline double GraphRatioY(double ratio) { return (ratio - 0.3) * 10000; }
inline double GraphInvRatioY(double inverse) { return (inverse - 1) * 2000; }
inline double GraphLoadY(double load) { return load * 10; }

// Plots the two coarse points of a solved working set: the link ratio (or its
// inverse, when the table shows the inverse item, so that the points match the
// graph's ratio axis) and the axle load.
void PlotCoarsePoints(const AppState& state, const ResultTable& table, PlotSink& sink, int stroke,
                      int w);

// The outcome of a sweep that stops on failure.
struct SweepResult {
  bool Ok = true;
  std::int16_t FailedStroke = 0;  // stroke of the failing step
  int FailedSet = -1;             // source set (0 base, 1 changed) that failed
  std::string Message;            // the message to show, in the program's words
};

// The failure messages of the sweeps: the stroke (%1) is written as a plain
// number ("40", or "2.5" for finer pitches). The windows translate the
// patterns in the context "potelan::StrokeSweep" and fill in the stroke.
inline constexpr const char* kStrokeFailurePattern =
    QT_TRANSLATE_NOOP("potelan::StrokeSweep", "ｱｸｽﾙｽﾄﾛｰｸ %1mm でリンクが成立しなくなります");
inline constexpr const char* kChangedStrokeFailurePattern =
    QT_TRANSLATE_NOOP("potelan::StrokeSweep", "変更された条件のｱｸｽﾙｽﾄﾛｰｸ%1mm でリンクが成立しません");
std::string StrokeFailureMessage(double stroke);         // "ｱｸｽﾙｽﾄﾛｰｸ 40mm でリンクが成立しなくなります"
std::string ChangedStrokeFailureMessage(double stroke);  // "変更された条件のｱｸｽﾙｽﾄﾛｰｸ40mm でリンクが成立しません"
inline constexpr std::string_view kInitialFailureMessage =
    QT_TRANSLATE_NOOP("potelan::StrokeSweep", "初期条件でリンクが成立しません");

// The strokes of a sweep: 0, 5, ... not above MaxStroke (none when negative).
int LastSweepStroke(std::int16_t maxStroke);

// The grid rows of a stroke range: the two header rows and one row for each
// stroke of a sweep up to MaxStroke.
int StrokeRows(std::int16_t maxStroke);

// Sizes the table to exactly the rows of the stroke range. Every sweep does
// this first, so that rows a longer range wrote earlier never stay behind
// with numbers of an older sweep.
void FitStrokeRows(ResultTable& table, std::int16_t maxStroke);

// Base sweep (Next at "BASE"): set 2 from set 0, stroke cell and base columns.
SweepResult BaseSweep(AppState& state, ResultTable& table, PlotSink& sink);

// Changed sweep (link file loaded at "NEW"): set 3 from set 1, changed columns;
// on success set 3 is kept as the last good set 5.
SweepResult ChangedSweep(AppState& state, ResultTable& table, PlotSink& sink);

// Paired sweep (link file loaded at "CHANGE"): per step set 3 from set 1, then
// set 2 from set 0 with the stroke cell and base columns.
SweepResult PairedSweep(AppState& state, ResultTable& table, PlotSink& sink);

// Base refill (the table's layout step, and the base side of processing a
// change): never stops; a failed step still writes what the set holds.
// Returns the first stroke at which the base set failed in this refill, or -1.
int BaseRefill(AppState& state, ResultTable& table, PlotSink& sink);

}  // namespace potelan
