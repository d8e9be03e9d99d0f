#include "model/StrokeReadOut.hpp"

#include <algorithm>
#include <cmath>

#include "model/Solver.hpp"
#include "model/StrokeSweep.hpp"

namespace potelan {
namespace {

// The stroke-mode search ends at the latest after this many solves.
constexpr int kMaxSearchSolves = 2000;
constexpr double kSearchStartStep = 5.0;
constexpr double kLoadTolerance = 0.01;

}  // namespace

bool SearchStroke(AppState& state, int k, double clicked, double load, double step) {
  const int w = k + 2;
  ConfigSet& work = state.Set[static_cast<std::size_t>(w)];
  const double start = state.Set[static_cast<std::size_t>(k)].AxleStartPos;
  const double maxStroke = std::max(0, static_cast<int>(state.MaxStroke));
  // One solve at a stroke of the range; false when the set cannot be formed
  // there (a set that has not been judged yet).
  const auto solveAt = [&](double stroke) {
    work.AxleStartPos = start - stroke;
    return !NotFormed(SolveLinkage(state, w, work.SusPos));
  };
  double stroke = std::clamp(clicked, 0.0, maxStroke);
  if (!solveAt(stroke)) return false;
  if (std::abs(work.AxleLoad.Magnitude - load) <= kLoadTolerance) return true;
  bool above = work.AxleLoad.Magnitude > load;
  // The load is walked towards from the clicked stroke; each time it is
  // passed, the walk turns back at a fifth of the step, so that once passed
  // it is known to lie within the last step. A walk that comes to the end
  // of 0..MaxStroke without passing it has not found it.
  bool passedOnce = false;
  for (int solves = 0; solves < kMaxSearchSolves && step != 0; ++solves) {
    const double next = stroke + step;
    const bool atEnd = next < 0 || next > maxStroke;
    stroke = std::clamp(next, 0.0, maxStroke);
    if (!solveAt(stroke)) return passedOnce;
    const double reached = work.AxleLoad.Magnitude;
    if (std::abs(reached - load) <= kLoadTolerance) return true;
    if ((reached > load) != above) {
      above = !above;
      passedOnce = true;
      step = -step / 5;
    } else if (atEnd) {
      return false;
    }
  }
  // The load lies between the last two strokes walked, nearer than the
  // tolerance can tell.
  return passedOnce;
}

std::array<ReadOutSide, 2> ReadOutAt(AppState& state, double x, double y) {
  std::array<ReadOutSide, 2> sides{};
  for (int k = 0; k < 2; ++k) {
    ReadOutSide& side = sides[static_cast<std::size_t>(k)];
    const int w = k + 2;
    ConfigSet& work = state.Set[static_cast<std::size_t>(w)];
    const double start = state.Set[static_cast<std::size_t>(k)].AxleStartPos;
    work.AxleStartPos = start - x / 10;
    // A failure leaves the set's last values, which the read-out shows.
    static_cast<void>(SolveLinkage(state, w, work.SusPos));
    side.Load = work.AxleLoad.Magnitude;
    if (GraphLoadY(side.Load) >= y) {
      side.LoadMode = true;
    } else {
      // Towards longer strokes first, where a rising load is reached; then
      // towards shorter ones, for a load that falls along the stroke.
      side.Reached = SearchStroke(state, k, x / 10, y / 10, kSearchStartStep) ||
                     SearchStroke(state, k, x / 10, y / 10, -kSearchStartStep);
    }
    side.Stroke = start - work.AxleStartPos;
  }
  return sides;
}

void EndReadOut(AppState& state) {
  state.Set[kBaseWork].AxleStartPos = state.Set[kBaseSet].AxleStartPos;
  state.Set[kChangedWork].AxleStartPos = state.Set[kChangedSet].AxleStartPos;
}

}  // namespace potelan
