// Link ratio and loads. Besides the worked examples, two physical laws are
// the oracles: the link ratio is the derivative of the shock length by the
// axle position (virtual work), and the forces and moments on the swing arm
// and on the link plate balance.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "SampleLinkages.hpp"
#include "model/Solver.hpp"

namespace potelan {
namespace {

constexpr double k3dp = 0.0005;
constexpr double k5dp = 0.000005;

double Cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

ConfigSet SolvedAt(ConfigSet c, double axle, bool* failed = nullptr) {
  AppState state;
  c.AxleStartPos = axle;
  state.Set[0] = c;
  const bool notFormed = NotFormed(SolveLinkage(state, 0, c.SusPos));
  if (failed != nullptr) *failed = notFormed;
  return state.Set[0];
}

ConfigSet Type4Example(int position) {
  ConfigSet c;
  c.SusType = 4, c.SusPos = static_cast<std::int16_t>(position);
  c.ForkLength = 550, c.AxleStartPos = 60, c.SusUpX = 150, c.SusUpY = -250;
  c.ForkLinkLength = 250, c.ForkLinkOffset = 60, c.FrameLinkX = 120, c.FrameLinkY = 90;
  c.LinkUp = 90, c.LinkFr = 70, c.LinkRr = 80, c.TenRodLength = 140;
  c.Preload = 10, c.SpringRate = 8;
  return c;
}

TEST(StaticsTest, Type2WorkedExample) {
  ConfigSet c;
  c.SusType = 2;
  c.ForkLength = 500, c.AxleStartPos = 0, c.ForkLinkLength = 200, c.ForkLinkOffset = 0;
  c.SusUpX = 200, c.SusUpY = -300, c.Preload = 10, c.SpringRate = 10;
  AppState state;
  state.Set[0] = c;
  ASSERT_EQ(SolveLinkage(state, 0, 0), SolveResult::Assembled);
  const ConfigSet& s = state.Set[0];
  EXPECT_DOUBLE_EQ(s.LinkRatio, 0.4);
  EXPECT_DOUBLE_EQ(s.InvLinkRatio, 2.5);
  EXPECT_DOUBLE_EQ(s.SusLength, 300);
  EXPECT_DOUBLE_EQ(s.SusLength0, 300);
  EXPECT_DOUBLE_EQ(s.SusStroke, 0);
  EXPECT_DOUBLE_EQ(s.SusLoad.Magnitude, 100);
  EXPECT_DOUBLE_EQ(s.AxleLoad.Magnitude, 40);
  EXPECT_DOUBLE_EQ(s.PivotLoad.X, 0);
  EXPECT_DOUBLE_EQ(s.PivotLoad.Y, -60);
  EXPECT_DOUBLE_EQ(s.PivotLoad.Magnitude, 60);

  // Solving again 10 mm further keeps the reference length.
  state.Set[0].AxleStartPos = -10;
  ASSERT_EQ(SolveLinkage(state, 0, 0), SolveResult::Assembled);
  EXPECT_DOUBLE_EQ(s.SusLength0, 300);
  EXPECT_NEAR(s.SusStroke, 4, 0.05);
  EXPECT_NEAR(s.SusLoad.Magnitude, 140, 0.5);
}

TEST(StaticsTest, Type4WorkedExampleLoads) {
  const ConfigSet s = SolvedAt(Type4Example(4), 60);
  EXPECT_NEAR(s.LinkRatio, 0.43368, k5dp);
  EXPECT_NEAR(s.SusLength0, 387.371, k3dp);
  EXPECT_EQ(s.SusStroke, 0);
  EXPECT_DOUBLE_EQ(s.SusLoad.Magnitude, 80);
  EXPECT_NEAR(s.AxleLoad.Magnitude, 34.694, k3dp);
  EXPECT_NEAR(s.InvLinkRatio, 2.30586, k5dp);
  EXPECT_NEAR(s.TenRodLoad.Magnitude, 94.658, k3dp);
  EXPECT_NEAR(s.ForkLinkLoad.Magnitude, 94.658, k3dp);
  EXPECT_NEAR(s.ForkLinkLoad.X, -80.755, k3dp);
  EXPECT_NEAR(s.ForkLinkLoad.Y, 49.384, k3dp);
  EXPECT_NEAR(s.PivotLoad.Magnitude, 82.080, k3dp);
  EXPECT_NEAR(s.PivotLoad.X, 80.755, k3dp);
  EXPECT_NEAR(s.PivotLoad.Y, -14.690, k3dp);
  EXPECT_NEAR(s.FrameLinkLoad.Magnitude, 95.561, k3dp);
  EXPECT_NEAR(s.FrameLinkLoad.X, -90.733, k3dp);
  EXPECT_NEAR(s.FrameLinkLoad.Y, -29.991, k3dp);

  EXPECT_NEAR(SolvedAt(Type4Example(1), 60).LinkRatio, 0.09727, k5dp);
}

TEST(StaticsTest, Type3WorkedExampleRatio) {
  ConfigSet c;
  c.SusType = 3, c.SusPos = 1;
  c.ForkLength = 550, c.SusUpX = 200, c.SusUpY = -250, c.ForkLinkLength = 150;
  c.ForkLinkOffset = 60, c.FrameLinkX = 100, c.FrameLinkY = 80, c.LinkUp = 80, c.LinkFr = 60;
  c.LinkRr = 90, c.TenRodLength = 120;
  EXPECT_NEAR(SolvedAt(c, 60).LinkRatio, 1.07753, k5dp);
}

TEST(StaticsTest, RodForceChangesSignWithTheAssemblyBranch) {
  const double t4 = SolvedAt(Type4Example(4), 60).TenRodLoad.Magnitude;
  const double t1 = SolvedAt(Type4Example(1), 60).TenRodLoad.Magnitude;
  EXPECT_GT(t4, 0);
  EXPECT_LT(t1, 0);
}

// dSusLength/dAxleStartPos by the five-point central difference. The step is
// not tiny on purpose: a larger step keeps the rounding noise of the solves
// small while the truncation error of this stencil stays far below the
// tolerance.
double ShockRate(const ConfigSet& c, double h) {
  auto length = [&](double offset) { return SolvedAt(c, c.AxleStartPos + offset).SusLength; };
  return (-length(2 * h) + 8 * length(h) - 8 * length(-h) + length(-2 * h)) / (12 * h);
}

class EveryType : public ::testing::TestWithParam<int> {};

TEST_P(EveryType, LinkRatioIsTheDerivativeOfShockLength) {
  const int type = GetParam();
  const auto linkages = testing::RandomLinkages(type, 40, 1000 + type);
  ASSERT_GE(linkages.size(), 20u);
  int branches[5] = {};
  for (const ConfigSet& c : linkages) {
    const ConfigSet s = SolvedAt(c, c.AxleStartPos);
    const double rate = ShockRate(c, 0.05);
    const double expected = type == 2 ? std::fabs(rate) : rate;
    EXPECT_NEAR(s.LinkRatio, expected, 1e-6 * (1 + std::fabs(expected)))
        << "type " << type << " position " << c.SusPos << " axle " << c.AxleStartPos;
    ++branches[c.SusPos];
  }
  if (type != 2) {
    // The random sets cover several assembly branches, not just one.
    int covered = 0;
    for (int p = 1; p <= 4; ++p) covered += branches[p] > 0;
    EXPECT_GE(covered, 2);
  }
}

TEST_P(EveryType, ForcesAndMomentsOnTheSwingArmBalance) {
  const int type = GetParam();
  for (const ConfigSet& c : testing::RandomLinkages(type, 40, 2000 + type)) {
    const ConfigSet s = SolvedAt(c, c.AxleStartPos);
    // Shock force along the shock axis, from the upper towards the lower mount.
    const double fx = (s.SusLwrX - s.SusUpX) * s.SusLoad.Magnitude / s.SusLength;
    const double fy = (s.SusLwrY - s.SusUpY) * s.SusLoad.Magnitude / s.SusLength;
    const double axleMoment = s.AxleX * s.AxleLoad.Magnitude;
    const double scale = 1e-8 * (1 + std::fabs(axleMoment));
    // What the linkage puts into the swing arm (with the plate where the plate
    // rides on the arm), and where.
    double linkX = 0, linkY = 0, moment = 0;
    switch (type) {
      case 2:
        linkX = fx, linkY = fy;
        moment = Cross(s.SusLwrX, s.SusLwrY, fx, fy);
        break;
      case 3:
        linkX = fx - s.FrameLinkLoad.X, linkY = fy - s.FrameLinkLoad.Y;
        moment = Cross(s.SusLwrX, s.SusLwrY, fx, fy) -
                 Cross(s.LinkLwrX, s.LinkLwrY, s.FrameLinkLoad.X, s.FrameLinkLoad.Y);
        break;
      case 4:
        linkX = s.ForkLinkLoad.X, linkY = s.ForkLinkLoad.Y;
        moment = Cross(s.ForkLinkX, s.ForkLinkY, s.ForkLinkLoad.X, s.ForkLinkLoad.Y);
        break;
      case 5:
        linkX = s.TenRodLoad.X, linkY = s.TenRodLoad.Y;
        moment = Cross(s.LinkLwrX, s.LinkLwrY, s.TenRodLoad.X, s.TenRodLoad.Y);
        break;
      default:
        linkX = -fx - s.TenRodLoad.X, linkY = -fy - s.TenRodLoad.Y;
        moment = -Cross(s.SusUpX, s.SusUpY, fx, fy) -
                 Cross(s.ForkLinkX, s.ForkLinkY, s.TenRodLoad.X, s.TenRodLoad.Y);
        break;
    }
    // Sum of forces: pivot reaction and link forces carry the axle load.
    EXPECT_NEAR(s.PivotLoad.X + linkX, 0, scale) << "type " << type;
    EXPECT_NEAR(s.PivotLoad.Y + linkY, s.AxleLoad.Magnitude, scale) << "type " << type;
    // Moments about the pivot: the axle load times its arm.
    EXPECT_NEAR(moment, axleMoment, scale) << "type " << type << " position " << c.SusPos;
    // Every magnitude computed from components is the length of its vector.
    EXPECT_NEAR(s.PivotLoad.Magnitude, std::hypot(s.PivotLoad.X, s.PivotLoad.Y), scale);
  }
}

class LinkedType : public ::testing::TestWithParam<int> {};

TEST_P(LinkedType, TheLinkPlateIsInEquilibrium) {
  const int type = GetParam();
  for (const ConfigSet& c : testing::RandomLinkages(type, 30, 3000 + type)) {
    const ConfigSet s = SolvedAt(c, c.AxleStartPos);
    const bool onFork = type == 3 || type == 5;
    const double px = onFork ? s.ForkLinkX : s.FrameLinkX;
    const double py = onFork ? s.ForkLinkY : s.FrameLinkY;
    const double rodEndX = onFork ? s.FrameLinkX : s.ForkLinkX;
    const double rodEndY = onFork ? s.FrameLinkY : s.ForkLinkY;
    const double fx = (s.SusLwrX - s.SusUpX) * s.SusLoad.Magnitude / s.SusLength;
    const double fy = (s.SusLwrY - s.SusUpY) * s.SusLoad.Magnitude / s.SusLength;
    // The rod pulls the plate towards its far end with the rod force.
    const double t = s.TenRodLoad.Magnitude;
    const double rx = (rodEndX - s.LinkLwrX) * t / s.TenRodLength;
    const double ry = (rodEndY - s.LinkLwrY) * t / s.TenRodLength;
    const double shockMoment = Cross(s.SusLwrX - px, s.SusLwrY - py, fx, fy);
    const double rodMoment = Cross(s.LinkLwrX - px, s.LinkLwrY - py, rx, ry);
    EXPECT_NEAR(shockMoment + rodMoment, 0, 1e-8 * (1 + std::fabs(shockMoment)))
        << "type " << type << " position " << c.SusPos;
  }
}

INSTANTIATE_TEST_SUITE_P(Types, EveryType, ::testing::Values(2, 3, 4, 5, 6));
INSTANTIATE_TEST_SUITE_P(Types, LinkedType, ::testing::Values(3, 4, 5, 6));

TEST(StaticsTest, LoadsATypeDoesNotComputeAreLeftAlone) {
  ConfigSet c = testing::SampleSet(2);
  c.TenRodLoad = {1, 2, 3};
  c.FrameLinkLoad = {4, 5, 6};
  c.ForkLinkLoad = {7, 8, 9};
  const ConfigSet s = SolvedAt(c, c.AxleStartPos);
  EXPECT_EQ(s.TenRodLoad.Magnitude, 1);
  EXPECT_EQ(s.FrameLinkLoad.Y, 6);
  EXPECT_EQ(s.ForkLinkLoad.X, 8);
}

// The Type 6 fork-side mount takes the rod force back: the same size as the
// rod load and the opposite direction. A flipped component keeps every
// magnitude right, so the components are checked against the rod's own
// direction from the plate's lower corner to the fork-side mount.
TEST(StaticsTest, Type6ForkMountIsTheRodForceReversed) {
  for (const ConfigSet& c : testing::RandomLinkages(6, 20, 6060)) {
    const ConfigSet s = SolvedAt(c, c.AxleStartPos);
    const double t = s.TenRodLoad.Magnitude;
    const double dx = s.ForkLinkX - s.LinkLwrX;
    const double dy = s.ForkLinkY - s.LinkLwrY;
    const double scale = 1e-9 * (1 + std::fabs(t));
    // The rod load points along the rod, towards the fork-side mount for a
    // positive rod force.
    EXPECT_NEAR(s.TenRodLoad.X, dx * t / s.TenRodLength, scale);
    EXPECT_NEAR(s.TenRodLoad.Y, dy * t / s.TenRodLength, scale);
    EXPECT_EQ(s.ForkLinkLoad.Magnitude, t);
    EXPECT_NEAR(s.ForkLinkLoad.X, -dx * t / s.TenRodLength, scale);
    EXPECT_NEAR(s.ForkLinkLoad.Y, -dy * t / s.TenRodLength, scale);
    EXPECT_NEAR(s.ForkLinkLoad.X + s.TenRodLoad.X, 0, scale);
    EXPECT_NEAR(s.ForkLinkLoad.Y + s.TenRodLoad.Y, 0, scale);
  }
}

TEST(StaticsTest, Type5FrameMountCarriesTheRodForce) {
  ConfigSet c = testing::SampleSet(5);
  c.FrameLinkLoad = {-1, -1, -1};
  const ConfigSet s = SolvedAt(c, c.AxleStartPos);
  EXPECT_DOUBLE_EQ(s.FrameLinkLoad.Magnitude, s.TenRodLoad.Magnitude);
  EXPECT_DOUBLE_EQ(s.FrameLinkLoad.X, -s.TenRodLoad.X);
  EXPECT_DOUBLE_EQ(s.FrameLinkLoad.Y, -s.TenRodLoad.Y);
}

TEST(StaticsTest, ShockThroughThePivotFailsOnTheInverseRatioOnly) {
  ConfigSet c;
  c.SusType = 2;
  c.ForkLength = 500, c.AxleStartPos = 0, c.ForkLinkLength = 200, c.ForkLinkOffset = 0;
  c.SusUpX = -100, c.SusUpY = 0, c.Preload = 10, c.SpringRate = 10;
  c.InvLinkRatio = 42;
  bool failed = false;
  const ConfigSet s = SolvedAt(c, 0, &failed);
  EXPECT_TRUE(failed);
  EXPECT_EQ(s.LinkRatio, 0);
  EXPECT_DOUBLE_EQ(s.SusLength, 300);
  EXPECT_DOUBLE_EQ(s.SusLoad.Magnitude, 100);
  EXPECT_EQ(s.InvLinkRatio, 42);
}

TEST(StaticsTest, NoResultIsEverInfiniteOrNaN) {
  // Wild dimensions, zeros included: every solve either fails or leaves
  // finite numbers everywhere.
  std::mt19937 rng(99);
  std::uniform_real_distribution<double> u(-1, 1);
  std::uniform_int_distribution<int> coin(0, 9);
  auto wild = [&](double scale) { return coin(rng) == 0 ? 0.0 : u(rng) * scale; };
  int solved = 0;
  for (int i = 0; i < 20000; ++i) {
    AppState state;
    ConfigSet& c = state.Set[0];
    c.SusType = static_cast<std::int16_t>(2 + i % 5);
    c.SusPos = static_cast<std::int16_t>(1 + (i / 5) % 4);
    c.ForkLength = wild(600), c.AxleStartPos = wild(600), c.ForkLinkLength = wild(300);
    c.ForkLinkOffset = wild(100), c.SusUpX = wild(300), c.SusUpY = wild(300);
    c.SusUpLength = wild(300), c.SusUpOffset = wild(200), c.FrameLinkX = wild(200);
    c.FrameLinkY = wild(200), c.LinkUp = wild(150), c.LinkFr = wild(150), c.LinkRr = wild(150);
    c.TenRodLength = wild(200), c.SpringRate = wild(20), c.Preload = wild(20);
    solved += SolveLinkage(state, 0, c.SusPos) == SolveResult::Assembled;
    for (double v : {c.AxleX, c.AxleY, c.SusUpX, c.SusUpY, c.SusLwrX, c.SusLwrY, c.ForkLinkX,
                     c.ForkLinkY, c.ForkLinkBaseX, c.ForkLinkBaseY, c.LinkLwrX, c.LinkLwrY,
                     c.SusLength, c.SusLength0, c.SusStroke, c.LinkRatio, c.InvLinkRatio,
                     c.SusLoad.Magnitude, c.AxleLoad.Magnitude, c.TenRodLoad.Magnitude,
                     c.TenRodLoad.X, c.TenRodLoad.Y, c.PivotLoad.Magnitude, c.PivotLoad.X,
                     c.PivotLoad.Y, c.FrameLinkLoad.Magnitude, c.FrameLinkLoad.X,
                     c.FrameLinkLoad.Y, c.ForkLinkLoad.Magnitude, c.ForkLinkLoad.X,
                     c.ForkLinkLoad.Y}) {
      ASSERT_TRUE(std::isfinite(v)) << "case " << i;
    }
  }
  EXPECT_GT(solved, 100);
}

}  // namespace
}  // namespace potelan
