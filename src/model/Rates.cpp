#include "model/Rates.hpp"

#include <cmath>

namespace potelan {
namespace {

struct Vec {
  double X = 0;
  double Y = 0;
};
Vec operator-(Vec a, Vec b) { return {a.X - b.X, a.Y - b.Y}; }
double Dot(Vec a, Vec b) { return a.X * b.X + a.Y * b.Y; }
double Cross(Vec a, Vec b) { return a.X * b.Y - a.Y * b.X; }
double Norm(Vec a) { return std::sqrt(Dot(a, a)); }

// A joint's position and its first and second derivatives by the axle position.
struct Motion {
  Vec P, V, A;
};

Motion Fixed(Vec p) { return {p, {}, {}}; }

// A point rigid on the swing arm, which turns about the pivot (the origin)
// with angular rate w and angular acceleration alpha.
Motion OnFork(Vec p, double w, double alpha) {
  return {p,
          {-w * p.Y, w * p.X},
          {-alpha * p.Y - w * w * p.X, alpha * p.X - w * w * p.Y}};
}

// The joint p kept at constant distances from the moving centres c1 and c2:
// (p - c1).(p' - c1') = 0 and |p' - c1'|^2 + (p - c1).(p'' - c1'') = 0, the
// same for c2. Nothing when the two members are in line.
std::optional<Motion> OnTwoCircles(Vec p, const Motion& c1, const Motion& c2) {
  const Vec d1 = p - c1.P;
  const Vec d2 = p - c2.P;
  const double det = Cross(d1, d2);
  if (!(std::fabs(det) > 1e-9 * Norm(d1) * Norm(d2))) return std::nullopt;
  auto solve = [&](double b1, double b2) {
    return Vec{(b1 * d2.Y - d1.Y * b2) / det, (d1.X * b2 - d2.X * b1) / det};
  };
  Motion m;
  m.P = p;
  m.V = solve(Dot(d1, c1.V), Dot(d2, c2.V));
  const Vec w1 = m.V - c1.V;
  const Vec w2 = m.V - c2.V;
  m.A = solve(Dot(d1, c1.A) - Dot(w1, w1), Dot(d2, c2.A) - Dot(w2, w2));
  return m;
}

// Type 2's ratio is the size of the shock length's rate; the linked types'
// is the rate itself.
double RatioSign(const ConfigSet& s, double dLength) {
  return s.SusType == 2 && dLength < 0 ? -1.0 : 1.0;
}

}  // namespace

std::optional<ShockRates> ShockLengthRates(const ConfigSet& s) {
  if (s.SusType < 2 || s.SusType > 6 || s.AxleX == 0) return std::nullopt;
  // Fork angle theta = asin(A / ForkLength): theta' = 1 / AxleX and
  // theta'' = A theta'^3.
  const double w = 1 / s.AxleX;
  const double alpha = s.AxleStartPos * w * w * w;

  const Motion frameLink = Fixed({s.FrameLinkX, s.FrameLinkY});
  const Motion up = s.SusType > 4 ? OnFork({s.SusUpX, s.SusUpY}, w, alpha)
                                  : Fixed({s.SusUpX, s.SusUpY});
  std::optional<Motion> lower;
  if (s.SusType == 2) {
    lower = OnFork({s.SusLwrX, s.SusLwrY}, w, alpha);
  } else {
    const Motion forkLink = OnFork({s.ForkLinkX, s.ForkLinkY}, w, alpha);
    const Vec rodJoint{s.LinkLwrX, s.LinkLwrY};
    const Vec shockJoint{s.SusLwrX, s.SusLwrY};
    if (s.SusType == 3 || s.SusType == 5) {
      // The plate turns on the fork-side mount; the rod holds it to the frame.
      const std::optional<Motion> rod = OnTwoCircles(rodJoint, forkLink, frameLink);
      if (rod) lower = OnTwoCircles(shockJoint, forkLink, *rod);
    } else {
      // The plate turns on the frame-side mount; the rod holds it to the fork.
      const std::optional<Motion> rod = OnTwoCircles(rodJoint, forkLink, frameLink);
      if (rod) lower = OnTwoCircles(shockJoint, frameLink, *rod);
    }
  }
  if (!lower) return std::nullopt;

  const Vec d = lower->P - up.P;
  const Vec v = lower->V - up.V;
  const Vec a = lower->A - up.A;
  const double length = Norm(d);
  if (!(length > 0)) return std::nullopt;
  ShockRates rates;
  rates.dLength = Dot(d, v) / length;
  rates.d2Length = (Dot(v, v) + Dot(d, a) - rates.dLength * rates.dLength) / length;
  if (!std::isfinite(rates.dLength) || !std::isfinite(rates.d2Length)) return std::nullopt;
  return rates;
}

// Wheel rate: the axle load is F * r with F = (Preload + SusStroke) * k. By
// the stroke s (the axle position falls as s grows), dSusStroke/ds is the
// shock length's rate by the axle position, and dr/ds = -sign * d2L/dA2.
std::optional<StepRates> RatesOfSolved(const ConfigSet& s) {
  const std::optional<ShockRates> rates = ShockLengthRates(s);
  if (!rates) return std::nullopt;
  StepRates r;
  r.RatioSlope = -RatioSign(s, rates->dLength) * rates->d2Length;
  r.WheelRate = s.SpringRate * s.LinkRatio * rates->dLength + s.SusLoad.Magnitude * r.RatioSlope;
  if (!std::isfinite(r.RatioSlope) || !std::isfinite(r.WheelRate)) return std::nullopt;
  return r;
}

}  // namespace potelan
