#include "views/RealPicture.hpp"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <string>

#include "model/NumberFormat.hpp"
#include "ui/Controls.hpp"
#include "ui/Fonts.hpp"

namespace potelan {
namespace {

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

// Forces are drawn at 5 kgf per millimetre.
constexpr double kForceScale = 5;
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

}  // namespace

RealPicture::RealPicture(QWidget* parent, QObject* markerFilter) : QWidget(parent) {
  setObjectName(QStringLiteral("Picture1"));

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
      auto* label = new QLabel(kBlankMarker, this);
      SetControlIndex(*label, QString::fromLatin1(kMarkers[j].Name), k);
      label->setProperty(kJointProperty, static_cast<int>(j));
      label->setFont(font);
      label->setMinimumSize(restSize);
      QPalette palette = label->palette();
      palette.setColor(QPalette::Window, kBackground);
      palette.setColor(QPalette::WindowText, k == 1 ? kRed : kBlack);
      label->setPalette(palette);
      label->setAutoFillBackground(false);
      label->installEventFilter(markerFilter);
      label->hide();
      jointLabels_[j][static_cast<std::size_t>(k)] = label;
    }
  }
  for (std::size_t v = 0; v < kLoadLabels.size(); ++v) {
    for (int k = 0; k < 2; ++k) {
      auto* label = new QLabel(this);
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
}

// ---- the line model ------------------------------------------------------

void RealPicture::AddLine(const QString& name, int index, const QColor& colour, int width,
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

RealPicture::DrawnLine* RealPicture::FindLine(const QString& name, int index) {
  for (DrawnLine& line : lines_) {
    if (line.Index == index && line.Name == name) return &line;
  }
  return nullptr;
}

const RealPicture::DrawnLine* RealPicture::FindLine(const QString& name, int index) const {
  for (const DrawnLine& line : lines_) {
    if (line.Index == index && line.Name == name) return &line;
  }
  return nullptr;
}

std::optional<RealPicture::DrawnLine> RealPicture::Line(const QString& name, int index) const {
  const DrawnLine* line = FindLine(name, index);
  if (line == nullptr) return std::nullopt;
  return *line;
}

bool RealPicture::LineDrawn(const QString& name, int index) const {
  const DrawnLine* line = FindLine(name, index);
  return line != nullptr && line->Visible && line->Placed;
}

void RealPicture::PlaceLine(const QString& name, int index, const QPointF& p1, const QPointF& p2,
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

void RealPicture::UnplaceLine(const QString& name, int index) {
  if (DrawnLine* line = FindLine(name, index)) line->Placed = false;
}

void RealPicture::SetLineVisible(const QString& name, int index, bool visible) {
  if (DrawnLine* line = FindLine(name, index)) line->Visible = visible;
}

int RealPicture::MemberWidth(const QString& line, int index) const {
  const DrawnLine* found = FindLine(line, index);
  return found != nullptr ? found->Width : 0;
}

void RealPicture::SetMemberWidth(const QString& line, int index, int width) {
  DrawnLine* found = FindLine(line, index);
  if (found == nullptr) return;
  found->Width = std::max(width, 1);
  update();
}

void RealPicture::ShowMembersOf(bool sliderSets) {
  for (DrawnLine& line : lines_) {
    if (!line.Name.toLower().contains(QLatin1String("line"))) continue;
    if (line.Index == 0 || line.Index == 1) line.Visible = !sliderSets;
    if (line.Index == kBaseMotion || line.Index == kChangedMotion) line.Visible = sliderSets;
  }
}

void RealPicture::SetMembersVisible(int set, bool visible) {
  for (const QString& name : kMembers) SetLineVisible(name, set, visible);
}

void RealPicture::BringToFront(int set) {
  for (const QString& name : kMembers) {
    if (DrawnLine* line = FindLine(name, set)) line->Z = ++topZ_;
  }
}

void RealPicture::HideLoadLines() {
  for (DrawnLine& line : lines_) {
    if (line.Load) line.Visible = false;
  }
}

void RealPicture::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), kBackground);
  painter.setRenderHint(QPainter::Antialiasing, true);

  if (circleShown_ && std::isfinite(radius_) && Finite(circleCentre_) && Finite(circleOrigin_)) {
    QPen pen(kCircle, 1);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double r = std::abs(static_cast<double>(radius_)) * scale_;
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

// ---- coordinates, axes and the circle --------------------------------------

QPointF RealPicture::PicturePoint(const QPointF& mm, const QPointF& origin) const {
  return {(mm.x() - origin.x()) * scale_, (mm.y() - origin.y()) * scale_};
}

void RealPicture::PlaceAxes(const QPointF& origin) {
  for (int i = 0; i < 2; ++i) {
    PlaceLine(kYAxis, i, {0, origin.y()}, {0, origin.y() + kDrawingHeight}, origin);
    PlaceLine(kXAxis, i, {origin.x(), 0}, {origin.x() + kDrawingWidth, 0}, origin);
  }
}

void RealPicture::PlaceCircle(const QPointF& centre, const QPointF& origin) {
  circleCentre_ = centre;
  circleOrigin_ = origin;
}

QRectF RealPicture::CircleRect() const {
  const double r = radius_;
  return {circleCentre_.x() - r, circleCentre_.y() - r, 2 * r, 2 * r};
}

// ---- labels ----------------------------------------------------------------

void RealPicture::SetAnchor(QLabel* label, const QPointF& at, const QPointF& origin, bool valid) {
  Anchor& anchor = anchors_[label];
  anchor.Valid = valid && Finite(at) && Finite(origin);
  if (anchor.Valid) {
    anchor.At = at;
    anchor.Origin = origin;
  }
  PlaceLabel(label);
}

void RealPicture::PlaceLabel(QLabel* label) {
  const auto found = anchors_.constFind(label);
  if (found == anchors_.constEnd() || !found->Valid) return;
  label->adjustSize();
  const QPointF at = PicturePoint(found->At, found->Origin);
  const double left = found->RightEdge ? at.x() - label->width() : at.x() - label->width() / 2.0;
  const double top = at.y() - label->height() / 2.0;
  label->move(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)));
}

