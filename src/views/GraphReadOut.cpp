#include "views/GraphReadOut.hpp"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <utility>

#include "model/NumberFormat.hpp"
#include "model/StrokeSweep.hpp"
#include "ui/Fonts.hpp"
#include "views/GraphAxes.hpp"

namespace potelan {
namespace {

// The text in the language the program speaks.
QString Tr(const char* text) { return QCoreApplication::translate("potelan::GraphReadOut", text); }

const std::array<const char*, 2> kPrefix = {QT_TRANSLATE_NOOP("potelan::GraphReadOut", "基準:"),
                                            QT_TRANSLATE_NOOP("potelan::GraphReadOut", "変更:")};
const char* const kStrokeIs = QT_TRANSLATE_NOOP("potelan::GraphReadOut", "ストローク:");
const char* const kLoadIs = QT_TRANSLATE_NOOP("potelan::GraphReadOut", "荷重:");
const char* const kDifference = QT_TRANSLATE_NOOP("potelan::GraphReadOut", "差:");
const QString kKgf = QStringLiteral("kgf");
const QString kKgfTrail = QStringLiteral("kgf  ");
const QString kMm = QStringLiteral("mm");
// A clicked load that the set does not reach anywhere in 0..MaxStroke.
const char* const kNotReached =
    QT_TRANSLATE_NOOP("potelan::GraphReadOut", "ストローク内で到達しません");

const QString kLineTate = QStringLiteral("Line_tate");
const QString kLineYoko = QStringLiteral("Line_yoko");
const QString kLineLoad = QStringLiteral("Line_load");
const QString kLineStroke = QStringLiteral("Line_stroke");

QString Format(double value, const char* pattern) {
  return QString::fromStdString(FormatNumber(value, pattern));
}

}  // namespace

GraphReadOut::GraphReadOut(QWidget* picture, std::function<PlotWindow()> viewport)
    : picture_(picture), viewport_(std::move(viewport)) {
  const QColor crosshair(64, 64, 64);
  AddLine(kLineTate, 0, crosshair, Qt::DotLine);
  AddLine(kLineYoko, 0, crosshair, Qt::DotLine);
  const std::array<QColor, 2> readOutLines = {QColor(0, 128, 128), QColor(128, 0, 128)};
  for (int k = 0; k < 2; ++k) {
    AddLine(kLineLoad, k, readOutLines[static_cast<std::size_t>(k)], Qt::SolidLine);
    AddLine(kLineStroke, k, readOutLines[static_cast<std::size_t>(k)], Qt::SolidLine);
  }

  const std::array<QColor, 4> detailColours = {QColor(0, 192, 192), QColor(192, 0, 192),
                                               QColor(255, 255, 255), QColor(255, 255, 255)};
  for (int i = 0; i < 4; ++i) {
    QLabel* label = AddGraphLabel(picture_, QStringLiteral("Label_detail"), i, QString());
    label->setFont(GothicFont(9));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, detailColours[static_cast<std::size_t>(i)]);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->hide();
    detailLabels_[static_cast<std::size_t>(i)] = label;
  }
}

void GraphReadOut::AddLine(const QString& name, int index, const QColor& colour,
                           Qt::PenStyle style) {
  PlotLine line;
  line.Name = name;
  line.Index = index;
  line.Colour = colour;
  line.Style = style;
  lines_.push_back(line);
}

PlotLine* GraphReadOut::FindLine(const QString& name, int index) {
  for (PlotLine& line : lines_) {
    if (line.Index == index && line.Name == name) return &line;
  }
  return nullptr;
}

std::optional<PlotLine> GraphReadOut::Line(const QString& name, int index) const {
  for (const PlotLine& line : lines_) {
    if (line.Index == index && line.Name == name) return line;
  }
  return std::nullopt;
}

QPointF GraphReadOut::ToPixel(const QPointF& plot) const {
  return PlotToPixel(viewport_(), picture_->size(), plot);
}

void GraphReadOut::Paint(QPainter& painter) const {
  for (const PlotLine& line : lines_) {
    if (!line.Visible) continue;
    painter.setPen(QPen(line.Colour, 1, line.Style));
    painter.drawLine(QLineF(ToPixel(line.At.p1()), ToPixel(line.At.p2())));
  }
}

