// The real-motion view's slider sets: set 6 (base) and set 7 (changed) solved
// with the axle moved by a slider's stroke from working sets 2 and 3.
#pragma once

#include "model/AppState.hpp"

namespace potelan {

// Solves slider set 6 or 7 with its axle at `axleStartPos`. Both sets were
// judged over the whole stroke before a slider could move them; should a
// position fail all the same, the set keeps its last good state, axle
// position included. False when it failed.
bool SolveMotionSet(AppState& state, int set, double axleStartPos);

// Slider k (0 base, 1 changed) at `sliderValue` (-MaxStroke..0): set 6 + k
// solved with its axle that far from working set 2 + k's.
bool SolveSliderSet(AppState& state, int k, int sliderValue);

}  // namespace potelan
