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

#include "views/GraphScale.hpp"

class QPainter;

namespace potelan {

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
// Where PaintTitlesInside writes the ratio, load and stroke titles.
std::vector<QRectF> TitleRectsInside(const QRectF& plot, const GraphFigure& figure,
                                     const QFont& font);
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
