// Plane-geometry primitives of the solver. Every operation is checked: a
// division by zero, the root of a negative number or a result that is not
// finite throws GeometryFailure, which the solver turns into its NotFormed result.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace potelan {

class GeometryFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Point {
  double X = 0;
  double Y = 0;
};

struct Intersections {
  Point First;   // left of the directed line from centre 1 to centre 2
  Point Second;  // right of it
};

// atan(a / sqrt(1 - a^2)); fails for |a| >= 1.
double ArcSin(double a);
double PointDistance(double x1, double y1, double x2, double y2);
// Distance of (x0, y0) from the line through (x1, y1) and (x2, y2).
double LineDistance(double x0, double y0, double x1, double y1, double x2, double y2);
// +1 left of the directed line P1->P2, -1 right of it, 0 on it.
std::int16_t SideOfLine(double x1, double y1, double x2, double y2, double px, double py);
// The two intersections of two circles, measured along the line of centres
// (so nearly vertical centres keep their digits). Touching circles give one
// point twice; coincident centres give four zeros; circles that do not meet
// fail.
Intersections CircleIntersect(double x1, double y1, double r1, double x2, double y2, double r2);

// Checked arithmetic shared by the primitives and the solver. Inline, with
// the throwing path out of line: the solver runs them dozens of times a solve.
[[noreturn]] void FailGeometry(const char* reason);

inline double Finite(double value) {
  if (!(std::fabs(value) <= std::numeric_limits<double>::max())) {
    FailGeometry("result is not finite");
  }
  return value;
}

inline double CheckedDiv(double numerator, double denominator) {
  if (denominator == 0) FailGeometry("division by zero");
  return Finite(Finite(numerator) / Finite(denominator));
}

inline double CheckedSqrt(double value) {
  if (!(value >= 0)) FailGeometry("square root of a negative number");
  return Finite(std::sqrt(value));
}

}  // namespace potelan
