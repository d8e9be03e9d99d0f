#include "views/RealView.hpp"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSlider>
#include <QStatusBar>
#include <algorithm>
#include <cmath>
#include <string>

#include "model/MotionSolve.hpp"
#include "model/NumberFormat.hpp"
#include "ui/Controls.hpp"
#include "ui/Fonts.hpp"
#include "ui/MdiPlacement.hpp"
#include "ui/Units.hpp"
#include "views/RadiusEntry.hpp"
#include "views/StrokePlayback.hpp"
#include "views/StrokeSliders.hpp"

namespace potelan {
namespace {

// The text in the language the program speaks.
QString Tr(const char* text) { return QCoreApplication::translate("potelan::RealView", text); }

const char* const kCaption = QT_TRANSLATE_NOOP("potelan::RealView", "実働表示");
const char* const kLoadMenu = QT_TRANSLATE_NOOP("potelan::RealView", "荷重表示");
const char* const kRadiusMenu = QT_TRANSLATE_NOOP("potelan::RealView", "想定サス半径表示");
const QString kOn = QStringLiteral("ON");
const QString kOff = QStringLiteral("OFF");
const char* const kRadiusChange = QT_TRANSLATE_NOOP("potelan::RealView", "半径変更");
const char* const kBasePanel = QT_TRANSLATE_NOOP("potelan::RealView", "基準ｻｽの値");
const char* const kChangedPanel = QT_TRANSLATE_NOOP("potelan::RealView", "変更ｻｽの値");
const char* const kStrokePanel = QT_TRANSLATE_NOOP("potelan::RealView", "ｱｸｽﾙｽﾄﾛｰｸ ");
const char* const kRatioPanel = QT_TRANSLATE_NOOP("potelan::RealView", "ﾘﾝｸﾚｼｵ ");
const char* const kLengthPanel = QT_TRANSLATE_NOOP("potelan::RealView", "サス長 ");
const char* const kSusStrokePanel = QT_TRANSLATE_NOOP("potelan::RealView", "ｻｽｽﾄﾛｰｸ ");
const QString kMm = QStringLiteral("mm");

const QString kXAxis = QStringLiteral("line_X_Axis");
const QString kYAxis = QStringLiteral("line_Y_Axis");

constexpr std::array<int, 4> kDrawnSets = {kBaseSet, kChangedSet, kBaseMotion, kChangedMotion};

constexpr double kScaleWidth = RealPicture::kDrawingWidth;
constexpr double kScaleHeight = RealPicture::kDrawingHeight;
constexpr double kPivotFromLeft = RealPicture::kPivotFromLeft;
constexpr double kPivotFromTop = RealPicture::kPivotFromTop;

// Window layout in twips.
constexpr int kClientWidthTwips = 8910;
constexpr int kClientHeightTwips = 6510;
constexpr int kStatusTwips = 360;
constexpr int kMinWidthTwips = 3900;
constexpr int kMinHeightTwips = 3000;
constexpr int kFrameLeftTwips = 240;
constexpr int kFrameTopTwips = 240;
constexpr int kFrameWidthTwips = 2880;
constexpr int kFrameHeightTwips = 900;
constexpr double kLabelPointSize = 9;

QString Format(double value, const char* pattern) {
  return QString::fromStdString(FormatNumber(value, pattern));
}

bool IsDrawnSet(int set) {
  return std::find(kDrawnSets.begin(), kDrawnSets.end(), set) != kDrawnSets.end();
}

}  // namespace

RealView::RealView(AppState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName(QStringLiteral("Form_Real"));
  setWindowTitle(Tr(kCaption));

  playback_ = new StrokePlayback(this);
  connect(playback_, &StrokePlayback::StrokeAt, this, [this](int stroke) { PlayAt(stroke); });
  connect(playback_, &StrokePlayback::PlayChosen, this, [this] { StartPlayback(); });
  connect(playback_, &StrokePlayback::StopChosen, this, [this] { StopPlayback(); });
  BuildMenus();
  picture_ = new RealPicture(this, this);
  sliders_ = new StrokeSliders(picture_, this);
  connect(sliders_, &StrokeSliders::Moved, this, [this](int k) { SliderScroll(k); });
  connect(sliders_, &StrokeSliders::Settled, this, [this](int k) { SliderChange(k); });
  BuildStatusBar();
  radiusEntry_ = new RadiusEntry(this);
  connect(radiusEntry_, &RadiusEntry::Accepted, this, [this](float r) { TakeRadius(r); });

  // Form_Load: the circle starts at the base set's shock length, the sliders
  // cover the stroke, the base set is drawn.
  picture_->SetRadius(static_cast<float>(state_.Set[kBaseSet].SusLength0));
  radiusEntry_->SetText(Format(state_.Set[kBaseSet].SusLength0, "###.0"));
  sliders_->CoverStroke(state_.MaxStroke);
  resize(sizeHint());
  LayoutView();
  Graphic(kBaseSet);
}

RealView::~RealView() = default;

QSize RealView::sizeHint() const {
  const int menuHeight = menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0;
  return {Px(kClientWidthTwips), Px(kClientHeightTwips) + menuHeight};
}

QSize RealView::minimumSizeHint() const {
  const int menuHeight = menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0;
  return {Px(kMinWidthTwips), Px(kMinHeightTwips) + menuHeight};
}

void RealView::BuildMenus() {
  menuBar_ = new QMenuBar(this);
  menuBar_->setObjectName(QStringLiteral("MenuBar"));

  QMenu* load = menuBar_->addMenu(Tr(kLoadMenu));
  SetControlIndex(*load, QStringLiteral("menu_dummy"), 0);
  QMenu* radius = menuBar_->addMenu(Tr(kRadiusMenu));
  SetControlIndex(*radius, QStringLiteral("menu_dummy"), 1);

  for (int i = 0; i < 2; ++i) {
    QAction* item = load->addAction(i == 0 ? kOn : kOff);
    SetControlIndex(*item, QStringLiteral("menu_load"), i);
    item->setCheckable(true);
    item->setChecked(i == 1);
    connect(item, &QAction::triggered, this, [this, i] { ClickLoadMenu(i); });
    menuLoad_[static_cast<std::size_t>(i)] = item;
  }
  for (int i = 0; i < 2; ++i) {
    QAction* item = radius->addAction(i == 0 ? kOn : kOff);
    SetControlIndex(*item, QStringLiteral("menu_sus_r"), i);
    item->setCheckable(true);
    item->setChecked(i == 1);
    connect(item, &QAction::triggered, this, [this, i] { ClickSusRadiusMenu(i); });
    menuSusR_[static_cast<std::size_t>(i)] = item;
  }
  menuSusRChange_ = radius->addAction(Tr(kRadiusChange));
  menuSusRChange_->setObjectName(QStringLiteral("menu_sus_r_change"));
  connect(menuSusRChange_, &QAction::triggered, this, [this] { radiusEntry_->Open(); });
  playback_->AddMenu(*menuBar_);
}

void RealView::BuildStatusBar() {
  statusBar_ = new QStatusBar(this);
  statusBar_->setObjectName(QStringLiteral("StatusBar1"));
  statusBar_->setSizeGripEnabled(false);
  statusBar_->setFont(GothicFont(kLabelPointSize));
  constexpr std::array<int, 5> kStretch = {2, 3, 4, 3, 3};
  for (int i = 0; i < 5; ++i) {
    auto* panel = new QLabel(statusBar_);
    SetControlIndex(*panel, QStringLiteral("Panel"), i + 1);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar_->addWidget(panel, kStretch[static_cast<std::size_t>(i)]);
    panels_[static_cast<std::size_t>(i)] = panel;
  }
  statusBar_->hide();
}

// ---- the drawing -----------------------------------------------------------

std::optional<RealView::DrawnLine> RealView::Line(const QString& name, int index) const {
  return picture_->Line(name, index);
}

bool RealView::LineDrawn(const QString& name, int index) const {
  return picture_->LineDrawn(name, index);
}

int RealView::MemberWidth(const QString& line, int index) const {
  return picture_->MemberWidth(line, index);
}

void RealView::SetMemberWidth(const QString& line, int index, int width) {
  picture_->SetMemberWidth(line, index, width);
}

void RealView::ShowMember(const QString& line, int index) {
  picture_->SetLineVisible(line, index, true);
  RedrawPicture();
}

void RealView::SetJointCaption(const QString& label, int index, const QString& caption) {
  picture_->SetJointCaption(label, index, caption);
}

void RealView::RedrawPicture() { picture_->update(); }

QWidget* RealView::Picture() const { return picture_; }
double RealView::Scale() const { return picture_->Scale(); }
bool RealView::CircleShown() const { return picture_->CircleShown(); }
float RealView::SusRadius() const { return picture_->Radius(); }
QRectF RealView::CircleRect() const { return picture_->CircleRect(); }

QPointF RealView::SetOrigin(int set) const {
  const ConfigSet& c = state_.Set[static_cast<std::size_t>(set >= 0 && set < kSetCount ? set : 0)];
  return {-kPivotFromLeft - c.PivotMoveX, -kPivotFromTop - c.PivotMoveY};
}

QPointF RealView::PicturePoint(const QPointF& mm, const QPointF& origin) const {
  return picture_->PicturePoint(mm, origin);
}

// ---- Form_Resize ---------------------------------------------------------

void RealView::LayoutView() {
  const int menuHeight = menuBar_->sizeHint().height();
  menuBar_->setGeometry(0, 0, width(), menuHeight);
  const int statusHeight = Px(kStatusTwips);
  statusBar_->setGeometry(0, height() - statusHeight, width(), statusHeight);
  radiusEntry_->setGeometry(Px(kFrameLeftTwips), menuHeight + Px(kFrameTopTwips),
                            Px(kFrameWidthTwips), Px(kFrameHeightTwips));

  const int clientWidth = width();
  const int clientHeight = height() - menuHeight;
  if (clientWidth < Px(kMinWidthTwips) || clientHeight < Px(kMinHeightTwips)) return;

  // Picture1 fills the client area above the status bar at 1020 : 600.
  const int freeWidth = clientWidth;
  const int freeHeight = clientHeight - statusHeight;
  int pictureWidth = freeWidth;
  int pictureHeight = freeHeight;
  if (freeWidth * kScaleHeight > freeHeight * kScaleWidth) {
    pictureWidth = static_cast<int>(std::lround(freeHeight * kScaleWidth / kScaleHeight));
  } else {
    pictureHeight = static_cast<int>(std::lround(freeWidth * kScaleHeight / kScaleWidth));
  }
  picture_->setGeometry(0, menuHeight, pictureWidth, pictureHeight);
  picture_->SetScale(std::min(pictureWidth / kScaleWidth, pictureHeight / kScaleHeight));

  // The axes pass through the base set's pivot from edge to edge.
  picture_->PlaceAxes(SetOrigin(kBaseSet));
  // Each slider under its caption, down to the bottom edge.
  sliders_->Place(picture_->Scale(), pictureHeight);

  PlaceCircle();
  // The markers end on the sets that are on show.
  if (state_.Mode == EditMode::Change) {
    const std::array<int, 4> order =
        sliderSetsShown_ ? std::array<int, 4>{kBaseSet, kChangedSet, kBaseMotion, kChangedMotion}
                         : std::array<int, 4>{kBaseMotion, kChangedMotion, kBaseSet, kChangedSet};
    for (int set : order) Graphic(set);
  } else {
    Graphic(kBaseSet);
  }
  picture_->PlaceAllLabels();
  sliders_->Raise();
  RedrawPicture();
}

void RealView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutView();
}

