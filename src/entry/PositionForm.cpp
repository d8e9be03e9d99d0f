#include "entry/PositionForm.hpp"

#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <map>
#include <vector>

#include "entry/Translated.hpp"
#include "model/Solver.hpp"
#include "ui/Controls.hpp"
#include "ui/Prompts.hpp"
#include "ui/Texts.hpp"

namespace potelan {
namespace {

constexpr TranslatedText kCaption{
    "potelan::PositionForm",
    QT_TRANSLATE_NOOP("potelan::PositionForm", "リンク位置を選んで下さい")};
constexpr TranslatedText kFrameCaption{
    "potelan::PositionForm", QT_TRANSLATE_NOOP("potelan::PositionForm", "リンク位置選択")};
constexpr TranslatedText kNotFormed{
    "potelan::PositionForm",
    QT_TRANSLATE_NOOP("potelan::PositionForm", "その位置ではリンクが成立しません")};
constexpr TranslatedText kChooseFirst{
    "potelan::PositionForm",
    QT_TRANSLATE_NOOP("potelan::PositionForm", "リンク位置を選んでから OKﾎﾞﾀﾝ を押して下さい")};
constexpr TranslatedText kCancelCaption{"potelan::PositionForm",
                                        QT_TRANSLATE_NOOP("potelan::PositionForm", "ｷｬﾝｾﾙ")};
constexpr TranslatedText kSuppliedFails{
    "potelan::PositionForm",
    QT_TRANSLATE_NOOP("potelan::PositionForm", "リンク位置 P %1 ではリンクが成立しません")};
constexpr TranslatedText kChooseAgain{
    "potelan::PositionForm",
    QT_TRANSLATE_NOOP("potelan::PositionForm", "リンク位置を選び直して下さい")};
constexpr TranslatedText kFormsNowhere{
    "potelan::PositionForm",
    QT_TRANSLATE_NOOP("potelan::PositionForm", "どのリンク位置でもリンクが成立しません")};

constexpr int kPositions = 4;

// The user scale of the preview in millimetres of the linkage plane, Y down.
constexpr double kScaleLeft = -300;
constexpr double kScaleTop = -300;
constexpr double kScaleWidth = 1020;
constexpr double kScaleHeight = 600;
// Shown at 0.6 pixel per millimetre, which keeps the scale's aspect.
constexpr int kPictureWidth = 612;
constexpr int kPictureHeight = 360;

// The member lines, in the order they are drawn (the arm lowest).
enum Member : int { kFork, kOffset, kTenRod, kLinkFr, kLinkUp, kLinkRr, kSus, kMemberCount };

struct MemberStyle {
  const char* Name;
  QColor Colour;
};

const std::array<MemberStyle, kMemberCount>& Styles() {
  static const std::array<MemberStyle, kMemberCount> styles{{
      {"Line_Fork", QColor(0, 0, 160)},
      {"Line_Offset", QColor(0, 110, 0)},
      {"Line_Ten_Rod", QColor(150, 0, 150)},
      {"Line_Link_Fr", QColor(150, 80, 0)},
      {"Line_Link_Up", QColor(150, 80, 0)},
      {"Line_Link_Rr", QColor(150, 80, 0)},
      {"Line_Sus", QColor(200, 0, 0)},
  }};
  return styles;
}

// A joint of the preview: its letter and where it lies, passed on in single
// precision as the member lines take it.
struct Joint {
  QChar Letter;
  float X = 0;
  float Y = 0;
};

Joint At(char letter, double x, double y) {
  return {QChar(letter), static_cast<float>(x), static_cast<float>(y)};
}

}  // namespace

// Picture1: the axes through the pivot and the member lines of the last
// accepted position, in the user scale above. A member that has not been
// placed yet is not drawn, so before the first accepted click only the axes
// show.
class PositionForm::Preview final : public QWidget {
 public:
  explicit Preview(QWidget* parent) : QWidget(parent) {
    setObjectName("Picture1");
    setFixedSize(kPictureWidth, kPictureHeight);
  }

  void Place(Member member, const Joint& from, const Joint& to) {
    Line& line = lines_[member];
    line.Placed = true;
    line.From = from;
    line.To = to;
    update();
  }

  bool AnyPlaced() const {
    for (const Line& line : lines_) {
      if (line.Placed) return true;
    }
    return false;
  }

  std::optional<QLineF> LineOf(const QString& name) const {
    for (int m = 0; m < kMemberCount; ++m) {
      if (name != QLatin1String(Styles()[m].Name)) continue;
      const Line& line = lines_[m];
      if (!line.Placed) return std::nullopt;
      return QLineF(line.From.X, line.From.Y, line.To.X, line.To.Y);
    }
    return std::nullopt;
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));
    painter.setRenderHint(QPainter::Antialiasing);

