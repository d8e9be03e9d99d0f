// Form_Real "実働表示": both linkages drawn to scale in millimetres, the
// base and changed sets at their initial positions and, with the two
// sliders, at any axle stroke, with load vectors and load values.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>

#include "model/AppState.hpp"
#include "views/RealPicture.hpp"

class QAction;
class QCloseEvent;
class QLabel;
class QMenuBar;
class QSlider;
class QStatusBar;

namespace potelan {

class RadiusEntry;
class StrokePlayback;
class StrokeSliders;

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

  // "ストローク再生": both sliders run over the stroke and back, the drawing,
  // loads and read-outs following as when a slider is dragged; at "NEW" the
  // base set alone. Playback starts from where the sliders stand.
  void StartPlayback();
  // The sliders stay where they are. Called by the main window whenever the
  // stage changes; the view also stops on its own when it is deactivated,
  // when its slider display is switched off, at a frame that finds the stage
  // changed, and when it is destroyed.
  void StopPlayback();
  bool Playing() const;
  StrokePlayback& Playback() const { return *playback_; }

  // The user cannot close the window; the main window can.
  void AllowClose() { closeAllowed_ = true; }

  // One line of the drawing: a member, a load vector or an axis.
  using DrawnLine = RealPicture::DrawnLine;
  std::optional<DrawnLine> Line(const QString& name, int index) const;
  // Visible, placed and therefore painted.
  bool LineDrawn(const QString& name, int index) const;

  // The assumed-shock circle Shape1 in millimetres of the changed set.
  QRectF CircleRect() const;
  bool CircleShown() const;
  float SusRadius() const;

  // Text of status-bar panel 1..5.
  QString PanelText(int panel) const;
  QWidget* Picture() const;
  QSlider* Slider(int k) const;
  // The caption over slider k: "基準" (0) or "変更" (1).
  QLabel* SliderLabel(int k) const;
  // Left and top edge of the drawing for a set: the pivot 300 mm from the
  // left and 350 mm from the top, moved by the set's pivot displacement.
  QPointF SetOrigin(int set) const;
  // Pixel position in Picture1 of a point drawn with the given origin.
  QPointF PicturePoint(const QPointF& mm, const QPointF& origin) const;
  // Pixels per millimetre of the drawing.
  double Scale() const;
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
  void BuildMenus();
  // A playback frame: both sliders at `stroke`.
  void PlayAt(int stroke);
  // At "NEW", the base slider set is on show while it plays; and back to the
  // base set's initial position.
  void ShowBaseAlone();
  void EndBaseAlone();
  // Slider k moves its set: at "CHANGE", or the base slider at "NEW" while
  // the base set is on show alone.
  bool SliderDrives(int k) const;
  void BuildStatusBar();
  // Form_Resize: picture, axes, sliders, circle, drawings.
  void LayoutView();
  void PlaceCircle();

  void SliderScroll(int k);
  void SliderChange(int k);
  void SliderPress();
  void ClickLoadMenu(int item);
  void ClickSusRadiusMenu(int item);
  void TakeRadius(float radius);
  void HideLoadLabels();
  // Lines of index 0 and 1 shown, 6 and 7 hidden, the loads hidden and the
  // markers back on the initial-position sets.
  void ShowInitialSets();
  void RedrawPicture();

  AppState& state_;
  QMenuBar* menuBar_ = nullptr;
  RealPicture* picture_ = nullptr;
  StrokeSliders* sliders_ = nullptr;
  RadiusEntry* radiusEntry_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  // The slider read-outs: side, axle stroke, ratio, shock length, shock stroke.
  std::array<QLabel*, 5> panels_{};
  int panelSet_ = 0;  // the slider set the panels show (0 base, 1 changed)
  std::array<QAction*, 2> menuLoad_{};
  std::array<QAction*, 2> menuSusR_{};
  QAction* menuSusRChange_ = nullptr;
  StrokePlayback* playback_ = nullptr;
  // The stage playback started at; another at a frame stops it.
  EditMode playStage_ = EditMode::None;
  bool baseAlone_ = false;
  std::array<int, 2> markerSet_{kBaseSet, kChangedSet};
  // The slider sets 6 and 7 are on show (the view is active at "CHANGE").
  bool sliderSetsShown_ = false;
  bool closeAllowed_ = false;
  bool placedOnce_ = false;
};

}  // namespace potelan