void RealView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placedOnce_) return;
  placedOnce_ = true;
  CentreFrameInArea(*this);
}

void RealView::closeEvent(QCloseEvent* event) {
  if (closeAllowed_) {
    event->accept();
  } else {
    event->ignore();
  }
}

// ---- Graphic, loads ------------------------------------------------------

void RealView::PlaceCircle() {
  const ConfigSet& changed = state_.Set[kChangedMotion];
  picture_->PlaceCircle({changed.SusUpX, changed.SusUpY}, SetOrigin(kChangedMotion));
}

void RealView::Graphic(int set) {
  if (!IsDrawnSet(set)) return;
  ConfigSet& c = state_.Set[static_cast<std::size_t>(set)];
  // A set without a type is drawn as Type 4.
  if (c.SusType == 0) c.SusType = 4;
  markerSet_[static_cast<std::size_t>(set % 2)] = set;
  PlaceCircle();
  picture_->DrawSet(set, c, SetOrigin(set));
}

void RealView::DrawLoadVectors(int set) {
  if (!LoadDisplay()) {
    picture_->HideLoadLines();
    RedrawPicture();
    return;
  }
  if (set != kBaseMotion && set != kChangedMotion) return;
  picture_->DrawLoads(set, state_.Set[static_cast<std::size_t>(set)], SetOrigin(set));
}

