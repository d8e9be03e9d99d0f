// The scale of the graph: the curves of a detail drawing in the views' terms,
// the fixed and the fitted ranges of the axes, their tick texts, and where a
// curve stands on the plot or leaves it. No painting here.
#pragma once

#include <QColor>
#include <QPointF>
#include <QStringList>
#include <vector>

#include "model/DetailCurves.hpp"

namespace potelan {

// One curve of the detail drawing: a set's ratio (or its inverse) or its
// axle load over the stroke, as (stroke mm, value) points. A curve falls into
// runs where the set cannot be formed; the points of a run are joined, runs
// are not joined to each other.
struct GraphCurve {
  int Set = 0;  // 0 base, 1 changed
  GraphQuantity Quantity = GraphQuantity::Ratio;
  QColor Colour;
  std::vector<std::vector<QPointF>> Runs;
};

// What the axes show: a range per quantity, divided by the ticks.
struct GraphScale {
  double StrokeMin = 0, StrokeMax = 150;
  double RatioMin = 0.3, RatioMax = 0.7;  // of the ratio kind plotted
  double LoadMin = 0, LoadMax = 400;
  static constexpr int kStrokeDivisions = 15;
  static constexpr int kRatioDivisions = 4;
  static constexpr int kLoadDivisions = 2;
  bool Inverse = false;  // the inverse ratio is plotted
  bool Fitted = false;   // fitted to the curves rather than the fixed scale
};

// The fixed scale: 0..150 mm, 0.30..0.70 (inverse 1.00..3.00), 0..400 kgf.
GraphScale FixedScale(bool inverse);
// Ranges that hold every point of the curves with a margin, on round tick
// steps; a quantity without curves keeps its fixed range.
GraphScale FittedScale(const std::vector<GraphCurve>& curves, bool inverse);
// Tick texts from the lowest value up: ratio (5), load (3), stroke (16).
QStringList RatioTickTexts(const GraphScale& scale);
QStringList LoadTickTexts(const GraphScale& scale);
QStringList StrokeTickTexts(const GraphScale& scale);

// A point of a curve as a fraction of the plot: x 0..1 to the right, y 0..1
// upward; outside 0..1 when the point lies beyond the scale.
QPointF FractionOf(const GraphScale& scale, GraphQuantity quantity, const QPointF& point);

// Where a curve leaves the scale: each crossing of an edge of the plot, and
// the first point of a run that starts beyond an edge, placed on that edge.
struct OffScaleMark {
  QPointF At;     // fraction of the plot, on its edge
  Qt::Edge Edge;  // the edge beyond which the curve lies
  double Stroke;  // stroke of the crossing, mm
  QColor Colour;
};
std::vector<OffScaleMark> OffScaleMarks(const GraphCurve& curve, const GraphScale& scale);

}  // namespace potelan
