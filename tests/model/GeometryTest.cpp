// The plane-geometry primitives: known values, branch order of the circle
// intersections, and failures that must never leak an infinity or a NaN.
#include "model/Geometry.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

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

// The worked examples are exact when the intersections are measured along
// the line of centres; the touching circles give their one point twice.
TEST(CircleIntersectTest, WorkedExamplesAreExact) {
  Intersections p = CircleIntersect(0, 0, 5, 6, 0, 5);
  EXPECT_EQ(p.First.X, 3);
  EXPECT_EQ(p.First.Y, 4);
  EXPECT_EQ(p.Second.X, 3);
  EXPECT_EQ(p.Second.Y, -4);
  p = CircleIntersect(6, 0, 5, 0, 0, 5);
  EXPECT_EQ(p.First.Y, -4);
  EXPECT_EQ(p.Second.Y, 4);
  p = CircleIntersect(0, 0, 5, 0, 6, 5);
  EXPECT_EQ(p.First.X, -4);
  EXPECT_EQ(p.First.Y, 3);
  EXPECT_EQ(p.Second.X, 4);
  EXPECT_EQ(p.Second.Y, 3);
  p = CircleIntersect(0, 0, 3, 5, 0, 2);
  EXPECT_EQ(p.First.X, 3);
  EXPECT_EQ(p.First.Y, 0);
  EXPECT_EQ(p.Second.X, 3);
  EXPECT_EQ(p.Second.Y, 0);
  // Circles that touch from inside also give their point twice.
  p = CircleIntersect(0, 0, 5, 2, 0, 3);
  EXPECT_EQ(p.First.X, 5);
  EXPECT_EQ(p.Second.X, 5);
  EXPECT_EQ(p.First.Y, 0);
}

// Centres a few single-precision steps apart in X, as entered values and the
// joints solved from them lie: the offset of the second centre is stepped one
// float ulp at a time from 0 (exactly above one another) upwards.
struct NearVertical {
  double X1, Y1, X2, Y2;
};

std::vector<NearVertical> NearVerticalPairs(unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> coordinate(-300, 300);
  std::uniform_real_distribution<float> rise(-150, 150);
  std::vector<NearVertical> pairs;
  for (int i = 0; i < 60; ++i) {
    const float x1 = coordinate(rng);
    const float y1 = coordinate(rng);
    const float y2 = y1 + rise(rng);
    float x2 = x1;
    for (int ulps = 0; ulps < 40; ++ulps) {
      pairs.push_back({x1, y1, x2, y2});
      x2 = std::nextafter(x2, i % 2 == 0 ? 1e9f : -1e9f);
    }
  }
  return pairs;
}

// Exact enough for a sign: the cross product of P1->P2 and P1->P in extended
// precision.
long double CrossLong(double x1, double y1, double x2, double y2, double px, double py) {
  return (static_cast<long double>(x2) - x1) * (static_cast<long double>(py) - y1) -
         (static_cast<long double>(y2) - y1) * (static_cast<long double>(px) - x1);
}

// Regression: the chord form x = J + U*y divided by x2 - x1 and put the
// intersections of nearly vertical centres tens of millimetres off both
// circles, or reported circles that meet as apart. Oracle: each point lies on
// both circles, first on the left, second on the right.
TEST(CircleIntersectTest, NearlyVerticalCentresKeepBothRadiiAndTheirSides) {
  std::mt19937 rng(19);
  int checked = 0;
  for (const NearVertical& c : NearVerticalPairs(23)) {
    const double d = std::hypot(c.X2 - c.X1, c.Y2 - c.Y1);
    if (d < 1) continue;
    // Radii that certainly meet, well away from touching.
    std::uniform_real_distribution<double> share(0.2, 0.8);
    std::uniform_real_distribution<double> lift(0.1, 200);
    const double along = share(rng) * d;
    const double h = lift(rng);
    const double r1 = std::hypot(along, h);
    const double r2 = std::hypot(d - along, h);
    Intersections p{};
    ASSERT_NO_THROW(p = CircleIntersect(c.X1, c.Y1, r1, c.X2, c.Y2, r2))
        << c.X1 << " " << c.Y1 << " " << c.X2 << " " << c.Y2;
    for (const Point& q : {p.First, p.Second}) {
      EXPECT_NEAR(std::hypot(q.X - c.X1, q.Y - c.Y1), r1, 1e-9 * r1);
      EXPECT_NEAR(std::hypot(q.X - c.X2, q.Y - c.Y2), r2, 1e-9 * r2);
    }
    EXPECT_GT(CrossLong(c.X1, c.Y1, c.X2, c.Y2, p.First.X, p.First.Y), 0);
    EXPECT_LT(CrossLong(c.X1, c.Y1, c.X2, c.Y2, p.Second.X, p.Second.Y), 0);
    ++checked;
  }
  EXPECT_GT(checked, 2000);
}

