#include "views/GraphScale.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace potelan {
namespace {

// The smallest tick steps a fitted scale uses, so that every tick text stays
// short: 0.01 of a ratio, 1 kgf, 1 mm.
constexpr double kSmallestRatioStep = 0.01;
constexpr double kSmallestLoadStep = 1;
constexpr double kSmallestStrokeStep = 1;
// A fitted range reaches this share of the curves' span beyond each end.
constexpr double kFitMargin = 0.05;

// The smallest round step of at least `raw`: 1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6
// or 8 times a power of ten, with no more than `decimals` decimals.
double NiceStep(double raw, double smallest, int decimals) {
  raw = std::max(raw, smallest);
  const double unit = std::pow(10.0, -decimals);
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double m : {1.0, 1.2, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0}) {
    const double step = m * power;
    const double units = step / unit;
    if (std::abs(units - std::round(units)) > 1e-6) continue;  // too many decimals
    if (step >= raw * (1 - 1e-9)) return step;
  }
  return 10 * power;
}

// A range of `divisions` round steps that holds lo..hi.
void FitRange(double lo, double hi, int divisions, double smallest, int decimals, double margin,
              double& outLo, double& outHi) {
  const double pad = (hi - lo) * margin;
  lo -= pad;
  hi += pad;
  double step = NiceStep((hi - lo) / divisions, smallest, decimals);
  for (int tries = 0; tries < 64; ++tries) {
    const double start = std::floor(lo / step + 1e-9) * step;
    if (start + divisions * step >= hi - 1e-9 * step) {
      outLo = start;
      outHi = start + divisions * step;
      return;
    }
    step = NiceStep(step * 1.0001, smallest, decimals);
  }
}

int DecimalsOf(double step) {
  return std::max(0, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
}

QStringList TickTexts(double lo, double hi, int divisions, int minDecimals) {
  const double step = (hi - lo) / divisions;
  const int decimals = std::max(minDecimals, DecimalsOf(step));
  QStringList texts;
  for (int i = 0; i <= divisions; ++i) {
    double value = lo + i * step;
    if (std::abs(value) < step * 1e-9) value = 0;  // never "-0"
    texts << QString::number(value, 'f', decimals);
  }
  return texts;
}

bool Inside(const QPointF& f) {
  constexpr double eps = 1e-9;
  return f.x() >= -eps && f.x() <= 1 + eps && f.y() >= -eps && f.y() <= 1 + eps;
}

Qt::Edge EdgeBeyond(const QPointF& f) {
  if (f.y() < 0) return Qt::BottomEdge;
  if (f.y() > 1) return Qt::TopEdge;
  if (f.x() > 1) return Qt::RightEdge;
  return Qt::LeftEdge;
}

QPointF Clamped(const QPointF& f) {
  return {std::clamp(f.x(), 0.0, 1.0), std::clamp(f.y(), 0.0, 1.0)};
}

}  // namespace

GraphScale FixedScale(bool inverse) {
  GraphScale scale;
  scale.Inverse = inverse;
  if (inverse) {
    scale.RatioMin = 1.0;
    scale.RatioMax = 3.0;
  }
  return scale;
}

GraphScale FittedScale(const std::vector<GraphCurve>& curves, bool inverse) {
  GraphScale scale = FixedScale(inverse);
  std::array<double, 2> ratio = {INFINITY, -INFINITY};
  std::array<double, 2> load = {INFINITY, -INFINITY};
  std::array<double, 2> stroke = {INFINITY, -INFINITY};
  for (const GraphCurve& curve : curves) {
    auto& range = curve.Quantity == GraphQuantity::Load ? load : ratio;
    for (const auto& run : curve.Runs) {
      for (const QPointF& p : run) {
        if (!std::isfinite(p.x()) || !std::isfinite(p.y())) continue;
        range[0] = std::min(range[0], p.y());
        range[1] = std::max(range[1], p.y());
        stroke[0] = std::min(stroke[0], p.x());
        stroke[1] = std::max(stroke[1], p.x());
      }
    }
  }
  if (stroke[0] <= stroke[1]) {
    FitRange(std::min(0.0, stroke[0]), stroke[1], GraphScale::kStrokeDivisions,
             kSmallestStrokeStep, 0, 0, scale.StrokeMin, scale.StrokeMax);
  }
  if (ratio[0] <= ratio[1]) {
    FitRange(ratio[0], ratio[1], GraphScale::kRatioDivisions, kSmallestRatioStep, 2, kFitMargin,
             scale.RatioMin, scale.RatioMax);
  }
  if (load[0] <= load[1]) {
    FitRange(load[0], load[1], GraphScale::kLoadDivisions, kSmallestLoadStep, 0, kFitMargin,
             scale.LoadMin, scale.LoadMax);
  }
  scale.Fitted = true;
  return scale;
}

