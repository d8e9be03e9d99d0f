#include "assist/Characteristics.hpp"

#include <cmath>

#include "model/Rates.hpp"
#include "model/Solver.hpp"
#include "model/StrokeSweep.hpp"

namespace potelan::assist {

std::string_view JsonName(LoadItem item) {
  switch (item) {
    case LoadItem::Sus: return "SusLoad";
    case LoadItem::Axle: return "AxleLoad";
    case LoadItem::TenRod: return "TenRodLoad";
    case LoadItem::Pivot: return "PivotLoad";
    case LoadItem::FrameLink: return "FrameLinkLoad";
    case LoadItem::ForkLink: return "ForkLinkLoad";
  }
  return "";
}

bool TypeComputes(int susType, LoadItem item) {
  if (susType < 2 || susType > 6) return false;
  switch (item) {
    case LoadItem::TenRod:
    case LoadItem::FrameLink:
    case LoadItem::ForkLink:
      return susType >= 3;
    default:
      return true;
  }
}

double LoadOf(const ConfigSet& s, LoadItem item) {
  switch (item) {
    case LoadItem::Sus: return s.SusLoad.Magnitude;
    case LoadItem::Axle: return s.AxleLoad.Magnitude;
    case LoadItem::TenRod: return s.TenRodLoad.Magnitude;
    case LoadItem::Pivot: return s.PivotLoad.Magnitude;
    case LoadItem::FrameLink: return s.FrameLinkLoad.Magnitude;
    case LoadItem::ForkLink: return s.ForkLinkLoad.Magnitude;
  }
  return 0;
}

std::vector<double> CurveStrokes(std::int16_t maxStroke) {
  std::vector<double> strokes;
  if (maxStroke < 0) return strokes;
  for (int s = 0; s <= maxStroke; s += 5) strokes.push_back(s);
  if (maxStroke % 5 != 0) strokes.push_back(maxStroke);
  return strokes;
}

namespace {

// Solves set 0 of a private state; false when it does not assemble.
bool SolveAt(AppState& state, double axle) {
  ConfigSet& s = state.Set[0];
  s.AxleStartPos = axle;
  return !NotFormed(SolveLinkage(state, 0, s.SusPos));
}

CurvePoint PointOf(const ConfigSet& s, double stroke, bool onGrid) {
  CurvePoint p;
  p.Stroke = stroke;
  p.OnGrid = onGrid;
  p.LinkRatio = s.LinkRatio;
  p.InvLinkRatio = s.InvLinkRatio;
  p.SusLength = s.SusLength;
  p.SusStroke = s.SusStroke;
  for (int i = 0; i < kLoadItemCount; ++i) {
    const LoadItem item = kLoadItems[static_cast<std::size_t>(i)];
    p.Loads[static_cast<std::size_t>(i)] = TypeComputes(s.SusType, item) ? LoadOf(s, item) : 0;
  }
  return p;
}

bool AddRates(const ConfigSet& s, CurvePoint& p) {
  const std::optional<StepRates> rates = RatesOfSolved(s);
  if (!rates) return false;
  p.RatioSlope = rates->RatioSlope;
  p.WheelRate = rates->WheelRate;
  return true;
}

}  // namespace

Curve SweepCurve(const ConfigSet& set, std::int16_t maxStroke, bool withRates) {
  Curve curve;
  curve.SusType = set.SusType;
  AppState state;
  state.Set[0] = set;
  state.Set[0].SusLength0 = 0;
  const std::vector<double> strokes = CurveStrokes(maxStroke);
  curve.Points.reserve(strokes.size());
  if (strokes.empty()) {
    curve.Message = "ｱｸｽﾙｽﾄﾛｰｸの範囲がありません";
    return curve;
  }
  for (double stroke : strokes) {
    bool ok = SolveAt(state, set.AxleStartPos - stroke);
    CurvePoint p;
    if (ok) {
      p = PointOf(state.Set[0], stroke, std::fmod(stroke, 5.0) == 0);
      if (withRates) ok = AddRates(state.Set[0], p);
    }
    if (!ok) {
      curve.FailedStroke = stroke;
      curve.Message = StrokeFailureMessage(stroke);
      return curve;
    }
    if (curve.Points.empty()) curve.SusLength0 = state.Set[0].SusLength0;
    curve.Points.push_back(p);
  }
  curve.Ok = true;
  return curve;
}

std::optional<ConfigSet> SolveAtStroke(const ConfigSet& set, double susLength0, double stroke) {
  AppState state;
  state.Set[0] = set;
  state.Set[0].SusLength0 = susLength0;
  if (!SolveAt(state, set.AxleStartPos - stroke)) return std::nullopt;
  return state.Set[0];
}

double Progression(const Curve& curve) {
  if (curve.Points.empty() || curve.Points.front().LinkRatio == 0) return 0;
  const double p = (curve.Points.back().LinkRatio / curve.Points.front().LinkRatio - 1) * 100;
  return std::isfinite(p) ? p : 0;
}

Sag FindSag(const ConfigSet& set, const Curve& curve, double staticLoad) {
  const std::vector<CurvePoint>& pts = curve.Points;
  constexpr std::size_t kAxle = static_cast<std::size_t>(LoadItem::Axle);
  if (pts.empty() || !std::isfinite(staticLoad)) return {SagOutcome::NotReached, 0};
  if (pts.front().Loads[kAxle] >= staticLoad) return {SagOutcome::HeldByPreload, 0};
  for (std::size_t i = 1; i < pts.size(); ++i) {
    if (pts[i].Loads[kAxle] < staticLoad) continue;
    // The axle load crosses the static load between two solved strokes.
    double lo = pts[i - 1].Stroke;
    double hi = pts[i].Stroke;
    while (hi - lo > kSagTolerance) {
      const double mid = 0.5 * (lo + hi);
      const std::optional<ConfigSet> solved = SolveAtStroke(set, curve.SusLength0, mid);
      if (!solved) return {SagOutcome::NotFormed, mid};
      (solved->AxleLoad.Magnitude < staticLoad ? lo : hi) = mid;
    }
    return {SagOutcome::Reached, 0.5 * (lo + hi)};
  }
  return {SagOutcome::NotReached, 0};
}

Characteristics Characterise(const ConfigSet& set, std::int16_t maxStroke,
                             std::optional<double> staticLoad) {
  Characteristics c;
  c.Swept = SweepCurve(set, maxStroke, true);
  if (!c.Swept.Ok) return c;
  c.ProgressionPercent = Progression(c.Swept);
  for (int i = 0; i < kLoadItemCount; ++i) {
    const LoadItem item = kLoadItems[static_cast<std::size_t>(i)];
    if (!TypeComputes(set.SusType, item)) continue;
    LoadPeak peak{item, 0, 0};
    bool first = true;
    for (const CurvePoint& p : c.Swept.Points) {
      const double v = p.Loads[static_cast<std::size_t>(i)];
      if (first || std::fabs(v) > std::fabs(peak.Value)) {
        peak.Value = v;
        peak.Stroke = p.Stroke;
        first = false;
      }
    }
    c.Peaks.push_back(peak);
  }
  if (staticLoad) c.StaticSag = FindSag(set, c.Swept, *staticLoad);
  return c;
}

}  // namespace potelan::assist
