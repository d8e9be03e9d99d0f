// Velocity and acceleration analysis of a solved linkage: the first and second
// derivatives of the shock length by the axle position, exact to rounding.
// Every joint of the linkage is either fixed to the frame, rigid on the
// swing arm (turning with the fork angle) or the intersection of two circles
// whose centres move; differentiating the circle conditions twice gives two
// small linear systems per joint. From these follow the slope of the link
// ratio and the wheel rate (the slope of the axle load) at the solved stroke.
#pragma once

#include <optional>

#include "model/AppState.hpp"

namespace potelan {

struct ShockRates {
  double dLength = 0;   // d(SusLength)/d(AxleStartPos)
  double d2Length = 0;  // d2(SusLength)/d(AxleStartPos)2
};

// The rates of a set that SolveLinkage has just solved successfully. Nothing
// when two members lie in line (the linkage is locked there).
std::optional<ShockRates> ShockLengthRates(const ConfigSet& solved);

// The ratio slope (1/mm) and wheel rate (kgf/mm) of a set that SolveLinkage
// has just solved successfully, at whatever axle position it was solved.
// Nothing where the linkage is locked (two members in line).
struct StepRates {
  double RatioSlope = 0;  // d(LinkRatio)/d(stroke)
  double WheelRate = 0;   // d(AxleLoad)/d(stroke)
};
std::optional<StepRates> RatesOfSolved(const ConfigSet& solved);

}  // namespace potelan
