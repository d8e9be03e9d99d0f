#include "views/RealView.hpp"

#include <QAction>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <utility>

#include "model/NumberFormat.hpp"
#include "model/Solver.hpp"
#include "ui/Controls.hpp"
#include "ui/Fonts.hpp"
#include "ui/MdiPlacement.hpp"
#include "ui/Units.hpp"

namespace potelan {
namespace {

const QString kCaption = QStringLiteral("実働表示");
const QString kLoadMenu = QStringLiteral("荷重表示");
const QString kRadiusMenu = QStringLiteral("想定サス半径表示");
const QString kOn = QStringLiteral("ON");
const QString kOff = QStringLiteral("OFF");
const QString kRadiusChange = QStringLiteral("半径変更");
const QString kFrame1Caption = QStringLiteral("新規サス長入力");
const QString kOk = QStringLiteral("OK");
const QString kBasePanel = QStringLiteral("基準ｻｽの値");
const QString kChangedPanel = QStringLiteral("変更ｻｽの値");
// Captions of the two sliders.
const std::array<QString, 2> kSliderCaptions = {QStringLiteral("基準"), QStringLiteral("変更")};
const QString kStrokePanel = QStringLiteral("ｱｸｽﾙｽﾄﾛｰｸ ");
const QString kRatioPanel = QStringLiteral("ﾘﾝｸﾚｼｵ ");
const QString kLengthPanel = QStringLiteral("サス長 ");
const QString kSusStrokePanel = QStringLiteral("ｻｽｽﾄﾛｰｸ ");
const QString kMm = QStringLiteral("mm");
const QString kKg = QStringLiteral("kg");
// A joint marker at rest: two blanks on a transparent ground.
const QString kBlankMarker = QStringLiteral("  ");

// Member lines, one of each per drawn set.
const QString kFork = QStringLiteral("Line_Fork");
const QString kSus = QStringLiteral("Line_Sus");
const QString kOffset = QStringLiteral("Line_Offset");
const QString kTenRod = QStringLiteral("Line_Ten_Rod");
const QString kLinkRr = QStringLiteral("Line_Link_Rr");
const QString kLinkFr = QStringLiteral("Line_Link_Fr");
const QString kLinkUp = QStringLiteral("Line_Link_Up");
const std::array<QString, 7> kMembers = {kFork, kSus, kOffset, kTenRod, kLinkRr, kLinkFr, kLinkUp};
// Load vectors, index 2 for set 6 and 3 for set 7.
const QString kPivotLoadLine = QStringLiteral("Line_Pivot_Load");
const QString kDorBLine = QStringLiteral("Line_Load_D_or_B");
const QString kAxleLoadLine = QStringLiteral("Line_Axle_Load");
const QString kXAxis = QStringLiteral("line_X_Axis");
const QString kYAxis = QStringLiteral("line_Y_Axis");

constexpr std::array<int, 4> kDrawnSets = {kBaseSet, kChangedSet, kBaseMotion, kChangedMotion};

// The drawing: 1020 x 600 mm, the pivot 300 mm from the left and 350 mm from
// the top; forces drawn at 5 kgf per millimetre.
constexpr double kScaleWidth = 1020;
constexpr double kScaleHeight = 600;
constexpr double kPivotFromLeft = 300;
constexpr double kPivotFromTop = 350;
constexpr double kForceScale = 5;
// The sliders stand at x = 611 and 655 mm of the drawing of an unmoved pivot,
// over its full height; the first ends where the second begins.
constexpr double kSlider0Left = 611 + kPivotFromLeft;
constexpr double kSlider1Left = 655 + kPivotFromLeft;
constexpr double kSlider1Width = 65;

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

const QColor kBackground(192, 192, 192);
const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kBaseSus(0, 0, 192);
const QColor kBaseMotionSus(0, 0, 255);
const QColor kChangedSus(255, 128, 0);
const QColor kBaseLoad(128, 128, 128);
const QColor kChangedLoad(255, 128, 128);
const QColor kCircle(255, 128, 128);

constexpr char kJointProperty[] = "joint";
constexpr char kTagProperty[] = "tag";
const QString kLoadTag = QStringLiteral("load");

enum class Joint { Pivot, Axle, SusUp, SusLwr, LinkLwr, ForkLink, ForkLinkBase, FrameLink };

// The joint markers, in the order of jointLabels_.
struct MarkerInfo {
  const char* Name;
  Joint At;
  bool LinkJoint;  // only Types 3 to 6 have it
};
constexpr std::array<MarkerInfo, 6> kMarkers = {{
    {"Label_Axle", Joint::Axle, false},
    {"Label_Sus_Up", Joint::SusUp, false},
    {"Label_Sus_Lwr", Joint::SusLwr, false},
    {"Label_Link_Lwr", Joint::LinkLwr, true},
    {"Label_Fork_Link", Joint::ForkLink, true},
    {"Label_Frame_Link", Joint::FrameLink, true},
}};
constexpr int kAxleMarker = 0;

// The load values, in the order of loadLabels_.
constexpr std::array<const char*, 5> kLoadLabels = {
    "Label_Pivot_Load", "Label_D_or_B", "Label_Axle_Load", "Label_Sus_Load", "Label_Ten_Rod_Load"};

// The link members of each type, from joint to joint (fork and shock are
// the same in every type).
struct MemberEnds {
  const QString* Name;
  Joint From;
  Joint To;
};

std::vector<MemberEnds> TypeMembers(int type) {
  switch (type) {
    case 2:
      return {{&kOffset, Joint::ForkLinkBase, Joint::SusLwr}};
    case 3:
    case 5:
      return {{&kOffset, Joint::ForkLink, Joint::ForkLinkBase},
              {&kTenRod, Joint::FrameLink, Joint::LinkLwr},
              {&kLinkRr, Joint::LinkLwr, Joint::ForkLink},
              {&kLinkFr, Joint::SusLwr, Joint::LinkLwr},
              {&kLinkUp, Joint::SusLwr, Joint::ForkLink}};
    case 4:
    case 6:
      return {{&kOffset, Joint::ForkLink, Joint::ForkLinkBase},
              {&kTenRod, Joint::ForkLink, Joint::LinkLwr},
              {&kLinkRr, Joint::LinkLwr, Joint::SusLwr},
              {&kLinkFr, Joint::FrameLink, Joint::LinkLwr},
              {&kLinkUp, Joint::SusLwr, Joint::FrameLink}};
    default:
      return {};
  }
}

bool HasLinkPlate(int type) { return type >= 3 && type <= 6; }

QPointF JointPoint(const ConfigSet& c, Joint joint) {
  switch (joint) {
    case Joint::Pivot:
      return {0, 0};
    case Joint::Axle:
      return {c.AxleX, c.AxleY};
    case Joint::SusUp:
      return {c.SusUpX, c.SusUpY};
    case Joint::SusLwr:
      return {c.SusLwrX, c.SusLwrY};
    case Joint::LinkLwr:
      return {c.LinkLwrX, c.LinkLwrY};
    case Joint::ForkLink:
      return {c.ForkLinkX, c.ForkLinkY};
    case Joint::ForkLinkBase:
      return {c.ForkLinkBaseX, c.ForkLinkBaseY};
    case Joint::FrameLink:
      return {c.FrameLinkX, c.FrameLinkY};
  }
  return {0, 0};
}

bool Finite(const QPointF& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

QString Format(double value, const char* pattern) {
  return QString::fromStdString(FormatNumber(value, pattern));
}

bool IsDrawnSet(int set) {
  return std::find(kDrawnSets.begin(), kDrawnSets.end(), set) != kDrawnSets.end();
}

// Picture1: the drawing area. It paints what the view's line model holds.
class PictureBox final : public QWidget {
 public:
  PictureBox(std::function<void(QPainter&)> paint, QWidget* parent)
      : QWidget(parent), paint_(std::move(paint)) {}

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    paint_(painter);
  }

 private:
  std::function<void(QPainter&)> paint_;
};

// A stroke slider. Its value runs from -MaxStroke at the top to 0 at the
// bottom, so the thumb rises with the axle. Styles fill the groove from the
// minimum end to the thumb, which here would fill the stroke still to go;
// the slider is painted as its own mirror image instead (the ends swapped
// and the value reflected), which leaves the thumb where it is and fills
// the groove from stroke 0 up to the thumb: the stroke travelled.
class StrokeSlider final : public QSlider {
 public:
  explicit StrokeSlider(QWidget* parent) : QSlider(Qt::Vertical, parent) {
    setInvertedAppearance(true);
    setInvertedControls(true);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    if (tickPosition() != NoTicks) option.subControls |= QStyle::SC_SliderTickmarks;
    option.upsideDown = !option.upsideDown;
    option.sliderPosition = option.minimum + option.maximum - option.sliderPosition;
    option.sliderValue = option.minimum + option.maximum - option.sliderValue;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
  }
};

}  // namespace

RealView::RealView(AppState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName(QStringLiteral("Form_Real"));
  setWindowTitle(kCaption);

  BuildMenus();
  BuildPicture();
  BuildStatusBar();
  BuildFrame1();

  // Form_Load: the circle starts at the base set's shock length, the sliders
  // cover the stroke, the base set is drawn.
  susRadius_ = static_cast<float>(state_.Set[kBaseSet].SusLength0);
  text1_->setText(Format(state_.Set[kBaseSet].SusLength0, "###.0"));
  for (QSlider* slider : sliders_) {
    QSignalBlocker quiet(slider);
    slider->setRange(-state_.MaxStroke, 0);
    slider->setValue(0);
  }
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

  QMenu* load = menuBar_->addMenu(kLoadMenu);
  SetControlIndex(*load, QStringLiteral("menu_dummy"), 0);
  QMenu* radius = menuBar_->addMenu(kRadiusMenu);
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
  menuSusRChange_ = radius->addAction(kRadiusChange);
  menuSusRChange_->setObjectName(QStringLiteral("menu_sus_r_change"));
  connect(menuSusRChange_, &QAction::triggered, this, [this] {
    frame1_->show();
    frame1_->raise();
    text1_->setFocus();
  });
}

void RealView::BuildPicture() {
  picture_ = new PictureBox([this](QPainter& painter) { PaintPicture(painter); }, this);
  picture_->setObjectName(QStringLiteral("Picture1"));

  // Axes through the pivot, below everything else.
  for (int i = 0; i < 2; ++i) {
    AddLine(kXAxis, i, kBlack, 1, Qt::DotLine, true, false);
    AddLine(kYAxis, i, kBlack, 1, Qt::DotLine, true, false);
  }
  // Members: base black, changed red, the shock in its own colour and width 2;
  // only the base set at its initial position is shown at start.
  for (int set : kDrawnSets) {
    const bool changed = set % 2 == 1;
    const QColor member = changed ? kRed : kBlack;
    const QColor sus = changed ? kChangedSus : (set == kBaseSet ? kBaseSus : kBaseMotionSus);
    for (const QString& name : kMembers) {
      const bool isSus = name == kSus;
      AddLine(name, set, isSus ? sus : member, isSus ? 2 : 1, Qt::SolidLine, set == kBaseSet,
              false);
    }
  }
  for (int j = 2; j <= 3; ++j) {
    const QColor colour = j == 2 ? kBaseLoad : kChangedLoad;
    for (const QString& name : {kPivotLoadLine, kDorBLine, kAxleLoadLine}) {
      AddLine(name, j, colour, 2, Qt::SolidLine, false, true);
    }
  }

  const QFont font = GothicFont(kLabelPointSize);
  const QFontMetrics metrics(font);
  const QSize restSize(metrics.horizontalAdvance(kBlankMarker), metrics.height());
  for (std::size_t j = 0; j < kMarkers.size(); ++j) {
    for (int k = 0; k < 2; ++k) {
      auto* label = new QLabel(kBlankMarker, picture_);
      SetControlIndex(*label, QString::fromLatin1(kMarkers[j].Name), k);
      label->setProperty(kJointProperty, static_cast<int>(j));
      label->setFont(font);
      label->setMinimumSize(restSize);
      QPalette palette = label->palette();
      palette.setColor(QPalette::Window, kBackground);
      palette.setColor(QPalette::WindowText, k == 1 ? kRed : kBlack);
      label->setPalette(palette);
      label->setAutoFillBackground(false);
      label->installEventFilter(this);
      label->hide();
      jointLabels_[j][static_cast<std::size_t>(k)] = label;
    }
  }
  for (std::size_t v = 0; v < kLoadLabels.size(); ++v) {
    for (int k = 0; k < 2; ++k) {
      auto* label = new QLabel(picture_);
      SetControlIndex(*label, QString::fromLatin1(kLoadLabels[v]), k);
      label->setProperty(kTagProperty, kLoadTag);
      label->setFont(font);
      QPalette palette = label->palette();
      palette.setColor(QPalette::Window, kBackground);
      palette.setColor(QPalette::WindowText, k == 1 ? kRed : kBlack);
      label->setPalette(palette);
      label->setAutoFillBackground(true);
      label->hide();
      loadLabels_[v][static_cast<std::size_t>(k)] = label;
    }
  }

  for (int k = 0; k < 2; ++k) {
    // The top end is the full stroke: the thumb rises with the axle.
    auto* slider = new StrokeSlider(picture_);
    SetControlIndex(*slider, QStringLiteral("Slider1"), k);
    const QString& caption = kSliderCaptions[static_cast<std::size_t>(k)];
    slider->setAccessibleName(caption);
    slider->setToolTip(caption);
    // Each slider's caption stands over it, in the colour of its side.
    auto* label = new QLabel(caption, picture_);
    SetControlIndex(*label, QStringLiteral("Label_Slider"), k);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, k == 1 ? kRed : kBlack);
    label->setPalette(palette);
    label->setBuddy(slider);
    sliderLabels_[static_cast<std::size_t>(k)] = label;
    slider->setSingleStep(1);
    slider->setPageStep(10);
    slider->installEventFilter(this);
    connect(slider, &QSlider::valueChanged, this, [this, k, slider](int /*value*/) {
      // A drag moves the linkage; the read-outs follow when the thumb is let go.
      SliderScroll(k);
      if (!slider->isSliderDown()) SliderChange(k);
    });
    connect(slider, &QSlider::sliderReleased, this, [this, k] { SliderChange(k); });
    sliders_[static_cast<std::size_t>(k)] = slider;
  }
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

void RealView::BuildFrame1() {
  frame1_ = new QGroupBox(kFrame1Caption, this);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  auto* layout = new QHBoxLayout(frame1_);
  text1_ = new QLineEdit(frame1_);
  text1_->setObjectName(QStringLiteral("Text1"));
  command1_ = new QPushButton(kOk, frame1_);
  command1_->setObjectName(QStringLiteral("Command1"));
  layout->addWidget(text1_, 1);
  layout->addWidget(command1_);
  connect(command1_, &QPushButton::clicked, this, &RealView::ClickCommand1);
  connect(text1_, &QLineEdit::returnPressed, this, &RealView::ClickCommand1);
  frame1_->hide();
}

// ---- the line model ------------------------------------------------------

void RealView::AddLine(const QString& name, int index, const QColor& colour, int width,
                       Qt::PenStyle style, bool visible, bool load) {
  DrawnLine line;
  line.Name = name;
  line.Index = index;
  line.Colour = colour;
  line.Width = width;
  line.Style = style;
  line.Visible = visible;
  line.Load = load;
  line.Z = ++topZ_;
  lines_.push_back(line);
}

RealView::DrawnLine* RealView::FindLine(const QString& name, int index) {
  for (DrawnLine& line : lines_) {
    if (line.Index == index && line.Name == name) return &line;
  }
  return nullptr;
}

const RealView::DrawnLine* RealView::FindLine(const QString& name, int index) const {
  for (const DrawnLine& line : lines_) {
    if (line.Index == index && line.Name == name) return &line;
  }
  return nullptr;
}

std::optional<RealView::DrawnLine> RealView::Line(const QString& name, int index) const {
  const DrawnLine* line = FindLine(name, index);
  if (line == nullptr) return std::nullopt;
  return *line;
}

bool RealView::LineDrawn(const QString& name, int index) const {
  const DrawnLine* line = FindLine(name, index);
  return line != nullptr && line->Visible && line->Placed;
}

void RealView::PlaceLine(const QString& name, int index, const QPointF& p1, const QPointF& p2,
                         const QPointF& origin) {
  DrawnLine* line = FindLine(name, index);
  if (line == nullptr) return;
  // A point that is not a number is never drawn: the line stays off.
  if (!Finite(p1) || !Finite(p2) || !Finite(origin)) {
    line->Placed = false;
    return;
  }
  line->P1 = p1;
  line->P2 = p2;
  line->Origin = origin;
  line->Placed = true;
}

void RealView::UnplaceLine(const QString& name, int index) {
  if (DrawnLine* line = FindLine(name, index)) line->Placed = false;
}

void RealView::SetLineVisible(const QString& name, int index, bool visible) {
  if (DrawnLine* line = FindLine(name, index)) line->Visible = visible;
}

int RealView::MemberWidth(const QString& line, int index) const {
  const DrawnLine* found = FindLine(line, index);
  return found != nullptr ? found->Width : 0;
}

void RealView::SetMemberWidth(const QString& line, int index, int width) {
  DrawnLine* found = FindLine(line, index);
  if (found == nullptr) return;
  found->Width = std::max(width, 1);
  RedrawPicture();
}

void RealView::ShowMember(const QString& line, int index) {
  SetLineVisible(line, index, true);
  RedrawPicture();
}

void RealView::PaintPicture(QPainter& painter) const {
  painter.fillRect(picture_->rect(), kBackground);
  painter.setRenderHint(QPainter::Antialiasing, true);

  if (circleShown_ && std::isfinite(susRadius_) && Finite(circleCentre_) && Finite(circleOrigin_)) {
    QPen pen(kCircle, 1);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double r = std::abs(static_cast<double>(susRadius_)) * scale_;
    painter.drawEllipse(PicturePoint(circleCentre_, circleOrigin_), r, r);
  }

  std::vector<const DrawnLine*> order;
  order.reserve(lines_.size());
  for (const DrawnLine& line : lines_) {
    if (line.Visible && line.Placed) order.push_back(&line);
  }
  std::stable_sort(order.begin(), order.end(),
                   [](const DrawnLine* a, const DrawnLine* b) { return a->Z < b->Z; });
  for (const DrawnLine* line : order) {
    QPen pen(line->Colour, line->Width, line->Style, Qt::FlatCap);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawLine(PicturePoint(line->P1, line->Origin), PicturePoint(line->P2, line->Origin));
  }
}

void RealView::RedrawPicture() { picture_->update(); }

// ---- coordinates and labels ---------------------------------------------

QPointF RealView::SetOrigin(int set) const {
  const ConfigSet& c = state_.Set[static_cast<std::size_t>(set >= 0 && set < kSetCount ? set : 0)];
  return {-kPivotFromLeft - c.PivotMoveX, -kPivotFromTop - c.PivotMoveY};
}

QPointF RealView::PicturePoint(const QPointF& mm, const QPointF& origin) const {
  return {(mm.x() - origin.x()) * scale_, (mm.y() - origin.y()) * scale_};
}

void RealView::SetAnchor(QLabel* label, const QPointF& at, const QPointF& origin, bool valid) {
  Anchor& anchor = anchors_[label];
  anchor.Valid = valid && Finite(at) && Finite(origin);
  if (anchor.Valid) {
    anchor.At = at;
    anchor.Origin = origin;
  }
  PlaceLabel(label);
}

void RealView::PlaceLabel(QLabel* label) {
  const auto found = anchors_.constFind(label);
  if (found == anchors_.constEnd() || !found->Valid) return;
  label->adjustSize();
  const QPointF at = PicturePoint(found->At, found->Origin);
  const double left = found->RightEdge ? at.x() - label->width() : at.x() - label->width() / 2.0;
  const double top = at.y() - label->height() / 2.0;
  label->move(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)));
}