void RealView::ShowLoadLabels(int k) {
  if (k != 0 && k != 1) return;
  if (!LoadDisplay()) return;
  picture_->ShowLoadValues(k, state_.Set[static_cast<std::size_t>(6 + k)]);
  sliders_->Raise();
}

bool RealView::LoadDisplay() const { return menuLoad_[0]->isChecked(); }

void RealView::SetLoadDisplay(bool on) { ClickLoadMenu(on ? 0 : 1); }

void RealView::HideLoadLabels() {
  for (int k = 0; k < 2; ++k) picture_->HideLoadValues(k);
}

// ---- sliders -------------------------------------------------------------

QSlider* RealView::Slider(int k) const { return sliders_->Slider(k); }

QLabel* RealView::SliderLabel(int k) const { return sliders_->Caption(k); }

bool RealView::SliderDrives(int k) const {
  return state_.Mode == EditMode::Change || (baseAlone_ && k == 0 && state_.Mode == EditMode::New);
}

void RealView::SliderScroll(int k) {
  if (!SliderDrives(k)) return;
  const int set = 6 + k;
  SolveSliderSet(state_, k, sliders_->Value(k));
  Graphic(set);
  DrawLoadVectors(set);
}

void RealView::SliderChange(int k) {
  if (!SliderDrives(k)) {
    if (!baseAlone_) statusBar_->hide();
    return;
  }
  const int set = 6 + k;
  const ConfigSet& c = state_.Set[static_cast<std::size_t>(set)];
  const int value = sliders_->Value(k);
  panelSet_ = k;
  panels_[0]->setText(k == 0 ? Tr(kBasePanel) : Tr(kChangedPanel));
  panels_[1]->setText(Tr(kStrokePanel) + Format(-value, "##0") + kMm);
  panels_[2]->setText(Tr(kRatioPanel) + Format(c.LinkRatio, "0.000") + QLatin1Char(':') +
                      Format(c.InvLinkRatio, "0.000"));
  panels_[3]->setText(Tr(kLengthPanel) + Format(c.SusLength, "###") + kMm);
  panels_[4]->setText(Tr(kSusStrokePanel) + Format(c.SusStroke, "##0.0") + kMm);

  // This side's linkage and markers come to the front.
  picture_->BringToFront(set);
  picture_->RaiseMarkers(k);
  // The load values of the other side went with its load vectors.
  picture_->HideLoadValues(1 - k);
  ShowLoadLabels(k);
  sliders_->Raise();
  RedrawPicture();
}

