#include "views/GraphPainter.hpp"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>

#include "ui/Fonts.hpp"

namespace potelan {
namespace {

// The text in the language the program speaks.
QString Tr(const char* text) { return QCoreApplication::translate("potelan::GraphPainter", text); }

const char* const kBase = QT_TRANSLATE_NOOP("potelan::GraphPainter", "基準");
const char* const kChanged = QT_TRANSLATE_NOOP("potelan::GraphPainter", "変更");
const char* const kLoadColumn = QT_TRANSLATE_NOOP("potelan::GraphPainter", "荷重");

const QColor kPlotGround(0, 0, 0);
const QColor kOverlayText(210, 210, 210);
const QColor kOverlayGround(0, 0, 0, 190);
const QColor kOverlayFrame(110, 110, 110);

QPointF ToPlotPixel(const QRectF& plot, const QPointF& fraction) {
  return {plot.left() + fraction.x() * plot.width(), plot.bottom() - fraction.y() * plot.height()};
}

// An off-scale mark: a triangle whose point touches the edge the curve
// leaves through.
void PaintMark(QPainter& painter, const QRectF& plot, const OffScaleMark& mark, double scale) {
  const QPointF tip = ToPlotPixel(plot, mark.At);
  const double size = 3.5 * scale + 2.5;
  QPointF inward;
  QPointF across;
  switch (mark.Edge) {
    case Qt::BottomEdge:
      inward = {0, -1};
      break;
    case Qt::TopEdge:
      inward = {0, 1};
      break;
    case Qt::RightEdge:
      inward = {-1, 0};
      break;
    case Qt::LeftEdge:
      inward = {1, 0};
      break;
  }
  across = {inward.y(), inward.x()};
  const QPointF base = tip + inward * (1.8 * size);
  const QPolygonF triangle({tip, base + across * size, base - across * size});
  painter.setPen(QPen(QColor(255, 255, 255), std::max(1.0, 0.6 * scale)));
  painter.setBrush(mark.Colour);
  painter.drawPolygon(triangle);
}

QFont FigureFont(double pixels) {
  QFont font = GothicFont(9);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
  return font;
}

double FigureFontPixels(const QSize& size) {
  return std::clamp(std::min(size.width(), size.height()) / 36.0, 10.0, 40.0);
}

double WidestText(const QFontMetricsF& metrics, const QStringList& texts) {
  double widest = 0;
  for (const QString& text : texts) widest = std::max(widest, metrics.horizontalAdvance(text));
  return widest;
}

// A text on a dark ground, for writing over the plot.
QRectF PaintOverlayText(QPainter& painter, const QRectF& at, const QString& text) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(kOverlayGround);
  painter.drawRect(at);
  painter.setPen(kOverlayText);
  painter.drawText(at, Qt::AlignCenter, text);
  return at;
}

}  // namespace

GraphLegend LegendOf(const std::vector<GraphCurve>& curves) {
  GraphLegend legend;
  bool anyRatio = false;
  bool anyLoad = false;
  bool inverse = false;
  std::array<bool, 2> sets{};
  for (const GraphCurve& curve : curves) {
    if (curve.Quantity == GraphQuantity::Load) {
      anyLoad = true;
    } else {
      anyRatio = true;
      inverse = curve.Quantity == GraphQuantity::InverseRatio;
    }
    sets[static_cast<std::size_t>(curve.Set == 0 ? 0 : 1)] = true;
  }
  if (anyRatio) legend.Columns << RatioTitle(inverse);
  if (anyLoad) legend.Columns << Tr(kLoadColumn);
  for (int set = 0; set < 2; ++set) {
    if (!sets[static_cast<std::size_t>(set)]) continue;
    GraphLegend::Row row;
    row.Name = set == 0 ? Tr(kBase) : Tr(kChanged);
    for (const bool load : {false, true}) {
      if (load ? !anyLoad : !anyRatio) continue;
      std::optional<QColor> colour;
      for (const GraphCurve& curve : curves) {
        if (curve.Set == set && (curve.Quantity == GraphQuantity::Load) == load) {
          colour = curve.Colour;
        }
      }
      row.Colours.push_back(colour);
    }
    legend.Rows.push_back(row);
  }
  return legend;
}