QStringList RatioTickTexts(const GraphScale& scale) {
  return TickTexts(scale.RatioMin, scale.RatioMax, GraphScale::kRatioDivisions, 2);
}

QStringList LoadTickTexts(const GraphScale& scale) {
  return TickTexts(scale.LoadMin, scale.LoadMax, GraphScale::kLoadDivisions, 0);
}

QStringList StrokeTickTexts(const GraphScale& scale) {
  return TickTexts(scale.StrokeMin, scale.StrokeMax, GraphScale::kStrokeDivisions, 0);
}

QPointF FractionOf(const GraphScale& scale, GraphQuantity quantity, const QPointF& point) {
  const bool load = quantity == GraphQuantity::Load;
  const double lo = load ? scale.LoadMin : scale.RatioMin;
  const double hi = load ? scale.LoadMax : scale.RatioMax;
  return {(point.x() - scale.StrokeMin) / (scale.StrokeMax - scale.StrokeMin),
          (point.y() - lo) / (hi - lo)};
}

std::vector<OffScaleMark> OffScaleMarks(const GraphCurve& curve, const GraphScale& scale) {
  std::vector<OffScaleMark> marks;
  for (const auto& run : curve.Runs) {
    if (run.empty()) continue;
    const QPointF first = FractionOf(scale, curve.Quantity, run.front());
    if (!Inside(first)) {
      marks.push_back({Clamped(first), EdgeBeyond(first), run.front().x(), curve.Colour});
    }
    for (std::size_t i = 1; i < run.size(); ++i) {
      const QPointF a = FractionOf(scale, curve.Quantity, run[i - 1]);
      const QPointF b = FractionOf(scale, curve.Quantity, run[i]);
      const bool aIn = Inside(a);
      const bool bIn = Inside(b);
      if (aIn && bIn) continue;
      // The part of the stroke a..b within the plot (Liang-Barsky), with the
      // edges it comes in and goes out through.
      const QPointF d = b - a;
      const std::array<std::pair<double, double>, 4> bounds = {
          std::pair{-d.x(), a.x()}, std::pair{d.x(), 1 - a.x()}, std::pair{-d.y(), a.y()},
          std::pair{d.y(), 1 - a.y()}};
      const std::array<Qt::Edge, 4> edges = {Qt::LeftEdge, Qt::RightEdge, Qt::BottomEdge,
                                             Qt::TopEdge};
      double t0 = 0;
      double t1 = 1;
      Qt::Edge in = Qt::LeftEdge;
      Qt::Edge out = Qt::LeftEdge;
      bool visible = true;
      for (std::size_t k = 0; k < 4 && visible; ++k) {
        const auto [p, q] = bounds[k];
        if (p == 0) {
          visible = q >= 0;
        } else if (p < 0) {
          if (q / p > t0) {
            t0 = q / p;
            in = edges[k];
          }
        } else if (q / p < t1) {
          t1 = q / p;
          out = edges[k];
        }
      }
      if (!visible || t0 > t1) continue;
      const double sa = run[i - 1].x();
      const double sb = run[i].x();
      if (!aIn) marks.push_back({Clamped(a + d * t0), in, sa + (sb - sa) * t0, curve.Colour});
      if (!bIn) marks.push_back({Clamped(a + d * t1), out, sa + (sb - sa) * t1, curve.Colour});
    }
  }
  return marks;
}

}  // namespace potelan
