// The graph's detail drawing: the base and changed sets swept over the axle
// stroke at a fine pitch, each step plotted at once and kept as joined curves
// of (stroke mm, value) points.
#pragma once

#include <vector>

#include "model/AppState.hpp"
#include "model/StrokeSweep.hpp"

namespace potelan {

enum class GraphQuantity { Ratio, InverseRatio, Load };

// A point of a curve: the stroke in mm and the value of its quantity.
struct CurvePoint {
  double Stroke = 0;
  double Value = 0;
};

// One swept curve: a set's ratio (or its inverse) or its axle load. A curve
// falls into runs where the set cannot be formed; the points of a run are
// joined, runs are not joined to each other.
struct SweptCurve {
  int Set = 0;  // 0 base, 1 changed
  GraphQuantity Quantity = GraphQuantity::Ratio;
  PlotColour Colour = PlotColour::Blue;
  std::vector<std::vector<CurvePoint>> Runs;
};

// What a detail drawing sweeps and plots.
struct DetailRequest {
  float Pitch = 5.0f;      // stroke step, mm
  bool ShowRatio = true;   // the ratio curves ("リンクレシオ表示")
  bool ShowLoad = true;    // the axle-load curves ("アクスル荷重表示")
  bool LinkRatio = true;   // the link ratio rather than its inverse
  bool HideBase = false;   // "基準側を非表示に": at "CHANGE" the base side is left out
};

// A detail drawing is made at "NEW" (base only) and "CHANGE" (both sets),
// with a pitch that is a positive number.
bool DetailDrawable(const AppState& state, float pitch);

// The detail drawing: working set 2 swept from set 0 (unless the base side is
// hidden at "CHANGE"), then at "CHANGE" working set 3 swept from set 1 with a
// fresh reference shock length; each working set's axle goes back to its
// source's afterwards. The stroke counter is single precision, as the pitch
// is. Points go to `sink` as they are solved (base ratio blue, load cyan;
// changed ratio red, load magenta); the curves come back in the order drawn,
// a curve without any point left out.
std::vector<SweptCurve> DetailCurves(AppState& state, const DetailRequest& request,
                                     PlotSink& sink);

}  // namespace potelan
