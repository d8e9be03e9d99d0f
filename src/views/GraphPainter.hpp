// Painting of the graph: the curves joined into lines, the marks where a
// curve leaves the scale, the legend and the axis titles. The window paints
// its plot with these pieces, and a saved picture (PNG or SVG) is one call of
// PaintFigure, so that both show the same curves in the same colours.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QPainter;

namespace potelan {

enum class GraphQuantity { Ratio, InverseRatio, Load };

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

// The legend: a row per set (基準, 変更), a column per quantity plotted, each
// cell the colour of that curve.
struct GraphLegend {
  QStringList Columns;
  struct Row {
    QString Name;
    std::vector<std::optional<QColor>> Colours;
  };
  std::vector<Row> Rows;
  bool Empty() const { return Rows.empty() || Columns.empty(); }
};
GraphLegend LegendOf(const std::vector<GraphCurve>& curves);

// Texts of the axis titles.
QString RatioTitle(bool inverse);  // "ﾘﾝｸﾚｼｵ" or "ﾘﾝｸﾚｼｵ(逆)"
QString LoadTitle();               // "荷重 kgf"
QString StrokeTitle();             // "ｱｸｽﾙｽﾄﾛｰｸ mm"

// Everything a picture of the graph holds.
struct GraphFigure {
  GraphScale Scale;
  std::vector<GraphCurve> Curves;
  // The retained points in plot pixels of the fixed scale; drawn only when
  // the scale is not fitted.
  QImage Points;
  GraphLegend Legend;
};

// The retained points scaled to `size`, every point kept on at least one
// pixel; `rowsUsed` (optional) names the source rows holding any point.
void ScaleKeepingPoints(const QImage& source, const std::vector<bool>* rowsUsed, QImage& target);

// The curves of the figure in `plot`, joined, and their off-scale marks.
void PaintCurves(QPainter& painter, const QRectF& plot, const GraphFigure& figure, double scale);
// The legend inside `plot`, in the corner where it covers the fewest curve
// points, keeping clear of `avoid`.
void PaintLegend(QPainter& painter, const QRectF& plot, const GraphFigure& figure,
                 const QFont& font, const std::vector<QRectF>& avoid);
// The axis titles written inside the edges of `plot` (the window's own
// margins hold only the tick texts); returns the rectangles they take.
std::vector<QRectF> PaintTitlesInside(QPainter& painter, const QRectF& plot,
                                      const GraphFigure& figure, const QFont& font);
// A whole picture of `size`: plot, ticks and their texts, axis titles
// outside the plot, legend.
void PaintFigure(QPainter& painter, const QSize& size, const GraphFigure& figure);
// The plot's rectangle in a picture of `size` painted by PaintFigure.
QRectF FigurePlotRect(const QSize& size, const GraphFigure& figure);

}  // namespace potelan