QString RatioTitle(bool inverse) {
  return inverse ? QCoreApplication::translate("potelan::GraphPainter", "ﾘﾝｸﾚｼｵ(逆)")
                 : QCoreApplication::translate("potelan::GraphPainter", "ﾘﾝｸﾚｼｵ");
}
QString LoadTitle() { return QCoreApplication::translate("potelan::GraphPainter", "荷重 kgf"); }
QString StrokeTitle() {
  return QCoreApplication::translate("potelan::GraphPainter", "ｱｸｽﾙｽﾄﾛｰｸ mm");
}

void ScaleKeepingPoints(const QImage& source, const std::vector<bool>* rowsUsed, QImage& target) {
  const QRgb black = qRgb(0, 0, 0);
  target.fill(black);
  const int w = target.width();
  const int h = target.height();
  const int sw = source.width();
  const int sh = source.height();
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  // Every point lands on at least one pixel, however small the target;
  // where several meet, the later one shows.
  for (int sy = 0; sy < sh; ++sy) {
    if (rowsUsed != nullptr && !(*rowsUsed)[static_cast<std::size_t>(sy)]) continue;
    const int ty0 = sy * h / sh;
    const int ty1 = std::max(ty0 + 1, (sy + 1) * h / sh);
    const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
    for (int sx = 0; sx < sw; ++sx) {
      const QRgb colour = row[sx];
      if ((colour & 0xffffff) == (black & 0xffffff)) continue;
      const int tx0 = sx * w / sw;
      const int tx1 = std::max(tx0 + 1, (sx + 1) * w / sw);
      for (int ty = ty0; ty < ty1 && ty < h; ++ty) {
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(ty));
        for (int tx = tx0; tx < tx1 && tx < w; ++tx) out[tx] = colour;
      }
    }
  }
}

