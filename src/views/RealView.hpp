// Form_Real "実働表示": both linkages drawn to scale in millimetres, the
// base and changed sets at their initial positions and, with the two
// sliders, at any axle stroke, with load vectors and load values.
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

class QAction;
class QCloseEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPainter;
class QPushButton;
class QSlider;
class QStatusBar;

namespace potelan {

class RealView final : public QWidget {
  Q_OBJECT
 public:
  RealView(AppState& state, QWidget* parent = nullptr);
  ~RealView() override;

  // Places the drawing of set 0, 1, 6 or 7.
  void Graphic(int set);
  // The load vectors of slider set 6 or 7, and the load values of side k.
  void DrawLoadVectors(int set);
  void ShowLoadLabels(int k);
  // "荷重表示" ON / OFF (menu_load(0) / menu_load(1)).
  void SetLoadDisplay(bool on);
  bool LoadDisplay() const;

  // The MDI frame tells the view when it becomes the active child or stops
  // being it (Form_Activate / Form_Deactivate).
  void Activate();
  void Deactivate();
  // After an accepted change, while the view is not the active child: the
  // initial-position drawings of both sets (0 and 1) are shown, so the
  // changed linkage is seen at once, as it would be after leaving the view.
  void ShowChangedBesideBase();

  // Width of a member line (name such as "Line_Fork", index 0, 1, 6 or 7),
  // for the change-input form's highlighting; 0 for an unknown line.
  int MemberWidth(const QString& line, int index) const;
  void SetMemberWidth(const QString& line, int index, int width);
  // Makes a member line visible (the start of a highlight).
  void ShowMember(const QString& line, int index);
  // Caption of a joint marker ("Label_Sus_Up", index 0 or 1), centred on
  // its joint again.
  void SetJointCaption(const QString& label, int index, const QString& caption);

  // Whether the slider display (the status bar with its read-outs) is up,
  // and switching it off before the changed set is judged: both sliders
  // back to stroke 0 with fresh reference lengths, the initial-position
  // sets drawn again.
  bool StatusShown() const;
  void SwitchOffSliderDisplay();

  // The user cannot close the window; the main window can.
  void AllowClose() { closeAllowed_ = true; }

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
  std::optional<DrawnLine> Line(const QString& name, int index) const;
  // Visible, placed and therefore painted.
  bool LineDrawn(const QString& name, int index) const;

  // The assumed-shock circle Shape1 in millimetres of the changed set.
  QRectF CircleRect() const;
  bool CircleShown() const { return circleShown_; }
  float SusRadius() const { return susRadius_; }

  // Text of status-bar panel 1..5.
  QString PanelText(int panel) const;
  QWidget* Picture() const { return picture_; }
  QSlider* Slider(int k) const;
  // The caption over slider k: "基準" (0) or "変更" (1).
  QLabel* SliderLabel(int k) const;
  // Left and top edge of the drawing for a set: the pivot 300 mm from the
  // left and 350 mm from the top, moved by the set's pivot displacement.
  QPointF SetOrigin(int set) const;
  // Pixel position in Picture1 of a point drawn with the given origin.
  QPointF PicturePoint(const QPointF& mm, const QPointF& origin) const;
  // Pixels per millimetre of the drawing.
  double Scale() const { return scale_; }
  // The set whose joints the markers of side k (0 base, 1 changed) sit on.
  int MarkerSet(int k) const { return markerSet_[static_cast<std::size_t>(k & 1)]; }

  QSize sizeHint() const override;
  // The smallest size at which the view still lays itself out: the drawing
  // area is then at least kMinPictureWidth x kMinPictureHeight pixels.
  // Smaller, the layout stays as it was and the window would show only a
  // cut-off part of it.
  QSize minimumSizeHint() const override;
  static constexpr int kMinPictureWidth = 260;
  static constexpr int kMinPictureHeight = 150;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Where a label stands: centred on a point of the drawing, or with its
  // right edge on it.
  struct Anchor {
    QPointF At;
    QPointF Origin;
    bool Valid = false;
    bool RightEdge = false;
  };

  void BuildMenus();
  void BuildPicture();
  void BuildStatusBar();
  void BuildFrame1();
  void AddLine(const QString& name, int index, const QColor& colour, int width, Qt::PenStyle style,
               bool visible, bool load);
  DrawnLine* FindLine(const QString& name, int index);
  const DrawnLine* FindLine(const QString& name, int index) const;
  void PlaceLine(const QString& name, int index, const QPointF& p1, const QPointF& p2,
                 const QPointF& origin);
  void UnplaceLine(const QString& name, int index);
  void SetLineVisible(const QString& name, int index, bool visible);
  void PaintPicture(QPainter& painter) const;

  // Form_Resize: picture, axes, sliders, circle, drawings.
  void LayoutView();
  void PlaceCircle();
  void SetAnchor(QLabel* label, const QPointF& at, const QPointF& origin, bool valid);
  void PlaceLabel(QLabel* label);
  void PlaceAllLabels();
  void SetOpaque(QLabel* label, bool opaque);

  // Solves slider set 6 or 7 with its axle at the given position.
  bool SolveMotionSet(int set, double axleStartPos);
  void SetSliderQuietly(int k, int value);
  // The sliders and their captions over the markers and load values.
  void RaiseSliders();
  void SliderScroll(int k);
  void SliderChange(int k);
  void SliderPress();
  void JointPress(int joint, int k);
  void JointRelease(int joint, int k);
  void ClickLoadMenu(int item);
  void ClickSusRadiusMenu(int item);
  void ClickCommand1();
  void RefuseRadius(bool empty);
  void HideLoadLabels();
  void HideLoadLabels(int k);
  void HideLoadLines();
  // Lines of index 0 and 1 shown, 6 and 7 hidden, the loads hidden and the
  // markers back on the initial-position sets.
  void ShowInitialSets();
  void RedrawPicture();

  AppState& state_;
  QMenuBar* menuBar_ = nullptr;
  QWidget* picture_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  std::array<QLabel*, 5> panels_{};
  std::array<QSlider*, 2> sliders_{};
  std::array<QLabel*, 2> sliderLabels_{};
  QGroupBox* frame1_ = nullptr;
  QLineEdit* text1_ = nullptr;
  QPushButton* command1_ = nullptr;
  std::array<QAction*, 2> menuLoad_{};
  std::array<QAction*, 2> menuSusR_{};
  QAction* menuSusRChange_ = nullptr;
  // Joint markers [joint][side] and load values [value][side].
  std::array<std::array<QLabel*, 2>, 6> jointLabels_{};
  std::array<std::array<QLabel*, 2>, 5> loadLabels_{};
  QHash<const QLabel*, Anchor> anchors_;

  std::vector<DrawnLine> lines_;
  int topZ_ = 0;
  double scale_ = 1;
  float susRadius_ = 0;
  bool circleShown_ = false;
  QPointF circleCentre_;
  QPointF circleOrigin_;
  std::array<int, 2> markerSet_{kBaseSet, kChangedSet};
  // The slider sets 6 and 7 are on show (the view is active at "CHANGE").
  bool sliderSetsShown_ = false;
  bool closeAllowed_ = false;
  bool placedOnce_ = false;
};

}  // namespace potelan
