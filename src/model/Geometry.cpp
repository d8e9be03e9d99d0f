#include "model/Geometry.hpp"

#include <cmath>

namespace potelan {

void FailGeometry(const char* reason) { throw GeometryFailure(reason); }

double ArcSin(double a) {
  const double root = CheckedSqrt(1 - a * a);
  return std::atan(CheckedDiv(a, root));
}


double LineDistance(double x0, double y0, double x1, double y1, double x2, double y2) {
  return Line(x1, y1, x2, y2).Distance(x0, y0);
}

std::int16_t SideOfLine(double x1, double y1, double x2, double y2, double px, double py) {
  return Line(x2, y2, x1, y1).SideBackward(px, py);
}

Intersections CircleIntersect(double x1, double y1, double r1, double x2, double y2, double r2) {
  if (x1 == x2 && y1 == y2) return Intersections{};
  // Along the line of centres: the foot of the common chord lies at distance
  // a from centre 1, and the chord's half-length h is measured square to it.
  // Nothing here divides by a difference of one coordinate alone, so the
  // result keeps its digits however the centres lie (a chord written as
  // x = J + U*y loses them when the centres are nearly above one another).
  const double dx = Finite(x2 - x1);
  const double dy = Finite(y2 - y1);
  const double d = Finite(std::hypot(dx, dy));
  const double a = CheckedDiv(d * d + Finite((r1 - r2) * (r1 + r2)), 2 * d);
  const double h = CheckedSqrt((r1 - a) * (r1 + a));
  const double ux = CheckedDiv(dx, d);
  const double uy = CheckedDiv(dy, d);
  const double footX = Finite(x1 + a * ux);
  const double footY = Finite(y1 + a * uy);
  // (-uy, ux) points to the left of centre 1 -> centre 2 (SideOfLine +1).
  const Point left{Finite(footX - h * uy), Finite(footY + h * ux)};
  const Point right{Finite(footX + h * uy), Finite(footY - h * ux)};
  return Intersections{left, right};
}

}  // namespace potelan
