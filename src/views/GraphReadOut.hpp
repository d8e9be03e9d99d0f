// The graph's crosshair and click read-out: the lines Line_tate, Line_yoko,
// Line_load(0..1) and Line_stroke(0..1) over Picture1, and the read-out
// labels Label_detail(0..3) placed so that none covers another.
#pragma once

#include <QColor>
#include <QLineF>
#include <QRect>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "model/StrokeReadOut.hpp"
#include "views/PlotWindow.hpp"

class QLabel;
class QPainter;
class QWidget;

namespace potelan {

// A line on the plot, in plot units.
struct PlotLine {
  QString Name;
  int Index = 0;
  QLineF At;
  QColor Colour;
  Qt::PenStyle Style = Qt::SolidLine;
  bool Visible = false;
};

class GraphReadOut {
 public:
  // The labels go on `picture`; `viewport` tells the plot's edges shown.
  GraphReadOut(QWidget* picture, std::function<PlotWindow()> viewport);

  // The crosshair through (x, y).
  void MoveCrosshair(double x, double y);
  // The read-out of a click at (x, y) with what the model found for each
  // set: its lines and labels.
  void Show(double x, double y, const std::array<ReadOutSide, 2>& sides);
  // The read-out's lines and labels gone.
  void Hide();
  // The labels placed again for the current read-out, if one is shown.
  void PlaceAgain();
  // Areas of the picture the labels keep clear of (the axis titles).
  void KeepClearOf(std::function<std::vector<QRect>()> areas) { keepClear_ = std::move(areas); }

  std::optional<PlotLine> Line(const QString& name, int index) const;
  // The visible lines over the plot.
  void Paint(QPainter& painter) const;

 private:
  // Where the last click read-out put its lines, kept so that the labels
  // can be placed again when the window changes size.
  struct Click {
    bool Active = false;
    double X = 0, Y = 0;             // the click
    std::array<bool, 2> LoadMode{};  // per set: load read at the clicked stroke
    std::array<double, 2> LineX{};   // stroke of each set, plot units
    std::array<double, 2> LineY{};   // axle load of each set, plot units
    // Per set: false when the clicked load is not reached within the stroke.
    std::array<bool, 2> Reached{true, true};
    bool DifferenceShown = true;  // false when a set has no stroke to compare
  };

  void AddLine(const QString& name, int index, const QColor& colour, Qt::PenStyle style);
  PlotLine* FindLine(const QString& name, int index);
  void HideReadOutLines();
  // Places Label_detail(0..3) for the current read-out, none over another.
  void PlaceLabels();
  QPointF ToPixel(const QPointF& plot) const;
  // A label's rectangle in Picture1 at plot units (left, top), inside it.
  QRect RectInPlot(const QLabel* label, double left, double top) const;
  // `wanted`, or the nearest place in Picture1 that overlaps none of `taken`.
  QRect FreePlace(const QRect& wanted, const std::vector<QRect>& taken) const;
  double UnitsWide(const QLabel* label) const;
  double UnitsHigh(const QLabel* label) const;

  QWidget* picture_;
  std::function<std::vector<QRect>()> keepClear_;
  std::function<PlotWindow()> viewport_;
  std::vector<PlotLine> lines_;
  std::array<QLabel*, 4> detailLabels_{};  // Label_detail(0..3)
  Click click_;
};

}  // namespace potelan