void RealView::SliderPress() {
  if (state_.Mode != EditMode::Change) return;
  HideLoadLabels();
}

// ---- activation ----------------------------------------------------------

void RealView::Activate() {
  if (state_.Mode != EditMode::Change) return;
  statusBar_->show();
  statusBar_->raise();
  sliderSetsShown_ = true;
  // Both sliders start from stroke 0, where their sets take their
  // reference shock length.
  for (int k = 0; k < 2; ++k) {
    sliders_->SetQuietly(k, 0);
    state_.Set[static_cast<std::size_t>(6 + k)].SusLength0 = 0;
    SliderScroll(k);
  }
  picture_->ShowMembersOf(true);
  picture_->SetLineVisible(kXAxis, 0, true);
  picture_->SetLineVisible(kYAxis, 0, true);
  // The status bar, shown now, reads the values at stroke 0 rather than
  // empty or stale panels: the read-outs of both sides, the changed side
  // last (so "荷重表示" then draws the changed set's loads).
  SliderChange(0);
  SliderChange(1);
  RedrawPicture();
}

void RealView::Deactivate() {
  StopPlayback();
  if (baseAlone_) EndBaseAlone();
  const EditMode kept = state_.Mode;
  state_.Mode = EditMode::None;
  sliders_->SetQuietly(0, 0);
  sliders_->SetQuietly(1, 0);
  statusBar_->hide();
  state_.Mode = EditMode::Change;
  SliderScroll(1);
  state_.Set[kBaseMotion].SusLength0 = 0;
  state_.Set[kChangedMotion].SusLength0 = 0;
  state_.Mode = kept;
  sliderSetsShown_ = false;
  // The load display belongs to the slider sets, which leave the drawing.
  picture_->HideLoadLines();
  HideLoadLabels();
  if (kept != EditMode::New) ShowInitialSets();
  RedrawPicture();
}

void RealView::ShowChangedBesideBase() {
  if (sliderSetsShown_ || state_.Mode == EditMode::New) return;
  ShowInitialSets();
  RedrawPicture();
}

bool RealView::StatusShown() const { return !statusBar_->isHidden(); }

void RealView::SwitchOffSliderDisplay() {
  StopPlayback();
  if (baseAlone_) EndBaseAlone();
  statusBar_->hide();
  const EditMode kept = state_.Mode;
  state_.Mode = EditMode::Changing;
  sliders_->SetQuietly(0, 0);
  state_.Set[kBaseMotion].SusLength0 = 0;
  sliders_->SetQuietly(1, 0);
  state_.Set[kChangedMotion].SusLength0 = 0;
  state_.Mode = kept;
  sliderSetsShown_ = false;
  ShowInitialSets();
  RedrawPicture();
}