void PaintCurves(QPainter& painter, const QRectF& plot, const GraphFigure& figure, double scale) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setClipRect(plot);
  for (const GraphCurve& curve : figure.Curves) {
    painter.setPen(QPen(curve.Colour, std::max(1.0, scale), Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    for (const auto& run : curve.Runs) {
      QPolygonF line;
      for (const QPointF& p : run) {
        line << ToPlotPixel(plot, FractionOf(figure.Scale, curve.Quantity, p));
      }
      if (line.size() == 1) {
        painter.drawPoint(line.front());
      } else if (line.size() > 1) {
        painter.drawPolyline(line);
      }
    }
  }
  painter.setClipping(false);
  for (const GraphCurve& curve : figure.Curves) {
    for (const OffScaleMark& mark : OffScaleMarks(curve, figure.Scale)) {
      PaintMark(painter, plot, mark, scale);
    }
  }
  painter.restore();
}

void PaintLegend(QPainter& painter, const QRectF& plot, const GraphFigure& figure,
                 const QFont& font, const std::vector<QRectF>& avoid) {
  const GraphLegend& legend = figure.Legend;
  if (legend.Empty()) return;
  painter.save();
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  const double line = metrics.height();
  const double pad = std::ceil(line / 3);
  const double swatch = std::ceil(line * 1.6);
  double nameWidth = 0;
  for (const auto& row : legend.Rows) {
    nameWidth = std::max(nameWidth, metrics.horizontalAdvance(row.Name));
  }
  std::vector<double> columnWidth;
  for (const QString& column : legend.Columns) {
    columnWidth.push_back(std::max(swatch, metrics.horizontalAdvance(column)));
  }
  double width = 2 * pad + nameWidth;
  for (const double w : columnWidth) width += pad + w;
  const double height = 2 * pad + line * static_cast<double>(legend.Rows.size() + 1);

  // The corner (moved clear of the titles) covering the fewest points.
  std::vector<QRectF> places;
  for (const bool top : {true, false}) {
    for (const bool left : {true, false}) {
      const double x = left ? plot.left() + pad : plot.right() - pad - width;
      double y = top ? plot.top() + pad : plot.bottom() - pad - height;
      QRectF at(x, y, width, height);
      for (const QRectF& taken : avoid) {
        if (!at.intersects(taken)) continue;
        y = top ? taken.bottom() + pad : taken.top() - pad - height;
        at.moveTop(y);
      }
      places.push_back(at);
    }
  }
  const auto covered = [&](const QRectF& at) {
    int n = 0;
    for (const GraphCurve& curve : figure.Curves) {
      for (const auto& run : curve.Runs) {
        for (const QPointF& p : run) {
          n += at.contains(ToPlotPixel(plot, FractionOf(figure.Scale, curve.Quantity, p))) ? 1 : 0;
        }
      }
    }
    for (const QRectF& taken : avoid) n += at.intersects(taken) ? 1000000 : 0;
    return n;
  };
  QRectF box = places.front();
  int least = covered(box);
  for (const QRectF& at : places) {
    const int n = covered(at);
    if (n < least) {
      least = n;
      box = at;
    }
  }

  painter.setPen(kOverlayFrame);
  painter.setBrush(kOverlayGround);
  painter.drawRect(box);
  painter.setPen(kOverlayText);
  double x = box.left() + pad + nameWidth + pad;
  for (std::size_t c = 0; c < columnWidth.size(); ++c) {
    painter.drawText(QRectF(x, box.top() + pad, columnWidth[c], line), Qt::AlignCenter,
                     legend.Columns[static_cast<qsizetype>(c)]);
    x += columnWidth[c] + pad;
  }
  double y = box.top() + pad + line;
  for (const auto& row : legend.Rows) {
    painter.setPen(kOverlayText);
    painter.drawText(QRectF(box.left() + pad, y, nameWidth, line),
                     Qt::AlignLeft | Qt::AlignVCenter, row.Name);
    x = box.left() + pad + nameWidth + pad;
    for (std::size_t c = 0; c < row.Colours.size() && c < columnWidth.size(); ++c) {
      if (row.Colours[c]) {
        painter.setPen(QPen(*row.Colours[c], std::max(2.0, line / 6)));
        const double mid = x + columnWidth[c] / 2;
        painter.drawLine(QPointF(mid - swatch / 2, y + line / 2),
                         QPointF(mid + swatch / 2, y + line / 2));
      }
      x += columnWidth[c] + pad;
    }
    y += line;
  }
  painter.restore();
}

std::vector<QRectF> TitleRectsInside(const QRectF& plot, const GraphFigure& figure,
                                     const QFont& font) {
  const QFontMetricsF metrics(font);
  const double pad = 2;
  const auto rectFor = [&](const QString& text, double x, double y) {
    return QRectF(x, y, metrics.horizontalAdvance(text) + 2 * pad, metrics.height());
  };
  QRectF ratioAt = rectFor(RatioTitle(figure.Scale.Inverse), plot.left() + 1, plot.top() + 1);
  QRectF loadAt = rectFor(LoadTitle(), 0, plot.top() + 1);
  loadAt.moveRight(plot.right() - 1);
  QRectF strokeAt = rectFor(StrokeTitle(), 0, 0);
  strokeAt.moveRight(plot.right() - 1);
  strokeAt.moveBottom(plot.bottom() - 1);
  return {ratioAt, loadAt, strokeAt};
}

std::vector<QRectF> PaintTitlesInside(QPainter& painter, const QRectF& plot,
                                      const GraphFigure& figure, const QFont& font) {
  painter.save();
  painter.setFont(font);
  const std::vector<QRectF> at = TitleRectsInside(plot, figure, font);
  const QString titles[] = {RatioTitle(figure.Scale.Inverse), LoadTitle(), StrokeTitle()};
  std::vector<QRectF> taken;
  for (std::size_t i = 0; i < at.size(); ++i) {
    taken.push_back(PaintOverlayText(painter, at[i], titles[i]));
  }
  painter.restore();
  return taken;
}

QRectF FigurePlotRect(const QSize& size, const GraphFigure& figure) {
  const QFontMetricsF metrics(FigureFont(FigureFontPixels(size)));
  const double line = metrics.height();
  const double tick = std::ceil(line / 2);
  const double gap = std::ceil(line / 3);
  const double left = gap + line + gap + WidestText(metrics, RatioTickTexts(figure.Scale)) + gap +
                      tick;
  const double right = tick + gap + WidestText(metrics, LoadTickTexts(figure.Scale)) + gap +
                       line + gap;
  const double top = line;
  const double bottom = tick + line + gap + line + gap;
  const double width = std::max(1.0, size.width() - left - right);
  const double height = std::max(1.0, size.height() - top - bottom);
  return {left, top, width, height};
}

void PaintFigure(QPainter& painter, const QSize& size, const GraphFigure& figure) {
  const double pixels = FigureFontPixels(size);
  const QFont font = FigureFont(pixels);
  const QFontMetricsF metrics(font);
  const double line = metrics.height();
  const double tick = std::ceil(line / 2);
  const double gap = std::ceil(line / 3);
  const QRectF plot = FigurePlotRect(size, figure);
  const double scale = pixels / 12;

  painter.save();
  painter.fillRect(QRectF(QPointF(0, 0), QSizeF(size)), QColor(255, 255, 255));
  painter.fillRect(plot, kPlotGround);
  if (!figure.Scale.Fitted && !figure.Points.isNull()) {
    QImage points(plot.size().toSize(), QImage::Format_RGB32);
    ScaleKeepingPoints(figure.Points, nullptr, points);
    painter.drawImage(plot.topLeft(), points);
  }
  PaintCurves(painter, plot, figure, scale);

  // Ticks and their texts.
  painter.setFont(font);
  painter.setPen(QPen(QColor(0, 0, 0), std::max(1.0, scale)));
  const QStringList ratioTexts = RatioTickTexts(figure.Scale);
  const QStringList loadTexts = LoadTickTexts(figure.Scale);
  const QStringList strokeTexts = StrokeTickTexts(figure.Scale);
  const double ratioWidth = WidestText(metrics, ratioTexts);
  for (int i = 0; i <= GraphScale::kRatioDivisions; ++i) {
    const double y = plot.bottom() - i * plot.height() / GraphScale::kRatioDivisions;
    painter.drawLine(QPointF(plot.left() - tick, y), QPointF(plot.left(), y));
    painter.drawText(QRectF(plot.left() - tick - gap - ratioWidth, y - line / 2, ratioWidth, line),
                     Qt::AlignRight | Qt::AlignVCenter, ratioTexts[i]);
  }
  const double loadWidth = WidestText(metrics, loadTexts);
  for (int i = 0; i <= GraphScale::kLoadDivisions; ++i) {
    const double y = plot.bottom() - i * plot.height() / GraphScale::kLoadDivisions;
    painter.drawLine(QPointF(plot.right(), y), QPointF(plot.right() + tick, y));
    painter.drawText(QRectF(plot.right() + tick + gap, y - line / 2, loadWidth, line),
                     Qt::AlignLeft | Qt::AlignVCenter, loadTexts[i]);
  }
  for (int i = 0; i <= GraphScale::kStrokeDivisions; ++i) {
    const double x = plot.left() + i * plot.width() / GraphScale::kStrokeDivisions;
    painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tick));
    const double w = metrics.horizontalAdvance(strokeTexts[i]);
    painter.drawText(QRectF(x - w / 2 - 1, plot.bottom() + tick, w + 2, line), Qt::AlignCenter,
                     strokeTexts[i]);
  }

  // Axis titles outside the plot: the ratio's on the left, the load's on the
  // right, each read along its axis; the stroke's below.
  const QString ratioTitle = RatioTitle(figure.Scale.Inverse);
  painter.save();
  painter.translate(gap + line / 2, plot.center().y());
  painter.rotate(-90);
  painter.drawText(QRectF(-plot.height() / 2, -line / 2, plot.height(), line), Qt::AlignCenter,
                   ratioTitle);
  painter.restore();
  painter.save();
  painter.translate(size.width() - gap - line / 2, plot.center().y());
  painter.rotate(90);
  painter.drawText(QRectF(-plot.height() / 2, -line / 2, plot.height(), line), Qt::AlignCenter,
                   LoadTitle());
  painter.restore();
  painter.drawText(QRectF(plot.left(), plot.bottom() + tick + line + gap, plot.width(), line),
                   Qt::AlignCenter, StrokeTitle());

  PaintLegend(painter, plot, figure, font, {});
  painter.restore();
}

}  // namespace potelan