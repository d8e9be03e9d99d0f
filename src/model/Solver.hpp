// The single computational core: places every joint of one configuration set
// for the axle position stored in that set, then derives by statics the link
// ratio, shock length and stroke and all loads, writing them into the same set.
#pragma once

#include "model/AppState.hpp"

namespace potelan {

// Solves set `set` (0..7) with link position `position` (1..4; unused for
// Type 2). A linkage that cannot be formed sets state.LinkFailed; the solver
// never clears it. Values written before the failing step keep their new
// contents. Nothing happens for a set without a type, for Types 3 to 6 with
// position 0, or while the stage is "CHANGING".
void SolveLinkage(AppState& state, int set, int position);

}  // namespace potelan