void RealView::PlaceAllLabels() {
  for (auto& row : jointLabels_) {
    for (QLabel* label : row) PlaceLabel(label);
  }
  for (auto& row : loadLabels_) {
    for (QLabel* label : row) PlaceLabel(label);
  }
}

void RealView::SetOpaque(QLabel* label, bool opaque) { label->setAutoFillBackground(opaque); }

void RealView::SetJointCaption(const QString& label, int index, const QString& caption) {
  for (auto& row : jointLabels_) {
    QLabel* marker = row[static_cast<std::size_t>(index & 1)];
    if (marker->objectName() != label || (index != 0 && index != 1)) continue;
    marker->setText(caption);
    PlaceLabel(marker);
  }
}

// ---- Form_Resize ---------------------------------------------------------

void RealView::LayoutView() {
  const int menuHeight = menuBar_->sizeHint().height();
  menuBar_->setGeometry(0, 0, width(), menuHeight);
  const int statusHeight = Px(kStatusTwips);
  statusBar_->setGeometry(0, height() - statusHeight, width(), statusHeight);
  frame1_->setGeometry(Px(kFrameLeftTwips), menuHeight + Px(kFrameTopTwips), Px(kFrameWidthTwips),
                       Px(kFrameHeightTwips));

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
  scale_ = std::min(pictureWidth / kScaleWidth, pictureHeight / kScaleHeight);

  // The axes pass through the base set's pivot from edge to edge.
  const QPointF origin = SetOrigin(kBaseSet);
  for (int i = 0; i < 2; ++i) {
    PlaceLine(kYAxis, i, {0, origin.y()}, {0, origin.y() + kScaleHeight}, origin);
    PlaceLine(kXAxis, i, {origin.x(), 0}, {origin.x() + kScaleWidth, 0}, origin);
  }

  const auto px = [this](double mm) { return static_cast<int>(std::lround(mm * scale_)); };
  // Each slider under its caption, down to the bottom edge.
  const std::array<int, 3> sliderEdges = {px(kSlider0Left), px(kSlider1Left),
                                          px(kSlider1Left + kSlider1Width)};
  // A caption wider than its slider (a small window) is set smaller until it
  // fits, so the two never run into each other.
  int captionHeight = 0;
  for (std::size_t k = 0; k < 2; ++k) {
    QLabel* label = sliderLabels_[k];
    const int width = sliderEdges[k + 1] - sliderEdges[k];
    QFont font = GothicFont(kLabelPointSize);
    while (font.pointSizeF() > 4 &&
           QFontMetricsF(font).horizontalAdvance(label->text()) > width) {
      font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    label->setFont(font);
    captionHeight = std::max(captionHeight, label->sizeHint().height());
  }
  for (std::size_t k = 0; k < 2; ++k) {
    const int left = sliderEdges[k];
    const int width = sliderEdges[k + 1] - left;
    sliderLabels_[k]->setGeometry(left, 0, width, captionHeight);
    sliders_[k]->setGeometry(left, captionHeight, width, pictureHeight - captionHeight);
  }

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
  PlaceAllLabels();
  RaiseSliders();
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
  circleCentre_ = {changed.SusUpX, changed.SusUpY};
  circleOrigin_ = SetOrigin(kChangedMotion);
}

QRectF RealView::CircleRect() const {
  const double r = susRadius_;
  return {circleCentre_.x() - r, circleCentre_.y() - r, 2 * r, 2 * r};
}

void RealView::Graphic(int set) {
  if (!IsDrawnSet(set)) return;
  ConfigSet& c = state_.Set[static_cast<std::size_t>(set)];
  // A set without a type is drawn as Type 4.
  if (c.SusType == 0) c.SusType = 4;
  const QPointF origin = SetOrigin(set);
  const int k = set % 2;
  markerSet_[static_cast<std::size_t>(k)] = set;

  for (std::size_t j = 0; j < kMarkers.size(); ++j) {
    QLabel* label = jointLabels_[j][static_cast<std::size_t>(k)];
    const bool exists = !kMarkers[j].LinkJoint || HasLinkPlate(c.SusType);
    SetAnchor(label, JointPoint(c, kMarkers[j].At), origin, exists);
    label->setVisible(anchors_[label].Valid);
  }
  PlaceCircle();

  PlaceLine(kFork, set, JointPoint(c, Joint::Pivot), JointPoint(c, Joint::Axle), origin);
  PlaceLine(kSus, set, JointPoint(c, Joint::SusUp), JointPoint(c, Joint::SusLwr), origin);
  const std::vector<MemberEnds> members = TypeMembers(c.SusType);
  for (const QString& name : {kOffset, kTenRod, kLinkRr, kLinkFr, kLinkUp}) {
    const auto member = std::find_if(members.begin(), members.end(),
                                     [&name](const MemberEnds& m) { return *m.Name == name; });
    if (member == members.end()) {
      UnplaceLine(name, set);
    } else {
      PlaceLine(name, set, JointPoint(c, member->From), JointPoint(c, member->To), origin);
    }
  }
  RedrawPicture();
}

void RealView::DrawLoadVectors(int set) {
  if (!LoadDisplay()) {
    HideLoadLines();
    RedrawPicture();
    return;
  }
  if (set != kBaseMotion && set != kChangedMotion) return;
  const ConfigSet& c = state_.Set[static_cast<std::size_t>(set)];
  const QPointF origin = SetOrigin(set);
  const int j = set - 4;
  const auto scaled = [](const LoadVector& load) {
    return QPointF(load.X / kForceScale, load.Y / kForceScale);
  };

  PlaceLine(kPivotLoadLine, j, {0, 0}, scaled(c.PivotLoad), origin);
  SetLineVisible(kPivotLoadLine, j, true);

  if (c.SusType == 3 || c.SusType == 5) {
    const QPointF mount = JointPoint(c, Joint::ForkLink);
    PlaceLine(kDorBLine, j, mount, mount + scaled(c.ForkLinkLoad), origin);
    SetLineVisible(kDorBLine, j, true);
  } else if (c.SusType == 4 || c.SusType == 6) {
    const QPointF mount = JointPoint(c, Joint::FrameLink);
    PlaceLine(kDorBLine, j, mount, mount + scaled(c.FrameLinkLoad), origin);
    SetLineVisible(kDorBLine, j, true);
  } else {
    UnplaceLine(kDorBLine, j);
    SetLineVisible(kDorBLine, j, false);
  }

  const QPointF axle = JointPoint(c, Joint::Axle);
  PlaceLine(kAxleLoadLine, j, axle, axle - QPointF(0, c.AxleLoad.Magnitude / kForceScale), origin);
  SetLineVisible(kAxleLoadLine, j, true);

  const int other = j == 2 ? 3 : 2;
  for (const QString& name : {kPivotLoadLine, kDorBLine, kAxleLoadLine}) {
    SetLineVisible(name, other, false);
  }
  RedrawPicture();
}

void RealView::ShowLoadLabels(int k) {
  if (k != 0 && k != 1) return;
  if (!LoadDisplay()) return;
  const int set = 6 + k;
  const ConfigSet& c = state_.Set[static_cast<std::size_t>(set)];
  const bool plateOnFork = c.SusType == 3 || c.SusType == 5;
  const bool plateOnFrame = c.SusType == 4 || c.SusType == 6;
  // The load on the link mount and the rod force exist only with a link plate.
  struct Value {
    double Magnitude;
    const QString* Line;
    int LineIndex;
    bool Exists;
  };
  const std::array<Value, 5> values = {{
      {c.PivotLoad.Magnitude, &kPivotLoadLine, k + 2, true},
      {plateOnFork ? c.ForkLinkLoad.Magnitude : c.FrameLinkLoad.Magnitude, &kDorBLine, k + 2,
       plateOnFork || plateOnFrame},
      {c.AxleLoad.Magnitude, &kAxleLoadLine, k + 2, true},
      {c.SusLoad.Magnitude, &kSus, set, true},
      {c.TenRodLoad.Magnitude, &kTenRod, set, plateOnFork || plateOnFrame},
  }};
  for (std::size_t v = 0; v < values.size(); ++v) {
    QLabel* label = loadLabels_[v][static_cast<std::size_t>(k)];
    const DrawnLine* line = FindLine(*values[v].Line, values[v].LineIndex);
    if (!values[v].Exists || line == nullptr || !line->Placed ||
        !std::isfinite(values[v].Magnitude)) {
      label->hide();
      continue;
    }
    label->setText(Format(values[v].Magnitude, "####") + kKg);
    SetAnchor(label, (line->P1 + line->P2) / 2, line->Origin, true);
    label->show();
    label->raise();
  }
  RaiseSliders();
}

bool RealView::LoadDisplay() const { return menuLoad_[0]->isChecked(); }

void RealView::SetLoadDisplay(bool on) { ClickLoadMenu(on ? 0 : 1); }

void RealView::HideLoadLabels() {
  for (int k = 0; k < 2; ++k) HideLoadLabels(k);
}

void RealView::HideLoadLabels(int k) {
  for (auto& row : loadLabels_) row[static_cast<std::size_t>(k & 1)]->hide();
}

void RealView::HideLoadLines() {
  for (DrawnLine& line : lines_) {
    if (line.Load) line.Visible = false;
  }
}

// ---- sliders -------------------------------------------------------------

QSlider* RealView::Slider(int k) const {
  if (k != 0 && k != 1) return nullptr;
  return sliders_[static_cast<std::size_t>(k)];
}

void RealView::RaiseSliders() {
  for (std::size_t k = 0; k < 2; ++k) {
    sliderLabels_[k]->raise();
    sliders_[k]->raise();
  }
}

QLabel* RealView::SliderLabel(int k) const {
  if (k != 0 && k != 1) return nullptr;
  return sliderLabels_[static_cast<std::size_t>(k)];
}

void RealView::SetSliderQuietly(int k, int value) {
  QSlider* slider = sliders_[static_cast<std::size_t>(k)];
  const QSignalBlocker quiet(slider);
  slider->setValue(value);
}

bool RealView::SolveMotionSet(int set, double axleStartPos) {
  // Both sets were judged over the whole stroke before the view could move
  // them. Should a position fail all the same, the set keeps its last good
  // state, axle position included, and the failure is not passed on to the
  // next caller.
  ConfigSet& c = state_.Set[static_cast<std::size_t>(set)];
  const ConfigSet lastGood = c;
  c.AxleStartPos = axleStartPos;
  const bool failed = NotFormed(SolveLinkage(state_, set, c.SusPos));
  if (failed) c = lastGood;
  return !failed;
}

void RealView::SliderScroll(int k) {
  if (state_.Mode != EditMode::Change) return;
  const int set = 6 + k;
  SolveMotionSet(set, sliders_[static_cast<std::size_t>(k)]->value() +
                          state_.Set[static_cast<std::size_t>(2 + k)].AxleStartPos);
  Graphic(set);
  DrawLoadVectors(set);
}

void RealView::SliderChange(int k) {
  if (state_.Mode != EditMode::Change) {
    statusBar_->hide();
    return;
  }
  const int set = 6 + k;
  const ConfigSet& c = state_.Set[static_cast<std::size_t>(set)];
  const int value = sliders_[static_cast<std::size_t>(k)]->value();
  panels_[0]->setText(k == 0 ? kBasePanel : kChangedPanel);
  panels_[1]->setText(kStrokePanel + Format(-value, "##0") + kMm);
  panels_[2]->setText(kRatioPanel + Format(c.LinkRatio, "0.000") + QLatin1Char(':') +
                      Format(c.InvLinkRatio, "0.000"));
  panels_[3]->setText(kLengthPanel + Format(c.SusLength, "###") + kMm);
  panels_[4]->setText(kSusStrokePanel + Format(c.SusStroke, "##0.0") + kMm);

  // This side's linkage and markers come to the front.
  for (const QString& name : kMembers) {
    if (DrawnLine* line = FindLine(name, set)) line->Z = ++topZ_;
  }
  for (auto& row : jointLabels_) row[static_cast<std::size_t>(k)]->raise();
  // The load values of the other side went with its load vectors.
  HideLoadLabels(1 - k);
  ShowLoadLabels(k);
  RaiseSliders();
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
    SetSliderQuietly(k, 0);
    state_.Set[static_cast<std::size_t>(6 + k)].SusLength0 = 0;
    SliderScroll(k);
  }
  for (DrawnLine& line : lines_) {
    if (!line.Name.toLower().contains(QLatin1String("line"))) continue;
    if (line.Index == 0 || line.Index == 1) line.Visible = false;
    if (line.Index == kBaseMotion || line.Index == kChangedMotion) line.Visible = true;
  }
  SetLineVisible(kXAxis, 0, true);
  SetLineVisible(kYAxis, 0, true);
  // The status bar, shown now, reads the values at stroke 0 rather than
  // empty or stale panels: the read-outs of both sides, the changed side
  // last (so "荷重表示" then draws the changed set's loads).
  SliderChange(0);
  SliderChange(1);
  RedrawPicture();
}

