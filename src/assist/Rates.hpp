// Velocity and acceleration analysis of a solved linkage: the first and second
// derivatives of the shock length by the axle position, exact to rounding.
// Every joint of the linkage is either fixed to the frame, rigid on the
// swing arm (turning with the fork angle) or the intersection of two circles
// whose centres move; differentiating the circle conditions twice gives two
// small linear systems per joint.
#pragma once

#include <optional>

#include "model/AppState.hpp"

namespace potelan::assist {

struct ShockRates {
  double dLength = 0;   // d(SusLength)/d(AxleStartPos)
  double d2Length = 0;  // d2(SusLength)/d(AxleStartPos)2
};

// The rates of a set that SolveLinkage has just solved successfully. Nothing
// when two members lie in line (the linkage is locked there).
std::optional<ShockRates> ShockLengthRates(const ConfigSet& solved);

}  // namespace potelan::assist
