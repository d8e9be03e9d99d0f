#include "model/MotionSolve.hpp"

#include "model/Solver.hpp"

namespace potelan {

bool SolveMotionSet(AppState& state, int set, double axleStartPos) {
  ConfigSet& c = state.Set[static_cast<std::size_t>(set)];
  const ConfigSet lastGood = c;
  c.AxleStartPos = axleStartPos;
  const bool failed = NotFormed(SolveLinkage(state, set, c.SusPos));
  if (failed) c = lastGood;
  return !failed;
}

bool SolveSliderSet(AppState& state, int k, int sliderValue) {
  return SolveMotionSet(state, 6 + k,
                        sliderValue + state.Set[static_cast<std::size_t>(2 + k)].AxleStartPos);
}

}  // namespace potelan
