// The edges of the graph's plot in plot units, and the mapping between plot
// units and pixels of Picture1.
#pragma once

#include <QPointF>
#include <QSize>
#include <algorithm>

namespace potelan {

// The edges of the plot in plot units of stroke (x 0..1500 on the fixed
// scale) and load (y 0..4000 on the fixed scale).
struct PlotWindow {
  double X0 = 0, X1 = 1500, Y0 = 0, Y1 = 4000;
};

// Plot units of a pixel position in a picture of `pixels`, and back.
inline QPointF PixelToPlot(const PlotWindow& v, const QSize& pixels, const QPointF& pixel) {
  const double w = std::max(1, pixels.width());
  const double h = std::max(1, pixels.height());
  return {v.X0 + pixel.x() * (v.X1 - v.X0) / w, v.Y1 - pixel.y() * (v.Y1 - v.Y0) / h};
}
inline QPointF PlotToPixel(const PlotWindow& v, const QSize& pixels, const QPointF& plot) {
  return {(plot.x() - v.X0) * pixels.width() / (v.X1 - v.X0),
          (v.Y1 - plot.y()) * pixels.height() / (v.Y1 - v.Y0)};
}

}  // namespace potelan
