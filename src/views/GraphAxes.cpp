#include "views/GraphAxes.hpp"

#include <QColor>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "ui/Controls.hpp"
#include "ui/Units.hpp"

namespace potelan {
namespace {

const std::array<QString, 5> kRatioTexts = {QStringLiteral("0.30"), QStringLiteral("0.40"),
                                            QStringLiteral("0.50"), QStringLiteral("0.60"),
                                            QStringLiteral("0.70")};
const std::array<QString, 4> kLoadTexts = {QStringLiteral("-200"), QStringLiteral("0"),
                                           QStringLiteral("200"), QStringLiteral("400")};

const QString kLine1 = QStringLiteral("Line1");
const QString kLine2 = QStringLiteral("Line2");
const QString kLine3 = QStringLiteral("Line3");

// Layout figures in twips. The layout rules speak of the outer window; the
// frame around the client area is taken as fixed, so that the client area of
// 7005 x 4485 gives Picture1 its design size of 6300 x 3980.
constexpr int kFrameWidth = 90;
constexpr int kFrameHeight = 375;
constexpr int kMinWindowWidth = 5000;
constexpr int kMinWindowHeight = 3000;
constexpr int kPictureLeft = 380;
constexpr int kPictureTop = 60;
constexpr int kDesignPictureWidth = 6300;
constexpr int kDesignPictureHeight = 3980;
constexpr int kPictureWidthMargin = 795;
constexpr int kPictureHeightMargin = 880;
constexpr int kLeftTick = 300;
constexpr int kRightTick = 380;
constexpr int kBottomTick = 240;
constexpr int kTickLabelGap = 20;
constexpr int kRightLabelGap = 5;
constexpr int kRatioLabelWidth = 375;

}  // namespace

QLabel* AddGraphLabel(QWidget* parent, const QString& name, int index, const QString& text) {
  auto* label = new QLabel(text, parent);
  SetControlIndex(*label, name, index);
  label->setMargin(0);
  label->setIndent(0);
  return label;
}

GraphAxes::GraphAxes(QWidget* client, QWidget* picture, const QFont& font)
    : client_(client),
      picture_(picture),
      pictureTwips_(kPictureLeft, kPictureTop, kDesignPictureWidth, kDesignPictureHeight) {
  QFont axisFont = font;
  axisFont.setPointSizeF(7.5);
  const int axisHeight = QFontMetrics(axisFont).height();

  for (int i = 0; i < 5; ++i) {
    QLabel* label = AddGraphLabel(client_, QStringLiteral("Label1"), i,
                                  kRatioTexts[static_cast<std::size_t>(i)]);
    label->setFont(axisFont);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->setGeometry(0, 0, Px(kRatioLabelWidth), axisHeight);
    ratioLabels_[static_cast<std::size_t>(i)] = label;
    fixedRatioTexts_ << label->text();
    AddTick(kLine1, i, true);
  }
  // The "-200" tick and label of a -200..400 kgf scale stay hidden: every
  // load on this plot is drawn as y = F x 10, 0..400 kgf.
  for (int i = 0; i < 4; ++i) {
    QLabel* label = AddGraphLabel(client_, QStringLiteral("Label3"), i,
                                  kLoadTexts[static_cast<std::size_t>(i)]);
    label->setFont(axisFont);
    label->adjustSize();
    label->setVisible(i != 0);
    loadLabels_[static_cast<std::size_t>(i)] = label;
    AddTick(kLine2, i, i != 0);
  }
  for (int k = 0; k < 16; ++k) {
    QLabel* label = AddGraphLabel(client_, QStringLiteral("Label2"), k, QString::number(k * 10));
    label->setFont(axisFont);
    label->adjustSize();
    strokeLabels_[static_cast<std::size_t>(k)] = label;
    AddTick(kLine3, k, true);
  }
}

QSize GraphAxes::LeastClient() {
  const auto least = [](int windowTwips, int frameTwips) {
    return (windowTwips - frameTwips + kTwipsPerPixel - 1) / kTwipsPerPixel;
  };
  return {least(kMinWindowWidth, kFrameWidth), least(kMinWindowHeight, kFrameHeight)};
}

void GraphAxes::AddTick(const QString& name, int index, bool visible) {
  AxisTick tick;
  tick.Name = name;
  tick.Index = index;
  tick.Visible = visible;
  ticks_.push_back(tick);
}

AxisTick* GraphAxes::FindTick(const QString& name, int index) {
  for (AxisTick& tick : ticks_) {
    if (tick.Index == index && tick.Name == name) return &tick;
  }
  return nullptr;
}

std::optional<AxisTick> GraphAxes::Tick(const QString& name, int index) const {
  for (const AxisTick& tick : ticks_) {
    if (tick.Index == index && tick.Name == name) return tick;
  }
  return std::nullopt;
}

void GraphAxes::SetFixedRatioTexts(const QStringList& texts, bool showNow) {
  const int n = std::min(static_cast<int>(texts.size()), static_cast<int>(ratioLabels_.size()));
  for (int i = 0; i < n; ++i) fixedRatioTexts_[i] = texts[i];
  if (showNow) {
    for (int i = 0; i < n; ++i) ratioLabels_[static_cast<std::size_t>(i)]->setText(texts[i]);
  }
}

QStringList GraphAxes::RatioTexts() const {
  QStringList texts;
  for (const QLabel* label : ratioLabels_) texts << label->text();
  return texts;
}

void GraphAxes::ShowScale(const GraphScale& scale) {
  const QStringList ratio = scale.Fitted ? RatioTickTexts(scale) : fixedRatioTexts_;
  for (std::size_t i = 0; i < ratioLabels_.size(); ++i) {
    ratioLabels_[i]->setText(ratio[static_cast<qsizetype>(i)]);
  }
  const QStringList load = LoadTickTexts(scale);
  for (std::size_t i = 1; i < loadLabels_.size(); ++i) {
    loadLabels_[i]->setText(scale.Fitted ? load[static_cast<qsizetype>(i - 1)] : kLoadTexts[i]);
    loadLabels_[i]->adjustSize();
  }
  const QStringList stroke = StrokeTickTexts(scale);
  for (std::size_t k = 0; k < strokeLabels_.size(); ++k) {
    strokeLabels_[k]->setText(scale.Fitted ? stroke[static_cast<qsizetype>(k)]
                                           : QString::number(k * 10));
    strokeLabels_[k]->adjustSize();
  }
}

bool GraphAxes::Layout() {
  const int windowWidth = client_->width() * kTwipsPerPixel + kFrameWidth;
  const int windowHeight = client_->height() * kTwipsPerPixel + kFrameHeight;
  if (windowWidth < kMinWindowWidth || windowHeight < kMinWindowHeight) return false;

  const int left = pictureTwips_.left();
  const int top = pictureTwips_.top();
  const int width = windowWidth - kPictureWidthMargin;
  const int height = windowHeight - kPictureHeightMargin;
  pictureTwips_ = QRect(left, top, width, height);
  picture_->setGeometry(Px(left), Px(top), Px(width), Px(height));
  const double right = left + width;
  const double bottom = top + height;

  for (int i = 0; i < 5; ++i) {
    const double y = top + (4 - i) * static_cast<double>(height) / 4;
    FindTick(kLine1, i)->Twips = QLineF(left - kLeftTick, y, left, y);
    QLabel* label = ratioLabels_[static_cast<std::size_t>(i)];
    label->move(label->x(), static_cast<int>(PxF(y + kTickLabelGap)));
  }
  for (int i = 1; i <= 3; ++i) {
    const double y = top + (3 - i) * static_cast<double>(height) / 2;
    FindTick(kLine2, i)->Twips = QLineF(right, y, right + kRightTick, y);
    loadLabels_[static_cast<std::size_t>(i)]->move(static_cast<int>(PxF(right + kRightLabelGap)),
                                                   static_cast<int>(PxF(y + kTickLabelGap)));
  }
  for (int i = 0; i <= 15; ++i) {
    const double x = left + (15 - i) * static_cast<double>(width) / 15;
    FindTick(kLine3, i)->Twips = QLineF(x, bottom, x, bottom + kBottomTick);
    QLabel* label = strokeLabels_[static_cast<std::size_t>(15 - i)];
    label->move(static_cast<int>(std::lround(PxF(x) - label->width() / 2.0)),
                static_cast<int>(PxF(bottom + kBottomTick)));
  }
  ThinStrokeLabels();
  // The hidden "-200" keeps its place at the bottom of the scale.
  AxisTick* minus = FindTick(kLine2, 0);
  if (minus->Twips.isNull()) {
    minus->Twips = QLineF(right, bottom, right + kRightTick, bottom);
    loadLabels_[0]->move(static_cast<int>(PxF(right + kRightLabelGap)),
                         static_cast<int>(PxF(bottom + kTickLabelGap)));
  }
  return true;
}

void GraphAxes::ThinStrokeLabels() {
  // Labels closer than a blank's width would read as one number.
  const QFontMetrics metrics(strokeLabels_[0]->font());
  const int gap = metrics.horizontalAdvance(QLatin1Char(' '));
  const auto textSpan = [&metrics](const QLabel* label) {
    const double centre = label->x() + label->width() / 2.0;
    const double half = std::max(metrics.horizontalAdvance(label->text()), label->width()) / 2.0;
    return std::pair{centre - half, centre + half};
  };
  const int count = static_cast<int>(strokeLabels_.size());
  int step = 1;
  for (; step < count - 1; ++step) {
    bool apart = true;
    for (int k = step; k < count && apart; k += step) {
      apart = textSpan(strokeLabels_[static_cast<std::size_t>(k - step)]).second + gap <=
              textSpan(strokeLabels_[static_cast<std::size_t>(k)]).first;
    }
    if (apart) break;
  }
  for (int k = 0; k < count; ++k)
    strokeLabels_[static_cast<std::size_t>(k)]->setVisible(k % step == 0);
}

void GraphAxes::Paint(QPainter& painter, const QColor& colour) const {
  painter.setPen(QPen(colour, 1));
  for (const AxisTick& tick : ticks_) {
    if (!tick.Visible || tick.Twips.isNull()) continue;
    painter.drawLine(QLineF(PxF(tick.Twips.x1()), PxF(tick.Twips.y1()), PxF(tick.Twips.x2()),
                            PxF(tick.Twips.y2())));
  }
}

}  // namespace potelan
