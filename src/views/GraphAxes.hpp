// The graph's axes (Form_Resize): Picture1 placed in the client area, the
// axis ticks Line1 (ratio), Line2 (load) and Line3 (stroke) and their labels
// Label1, Label3 and Label2, and the texts of the scale shown.
#pragma once

#include <QLineF>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "views/GraphScale.hpp"

class QColor;
class QFont;
class QLabel;
class QPainter;
class QWidget;

namespace potelan {

// A label of the graph named `name` with control index `index`.
QLabel* AddGraphLabel(QWidget* parent, const QString& name, int index, const QString& text);

// An axis tick of the client area: Line1(0..4), Line2(0..3), Line3(0..15),
// in twips.
struct AxisTick {
  QString Name;
  int Index = 0;
  QLineF Twips;
  bool Visible = true;
};

class GraphAxes {
 public:
  // The labels go on `client`, beside `picture`, in `font` at 7.5 points.
  GraphAxes(QWidget* client, QWidget* picture, const QFont& font);

  // Form_Resize for the client area's size: false, with nothing moved, when
  // the window would be smaller than the layout allows.
  bool Layout();
  // The tick texts of `scale`: its own when fitted, else the fixed ones.
  void ShowScale(const GraphScale& scale);
  // The left-axis texts of the fixed scale, from the bottom up; shown at
  // once when `showNow`.
  void SetFixedRatioTexts(const QStringList& texts, bool showNow);
  QStringList RatioTexts() const;

  // The least client area, in pixels, that Layout lays out.
  static QSize LeastClient();

  std::optional<AxisTick> Tick(const QString& name, int index) const;
  // Picture1's place in twips of the client area, as the layout set it.
  QRect PictureTwips() const { return pictureTwips_; }
  // The visible ticks, in `colour`.
  void Paint(QPainter& painter, const QColor& colour) const;

 private:
  void AddTick(const QString& name, int index, bool visible);
  AxisTick* FindTick(const QString& name, int index);
  // The stroke labels shown: every tick's while they stand apart, else
  // every second, third... tick's, so that no two run together. The ticks
  // stay.
  void ThinStrokeLabels();

  QWidget* client_;
  QWidget* picture_;
  std::array<QLabel*, 5> ratioLabels_{};    // Label1(0..4)
  std::array<QLabel*, 16> strokeLabels_{};  // Label2(0..15)
  std::array<QLabel*, 4> loadLabels_{};     // Label3(0..3)
  std::vector<AxisTick> ticks_;
  QRect pictureTwips_;
  // The left-axis texts the table view wrote, shown under the fixed scale.
  QStringList fixedRatioTexts_;
};

}  // namespace potelan