// The slope forms of the line primitives divide by x2 - x1 as well. Scanned
// over the same nearly vertical lines, with points both far from the line and
// within a few micrometres of it, they keep the distance to 1e-9 relative and
// the side of every point that is not within rounding of the line.
TEST(LinePrimitivesTest, NearlyVerticalLinesKeepDistanceAndSide) {
  std::mt19937 rng(29);
  std::uniform_real_distribution<double> across(-50, 50);
  std::uniform_real_distribution<double> along(-300, 300);
  int checked = 0;
  for (const NearVertical& c : NearVerticalPairs(31)) {
    if (c.Y1 == c.Y2) continue;
    for (double scale : {1.0, 1e-6}) {
      const double px = c.X1 + across(rng) * scale;
      const double py = along(rng);
      const long double cross = CrossLong(c.X1, c.Y1, c.X2, c.Y2, px, py);
      const double distance = static_cast<double>(
          std::fabs(cross) / std::hypot(static_cast<long double>(c.X2) - c.X1,
                                        static_cast<long double>(c.Y2) - c.Y1));
      EXPECT_NEAR(LineDistance(px, py, c.X1, c.Y1, c.X2, c.Y2), distance,
                  1e-9 * std::max(1.0, distance));
      if (distance > 1e-9) {
        EXPECT_EQ(SideOfLine(c.X1, c.Y1, c.X2, c.Y2, px, py), cross > 0 ? 1 : -1)
            << px << " " << py << " against " << c.X1 << " " << c.Y1 << " " << c.X2 << " "
            << c.Y2;
        // Reversing the line reverses the side.
        EXPECT_EQ(SideOfLine(c.X2, c.Y2, c.X1, c.Y1, px, py), cross > 0 ? -1 : 1);
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 4000);
}

TEST(CheckedArithmeticTest, NeverReturnsInfinityOrNaN) {
  EXPECT_THROW(CheckedDiv(1, 0), GeometryFailure);
  EXPECT_THROW(CheckedDiv(0, 0), GeometryFailure);
  EXPECT_THROW(CheckedDiv(1e300, 1e-300), GeometryFailure);
  EXPECT_THROW(CheckedDiv(1, std::numeric_limits<double>::infinity()), GeometryFailure);
  EXPECT_THROW(CheckedDiv(-1, -0.0), GeometryFailure);
  EXPECT_THROW(CheckedDiv(std::numeric_limits<double>::infinity(), 2), GeometryFailure);
  EXPECT_THROW(CheckedDiv(std::numeric_limits<double>::quiet_NaN(), 2), GeometryFailure);
  EXPECT_THROW(CheckedSqrt(-1e-300), GeometryFailure);
  EXPECT_THROW(CheckedSqrt(std::numeric_limits<double>::quiet_NaN()), GeometryFailure);
  EXPECT_EQ(CheckedSqrt(0), 0);
  // Overflow inside a primitive is a failure, not a huge or empty result.
  EXPECT_THROW(CircleIntersect(1e200, 0, 1, -1e200, 0, 1), GeometryFailure);
  EXPECT_THROW(LineDistance(0, 0, 0, 0, 1e-320, 1e300), GeometryFailure);
}

}  // namespace
}  // namespace potelan
