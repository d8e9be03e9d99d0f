// The graph's click read-out: for the base and the changed set, the axle load
// at the clicked stroke, or, for a clicked point above that load, the stroke
// at which the set reaches the clicked load.
#pragma once

#include <array>

#include "model/AppState.hpp"

namespace potelan {

// What the read-out found for one set.
struct ReadOutSide {
  // The load read at the clicked stroke (the clicked point lies on or below
  // the set's load there); else the stroke of the clicked load was searched.
  bool LoadMode = false;
  double Load = 0;      // axle load at the clicked stroke, kgf
  bool Reached = true;  // stroke mode: the clicked load was found within the stroke
  // The stroke the working set was left at: the clicked one in load mode,
  // the one found (or where the search ended) in stroke mode, mm.
  double Stroke = 0;
};

// The read-out of a click at plot units (x, y) (x = stroke x 10, y = load
// x 10): working sets 2 and 3 are solved from sets 0 and 1, and stay where
// the read-out left them until EndReadOut. A set that cannot be formed at
// the clicked stroke keeps its last values, which the read-out reports.
std::array<ReadOutSide, 2> ReadOutAt(AppState& state, double x, double y);

// Working sets 2 and 3 back at the axle positions of sets 0 and 1.
void EndReadOut(AppState& state);

// Stroke mode of the read-out: walks working set k + 2 from the clicked
// stroke, first by `step` mm, until its axle load is `load`. False when the
// walk leaves 0..MaxStroke, or meets a stroke where the set cannot be formed,
// without passing that load.
bool SearchStroke(AppState& state, int k, double clicked, double load, double step);

}  // namespace potelan
