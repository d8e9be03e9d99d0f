// What a linkage gives at the wheel, over the axle stroke: the link ratio and
// its slope, the wheel rate, the loads with their largest values, the sag
// under a static load and the progression. Computed on the engine's own
// solver; nothing here touches a window or the shared state of the program.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/AppState.hpp"
#include "model/Rates.hpp"

namespace potelan::assist {

// The loads of a linkage, in the order of the numeric table.
enum class LoadItem { Sus, Axle, TenRod, Pivot, FrameLink, ForkLink };
inline constexpr int kLoadItemCount = 6;
inline constexpr std::array<LoadItem, kLoadItemCount> kLoadItems{
    LoadItem::Sus,   LoadItem::Axle,      LoadItem::TenRod,
    LoadItem::Pivot, LoadItem::FrameLink, LoadItem::ForkLink};

// "SusLoad", "AxleLoad", "TenRodLoad", "PivotLoad", "FrameLinkLoad", "ForkLinkLoad".
std::string_view JsonName(LoadItem item);
// Whether a link type computes the load (Type 2 has no rod and no link mounts).
bool TypeComputes(int susType, LoadItem item);
// The load's value in a solved set: the magnitude (the rod's carries the sign
// of the rod force).
double LoadOf(const ConfigSet& solved, LoadItem item);

// The strokes of a curve: 0, 5, 10, ... not above maxStroke, then maxStroke
// itself when it is not a multiple of 5. Empty for a negative maxStroke.
std::vector<double> CurveStrokes(std::int16_t maxStroke);

// One solved stroke of a curve.
struct CurvePoint {
  double Stroke = 0;
  bool OnGrid = true;  // one of the 5 mm steps (false: the extra end point)
  double LinkRatio = 0;
  double InvLinkRatio = 0;
  double SusLength = 0;
  double SusStroke = 0;
  std::array<double, kLoadItemCount> Loads{};  // by LoadItem; 0 where not computed
  // d(LinkRatio)/d(stroke), 1/mm, and the wheel rate d(AxleLoad)/d(stroke),
  // kgf/mm, from the exact velocity analysis of the solved linkage. Only when
  // the curve was swept with rates.
  double RatioSlope = 0;
  double WheelRate = 0;
};

struct Curve {
  bool Ok = false;           // every stroke assembled
  double FailedStroke = 0;   // the first stroke that did not (when !Ok)
  std::string Message;       // why not, in the program's words (when !Ok)
  std::int16_t SusType = 0;
  double SusLength0 = 0;     // the zero-stroke shock length every stroke counts from
  std::vector<CurvePoint> Points;  // the strokes solved before a failure
};

// Sweeps a copy of `set` over CurveStrokes(maxStroke) with a fresh reference
// shock length, at its own position (SusPos). With `withRates` every point also
// gets its ratio slope and wheel rate; a position where these cannot be
// derived (a locked linkage: two members in line) counts as not assembled.
Curve SweepCurve(const ConfigSet& set, std::int16_t maxStroke, bool withRates = true);

// The ratio slope and wheel rate of a solved set at any axle position (for
// sweeps at other pitches than 5 mm) are the engine's RatesOfSolved
// (model/Rates.hpp).

// Solves a copy of `set` at an arbitrary stroke, counting shock stroke from
// `susLength0`; nothing when it does not assemble.
std::optional<ConfigSet> SolveAtStroke(const ConfigSet& set, double susLength0, double stroke);

// (ratio at the last stroke / ratio at 0 - 1) x 100 %.
double Progression(const Curve& curve);

// The largest value of a load over the stroke (largest in absolute value,
// given with its sign) and the stroke where it first occurs.
struct LoadPeak {
  LoadItem Item = LoadItem::Sus;
  double Value = 0;
  double Stroke = 0;
};

// Sag under a static rear-axle load.
enum class SagOutcome {
  Reached,         // the axle load equals the static load at Stroke
  HeldByPreload,   // the axle load at 0 already carries it: Stroke is 0
  NotReached,      // the axle load stays below it up to the last stroke
  NotFormed,       // the linkage did not assemble while the stroke was refined
};
struct Sag {
  SagOutcome Outcome = SagOutcome::NotReached;
  double Stroke = 0;
};
inline constexpr double kSagTolerance = 0.001;  // mm

// The first stroke at which the axle load rises to `staticLoad`: bracketed on
// the swept curve and refined by bisection on the solver to within
// kSagTolerance. `set` is the set the curve was swept from. A load that is
// not a finite number is never reached.
Sag FindSag(const ConfigSet& set, const Curve& curve, double staticLoad);

struct Characteristics {
  Curve Swept;
  double ProgressionPercent = 0;
  std::vector<LoadPeak> Peaks;     // the loads the type computes, in LoadItem order
  std::optional<Sag> StaticSag;    // when a static load was given
};

// Everything above for one set. When the curve does not assemble over the
// whole stroke, only Swept is meaningful (Swept.Ok false, with its message).
Characteristics Characterise(const ConfigSet& set, std::int16_t maxStroke,
                             std::optional<double> staticLoad = std::nullopt);

}  // namespace potelan::assist
