#include "views/RetainedPlot.hpp"

#include <algorithm>
#include <cmath>

#include "views/GraphPainter.hpp"

namespace potelan {
namespace {

// Plot units: x 0..1500 to the right, y 0..4000 upward.
constexpr double kPlotHeight = 4000;
constexpr double kUnitsPerPixelRow = kPlotHeight / (RetainedPlot::kHeight - 1);

const QRgb kBlack = qRgb(0, 0, 0);

}  // namespace

QRgb ColourOf(PlotColour colour) {
  switch (colour) {
    case PlotColour::Grey:
      return qRgb(192, 192, 192);
    case PlotColour::Blue:
      return qRgb(0, 0, 255);
    case PlotColour::Cyan:
      return qRgb(0, 255, 255);
    case PlotColour::Red:
      return qRgb(255, 0, 0);
    case PlotColour::Magenta:
      return qRgb(255, 0, 255);
    case PlotColour::White:
      break;
  }
  return qRgb(255, 255, 255);
}

RetainedPlot::RetainedPlot()
    : image_(kWidth, kHeight, QImage::Format_RGB32), rowUsed_(kHeight, false) {
  image_.fill(kBlack);
}

std::optional<QPoint> RetainedPlot::PixelOf(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
  const double column = std::round(x);
  const double row = std::round((kPlotHeight - y) / kUnitsPerPixelRow);
  if (column < 0 || column > kWidth - 1 || row < 0 || row > kHeight - 1) {
    return std::nullopt;
  }
  return QPoint(static_cast<int>(column), static_cast<int>(row));
}

bool RetainedPlot::Plot(double x, double y, PlotColour colour) {
  ++counts_[static_cast<std::size_t>(static_cast<int>(colour) & 15)];
  const std::optional<QPoint> pixel = PixelOf(x, y);
  if (!pixel) return false;
  reinterpret_cast<QRgb*>(image_.scanLine(pixel->y()))[pixel->x()] = ColourOf(colour);
  rowUsed_[static_cast<std::size_t>(pixel->y())] = true;
  scaledDirty_ = true;
  return true;
}

void RetainedPlot::Clear() {
  image_.fill(kBlack);
  std::fill(rowUsed_.begin(), rowUsed_.end(), false);
  counts_.fill(0);
  scaledDirty_ = true;
}

int RetainedPlot::Count(PlotColour colour) const {
  return counts_[static_cast<std::size_t>(static_cast<int>(colour) & 15)];
}

const QImage& RetainedPlot::Scaled(const QSize& size) {
  if (scaledDirty_ || scaled_.size() != size) {
    if (scaled_.size() != size) scaled_ = QImage(size, QImage::Format_RGB32);
    ScaleKeepingPoints(image_, &rowUsed_, scaled_);
    scaledDirty_ = false;
  }
  return scaled_;
}

}  // namespace potelan
