// Picture1 of the real-motion view: the linkages drawn to scale in
// millimetres as a model of lines (members, load vectors, axes), the
// assumed-shock circle, the joint markers and the load values. It draws the
// sets it is given; which sets are on show is the view's business.
#pragma once

#include <QColor>
#include <QHash>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "model/AppState.hpp"

class QLabel;
class QPainter;

namespace potelan {

class RealPicture final : public QWidget {
 public:
  // The drawing: 1020 x 600 mm, an unmoved pivot 300 mm from the left and
  // 350 mm from the top.
  static constexpr double kDrawingWidth = 1020;
  static constexpr double kDrawingHeight = 600;
  static constexpr double kPivotFromLeft = 300;
  static constexpr double kPivotFromTop = 350;
  // Joint markers carry their row in kMarkers under this property.
  static constexpr char kJointProperty[] = "joint";
  static constexpr int kAxleMarker = 0;

  // One line of the drawing: a member, a load vector or an axis.
  struct DrawnLine {
    QString Name;
    int Index = 0;
    QPointF P1, P2;  // millimetres of the linkage plane of the set it shows
    QPointF Origin;  // left and top edge of the drawing when it was placed
    QColor Colour;
    int Width = 1;
    Qt::PenStyle Style = Qt::SolidLine;
    bool Visible = false;
    bool Placed = false;  // false: the set's type has no such member
    bool Load = false;    // a load vector (tagged "load")
    int Z = 0;            // drawing order, higher on top
  };

  // The joint markers take their mouse events through `markerFilter`.
  RealPicture(QWidget* parent, QObject* markerFilter);

  std::optional<DrawnLine> Line(const QString& name, int index) const;
  // Visible, placed and therefore painted.
  bool LineDrawn(const QString& name, int index) const;
  int MemberWidth(const QString& line, int index) const;
  void SetMemberWidth(const QString& line, int index, int width);
  void SetLineVisible(const QString& name, int index, bool visible);
  // The members of the initial-position sets (0, 1) or of the slider sets
  // (6, 7) shown, the others hidden.
  void ShowMembersOf(bool sliderSets);
  void SetMembersVisible(int set, bool visible);
  // The members of `set` drawn over everything before.
  void BringToFront(int set);
  void HideLoadLines();

  // Pixels per millimetre, and the pixel position of a point drawn with the
  // given origin.
  void SetScale(double scale) { scale_ = scale; }
  double Scale() const { return scale_; }
  QPointF PicturePoint(const QPointF& mm, const QPointF& origin) const;
  // The axes through the pivot of a drawing at `origin`, edge to edge.
  void PlaceAxes(const QPointF& origin);

  // The assumed-shock circle: its centre, shown or not, its radius.
  void PlaceCircle(const QPointF& centre, const QPointF& origin);
  void SetCircleShown(bool shown) { circleShown_ = shown; }
  bool CircleShown() const { return circleShown_; }
  void SetRadius(float radius) { radius_ = radius; }
  float Radius() const { return radius_; }
  QRectF CircleRect() const;

  // The members and joint markers of set `set` (markers of side set % 2),
  // drawn from `c` at `origin`.
  void DrawSet(int set, const ConfigSet& c, const QPointF& origin);
  // The load vectors of slider set 6 or 7, the other side's hidden.
  void DrawLoads(int set, const ConfigSet& c, const QPointF& origin);
  // The load values of side k (0 base, 1 changed) from slider set c.
  void ShowLoadValues(int k, const ConfigSet& c);
  void HideLoadValues(int k);
  // A joint marker pressed: the coordinates of its joint in `c`; released:
  // the blank marker again.
  void ShowJointCoordinates(int joint, int k, const ConfigSet& c);
  void HideJointCoordinates(int joint, int k);
  // Caption of a joint marker ("Label_Sus_Up", index 0 or 1), centred on
  // its joint again.
  void SetJointCaption(const QString& label, int index, const QString& caption);
  // The markers of side k over the other labels.
  void RaiseMarkers(int k);
  // Every label on its anchor again (after the scale changed).
  void PlaceAllLabels();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Where a label stands: centred on a point of the drawing, or with its
  // right edge on it.
  struct Anchor {
    QPointF At;
    QPointF Origin;
    bool Valid = false;
    bool RightEdge = false;
  };

  void AddLine(const QString& name, int index, const QColor& colour, int width, Qt::PenStyle style,
               bool visible, bool load);
  DrawnLine* FindLine(const QString& name, int index);
  const DrawnLine* FindLine(const QString& name, int index) const;
  void PlaceLine(const QString& name, int index, const QPointF& p1, const QPointF& p2,
                 const QPointF& origin);
  void UnplaceLine(const QString& name, int index);
  void SetAnchor(QLabel* label, const QPointF& at, const QPointF& origin, bool valid);
  void PlaceLabel(QLabel* label);

  // Joint markers [joint][side] and load values [value][side].
  std::array<std::array<QLabel*, 2>, 6> jointLabels_{};
  std::array<std::array<QLabel*, 2>, 5> loadLabels_{};
  QHash<const QLabel*, Anchor> anchors_;
  std::vector<DrawnLine> lines_;
  int topZ_ = 0;
  double scale_ = 1;
  float radius_ = 0;
  bool circleShown_ = false;
  QPointF circleCentre_;
  QPointF circleOrigin_;
};

}  // namespace potelan
