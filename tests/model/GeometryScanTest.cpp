// Scans of whole solves near the positions where two joints that the solver
// pairs (the centres of a circle pair, the two ends of a lever-arm or side
// line) lie nearly above one another. The axle position is stepped by single
// precision steps, as entered values are, and two oracles judge each solve:
// every placed joint keeps every member length, and a linkage that assembles
// on both sides of a position is not reported as failing there.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <utility>
#include <vector>

#include "SampleLinkages.hpp"
#include "model/Geometry.hpp"
#include "model/Solver.hpp"
#include "model/StrokeSweep.hpp"

namespace potelan {
namespace {

constexpr double kLengthRel = 1e-9;

struct Outcome {
  ConfigSet Set;
  bool Failed = false;
};

// One solve of a lone set at its stored axle position, with a fresh reference
// shock length, as the main window solves a set at zero stroke.
Outcome SolveFresh(const ConfigSet& set) {
  AppState state;
  state.Mode = EditMode::New;
  state.Set[kBaseSet] = set;
  state.Set[kBaseSet].SusLength0 = 0;
  const bool failed = NotFormed(SolveLinkage(state, kBaseSet, set.SusPos));
  return {state.Set[kBaseSet], failed};
}

Outcome SolveAtAxle(ConfigSet set, double axle) {
  set.AxleStartPos = axle;
  return SolveFresh(set);
}

bool PlateOnFork(const ConfigSet& s) { return s.SusType == 3 || s.SusType == 5; }

// Every member of a solved linked set (Types 3 to 6) at its entered length.
::testing::AssertionResult KeepsMemberLengths(const ConfigSet& s) {
  struct Member {
    const char* Name;
    double Ax, Ay, Bx, By, Length;
  };
  const bool onFork = PlateOnFork(s);
  const double pivotX = onFork ? s.ForkLinkX : s.FrameLinkX;
  const double pivotY = onFork ? s.ForkLinkY : s.FrameLinkY;
  const double rodX = onFork ? s.FrameLinkX : s.ForkLinkX;
  const double rodY = onFork ? s.FrameLinkY : s.ForkLinkY;
  std::vector<Member> members = {
      {"fork", 0, 0, s.AxleX, s.AxleY, s.ForkLength},
      {"fork-side link mount", 0, 0, s.ForkLinkX, s.ForkLinkY,
       std::hypot(s.ForkLinkLength, s.ForkLinkOffset)},
      {"tension rod", rodX, rodY, s.LinkLwrX, s.LinkLwrY, s.TenRodLength},
      {"plate side from pivot to rod joint", pivotX, pivotY, s.LinkLwrX, s.LinkLwrY,
       onFork ? s.LinkRr : s.LinkFr},
      {"plate upper side", pivotX, pivotY, s.SusLwrX, s.SusLwrY, s.LinkUp},
      {"plate side from rod joint to shock joint", s.LinkLwrX, s.LinkLwrY, s.SusLwrX, s.SusLwrY,
       onFork ? s.LinkFr : s.LinkRr},
  };
  if (s.SusType >= 5) {
    members.push_back({"shock upper mount", 0, 0, s.SusUpX, s.SusUpY,
                       std::hypot(s.SusUpLength, s.SusUpOffset)});
  }
  for (const Member& m : members) {
    const double length = std::hypot(m.Bx - m.Ax, m.By - m.Ay);
    if (!(std::fabs(length - m.Length) <= kLengthRel * m.Length)) {
      std::ostringstream out;
      out.precision(17);
      out << m.Name << " is " << length << " instead of " << m.Length << " (type " << s.SusType
          << ", position " << s.SusPos << ", AxleStartPos " << s.AxleStartPos << ")";
      return ::testing::AssertionFailure() << out.str();
    }
  }
  return ::testing::AssertionSuccess();
}

// dSusLength/dAxleStartPos by the five-point central difference.
double ShockRate(const ConfigSet& set, double h) {
  auto length = [&](double offset) {
    return SolveAtAxle(set, set.AxleStartPos + offset).Set.SusLength;
  };
  return (-length(2 * h) + 8 * length(h) - 8 * length(-h) + length(-2 * h)) / (12 * h);
}

// The pairs of joints whose X the solver subtracts: the centres of its two
// circle pairs and the ends of the lines it measures lever arms and sides from.
std::vector<std::pair<Point, Point>> JointPairs(const ConfigSet& s) {
  const bool onFork = PlateOnFork(s);
  const Point fork{s.ForkLinkX, s.ForkLinkY};
  const Point frame{s.FrameLinkX, s.FrameLinkY};
  const Point rodJoint{s.LinkLwrX, s.LinkLwrY};
  const Point shockJoint{s.SusLwrX, s.SusLwrY};
  const Point shockUp{s.SusUpX, s.SusUpY};
  const Point pivot = onFork ? fork : frame;
  const Point rodEnd = onFork ? frame : fork;
  return {{fork, frame},       {pivot, rodJoint},      {shockUp, shockJoint},
          {rodEnd, rodJoint},  {pivot, shockJoint}};
}

// The axle positions between AxleStartPos and AxleStartPos - 150 at which one
// of the joint pairs lies exactly above one another, found by bisection.
std::vector<double> VerticalCrossings(const ConfigSet& set) {
  std::vector<double> crossings;
  auto dx = [&](double axle, std::size_t pair, bool* ok) {
    const Outcome r = SolveAtAxle(set, axle);
    *ok = !r.Failed;
    const auto pairs = JointPairs(r.Set);
    return pairs[pair].second.X - pairs[pair].first.X;
  };
  const std::size_t pairCount = JointPairs(set).size();
  for (std::size_t pair = 0; pair < pairCount; ++pair) {
    for (double stroke = 0; stroke < 150; stroke += 1) {
      double hi = set.AxleStartPos - stroke;
      double lo = hi - 1;
      bool okHi = false, okLo = false;
      double fHi = dx(hi, pair, &okHi);
      const double fLo = dx(lo, pair, &okLo);
      if (!okHi || !okLo || (fHi > 0) == (fLo > 0)) continue;
      bool ok = true;
      for (int i = 0; i < 60 && ok; ++i) {
        const double mid = (hi + lo) / 2;
        bool okMid = false;
        const double fMid = dx(mid, pair, &okMid);
        ok = okMid;
        if ((fMid > 0) == (fHi > 0)) {
          hi = mid, fHi = fMid;
        } else {
          lo = mid;
        }
      }
      if (ok) crossings.push_back(hi);
    }
  }
  return crossings;
}

// Solves at `steps` single-precision steps either side of `axle` and checks
// every solve; returns how many assembled.
int ScanFloatSteps(const ConfigSet& set, double axle, int steps) {
  float entered = static_cast<float>(axle);
  for (int i = 0; i < steps; ++i) entered = std::nextafter(entered, -1e9f);
  int assembled = 0;
  for (int i = 0; i <= 2 * steps; ++i, entered = std::nextafter(entered, 1e9f)) {
    const Outcome r = SolveAtAxle(set, entered);
    if (r.Failed) {
      EXPECT_TRUE(SolveAtAxle(set, entered - 0.01).Failed ||
                  SolveAtAxle(set, entered + 0.01).Failed)
          << "assembles 0.01 mm either side of AxleStartPos " << entered << " (type "
          << set.SusType << ", position " << set.SusPos << ") but reported as failing";
      continue;
    }
    EXPECT_TRUE(KeepsMemberLengths(r.Set));
    ++assembled;
  }
  return assembled;
}

// The Type 4 set of a user's entries whose fork-side and frame-side link
// mounts lie 1e-5 mm apart in X at zero stroke.
ConfigSet NearlyVerticalType4() {
  ConfigSet c;
  c.SusType = 4, c.SusPos = 3;
  c.SusUpX = 174, c.SusUpY = -281, c.ForkLinkLength = 171, c.ForkLinkOffset = 25;
  c.ForkLength = 527, c.AxleStartPos = static_cast<float>(80.0000763), c.SpringRate = 5;
  c.Preload = 7, c.FrameLinkX = static_cast<float>(165.223175);
  c.FrameLinkY = static_cast<float>(150.668549), c.LinkUp = 112, c.LinkFr = 70, c.LinkRr = 52;
  c.TenRodLength = 80;
  return c;
}

// Regression: the chord form of the circle intersection put this set's rod
// joint at (269.36, 108.17), stretching the tension rod to 118.95 mm, and gave
// a link ratio of 0.0831 against a true rate of about 0.26. The reference
// shock length of every sweep was taken from that solve, so the whole table
// was wrong while the same set with FrameLinkX 0.01 mm aside was right.
TEST(GeometryScanTest, NearlyVerticalMountsAtZeroStrokeKeepTheRodAndTheRatio) {
  const ConfigSet set = NearlyVerticalType4();
  const Outcome r = SolveFresh(set);
  ASSERT_FALSE(r.Failed);
  EXPECT_TRUE(KeepsMemberLengths(r.Set));
  EXPECT_NEAR(std::hypot(r.Set.LinkLwrX - r.Set.ForkLinkX, r.Set.LinkLwrY - r.Set.ForkLinkY),
              80, 80 * kLengthRel);
  const double rate = ShockRate(set, 0.05);
  EXPECT_NEAR(r.Set.LinkRatio, rate, 1e-6 * (1 + std::fabs(rate)));

  // The base sweep takes its reference shock length from the zero-stroke solve:
  // it must lie between those of the sets 0.01 mm aside.
  AppState state;
  state.Mode = EditMode::New;
  state.Set[kBaseSet] = set;
  ResultTable table;
  NullPlotSink sink;
  ASSERT_TRUE(BaseSweep(state, table, sink).Ok);
  ConfigSet left = set, right = set;
  left.FrameLinkX -= 0.01, right.FrameLinkX += 0.01;
  const double lo = SolveFresh(left).Set.SusLength, hi = SolveFresh(right).Set.SusLength;
  EXPECT_NEAR(state.Set[kBaseWork].SusLength0, (lo + hi) / 2, std::fabs(hi - lo) / 2 + 1e-6);
  EXPECT_NEAR(state.Set[kBaseWork].SusLength0, r.Set.SusLength, 1e-9);
}

// Regression: near the set above, scans put joints tens of millimetres off
// their members or reported a linkage that assembles as failing. The axle
// position is stepped by single-precision steps through the place where the
// two link mounts lie exactly above one another.
TEST(GeometryScanTest, AxleStepsThroughNearlyVerticalMountsKeepEveryMember) {
  const ConfigSet set = NearlyVerticalType4();
  const int steps = 1500;
  EXPECT_EQ(ScanFloatSteps(set, set.AxleStartPos, steps), 2 * steps + 1);
  // The scan did pass the mounts' vertical: the X offset changes sign in it.
  ConfigSet low = set, high = set;
  low.AxleStartPos -= steps * 7.6e-6, high.AxleStartPos += steps * 7.6e-6;
  const Outcome a = SolveFresh(low), b = SolveFresh(high);
  ASSERT_FALSE(a.Failed || b.Failed);
  EXPECT_NE(a.Set.ForkLinkX > a.Set.FrameLinkX, b.Set.ForkLinkX > b.Set.FrameLinkX);
}

// Regression: the bundled Type 5 example (examples/type5.lin) met the same
// fault at an axle stroke of about 51.7127 mm, where the old chord form threw
// the shock joint to x = 8208.9. A caller's sweep of the changed working set
// at fine steps through that stroke keeps every member.
TEST(GeometryScanTest, Type5ExampleSweptFinelyThroughItsNearlyVerticalStroke) {
  AppState state;
  state.Mode = EditMode::Change;
  state.Set[kChangedSet] = testing::SampleSet(5);  // the values of examples/type5.lin
  CopySet(state, kChangedSet);
  ConfigSet& work = state.Set[kChangedWork];
  work.SusLength0 = 0;
  ASSERT_EQ(SolveLinkage(state, kChangedWork, work.SusPos), SolveResult::Assembled);
  int solved = 0;
  for (int i = -2000; i <= 2000; ++i) {
    const double stroke = 51.7127 + i * 1e-6;
    work.AxleStartPos = state.Set[kChangedSet].AxleStartPos - stroke;
    ASSERT_EQ(SolveLinkage(state, kChangedWork, work.SusPos), SolveResult::Assembled)
        << "stroke " << stroke;
    ASSERT_TRUE(KeepsMemberLengths(work)) << "stroke " << stroke;
    ASSERT_LT(std::fabs(work.SusLwrX), 1000) << "stroke " << stroke;
    ++solved;
  }
  work.AxleStartPos = state.Set[kChangedSet].AxleStartPos;
  EXPECT_EQ(solved, 4001);
}

// Every type and position of the sample linkages, scanned in single-precision
// steps through every axle position between 0 and 150 mm of stroke at which a
// joint pair lies exactly above one another. Besides the member lengths, the
// link ratio must stay the derivative of the shock length there: the lever
// arms and sides are measured from lines that pass the vertical too.
TEST(GeometryScanTest, EveryVerticalCrossingOfTheSamplesKeepsMembersAndRatio) {
  int crossings = 0;
  int assembled = 0;
  for (int type = 3; type <= 6; ++type) {
    for (std::int16_t position = 1; position <= 4; ++position) {
      ConfigSet set = testing::SampleSet(type);
      set.SusPos = position;
      for (double axle : VerticalCrossings(set)) {
        ++crossings;
        assembled += ScanFloatSteps(set, axle, 100);
        for (double offset : {-1e-5, 0.0, 1e-5}) {
          const Outcome r = SolveAtAxle(set, static_cast<float>(axle + offset));
          if (r.Failed) continue;
          const double rate = ShockRate(r.Set, 0.05);
          EXPECT_NEAR(r.Set.LinkRatio, rate, 1e-6 * (1 + std::fabs(rate)))
              << "type " << type << " position " << position << " axle " << r.Set.AxleStartPos;
        }
      }
    }
  }
  // The samples pass the vertical often enough for the scan to mean something.
  EXPECT_GE(crossings, 10);
  EXPECT_GE(assembled, 10 * 150);
}

}  // namespace
}  // namespace potelan