void RealView::Deactivate() {
  const EditMode kept = state_.Mode;
  state_.Mode = EditMode::None;
  SetSliderQuietly(0, 0);
  SetSliderQuietly(1, 0);
  statusBar_->hide();
  state_.Mode = EditMode::Change;
  SliderScroll(1);
  state_.Set[kBaseMotion].SusLength0 = 0;
  state_.Set[kChangedMotion].SusLength0 = 0;
  state_.Mode = kept;
  sliderSetsShown_ = false;
  // The load display belongs to the slider sets, which leave the drawing.
  HideLoadLines();
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
  statusBar_->hide();
  const EditMode kept = state_.Mode;
  state_.Mode = EditMode::Changing;
  SetSliderQuietly(0, 0);
  state_.Set[kBaseMotion].SusLength0 = 0;
  SetSliderQuietly(1, 0);
  state_.Set[kChangedMotion].SusLength0 = 0;
  state_.Mode = kept;
  sliderSetsShown_ = false;
  ShowInitialSets();
  RedrawPicture();
}

void RealView::ShowInitialSets() {
  for (DrawnLine& line : lines_) {
    if (!line.Name.toLower().contains(QLatin1String("line"))) continue;
    if (line.Index == 0 || line.Index == 1) line.Visible = true;
    if (line.Index == kBaseMotion || line.Index == kChangedMotion) line.Visible = false;
  }
  HideLoadLines();
  HideLoadLabels();
  // The markers go back onto the initial-position sets.
  if (state_.Mode == EditMode::Change) {
    Graphic(kBaseSet);
    Graphic(kChangedSet);
  }
}