    // Vertical axis in the window-text colour, horizontal one in black.
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawLine(ToPixel(0, kScaleTop), ToPixel(0, kScaleTop + kScaleHeight));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(ToPixel(kScaleLeft, 0), ToPixel(kScaleLeft + kScaleWidth, 0));

    std::map<QChar, QPointF> joints;
    for (int m = 0; m < kMemberCount; ++m) {
      const Line& line = lines_[m];
      if (!line.Placed) continue;
      const QPointF from = ToPixel(line.From.X, line.From.Y);
      const QPointF to = ToPixel(line.To.X, line.To.Y);
      painter.setPen(QPen(Styles()[m].Colour, 2, Qt::SolidLine, Qt::RoundCap));
      painter.drawLine(from, to);
      joints.emplace(line.From.Letter, from);
      joints.emplace(line.To.Letter, to);
    }

    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    for (const auto& joint : joints) painter.drawEllipse(joint.second, 3, 3);
    painter.setBrush(Qt::NoBrush);

    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(12);
    painter.setFont(font);
    std::vector<QRectF> taken;
    for (const auto& joint : joints) taken.emplace_back(joint.second - QPointF(4, 4), QSizeF(8, 8));
    for (const auto& [letter, at] : joints) {
      const QRectF box = LabelBox(painter.fontMetrics(), letter, at, taken);
      taken.push_back(box);
      painter.drawText(box, Qt::AlignCenter, QString(letter));
    }
  }

 private:
  struct Line {
    bool Placed = false;
    Joint From;
    Joint To;
  };

  // Where the letter of a joint goes: beside it, on the first side that
  // stays inside the picture and clear of the letters already placed (the
  // bracket joints of Type 2 almost coincide).
  QRectF LabelBox(const QFontMetrics& metrics, QChar letter, QPointF at,
                  const std::vector<QRectF>& taken) const {
    const QSizeF size(metrics.horizontalAdvance(letter) + 2, metrics.height());
    const double gap = 4;
    const std::array<QPointF, 4> corners{{
        {at.x() + gap, at.y() - gap - size.height()},
        {at.x() + gap, at.y() + gap},
        {at.x() - gap - size.width(), at.y() - gap - size.height()},
        {at.x() - gap - size.width(), at.y() + gap},
    }};
    const QRectF inside = QRectF(rect());
    for (const QPointF& corner : corners) {
      const QRectF box(corner, size);
      if (!inside.contains(box)) continue;
      const bool clear = std::none_of(taken.begin(), taken.end(),
                                      [&](const QRectF& other) { return other.intersects(box); });
      if (clear) return box;
    }
    return QRectF(corners[0], size);
  }

  QPointF ToPixel(double x, double y) const {
    return {(x - kScaleLeft) * width() / kScaleWidth, (y - kScaleTop) * height() / kScaleHeight};
  }

  std::array<Line, kMemberCount> lines_{};
};

