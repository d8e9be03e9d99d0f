// The graph's retained picture: every plotted point kept in an image of one
// column per plot unit of x (0..1500) and one row per four units of y (4000
// at the top row, 0 at the bottom row), so that covering or resizing the
// window loses nothing.
#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <array>
#include <optional>
#include <vector>

#include "model/StrokeSweep.hpp"

namespace potelan {

// The pixel colour of a plotted point.
QRgb ColourOf(PlotColour colour);

class RetainedPlot {
 public:
  static constexpr int kWidth = 1501;
  static constexpr int kHeight = 1001;

  RetainedPlot();

  // The pixel a plot point falls on; nothing when it lies outside the plot.
  static std::optional<QPoint> PixelOf(double x, double y);
  // Counts the point and sets its pixel; false when it lies outside the plot.
  bool Plot(double x, double y, PlotColour colour);
  // Every point gone and every count back to 0.
  void Clear();

  const QImage& Image() const { return image_; }
  // Plot calls of a colour since the last clear, points outside included.
  int Count(PlotColour colour) const;
  // The image scaled to `size` with every point kept, drawn again only when
  // points came or the size changed.
  const QImage& Scaled(const QSize& size);

 private:
  QImage image_;
  std::vector<bool> rowUsed_;  // rows of image_ holding any point
  std::array<int, 16> counts_{};
  QImage scaled_;
  bool scaledDirty_ = true;
};

}  // namespace potelan
