#include "model/Geometry.hpp"

#include <cmath>

namespace potelan {

void FailGeometry(const char* reason) { throw GeometryFailure(reason); }

double ArcSin(double a) {
  const double root = CheckedSqrt(Finite(1 - a * a));
  return std::atan(CheckedDiv(a, root));
}

double PointDistance(double x1, double y1, double x2, double y2) {
  const double dx = x1 - x2;
  const double dy = y1 - y2;
  return CheckedSqrt(Finite(dx * dx + dy * dy));
}

double LineDistance(double x0, double y0, double x1, double y1, double x2, double y2) {
  if (x1 == x2) return Finite(std::fabs(x2 - x0));
  const double m = CheckedDiv(y2 - y1, x2 - x1);
  const double b = Finite(y2 - m * x2);
  const double denominator = Finite(m * m + 1);
  const double dx = CheckedDiv(Finite(m * (y0 - b - m * x0)), denominator);
  const double dy = CheckedDiv(Finite(m * x0 + b - y0), denominator);
  return CheckedSqrt(Finite(dx * dx + dy * dy));
}

std::int16_t SideOfLine(double x1, double y1, double x2, double y2, double px, double py) {
  if (x1 != x2) {
    const double m = CheckedDiv(y1 - y2, x1 - x2);
    const double b = Finite(y1 - m * x1);
    const double yl = Finite(m * px + b);
    if (yl < py) return x1 < x2 ? 1 : -1;
    if (yl == py) return 0;
    return x1 > x2 ? 1 : -1;
  }
  if (px > x1) return y1 >= y2 ? 1 : -1;
  if (px == x1) return 0;
  return y1 >= y2 ? -1 : 1;
}

Intersections CircleIntersect(double x1, double y1, double r1, double x2, double y2, double r2) {
  if (x1 != x2) {
    const double j = CheckedDiv(Finite((x2 * x2 + y2 * y2 - r2 * r2) - (x1 * x1 + y1 * y1 - r1 * r1)),
                                2 * (x2 - x1));
    const double u = CheckedDiv(y1 - y2, x2 - x1);
    const double a = Finite(u * u + 1);
    const double h = Finite((j - x1) * u - y1);
    const double c = Finite((j - x1) * (j - x1) + y1 * y1 - r1 * r1);
    const double root = CheckedSqrt(Finite(h * h - a * c));
    const double yPlus = CheckedDiv(-h + root, a);
    const double yMinus = CheckedDiv(-h - root, a);
    const Point plus{Finite(j + u * yPlus), yPlus};
    const Point minus{Finite(j + u * yMinus), yMinus};
    return x1 < x2 ? Intersections{plus, minus} : Intersections{minus, plus};
  }
  if (y1 != y2) {
    const double y0 =
        CheckedDiv(Finite((y2 * y2 - y1 * y1) + r1 * r1 - r2 * r2), 2 * (y2 - y1));
    const double s = CheckedSqrt(Finite(r1 * r1 - (y0 - y1) * (y0 - y1)));
    const Point left{Finite(x1 - s), y0};
    const Point right{Finite(x1 + s), y0};
    return y1 < y2 ? Intersections{left, right} : Intersections{right, left};
  }
  return Intersections{};
}

}  // namespace potelan
