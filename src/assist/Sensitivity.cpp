#include "assist/Sensitivity.hpp"

#include <algorithm>
#include <cmath>

#include "assist/Characteristics.hpp"
#include "model/Solver.hpp"
#include "model/StrokeSweep.hpp"

namespace potelan::assist {

std::optional<KeyFigures> KeyFiguresOf(const ConfigSet& set, std::int16_t maxStroke) {
  if (maxStroke < 0) return std::nullopt;
  std::vector<double> strokes = CurveStrokes(maxStroke);
  const double half = maxStroke / 2.0;
  if (std::fmod(half, 5.0) != 0) {
    strokes.insert(std::upper_bound(strokes.begin(), strokes.end(), half), half);
  }
  AppState state;
  ConfigSet& s = state.Set[0];
  s = set;
  s.SusLength0 = 0;
  KeyFigures k;
  for (double stroke : strokes) {
    s.AxleStartPos = set.AxleStartPos - stroke;
    if (NotFormed(SolveLinkage(state, 0, s.SusPos))) return std::nullopt;
    if (stroke == 0) k.RatioAtZero = s.LinkRatio;
    if (stroke == half) k.RatioAtHalf = s.LinkRatio;
  }
  k.RatioAtMax = s.LinkRatio;
  k.SusStrokeAtMax = s.SusStroke;
  k.ProgressionPercent = (k.RatioAtMax / k.RatioAtZero - 1) * 100;
  if (!std::isfinite(k.ProgressionPercent)) return std::nullopt;
  return k;
}

Sensitivity ComputeSensitivity(const ConfigSet& set, std::int16_t maxStroke, double step) {
  Sensitivity result;
  result.Step = step;
  result.HalfStroke = maxStroke / 2.0;
  const std::optional<KeyFigures> base = KeyFiguresOf(set, maxStroke);
  if (!base) {
    const Curve curve = SweepCurve(set, maxStroke, false);
    result.Message = curve.Message;
    result.FailedStroke = curve.FailedStroke;
    if (result.Message.empty()) {
      result.FailedStroke = result.HalfStroke;
      result.Message = StrokeFailureMessage(result.HalfStroke);
    }
    return result;
  }
  result.Ok = true;
  result.Base = *base;
  for (Dimension d : DimensionsOfType(set.SusType)) {
    DimensionSensitivity row;
    row.Dim = d;
    ConfigSet plus = set;
    ConfigSet minus = set;
    SetValue(plus, d, ValueOf(set, d) + step);
    SetValue(minus, d, ValueOf(set, d) - step);
    const std::optional<KeyFigures> hi = KeyFiguresOf(plus, maxStroke);
    const std::optional<KeyFigures> lo = hi ? KeyFiguresOf(minus, maxStroke) : std::nullopt;
    if (hi && lo) {
      const double h2 = 2 * step;
      row.PerUnit.RatioAtZero = (hi->RatioAtZero - lo->RatioAtZero) / h2;
      row.PerUnit.RatioAtHalf = (hi->RatioAtHalf - lo->RatioAtHalf) / h2;
      row.PerUnit.RatioAtMax = (hi->RatioAtMax - lo->RatioAtMax) / h2;
      row.PerUnit.ProgressionPercent = (hi->ProgressionPercent - lo->ProgressionPercent) / h2;
      row.PerUnit.SusStrokeAtMax = (hi->SusStrokeAtMax - lo->SusStrokeAtMax) / h2;
      row.Assembles = true;
    }
    result.Rows.push_back(row);
  }
  return result;
}

}  // namespace potelan::assist