void GraphReadOut::MoveCrosshair(double x, double y) {
  PlotLine* tate = FindLine(kLineTate, 0);
  const PlotWindow v = viewport_();
  tate->At = QLineF(x, v.Y1, x, v.Y0);
  tate->Visible = true;
  PlotLine* yoko = FindLine(kLineYoko, 0);
  yoko->At = QLineF(v.X0, y, v.X1, y);
  yoko->Visible = true;
}

void GraphReadOut::HideReadOutLines() {
  for (PlotLine& line : lines_) {
    if (line.Name == kLineLoad || line.Name == kLineStroke) line.Visible = false;
  }
}

void GraphReadOut::Show(double x, double y, const std::array<ReadOutSide, 2>& sides) {
  HideReadOutLines();
  click_ = Click{};
  click_.X = x;
  click_.Y = y;
  const PlotWindow v = viewport_();
  const double right = v.X1;
  const double bottom = v.Y0;
  for (int k = 0; k < 2; ++k) {
    const auto ks = static_cast<std::size_t>(k);
    const ReadOutSide& side = sides[ks];
    const double lineY = GraphLoadY(side.Load);
    PlotLine* loadLine = FindLine(kLineLoad, k);
    loadLine->At = QLineF(x, lineY, right, lineY);
    QLabel* value = detailLabels_[ks];
    if (side.LoadMode) {
      click_.LoadMode[ks] = true;
      loadLine->Visible = true;
      value->setText(Tr(kPrefix[ks]) + Format(side.Load, "##0.0") + kKgf);
      detailLabels_[2]->setText(Tr(kStrokeIs) + Format(x / 10, "##0.0") + kMm);
    } else {
      click_.Reached[ks] = side.Reached;
      if (side.Reached) {
        PlotLine* strokeLine = FindLine(kLineStroke, k);
        strokeLine->At = QLineF(GraphX(side.Stroke), y, GraphX(side.Stroke), bottom);
        strokeLine->Visible = true;
        value->setText(Tr(kPrefix[ks]) + Format(side.Stroke, "##0.0") + kMm);
      } else {
        value->setText(Tr(kPrefix[ks]) + Tr(kNotReached));
      }
      detailLabels_[2]->setText(Tr(kLoadIs) + Format(y / 10, "##0.0") + kKgf);
    }
    // The set's stroke line: the clicked stroke in load mode, the stroke
    // found for the clicked load in stroke mode. Its load line stays at the
    // set's load at the clicked stroke in both modes: the load-mode labels
    // and the load difference are read from the two load lines.
    click_.LineX[ks] = GraphX(side.Stroke);
    click_.LineY[ks] = lineY;
  }
  if (click_.LoadMode[0]) {
    const double difference = std::abs(click_.LineY[0] - click_.LineY[1]) / 10;
    detailLabels_[3]->setText(Tr(kDifference) + Format(difference, "##.0") + kKgfTrail);
  } else {
    const double difference = std::abs(click_.LineX[1] - click_.LineX[0]) / 10;
    detailLabels_[3]->setText(Tr(kDifference) + Format(difference, "##.0") + kMm);
  }
  // Strokes are compared only when both sets reach the clicked load.
  click_.DifferenceShown = click_.LoadMode[0] || (click_.Reached[0] && click_.Reached[1]);
  click_.Active = true;
  PlaceLabels();
}

void GraphReadOut::Hide() {
  HideReadOutLines();
  for (QLabel* label : detailLabels_) label->hide();
  click_.Active = false;
}

void GraphReadOut::PlaceAgain() {
  if (click_.Active) PlaceLabels();
}

double GraphReadOut::UnitsWide(const QLabel* label) const {
  const PlotWindow v = viewport_();
  return label->width() * (v.X1 - v.X0) / std::max(1, picture_->width());
}

double GraphReadOut::UnitsHigh(const QLabel* label) const {
  const PlotWindow v = viewport_();
  return label->height() * (v.Y1 - v.Y0) / std::max(1, picture_->height());
}

