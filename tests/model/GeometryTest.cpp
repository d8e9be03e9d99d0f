// The plane-geometry primitives: known values, branch order of the circle
// intersections, and failures that must never leak an infinity or a NaN.
#include "model/Geometry.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>

namespace potelan {
namespace {

constexpr double kTol = 1e-12;

TEST(ArcSinTest, KnownValueAndFailuresAtAndBeyondOne) {
  EXPECT_NEAR(ArcSin(0.5), std::numbers::pi / 6, kTol);
  EXPECT_NEAR(ArcSin(-0.5), -std::numbers::pi / 6, kTol);
  EXPECT_EQ(ArcSin(0), 0);
  EXPECT_THROW(ArcSin(1), GeometryFailure);
  EXPECT_THROW(ArcSin(-1), GeometryFailure);
  EXPECT_THROW(ArcSin(1.2), GeometryFailure);
}

TEST(PointDistanceTest, PythagoreanTriple) {
  EXPECT_DOUBLE_EQ(PointDistance(1, 2, 4, 6), 5);
  EXPECT_DOUBLE_EQ(PointDistance(4, 6, 1, 2), 5);
  EXPECT_THROW(PointDistance(1e200, 0, -1e200, 0), GeometryFailure);
}

TEST(LineDistanceTest, VerticalAndSlopedLines) {
  EXPECT_DOUBLE_EQ(LineDistance(3, 0, 1, -5, 1, 5), 2);
  EXPECT_DOUBLE_EQ(LineDistance(-1, 0, 1, -5, 1, 5), 2);
  EXPECT_NEAR(LineDistance(0, 0, 0, 1, 1, 2), 1 / std::sqrt(2.0), kTol);
  // A point on the line is at distance 0.
  EXPECT_NEAR(LineDistance(2, 3, 0, 1, 1, 2), 0, kTol);
}

TEST(LineDistanceTest, AgreesWithCrossProductFormOnRandomLines) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> u(-500, 500);
  for (int i = 0; i < 1000; ++i) {
    const double x0 = u(rng), y0 = u(rng), x1 = u(rng), y1 = u(rng), x2 = u(rng), y2 = u(rng);
    const double cross = std::fabs((x2 - x1) * (y0 - y1) - (y2 - y1) * (x0 - x1));
    const double expected = cross / std::hypot(x2 - x1, y2 - y1);
    EXPECT_NEAR(LineDistance(x0, y0, x1, y1, x2, y2), expected, 1e-9 * (1 + expected));
  }
}

TEST(SideOfLineTest, HorizontalAndVerticalLines) {
  EXPECT_EQ(SideOfLine(0, 0, 1, 0, 0, 1), 1);
  EXPECT_EQ(SideOfLine(1, 0, 0, 0, 0, 1), -1);
  EXPECT_EQ(SideOfLine(0, 0, 1, 0, 5, 0), 0);
  EXPECT_EQ(SideOfLine(0, 0, 0, 1, -1, 0), 1);
  EXPECT_EQ(SideOfLine(0, 0, 0, 1, 1, 0), -1);
  EXPECT_EQ(SideOfLine(0, 0, 0, 1, 0, 7), 0);
}

TEST(SideOfLineTest, DegenerateLineSplitsAtThePointsVertical) {
  EXPECT_EQ(SideOfLine(2, 2, 2, 2, 3, 0), 1);
  EXPECT_EQ(SideOfLine(2, 2, 2, 2, 1, 0), -1);
  EXPECT_EQ(SideOfLine(2, 2, 2, 2, 2, 9), 0);
}

TEST(SideOfLineTest, MatchesTheSignOfTheCrossProduct) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> u(-300, 300);
  for (int i = 0; i < 2000; ++i) {
    const double x1 = u(rng), y1 = u(rng), x2 = u(rng), y2 = u(rng), px = u(rng), py = u(rng);
    const double cross = (x2 - x1) * (py - y1) - (y2 - y1) * (px - x1);
    if (std::fabs(cross) < 1e-6) continue;
    EXPECT_EQ(SideOfLine(x1, y1, x2, y2, px, py), cross > 0 ? 1 : -1);
  }
}