void RealView::ShowInitialSets() {
  picture_->ShowMembersOf(false);
  picture_->HideLoadLines();
  HideLoadLabels();
  // The markers go back onto the initial-position sets.
  if (state_.Mode == EditMode::Change) {
    Graphic(kBaseSet);
    Graphic(kChangedSet);
  }
}

// ---- joint markers -------------------------------------------------------

bool RealView::eventFilter(QObject* watched, QEvent* event) {
  const bool press = event->type() == QEvent::MouseButtonPress;
  const bool release = event->type() == QEvent::MouseButtonRelease;
  if (press || release) {
    const QVariant joint = watched->property(RealPicture::kJointProperty);
    const int k = watched->property(kIndexProperty).toInt();
    if (joint.isValid() && (k == 0 || k == 1)) {
      // The marker reports the joint it sits on: that of set 6 + k while the
      // slider sets are on show, else that of the initial-position set.
      const ConfigSet& c =
          state_.Set[static_cast<std::size_t>(markerSet_[static_cast<std::size_t>(k)])];
      if (press) picture_->ShowJointCoordinates(joint.toInt(), k, c);
      if (release) picture_->HideJointCoordinates(joint.toInt(), k);
      return true;  // the marker keeps the mouse until it is released
    }
    if (press && qobject_cast<QSlider*>(watched) != nullptr) {
      SliderPress();
    }
  }
  return QWidget::eventFilter(watched, event);
}

// ---- menus and the radius entry -----------------------------------------

QString RealView::PanelText(int panel) const {
  if (panel < 1 || panel > 5) return {};
  return panels_[static_cast<std::size_t>(panel - 1)]->text();
}

void RealView::ClickLoadMenu(int item) {
  menuLoad_[0]->setChecked(item == 0);
  menuLoad_[1]->setChecked(item == 1);
  if (!LoadDisplay()) {
    picture_->HideLoadLines();
    HideLoadLabels();
    RedrawPicture();
    return;
  }
  // Loads belong to the slider sets: nothing to show while they are not drawn.
  if (state_.Mode != EditMode::Change || !sliderSetsShown_) return;
  const int k = panelSet_;
  DrawLoadVectors(6 + k);
  HideLoadLabels();
  ShowLoadLabels(k);
}

void RealView::ClickSusRadiusMenu(int item) {
  menuSusR_[0]->setChecked(item == 0);
  menuSusR_[1]->setChecked(item == 1);
  picture_->SetCircleShown(item == 0);
  RedrawPicture();
}

void RealView::TakeRadius(float radius) {
  picture_->SetRadius(radius);
  if (markerSet_[1] == kChangedMotion) {
    Graphic(kChangedMotion);
  } else {
    PlaceCircle();
    RedrawPicture();
  }
}

// ---- stroke playback -----------------------------------------------------

bool RealView::Playing() const { return playback_->Playing(); }

void RealView::StartPlayback() {
  if (state_.Mode == EditMode::Change) {
    if (!sliderSetsShown_) Activate();
  } else if (state_.Mode == EditMode::New) {
    if (!baseAlone_) ShowBaseAlone();
  } else {
    return;
  }
  playStage_ = state_.Mode;
  const int side = state_.Mode == EditMode::Change ? 1 : 0;
  playback_->Start(-sliders_->Value(side), state_.MaxStroke);
}

void RealView::StopPlayback() { playback_->Stop(); }

void RealView::PlayAt(int stroke) {
  if (state_.Mode != playStage_) {
    StopPlayback();
    if (baseAlone_ && state_.Mode != EditMode::Changing) EndBaseAlone();
    return;
  }
  // Through the sliders, as a drag that lets go at once; the changed side
  // last, so that the read-outs are the changed set's.
  for (int k = 0; k < 2; ++k) sliders_->Slider(k)->setValue(-stroke);
}

void RealView::ShowBaseAlone() {
  baseAlone_ = true;
  // The base slider set takes its reference shock length at stroke 0.
  state_.Set[kBaseMotion].SusLength0 = 0;
  SolveSliderSet(state_, 0, 0);
  SliderScroll(0);
  picture_->ShowMembersOf(true);
  picture_->SetMembersVisible(kChangedMotion, false);
  picture_->SetLineVisible(kXAxis, 0, true);
  picture_->SetLineVisible(kYAxis, 0, true);
  statusBar_->show();
  statusBar_->raise();
  SliderChange(0);
}

void RealView::EndBaseAlone() {
  baseAlone_ = false;
  statusBar_->hide();
  picture_->ShowMembersOf(false);
  picture_->HideLoadLines();
  HideLoadLabels();
  Graphic(kBaseSet);
  RedrawPicture();
}

}  // namespace potelan