QRect GraphReadOut::RectInPlot(const QLabel* label, double left, double top) const {
  // A label that would stick out of the plot is moved back into it, so that
  // its text is never cut off at an edge.
  const QPointF at = ToPixel({left, top});
  const int maxX = std::max(0, picture_->width() - label->width());
  const int maxY = std::max(0, picture_->height() - label->height());
  return {QPoint(std::clamp(static_cast<int>(std::lround(at.x())), 0, maxX),
                 std::clamp(static_cast<int>(std::lround(at.y())), 0, maxY)),
          label->size()};
}

QRect GraphReadOut::FreePlace(const QRect& wanted, const std::vector<QRect>& taken) const {
  const auto isFree = [&](const QRect& rect) {
    if (!picture_->rect().contains(rect)) return false;
    return std::none_of(taken.begin(), taken.end(),
                        [&](const QRect& other) { return rect.intersects(other); });
  };
  if (isFree(wanted)) return wanted;
  // The nearest free place above or below, else to the left or right.
  const int most = std::max(picture_->width(), picture_->height());
  for (int d = 1; d <= most; ++d) {
    for (const QPoint shift : {QPoint(0, -d), QPoint(0, d), QPoint(-d, 0), QPoint(d, 0)}) {
      const QRect moved = wanted.translated(shift);
      if (isFree(moved)) return moved;
    }
  }
  return wanted;  // no room anywhere: a plot smaller than its labels
}

void GraphReadOut::PlaceLabels() {
  const PlotWindow v = viewport_();
  std::array<double, 4> wide{};
  std::array<double, 4> high{};
  for (std::size_t i = 0; i < 4; ++i) {
    detailLabels_[i]->adjustSize();
    wide[i] = UnitsWide(detailLabels_[i]);
    high[i] = UnitsHigh(detailLabels_[i]);
  }
  // Left and top edges in plot units (y upward: a top edge lies above the
  // label's body).
  std::array<double, 4> left{};
  std::array<double, 4> top{};
  const auto& lineX = click_.LineX;
  const auto& lineY = click_.LineY;
  const auto& reached = click_.Reached;
  if (click_.LoadMode[0]) {
    left[0] = v.X1 - wide[0];
    left[1] = v.X1 - wide[1];
    if (lineY[0] > lineY[1]) {
      top[0] = lineY[0] + high[0];
      top[1] = lineY[1] - high[1];
    } else {
      top[0] = lineY[0] - high[0];
      top[1] = lineY[1] + high[1];
    }
    left[2] = click_.X;
    top[2] = v.Y0 + high[2];
    left[3] = left[0] - wide[3];
    top[3] = (top[0] + top[1]) / 2;
  } else {
    top[0] = v.Y0 + high[0];
    top[1] = v.Y0 + high[1];
    // A set that does not reach the load has no line: its label stands at
    // the end of the stroke, beyond every line.
    const bool changedRight = !reached[1] || (reached[0] && lineX[1] >= lineX[0]);
    if (changedRight) {
      left[0] = lineX[0] - wide[0];
      left[1] = lineX[1];
    } else {
      left[0] = lineX[0];
      left[1] = lineX[1] - wide[1];
    }
    for (std::size_t k = 0; k < 2; ++k) {
      if (!reached[k]) left[k] = v.X1 - wide[k];
    }
    left[2] = v.X1 - wide[2];
    top[2] = click_.Y;
    left[3] = (left[0] + left[1]) / 2;
    top[3] = top[0] + 2 * high[3];
  }
  // Each label where its rule puts it, unless an axis title or an earlier
  // label is there: then at the nearest free place, so that no two texts
  // print over each other.
  std::vector<QRect> taken;
  if (keepClear_) taken = keepClear_();
  for (std::size_t i = 0; i < 4; ++i) {
    QLabel* label = detailLabels_[i];
    if (i == 3 && !click_.DifferenceShown) {
      label->hide();
      continue;
    }
    const QRect at = FreePlace(RectInPlot(label, left[i], top[i]), taken);
    label->move(at.topLeft());
    label->show();
    taken.push_back(at);
  }
}

}  // namespace potelan