TEST(CircleIntersectTest, FirstIntersectionLiesLeftOfTheCentreLine) {
  Intersections p = CircleIntersect(0, 0, 5, 6, 0, 5);
  EXPECT_NEAR(p.First.X, 3, kTol);
  EXPECT_NEAR(p.First.Y, 4, kTol);
  EXPECT_NEAR(p.Second.X, 3, kTol);
  EXPECT_NEAR(p.Second.Y, -4, kTol);

  p = CircleIntersect(6, 0, 5, 0, 0, 5);
  EXPECT_NEAR(p.First.Y, -4, kTol);
  EXPECT_NEAR(p.Second.Y, 4, kTol);

  p = CircleIntersect(0, 0, 5, 0, 6, 5);
  EXPECT_NEAR(p.First.X, -4, kTol);
  EXPECT_NEAR(p.First.Y, 3, kTol);
  EXPECT_NEAR(p.Second.X, 4, kTol);
  EXPECT_NEAR(p.Second.Y, 3, kTol);

  p = CircleIntersect(0, 6, 5, 0, 0, 5);
  EXPECT_NEAR(p.First.X, 4, kTol);
  EXPECT_NEAR(p.Second.X, -4, kTol);
}

TEST(CircleIntersectTest, RandomCirclesMeetOnBothAndKeepTheirSides) {
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> u(-200, 200);
  std::uniform_real_distribution<double> radius(10, 300);
  int checked = 0;
  for (int i = 0; i < 3000; ++i) {
    const double x1 = u(rng), y1 = u(rng), r1 = radius(rng), x2 = u(rng), y2 = u(rng),
                 r2 = radius(rng);
    const double d = std::hypot(x2 - x1, y2 - y1);
    if (d > r1 + r2 - 1e-3 || d < std::fabs(r1 - r2) + 1e-3) continue;
    const Intersections p = CircleIntersect(x1, y1, r1, x2, y2, r2);
    for (const Point& q : {p.First, p.Second}) {
      EXPECT_NEAR(std::hypot(q.X - x1, q.Y - y1), r1, 1e-6 * r1);
      EXPECT_NEAR(std::hypot(q.X - x2, q.Y - y2), r2, 1e-6 * r2);
    }
    EXPECT_EQ(SideOfLine(x1, y1, x2, y2, p.First.X, p.First.Y), 1);
    EXPECT_EQ(SideOfLine(x1, y1, x2, y2, p.Second.X, p.Second.Y), -1);
    ++checked;
  }
  EXPECT_GT(checked, 500);
}

TEST(CircleIntersectTest, SpecialCases) {
  EXPECT_THROW(CircleIntersect(0, 0, 5, 20, 0, 5), GeometryFailure);
  EXPECT_THROW(CircleIntersect(0, 0, 5, 0, 20, 5), GeometryFailure);

  const Intersections same = CircleIntersect(3, 4, 5, 3, 4, 7);
  EXPECT_EQ(same.First.X, 0);
  EXPECT_EQ(same.First.Y, 0);
  EXPECT_EQ(same.Second.X, 0);
  EXPECT_EQ(same.Second.Y, 0);

  const Intersections touch = CircleIntersect(0, 0, 3, 5, 0, 2);
  EXPECT_NEAR(touch.First.X, 3, kTol);
  EXPECT_NEAR(touch.First.Y, 0, kTol);
  EXPECT_NEAR(touch.Second.X, 3, kTol);
  EXPECT_NEAR(touch.Second.Y, 0, kTol);
}

TEST(CheckedArithmeticTest, NeverReturnsInfinityOrNaN) {
  EXPECT_THROW(CheckedDiv(1, 0), GeometryFailure);
  EXPECT_THROW(CheckedDiv(0, 0), GeometryFailure);
  EXPECT_THROW(CheckedDiv(1e300, 1e-300), GeometryFailure);
  EXPECT_THROW(CheckedDiv(1, std::numeric_limits<double>::infinity()), GeometryFailure);
  EXPECT_THROW(CheckedSqrt(-1e-300), GeometryFailure);
  EXPECT_THROW(CheckedSqrt(std::numeric_limits<double>::quiet_NaN()), GeometryFailure);
  EXPECT_EQ(CheckedSqrt(0), 0);
  // Overflow inside a primitive is a failure, not a huge or empty result.
  EXPECT_THROW(CircleIntersect(1e200, 0, 1, -1e200, 0, 1), GeometryFailure);
  EXPECT_THROW(LineDistance(0, 0, 0, 0, 1e-320, 1e300), GeometryFailure);
}

}  // namespace
}  // namespace potelan