// ---- joint markers -------------------------------------------------------

void RealView::JointPress(int joint, int k) {
  QLabel* label = jointLabels_[static_cast<std::size_t>(joint)][static_cast<std::size_t>(k)];
  // The marker reports the joint it sits on: that of set 6 + k while the
  // slider sets are on show, else that of the initial-position set.
  const ConfigSet& c =
      state_.Set[static_cast<std::size_t>(markerSet_[static_cast<std::size_t>(k)])];
  const QPointF at = JointPoint(c, kMarkers[static_cast<std::size_t>(joint)].At);
  label->setText(QLatin1Char('(') + Format(at.x(), "###0.0") + QLatin1Char(',') +
                 Format(at.y(), "###0.0") + QLatin1Char(')'));
  SetOpaque(label, true);
  // The axle marker grows to the left, away from the sliders.
  if (joint == kAxleMarker) anchors_[label].RightEdge = true;
  PlaceLabel(label);
  label->raise();
}

void RealView::JointRelease(int joint, int k) {
  QLabel* label = jointLabels_[static_cast<std::size_t>(joint)][static_cast<std::size_t>(k)];
  label->setText(kBlankMarker);
  SetOpaque(label, false);
  anchors_[label].RightEdge = false;
  PlaceLabel(label);
}

bool RealView::eventFilter(QObject* watched, QEvent* event) {
  const bool press = event->type() == QEvent::MouseButtonPress;
  const bool release = event->type() == QEvent::MouseButtonRelease;
  if (press || release) {
    const QVariant joint = watched->property(kJointProperty);
    const int k = watched->property(kIndexProperty).toInt();
    if (joint.isValid() && (k == 0 || k == 1)) {
      if (press) JointPress(joint.toInt(), k);
      if (release) JointRelease(joint.toInt(), k);
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
    HideLoadLines();
    HideLoadLabels();
    RedrawPicture();
    return;
  }
  // Loads belong to the slider sets: nothing to show while they are not drawn.
  if (state_.Mode != EditMode::Change || !sliderSetsShown_) return;
  const int k = PanelText(1) == kChangedPanel ? 1 : 0;
  DrawLoadVectors(6 + k);
  HideLoadLabels();
  ShowLoadLabels(k);
}

void RealView::ClickSusRadiusMenu(int item) {
  menuSusR_[0]->setChecked(item == 0);
  menuSusR_[1]->setChecked(item == 1);
  circleShown_ = item == 0;
  RedrawPicture();
}

void RealView::RefuseRadius(bool empty) {
  if (empty) text1_->clear();
  QPalette palette = text1_->palette();
  palette.setColor(QPalette::Base, kRed);
  text1_->setPalette(palette);
}

void RealView::ClickCommand1() {
  const QString text = text1_->text();
  if (text.isEmpty()) {
    RefuseRadius(false);
    return;
  }
  for (const QChar ch : text) {
    if (ch.unicode() > u'9') {
      RefuseRadius(true);
      return;
    }
  }
  // Blanks, signs and points pass the character test; what is still no
  // number ("1.2.3") or no length ("-5") is refused the same way.
  const std::optional<float> radius = ParseSingle(text.toStdString());
  if (!radius || !std::isfinite(*radius) || *radius < 0) {
    RefuseRadius(true);
    return;
  }
  susRadius_ = *radius;
  text1_->setPalette(QPalette());
  frame1_->hide();
  if (markerSet_[1] == kChangedMotion) {
    Graphic(kChangedMotion);
  } else {
    PlaceCircle();
    RedrawPicture();
  }
}

}  // namespace potelan