void RealPicture::PlaceAllLabels() {
  for (auto& row : jointLabels_) {
    for (QLabel* label : row) PlaceLabel(label);
  }
  for (auto& row : loadLabels_) {
    for (QLabel* label : row) PlaceLabel(label);
  }
}

void RealPicture::SetJointCaption(const QString& label, int index, const QString& caption) {
  for (auto& row : jointLabels_) {
    QLabel* marker = row[static_cast<std::size_t>(index & 1)];
    if (marker->objectName() != label || (index != 0 && index != 1)) continue;
    marker->setText(caption);
    PlaceLabel(marker);
  }
}

void RealPicture::RaiseMarkers(int k) {
  for (auto& row : jointLabels_) row[static_cast<std::size_t>(k)]->raise();
}

void RealPicture::ShowJointCoordinates(int joint, int k, const ConfigSet& c) {
  QLabel* label = jointLabels_[static_cast<std::size_t>(joint)][static_cast<std::size_t>(k)];
  const QPointF at = JointPoint(c, kMarkers[static_cast<std::size_t>(joint)].At);
  label->setText(QLatin1Char('(') + Format(at.x(), "###0.0") + QLatin1Char(',') +
                 Format(at.y(), "###0.0") + QLatin1Char(')'));
  label->setAutoFillBackground(true);
  // The axle marker grows to the left, away from the sliders.
  if (joint == kAxleMarker) anchors_[label].RightEdge = true;
  PlaceLabel(label);
  label->raise();
}

void RealPicture::HideJointCoordinates(int joint, int k) {
  QLabel* label = jointLabels_[static_cast<std::size_t>(joint)][static_cast<std::size_t>(k)];
  label->setText(kBlankMarker);
  label->setAutoFillBackground(false);
  anchors_[label].RightEdge = false;
  PlaceLabel(label);
}

// ---- sets and loads --------------------------------------------------------

void RealPicture::DrawSet(int set, const ConfigSet& c, const QPointF& origin) {
  const int k = set % 2;
  for (std::size_t j = 0; j < kMarkers.size(); ++j) {
    QLabel* label = jointLabels_[j][static_cast<std::size_t>(k)];
    const bool exists = !kMarkers[j].LinkJoint || HasLinkPlate(c.SusType);
    SetAnchor(label, JointPoint(c, kMarkers[j].At), origin, exists);
    label->setVisible(anchors_[label].Valid);
  }

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
  update();
}

void RealPicture::DrawLoads(int set, const ConfigSet& c, const QPointF& origin) {
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
  update();
}

void RealPicture::ShowLoadValues(int k, const ConfigSet& c) {
  const int set = 6 + k;
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
}

void RealPicture::HideLoadValues(int k) {
  for (auto& row : loadLabels_) row[static_cast<std::size_t>(k & 1)]->hide();
}

}  // namespace potelan
