#include "model/StrokeSweep.hpp"

#include "model/NumberFormat.hpp"
#include "model/Solver.hpp"

namespace potelan {
namespace {

constexpr int kStrokeStep = 5;

// Moves working set w to stroke s below its source and solves it; true when
// it did not fail to form.
bool SolveAtStroke(AppState& state, int w, int src, int stroke) {
  state.Set[w].AxleStartPos = state.Set[src].AxleStartPos - stroke;
  return !NotFormed(SolveLinkage(state, w, state.Set[w].SusPos));
}

void WriteStrokeCell(ResultTable& table, int stroke) {
  WriteTableCell(table, 0, (10 * stroke) / 50 + 1, stroke, "##0");
}

// The failure of working set w at stroke s: the working axle put back and
// the message built for the caller to show.
SweepResult Failure(AppState& state, int w, int src, int stroke) {
  state.Set[w].AxleStartPos = state.Set[src].AxleStartPos;
  SweepResult result;
  result.Ok = false;
  result.FailedStroke = static_cast<std::int16_t>(stroke);
  result.FailedSet = src;
  result.Message = StrokeFailureMessage(stroke);
  return result;
}

}  // namespace

namespace {

std::string Filled(std::string_view pattern, double stroke) {
  std::string text(pattern);
  const std::size_t at = text.find("%1");
  if (at != std::string::npos) text.replace(at, 2, GeneralDouble(stroke));
  return text;
}

}  // namespace

std::string StrokeFailureMessage(double stroke) { return Filled(kStrokeFailurePattern, stroke); }

std::string ChangedStrokeFailureMessage(double stroke) {
  return Filled(kChangedStrokeFailurePattern, stroke);
}

int LastSweepStroke(std::int16_t maxStroke) {
  if (maxStroke < 0) return -1;
  return maxStroke - maxStroke % kStrokeStep;
}

int StrokeRows(std::int16_t maxStroke) {
  const int last = LastSweepStroke(maxStroke);
  return last < 0 ? kGridHeaderRows : ResultTable::RowOfStroke(last) + 1;
}

void FitStrokeRows(ResultTable& table, std::int16_t maxStroke) {
  table.SetRowCount(StrokeRows(maxStroke));
}

void PlotCoarsePoints(const AppState& state, const ResultTable& table, PlotSink& sink, int stroke,
                      int w) {
  const ConfigSet& set = state.Set[w];
  const bool changed = w == kChangedWork;
  const double ratioY = table.IsShown(ResultItem::LinkRatio) ? GraphRatioY(set.LinkRatio)
                                                             : GraphInvRatioY(set.InvLinkRatio);
  sink.Plot(GraphX(stroke), ratioY, changed ? PlotColour::Magenta : PlotColour::Grey);
  sink.Plot(GraphX(stroke), GraphLoadY(set.AxleLoad.Magnitude),
            changed ? PlotColour::Magenta : PlotColour::White);
}

SweepResult BaseSweep(AppState& state, ResultTable& table, PlotSink& sink) {
  CopySet(state, kBaseSet);
  state.Set[kBaseWork].SusLength0 = 0;
  FitStrokeRows(table, state.MaxStroke);
  const int last = LastSweepStroke(state.MaxStroke);
  for (int s = 0; s <= last; s += kStrokeStep) {
    if (!SolveAtStroke(state, kBaseWork, kBaseSet, s)) {
      return Failure(state, kBaseWork, kBaseSet, s);
    }
    PlotCoarsePoints(state, table, sink, s, kBaseWork);
    WriteStrokeCell(table, s);
    FillTableRow(state, table, s, 1, kBaseWork);
  }
  state.Set[kBaseWork].AxleStartPos = state.Set[kBaseSet].AxleStartPos;
  return {};
}

SweepResult ChangedSweep(AppState& state, ResultTable& table, PlotSink& sink) {
  CopySet(state, kChangedSet);
  state.Set[kChangedWork].SusLength0 = 0;
  FitStrokeRows(table, state.MaxStroke);
  const int last = LastSweepStroke(state.MaxStroke);
  for (int s = 0; s <= last; s += kStrokeStep) {
    if (!SolveAtStroke(state, kChangedWork, kChangedSet, s)) {
      return Failure(state, kChangedWork, kChangedSet, s);
    }
    PlotCoarsePoints(state, table, sink, s, kChangedWork);
    FillTableRow(state, table, s, 2, kChangedWork);
  }
  state.Set[kChangedWork].AxleStartPos = state.Set[kChangedSet].AxleStartPos;
  CopySet(state, kChangedWork);
  return {};
}

SweepResult PairedSweep(AppState& state, ResultTable& table, PlotSink& sink) {
  CopySet(state, kChangedSet);
  state.Set[kChangedWork].SusLength0 = 0;
  sink.Clear();
  FitStrokeRows(table, state.MaxStroke);
  const int last = LastSweepStroke(state.MaxStroke);
  for (int s = 0; s <= last; s += kStrokeStep) {
    if (!SolveAtStroke(state, kChangedWork, kChangedSet, s)) {
      state.Set[kBaseWork].AxleStartPos = state.Set[kBaseSet].AxleStartPos;
      return Failure(state, kChangedWork, kChangedSet, s);
    }
    PlotCoarsePoints(state, table, sink, s, kChangedWork);
    FillTableRow(state, table, s, 2, kChangedWork);

    // A base set that no longer forms (the stroke range grew since it was
    // judged) is reported as the base set's failure, never blamed on the
    // changed set at the next step.
    if (!SolveAtStroke(state, kBaseWork, kBaseSet, s)) {
      state.Set[kChangedWork].AxleStartPos = state.Set[kChangedSet].AxleStartPos;
      return Failure(state, kBaseWork, kBaseSet, s);
    }
    PlotCoarsePoints(state, table, sink, s, kBaseWork);
    WriteStrokeCell(table, s);
    FillTableRow(state, table, s, 1, kBaseWork);
  }
  state.Set[kChangedWork].AxleStartPos = state.Set[kChangedSet].AxleStartPos;
  state.Set[kBaseWork].AxleStartPos = state.Set[kBaseSet].AxleStartPos;
  CopySet(state, kChangedWork);
  return {};
}

int BaseRefill(AppState& state, ResultTable& table, PlotSink& sink) {
  FitStrokeRows(table, state.MaxStroke);
  const int last = LastSweepStroke(state.MaxStroke);
  int firstFailure = -1;
  for (int s = 0; s <= last; s += kStrokeStep) {
    if (!SolveAtStroke(state, kBaseWork, kBaseSet, s) && firstFailure < 0) firstFailure = s;
    PlotCoarsePoints(state, table, sink, s, kBaseWork);
    WriteStrokeCell(table, s);
    FillTableRow(state, table, s, 1, kBaseWork);
  }
  return firstFailure;
}

}  // namespace potelan