PositionForm::PositionForm(AppState& state, Prompts& prompts, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts) {
  setObjectName("Form_Pos_Sel");
  setWindowTitle(kCaption);
  setModal(true);

  auto* frame = new QGroupBox(kFrameCaption, this);
  frame->setObjectName("Frame1");
  auto* options = new QVBoxLayout(frame);
  for (int i = 0; i < kPositions; ++i) {
    // Radio buttons start unchecked, so none is chosen when the window opens.
    auto* option = new QRadioButton(QStringLiteral("Position %1").arg(i + 1), frame);
    SetControlIndex(*option, QStringLiteral("Option1"), i);
    options->addWidget(option);
    connect(option, &QRadioButton::clicked, this, [this, i] { ChoosePosition(i); });
  }

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName("Command_Ok");
  ok_->setDefault(true);
  cancel_ = new QPushButton(kCancelCaption, this);
  cancel_->setObjectName("Command_Can");
  cancel_->setAutoDefault(false);
  cancel_->setVisible(state_.Mode != EditMode::Base);
  connect(ok_, &QPushButton::clicked, this, [this] { Accept(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });

  preview_ = new Preview(this);

  auto* side = new QVBoxLayout;
  side->addWidget(frame);
  side->addStretch(1);
  side->addWidget(ok_);
  side->addWidget(cancel_);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(side);
  layout->addWidget(preview_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

int PositionForm::WorkingSet() const { return state_.Mode == EditMode::Base ? 0 : 1; }

void PositionForm::ChoosePosition(int index) {
  if (QRadioButton* option = Option(index)) option->setChecked(true);
  const int set = WorkingSet();
  const int position = index + 1;
  if (NotFormed(SolveLinkage(state_, set, position))) {
    prompts_.Message(this, kNotFormed, text::kWarningTitle, MessageIcon::Error);
    return;
  }
  state_.Set[set].SusPos = static_cast<std::int16_t>(position);
  DrawPreview(set);
}

void PositionForm::Accept() {
  if (state_.Set[WorkingSet()].SusPos != 0) {
    accept();
    return;
  }
  prompts_.Message(this, kChooseFirst, text::kWarningTitle, MessageIcon::Error);
}

void PositionForm::reject() {
  if (state_.Mode == EditMode::Base) {
    Accept();
  } else {
    QDialog::reject();
  }
}

QRadioButton* PositionForm::Option(int index) const {
  return FindIndexed<QRadioButton>(*this, QStringLiteral("Option1"), index);
}

bool PositionForm::HasPreview() const { return preview_->AnyPlaced(); }

std::optional<QLineF> PositionForm::PreviewLine(const QString& name) const {
  return preview_->LineOf(name);
}

QWidget* PositionForm::Picture() const { return preview_; }

void PositionForm::DrawPreview(int set) {
  ConfigSet& s = state_.Set[set];
  if (s.SusType == 0) s.SusType = 4;

  const Joint o = At('O', 0, 0);
  const Joint g = At('G', s.AxleX, s.AxleY);
  const Joint e = At('E', s.SusUpX, s.SusUpY);
  const Joint a = At('A', s.SusLwrX, s.SusLwrY);
  const Joint f = At('F', s.ForkLinkBaseX, s.ForkLinkBaseY);
  const Joint b = At('B', s.ForkLinkX, s.ForkLinkY);
  const Joint c = At('C', s.LinkLwrX, s.LinkLwrY);
  const Joint d = At('D', s.FrameLinkX, s.FrameLinkY);

  preview_->Place(kFork, o, g);
  preview_->Place(kSus, e, a);
  if (s.SusType == 2) {
    // No link: the shock sits on a bracket of the arm; the link members
    // stay where they are.
    preview_->Place(kOffset, f, a);
  } else if (s.SusType == 3 || s.SusType == 5) {
    // The plate hangs on the arm at B; the rod ties its joint C to the frame.
    preview_->Place(kOffset, b, f);
    preview_->Place(kTenRod, d, c);
    preview_->Place(kLinkRr, c, b);
    preview_->Place(kLinkFr, a, c);
    preview_->Place(kLinkUp, a, b);
  } else {
    // The plate hangs on the frame at D; the rod ties its joint C to the arm.
    preview_->Place(kOffset, b, f);
    preview_->Place(kTenRod, b, c);
    preview_->Place(kLinkRr, c, a);
    preview_->Place(kLinkFr, d, c);
    preview_->Place(kLinkUp, a, d);
  }
}

bool PositionForm::LacksPosition(const ConfigSet& set) {
  return set.SusType >= 3 && (set.SusPos < 1 || set.SusPos > kPositions);
}

namespace {
// Whether a set forms at zero stroke at any of the four positions (tried on
// a copy, so the set keeps what it held).
bool FormsAtSomePosition(const AppState& state, int set) {
  for (int position = 1; position <= kPositions; ++position) {
    AppState probe = state;
    if (!NotFormed(SolveLinkage(probe, set, position))) return true;
  }
  return false;
}
}  // namespace

bool PositionForm::Run(AppState& state, Prompts& prompts, QWidget* parent) {
  if (state.Mode == EditMode::Base) {
    const int supplied = state.Set[kBaseSet].SusPos;
    if (supplied != 0) {
      // The position came with a link file (or was chosen before the user
      // went back): solve it and go on without asking.
      if (!NotFormed(SolveLinkage(state, kBaseSet, supplied))) return true;
      // It does not hold for these dimensions: it is no longer known, so OK
      // cannot close on it.
      state.Set[kBaseSet].SusPos = 0;
    }
    const QString failedHere = supplied != 0 ? kSuppliedFails.Text().arg(supplied) + "\n" : QString();
    if (!FormsAtSomePosition(state, kBaseSet)) {
      prompts.Message(parent, failedHere + kFormsNowhere, text::kWarningTitle, MessageIcon::Error);
      return false;  // the caller goes back to the dimensions
    }
    if (supplied != 0) {
      prompts.Message(parent, failedHere + kChooseAgain, text::kWarningTitle, MessageIcon::Error);
    }
  }
  PositionForm form(state, prompts, parent);
  form.adjustSize();
  QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    const QRect frame = form.frameGeometry();
    form.move(screen->availableGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
  }
  form.exec();
  return true;
}

}  // namespace potelan
