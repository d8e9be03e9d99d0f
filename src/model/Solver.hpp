// The single computational core: places every joint of one configuration set
// for the axle position stored in that set, then derives by statics the link
// ratio, shock length and stroke and all loads, writing them into the same set.
#pragma once

#include "model/AppState.hpp"

namespace potelan {

// What a solve came to.
enum class SolveResult {
  Assembled,  // every joint placed and every result finite
  NotFormed,  // the linkage cannot be formed at the set's axle position
  Skipped,    // nothing solved: no type, Types 3 to 6 without a position,
              // or the stage "CHANGING" (values are being written into boxes)
};

// True for the one outcome that means the linkage does not assemble.
inline bool NotFormed(SolveResult result) { return result == SolveResult::NotFormed; }

// Solves set `set` (0..7) with link position `position` (1..4; unused for
// Type 2) and says what came of it. A set that cannot be formed keeps, in the
// values written before the failing step, their new contents. The solver
// never touches the stage's judgement (AppState::LinkFailed): recording a
// failure there is the judging caller's business.
[[nodiscard]] SolveResult SolveLinkage(AppState& state, int set, int position);

// The closed-form position solve alone: places every joint of `set` for its
// axle position, as SolveLinkage does first, and derives nothing by statics.
[[nodiscard]] SolveResult PlaceJoints(ConfigSet& set, int position);

}  // namespace potelan
