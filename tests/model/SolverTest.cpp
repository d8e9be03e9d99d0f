// Placing the joints: worked examples of each layout, the guard, the
// assembly branches, and what a failed solve leaves behind.
#include "model/Solver.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "SampleLinkages.hpp"

namespace potelan {
namespace {

constexpr double k3dp = 0.0005;  // "to three decimals"

ConfigSet Type2Example() {
  ConfigSet c;
  c.SusType = 2;
  c.ForkLength = 500, c.AxleStartPos = 0, c.ForkLinkLength = 200, c.ForkLinkOffset = 0;
  c.SusUpX = 200, c.SusUpY = -300;
  return c;
}

ConfigSet Type4Example() {
  ConfigSet c;
  c.SusType = 4;
  c.ForkLength = 550, c.AxleStartPos = 60, c.SusUpX = 150, c.SusUpY = -250;
  c.ForkLinkLength = 250, c.ForkLinkOffset = 60, c.FrameLinkX = 120, c.FrameLinkY = 90;
  c.LinkUp = 90, c.LinkFr = 70, c.LinkRr = 80, c.TenRodLength = 140;
  return c;
}

ConfigSet Type3Example() {
  ConfigSet c;
  c.SusType = 3;
  c.ForkLength = 550, c.AxleStartPos = 60, c.SusUpX = 200, c.SusUpY = -250;
  c.ForkLinkLength = 150, c.ForkLinkOffset = 60, c.FrameLinkX = 100, c.FrameLinkY = 80;
  c.LinkUp = 80, c.LinkFr = 60, c.LinkRr = 90, c.TenRodLength = 120;
  return c;
}

struct Solved {
  ConfigSet Set;
  bool Failed;
};

Solved SolveAlone(const ConfigSet& set, int position, EditMode mode = EditMode::New) {
  AppState state;
  state.Mode = mode;
  state.Set[5] = set;
  const bool failed = NotFormed(SolveLinkage(state, 5, position));
  return {state.Set[5], failed};
}

TEST(SolverTest, Type2PlacesAxleAndShockMount) {
  Solved r = SolveAlone(Type2Example(), 0);
  ASSERT_FALSE(r.Failed);
  EXPECT_DOUBLE_EQ(r.Set.AxleX, 500);
  EXPECT_DOUBLE_EQ(r.Set.AxleY, 0);
  EXPECT_DOUBLE_EQ(r.Set.SusLwrX, 200);
  EXPECT_DOUBLE_EQ(r.Set.SusLwrY, 0);
  EXPECT_DOUBLE_EQ(r.Set.SusLength, 300);

  ConfigSet stroked = Type2Example();
  stroked.AxleStartPos = -10;
  r = SolveAlone(stroked, 2);
  ASSERT_FALSE(r.Failed);
  const double theta = std::asin(-0.02);
  EXPECT_NEAR(r.Set.SusLwrX, 200 * std::cos(theta), 1e-9);
  EXPECT_NEAR(r.Set.SusLwrY, 200 * std::sin(theta), 1e-9);
  EXPECT_NEAR(r.Set.SusLength, 296, 0.1);
}

TEST(SolverTest, Type4BothBranchesMatchTheWorkedExample) {
  Solved r = SolveAlone(Type4Example(), 4);
  ASSERT_FALSE(r.Failed);
  EXPECT_NEAR(r.Set.AxleX, 546.717, k3dp);
  EXPECT_NEAR(r.Set.AxleY, 60, k3dp);
  EXPECT_NEAR(r.Set.ForkLinkX, 241.962, k3dp);
  EXPECT_NEAR(r.Set.ForkLinkY, 86.915, k3dp);
  EXPECT_NEAR(r.Set.LinkLwrX, 122.526, k3dp);
  EXPECT_NEAR(r.Set.LinkLwrY, 159.954, k3dp);
  EXPECT_NEAR(r.Set.SusLwrX, 198.316, k3dp);
  EXPECT_NEAR(r.Set.SusLwrY, 134.346, k3dp);
  EXPECT_NEAR(r.Set.SusLength, 387.371, k3dp);

  r = SolveAlone(Type4Example(), 1);
  ASSERT_FALSE(r.Failed);
  EXPECT_NEAR(r.Set.LinkLwrX, 118.985, k3dp);
  EXPECT_NEAR(r.Set.LinkLwrY, 20.007, k3dp);
  EXPECT_NEAR(r.Set.SusLwrX, 195.974, k3dp);
  EXPECT_NEAR(r.Set.SusLwrY, 41.751, k3dp);
  EXPECT_NEAR(r.Set.SusLength, 295.351, k3dp);
}

TEST(SolverTest, Type3MatchesTheWorkedExample) {
  Solved r = SolveAlone(Type3Example(), 1);
  ASSERT_FALSE(r.Failed);
  EXPECT_NEAR(r.Set.ForkLinkX, 142.559, k3dp);
  EXPECT_NEAR(r.Set.ForkLinkY, 76.006, k3dp);
  EXPECT_NEAR(r.Set.LinkLwrX, 187.805, k3dp);
  EXPECT_NEAR(r.Set.LinkLwrY, -1.795, k3dp);
  EXPECT_NEAR(r.Set.SusLwrX, 218.194, k3dp);
  EXPECT_NEAR(r.Set.SusLwrY, 49.940, k3dp);
  EXPECT_NEAR(r.Set.SusLength, 300.491, k3dp);
}

TEST(SolverTest, PositionsChooseTheBranchesOfRodAndShockJoints) {
  for (ConfigSet set : {Type3Example(), Type4Example()}) {
    const Solved p1 = SolveAlone(set, 1), p2 = SolveAlone(set, 2), p3 = SolveAlone(set, 3);
    ASSERT_FALSE(p1.Failed || p2.Failed || p3.Failed);
    EXPECT_EQ(p1.Set.LinkLwrX, p2.Set.LinkLwrX);
    EXPECT_EQ(p1.Set.LinkLwrY, p2.Set.LinkLwrY);
    EXPECT_NE(p1.Set.SusLwrY, p2.Set.SusLwrY);
    EXPECT_NE(p1.Set.LinkLwrY, p3.Set.LinkLwrY);
  }
}

TEST(SolverTest, EveryJointKeepsItsMemberLengths) {
  // The members are rigid: whatever the branch, each solved joint lies at the
  // entered distances from its neighbours.
  for (int type = 3; type <= 6; ++type) {
    for (const ConfigSet& c : testing::RandomLinkages(type, 20, 100 + type)) {
      Solved r = SolveAlone(c, c.SusPos);
      ASSERT_FALSE(r.Failed);
      const ConfigSet& s = r.Set;
      const bool onFork = type == 3 || type == 5;
      const double pivotX = onFork ? s.ForkLinkX : s.FrameLinkX;
      const double pivotY = onFork ? s.ForkLinkY : s.FrameLinkY;
      const double rodX = onFork ? s.FrameLinkX : s.ForkLinkX;
      const double rodY = onFork ? s.FrameLinkY : s.ForkLinkY;
      const double pivotToRod = onFork ? s.LinkRr : s.LinkFr;
      const double rodToShock = onFork ? s.LinkFr : s.LinkRr;
      EXPECT_NEAR(std::hypot(s.LinkLwrX - rodX, s.LinkLwrY - rodY), s.TenRodLength, 1e-6);
      EXPECT_NEAR(std::hypot(s.LinkLwrX - pivotX, s.LinkLwrY - pivotY), pivotToRod, 1e-6);
      EXPECT_NEAR(std::hypot(s.SusLwrX - pivotX, s.SusLwrY - pivotY), s.LinkUp, 1e-6);
      EXPECT_NEAR(std::hypot(s.SusLwrX - s.LinkLwrX, s.SusLwrY - s.LinkLwrY), rodToShock, 1e-6);
      EXPECT_NEAR(std::hypot(s.AxleX, s.AxleY), s.ForkLength, 1e-9);
      EXPECT_NEAR(std::hypot(s.ForkLinkX, s.ForkLinkY),
                  std::hypot(s.ForkLinkLength, s.ForkLinkOffset), 1e-9);
      if (type >= 5) {
        EXPECT_NEAR(std::hypot(s.SusUpX, s.SusUpY), std::hypot(s.SusUpLength, s.SusUpOffset),
                    1e-9);
      }
    }
  }
}

TEST(SolverTest, UnreachableAxleFailsAndWritesNothing) {
  ConfigSet c = Type4Example();
  c.AxleStartPos = c.ForkLength;
  c.AxleX = -1;
  Solved r = SolveAlone(c, 4);
  EXPECT_TRUE(r.Failed);
  EXPECT_EQ(r.Set.AxleX, -1);
  EXPECT_EQ(r.Set.SusLength, 0);
}

TEST(SolverTest, ShortTensionRodFailsAfterTheForkIsPlaced) {
  ConfigSet c = Type3Example();
  c.TenRodLength = 5;
  c.LinkLwrX = -7;
  c.LinkLwrY = -7;
  Solved r = SolveAlone(c, 1);
  EXPECT_TRUE(r.Failed);
  EXPECT_NEAR(r.Set.AxleX, 546.717, k3dp);
  EXPECT_NEAR(r.Set.ForkLinkX, 142.559, k3dp);
  EXPECT_NE(r.Set.ForkLinkBaseX, 0);
  EXPECT_NE(r.Set.ForkLinkBaseY, 0);
  EXPECT_EQ(r.Set.LinkLwrX, -7);
  EXPECT_EQ(r.Set.LinkLwrY, -7);
}

TEST(SolverTest, DivisionsByZeroFail) {
  ConfigSet c = Type4Example();
  c.ForkLinkLength = 0;
  EXPECT_TRUE(SolveAlone(c, 4).Failed);

  c = testing::SampleSet(5);
  c.SusUpLength = 0;
  EXPECT_TRUE(SolveAlone(c, c.SusPos).Failed);

  c = Type4Example();
  c.ForkLength = 0;
  EXPECT_TRUE(SolveAlone(c, 4).Failed);
}

TEST(SolverTest, PositionsOutsideOneToFourFail) {
  for (int position : {-3, -1, 5, 6, 100}) {
    EXPECT_TRUE(SolveAlone(Type4Example(), position).Failed) << position;
  }
}

TEST(SolverTest, GuardLeavesTheSetAndTheFlagAlone) {
  ConfigSet c = Type4Example();
  c.AxleX = 123;
  Solved r = SolveAlone(c, 4, EditMode::Changing);
  EXPECT_FALSE(r.Failed);
  EXPECT_EQ(r.Set.AxleX, 123);

  r = SolveAlone(c, 0);  // Types 3 to 6 need a position
  EXPECT_FALSE(r.Failed);
  EXPECT_EQ(r.Set.AxleX, 123);

  // Type 3 is the first type that needs one: at position 0 it is left alone
  // too, neither solved with some branch nor failed.
  ConfigSet type3 = Type3Example();
  type3.AxleX = 123;
  r = SolveAlone(type3, 0);
  EXPECT_FALSE(r.Failed);
  EXPECT_EQ(r.Set.AxleX, 123);
  EXPECT_EQ(r.Set.SusLength, type3.SusLength);

  c.SusType = 0;
  r = SolveAlone(c, 4);
  EXPECT_FALSE(r.Failed);
  EXPECT_EQ(r.Set.AxleX, 123);

  // Type 2 ignores the position, even 0.
  EXPECT_FALSE(SolveAlone(Type2Example(), 0).Failed);
}

TEST(SolverTest, UnknownTypeCannotBeFormed) {
  for (std::int16_t type : {1, 7, -2}) {
    ConfigSet c = Type4Example();
    c.SusType = type;
    EXPECT_TRUE(SolveAlone(c, 4).Failed) << type;
  }
}

TEST(SolverTest, SolvesOnlyTheNamedSetAndNeverClearsTheFlag) {
  AppState state;
  state.Set[1] = Type4Example();
  state.Set[2] = Type3Example();
  state.LinkFailed = true;
  EXPECT_EQ(SolveLinkage(state, 1, 4), SolveResult::Assembled);
  EXPECT_TRUE(state.LinkFailed);  // left as it was: the judgement is the stages' own
  EXPECT_NE(state.Set[1].SusLength, 0);
  EXPECT_EQ(state.Set[2].SusLength, 0);
  EXPECT_THROW(static_cast<void>(SolveLinkage(state, 8, 1)), std::out_of_range);
}

TEST(CopySetTest, CopiesDimensionsButNoResults) {
  AppState state;
  ConfigSet& src = state.Set[1];
  src = testing::SampleSet(5);
  src.SusUpX = 11, src.SusUpY = 12;
  src.PivotMoveX = 3, src.PivotMoveY = -4;
  src.RebSpringRate = 2, src.RebSpringLength = 40;
  src.SusLength0 = 77, src.LinkRatio = 0.5;
  state.Set[3].SusUpX = 99;
  state.Set[7].SusUpY = 98;

  CopySet(state, 1);
  for (int target : {3, 7}) {
    const ConfigSet& t = state.Set[target];
    EXPECT_EQ(t.SusType, 5);
    EXPECT_EQ(t.SusPos, src.SusPos);
    EXPECT_EQ(t.SusUpLength, src.SusUpLength);
    EXPECT_EQ(t.SusUpOffset, src.SusUpOffset);
    EXPECT_EQ(t.TenRodLength, src.TenRodLength);
    EXPECT_EQ(t.AxleStartPos, src.AxleStartPos);
    EXPECT_EQ(t.PivotMoveY, -4);
    EXPECT_EQ(t.RebSpringRate, 0);
    EXPECT_EQ(t.SusLength0, 0);
    EXPECT_EQ(t.LinkRatio, 0);
  }
  // The Type 5 copy does not touch the solved upper-mount coordinates.
  EXPECT_EQ(state.Set[3].SusUpX, 99);
  EXPECT_EQ(state.Set[7].SusUpY, 98);

  CopySet(state, 3);  // the last good set
  EXPECT_EQ(state.Set[5].LinkUp, src.LinkUp);
  EXPECT_THROW(CopySet(state, 6), std::out_of_range);
}

}  // namespace
}  // namespace potelan
