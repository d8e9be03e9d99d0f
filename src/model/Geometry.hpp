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

// A zero denominator, or a numerator that is not finite, leaves the quotient
// infinite or NaN, which its own check catches; only the denominator needs a
// check before (a finite number over an infinite one is 0). One test fewer
// than checking each operand, which the solver feels in every division.
inline double CheckedDiv(double numerator, double denominator) {
  return Finite(numerator / Finite(denominator));
}

inline double CheckedSqrt(double value) {
  if (!(value >= 0)) FailGeometry("square root of a negative number");
  return Finite(std::sqrt(value));
}

// Inline: the solver's statics wait on it.
inline double PointDistance(double x1, double y1, double x2, double y2) {
  const double dx = x1 - x2;
  const double dy = y1 - y2;
  return CheckedSqrt(dx * dx + dy * dy);
}

// The line from point F to point T as y = M x + B, its slope and its
// intercept (taken at T) worked out once, so that several distances and sides
// measured from one line divide only once. Its results are those of
// LineDistance(x0, y0, F, T) and SideOfLine(T, F, x0, y0), to the last bit:
// both primitives are written on it.
class Line {
 public:
  Line(double fromX, double fromY, double toX, double toY) : toX_(toX), toY_(toY) {
    vertical_ = fromX == toX;
    if (!vertical_) {
      m_ = CheckedDiv(toY - fromY, toX - fromX);
      b_ = Finite(toY - m_ * toX);
    }
    upward_ = toY >= fromY;  // of the directed line T -> F
    rightward_ = toX < fromX;
  }

  // Distance of (x0, y0) from the line.
  double Distance(double x0, double y0) const {
    if (vertical_) return Finite(std::fabs(toX_ - x0));
    const double denominator = Finite(m_ * m_ + 1);
    const double dx = CheckedDiv(m_ * (y0 - b_ - m_ * x0), denominator);
    const double dy = CheckedDiv(m_ * x0 + b_ - y0, denominator);
    return CheckedSqrt(dx * dx + dy * dy);
  }

  // +1 left of the directed line T -> F, -1 right of it, 0 on it.
  std::int16_t SideBackward(double px, double py) const {
    if (!vertical_) {
      const double yl = Finite(m_ * px + b_);
      if (yl < py) return rightward_ ? 1 : -1;
      if (yl == py) return 0;
      return rightward_ ? -1 : 1;
    }
    if (px > toX_) return upward_ ? 1 : -1;
    if (px == toX_) return 0;
    return upward_ ? -1 : 1;
  }

 private:
  double toX_;
  double toY_;
  double m_ = 0;
  double b_ = 0;
  bool vertical_ = false;
  bool upward_ = false;
  bool rightward_ = false;
};

}  // namespace potelan
