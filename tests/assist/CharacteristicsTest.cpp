// Characteristics of a linkage over the stroke. Oracles: the wheel rate is the
// derivative of the axle load by the stroke (central difference of re-solved
// axle loads), the ratio slope the derivative of the link ratio, the sag the
// stroke a plain bisection of the axle load finds, the peaks the largest of
// loads read off independent solves.
#include <gtest/gtest.h>

#include <cmath>

#include "SampleLinkages.hpp"
#include "assist/Characteristics.hpp"
#include "model/Rates.hpp"

namespace potelan::assist {
namespace {

using potelan::testing::RandomLinkages;
using potelan::testing::SampleSet;

constexpr std::size_t kAxle = static_cast<std::size_t>(LoadItem::Axle);

ConfigSet Solved(const ConfigSet& set, const Curve& curve, double stroke) {
  const std::optional<ConfigSet> s = SolveAtStroke(set, curve.SusLength0, stroke);
  EXPECT_TRUE(s.has_value()) << "stroke " << stroke;
  return s.value_or(set);
}

// Every type's sample, and random linkages of every type that assemble over
// the whole stroke.
std::vector<ConfigSet> Linkages() {
  std::vector<ConfigSet> sets;
  for (int type = 2; type <= 6; ++type) {
    sets.push_back(SampleSet(type));
    for (const ConfigSet& c : RandomLinkages(type, 12, 1234u + static_cast<unsigned>(type))) {
      if (SweepCurve(c, 150).Ok) sets.push_back(c);
    }
  }
  return sets;
}

// The solver's own rounding (nearly tangent circles in some random linkages)
// is about 1e-9 of a value, so the differences use a step of 0.01 mm, where
// that noise and the step's own error both stay well inside the tolerances.
TEST(CharacteristicsTest, WheelRateIsTheDerivativeOfTheAxleLoad) {
  constexpr double h = 1e-2;
  int checked = 0;
  for (const ConfigSet& set : Linkages()) {
    const Curve curve = SweepCurve(set, 150);
    ASSERT_TRUE(curve.Ok) << curve.Message;
    for (const CurvePoint& p : curve.Points) {
      const double up = Solved(set, curve, p.Stroke + h).AxleLoad.Magnitude;
      const double down = Solved(set, curve, p.Stroke - h).AxleLoad.Magnitude;
      const double central = (up - down) / (2 * h);
      EXPECT_NEAR(p.WheelRate, central, 1e-5 * (1 + std::fabs(central)))
          << "type " << set.SusType << " pos " << set.SusPos << " stroke " << p.Stroke;
      ++checked;
    }
  }
  EXPECT_GT(checked, 5 * 31 * 3);
}

TEST(CharacteristicsTest, RatioSlopeIsTheDerivativeOfTheLinkRatio) {
  constexpr double h = 1e-2;
  for (const ConfigSet& set : Linkages()) {
    const Curve curve = SweepCurve(set, 150);
    ASSERT_TRUE(curve.Ok);
    for (const CurvePoint& p : curve.Points) {
      const double central =
          (Solved(set, curve, p.Stroke + h).LinkRatio - Solved(set, curve, p.Stroke - h).LinkRatio) /
          (2 * h);
      EXPECT_NEAR(p.RatioSlope, central, 2e-7 + 1e-5 * std::fabs(central))
          << "type " << set.SusType << " stroke " << p.Stroke;
    }
  }
}

// Sweeps at finer pitches take the rates of a set solved anywhere.
TEST(CharacteristicsTest, RatesOfASetSolvedBetweenSteps) {
  constexpr double h = 1e-2;
  for (int type = 2; type <= 6; ++type) {
    const ConfigSet set = SampleSet(type);
    const Curve curve = SweepCurve(set, 150);
    ASSERT_TRUE(curve.Ok);
    const std::optional<StepRates> rates = RatesOfSolved(Solved(set, curve, 12.3));
    ASSERT_TRUE(rates.has_value());
    const double central = (Solved(set, curve, 12.3 + h).AxleLoad.Magnitude -
                            Solved(set, curve, 12.3 - h).AxleLoad.Magnitude) /
                           (2 * h);
    EXPECT_NEAR(rates->WheelRate, central, 1e-5 * (1 + std::fabs(central))) << "type " << type;
  }
}

// The velocity analysis must describe the same linkage as the solver: its
// shock-length rate is the solver's link ratio (Type 2: its size).
TEST(CharacteristicsTest, ShockLengthRateAgreesWithTheSolversLinkRatio) {
  for (const ConfigSet& set : Linkages()) {
    const Curve curve = SweepCurve(set, 150);
    for (const CurvePoint& p : curve.Points) {
      const ConfigSet s = Solved(set, curve, p.Stroke);
      const std::optional<ShockRates> rates = ShockLengthRates(s);
      ASSERT_TRUE(rates.has_value());
      const double expected = set.SusType == 2 ? std::fabs(rates->dLength) : rates->dLength;
      EXPECT_NEAR(expected, s.LinkRatio, 1e-10) << "type " << set.SusType;
    }
  }
}

// With a spring but no change of ratio the wheel rate reduces to k r^2 at
// zero preload and zero stroke, where the shock load is 0.
TEST(CharacteristicsTest, WheelRateAtZeroShockLoadIsSpringRateTimesRatioSquared) {
  ConfigSet set = SampleSet(4);
  set.Preload = 0;
  const Curve curve = SweepCurve(set, 150);
  ASSERT_TRUE(curve.Ok);
  const CurvePoint& p = curve.Points.front();
  EXPECT_NEAR(p.WheelRate, set.SpringRate * p.LinkRatio * p.LinkRatio, 1e-12);
}

TEST(CharacteristicsTest, CurveStrokesEndAtMaxStroke) {
  EXPECT_EQ(CurveStrokes(150).size(), 31u);
  EXPECT_EQ(CurveStrokes(152).back(), 152);
  EXPECT_EQ(CurveStrokes(152)[30], 150);
  EXPECT_EQ(CurveStrokes(0), std::vector<double>{0});
  EXPECT_TRUE(CurveStrokes(-1).empty());
  const Curve curve = SweepCurve(SampleSet(3), 152);
  ASSERT_TRUE(curve.Ok);
  EXPECT_FALSE(curve.Points.back().OnGrid);
  EXPECT_DOUBLE_EQ(curve.Points.back().LinkRatio,
                   Solved(SampleSet(3), curve, 152).LinkRatio);
}

TEST(CharacteristicsTest, ProgressionIsTheRatioChangeOverTheStroke) {
  for (int type = 2; type <= 6; ++type) {
    const ConfigSet set = SampleSet(type);
    const Characteristics c = Characterise(set, 150);
    ASSERT_TRUE(c.Swept.Ok);
    const double r0 = Solved(set, c.Swept, 0).LinkRatio;
    const double r150 = Solved(set, c.Swept, 150).LinkRatio;
    EXPECT_NEAR(c.ProgressionPercent, (r150 / r0 - 1) * 100, 1e-12) << "type " << type;
  }
}

TEST(CharacteristicsTest, PeaksAreTheLargestLoadsWithTheirStrokes) {
  // Random linkages have negative loads; without a spring all are 0, peaking first.
  std::vector<ConfigSet> sets = Linkages();
  sets.push_back(SampleSet(4));
  sets.back().SpringRate = sets.back().Preload = 0;
  for (const ConfigSet& set : sets) {
    const int type = set.SusType;
    const Characteristics c = Characterise(set, 150);
    ASSERT_TRUE(c.Swept.Ok);
    // Type 2 has no rod and no link mounts: those loads are absent.
    ASSERT_EQ(c.Peaks.size(), type == 2 ? 3u : 6u);
    for (const LoadPeak& peak : c.Peaks) {
      double largest = 0;
      double where = -1;
      for (int s = 0; s <= 150; s += 5) {
        const double v = LoadOf(Solved(set, c.Swept, s), peak.Item);
        if (where < 0 || std::fabs(v) > std::fabs(largest)) largest = v, where = s;
      }
      EXPECT_DOUBLE_EQ(peak.Value, largest) << JsonName(peak.Item) << " type " << type;
      EXPECT_EQ(peak.Stroke, where) << JsonName(peak.Item);
      EXPECT_TRUE(TypeComputes(type, peak.Item));
    }
  }
}

// A plain bisection of the axle load over the whole stroke, with nothing of
// the characteristics' bracketing on the swept curve.
double BisectAxleLoad(const ConfigSet& set, double susLength0, double load) {
  double lo = 0;
  double hi = 150;
  for (int i = 0; i < 60; ++i) {
    const double mid = 0.5 * (lo + hi);
    const double axle = SolveAtStroke(set, susLength0, mid)->AxleLoad.Magnitude;
    (axle < load ? lo : hi) = mid;
  }
  return 0.5 * (lo + hi);
}

TEST(CharacteristicsTest, SagAgreesWithABisectionOfTheAxleLoad) {
  for (int type = 2; type <= 6; ++type) {
    const ConfigSet set = SampleSet(type);
    const Curve curve = SweepCurve(set, 150);
    ASSERT_TRUE(curve.Ok);
    const double first = curve.Points.front().Loads[kAxle];
    const double last = curve.Points.back().Loads[kAxle];
    // Loads whose stroke lies between grid steps and on one.
    for (double share : {0.13, 0.5, 0.77, 0.995}) {
      const double load = first + share * (last - first);
      const Characteristics c = Characterise(set, 150, load);
      ASSERT_TRUE(c.StaticSag.has_value());
      ASSERT_EQ(c.StaticSag->Outcome, SagOutcome::Reached) << "type " << type;
      EXPECT_NEAR(c.StaticSag->Stroke, BisectAxleLoad(set, curve.SusLength0, load), 0.001)
          << "type " << type << " load " << load;
    }
  }
}

TEST(CharacteristicsTest, SagOutsideTheStroke) {
  const ConfigSet set = SampleSet(4);
  const Curve curve = SweepCurve(set, 150);
  const double first = curve.Points.front().Loads[kAxle];
  const double last = curve.Points.back().Loads[kAxle];
  EXPECT_EQ(FindSag(set, curve, last * 1.5).Outcome, SagOutcome::NotReached);
  const Sag held = FindSag(set, curve, first * 0.5);
  EXPECT_EQ(held.Outcome, SagOutcome::HeldByPreload);
  EXPECT_EQ(held.Stroke, 0);
  EXPECT_EQ(FindSag(set, curve, first).Outcome, SagOutcome::HeldByPreload);  // at equality
  EXPECT_FALSE(Characterise(set, 150).StaticSag.has_value());
  // Every comparison with NaN is false: without a guard the bisection
  // reported a sag just past the first step.
  EXPECT_EQ(FindSag(set, curve, std::nan("")).Outcome, SagOutcome::NotReached);
}

TEST(CharacteristicsTest, ALinkageThatFailsOnTheStrokeNamesTheStroke) {
  ConfigSet set = SampleSet(4);
  // Find a rod length that assembles at 0 but not over the whole stroke.
  const Curve good = SweepCurve(set, 150);
  ASSERT_TRUE(good.Ok);
  bool found = false;
  for (double change = 0.5; change < 80 && !found; change += 0.5) {
    ConfigSet c = set;
    c.TenRodLength = set.TenRodLength + (static_cast<int>(change * 2) % 2 == 0 ? change : -change);
    const Curve curve = SweepCurve(c, 150);
    if (!curve.Ok && !curve.Points.empty()) {
      found = true;
      EXPECT_EQ(curve.FailedStroke, curve.Points.back().Stroke + 5);
      EXPECT_NE(curve.Message.find(std::to_string(static_cast<int>(curve.FailedStroke)) + "mm"),
                std::string::npos)
          << curve.Message;
      const Characteristics ch = Characterise(c, 150, 100.0);
      EXPECT_FALSE(ch.Swept.Ok);
      EXPECT_TRUE(ch.Peaks.empty());
      EXPECT_FALSE(ch.StaticSag.has_value());
    }
  }
  EXPECT_TRUE(found);
  EXPECT_FALSE(SweepCurve(set, -1).Ok);
  // A flat plate assembles, but locked it has no rates: not assembled with rates.
  ConfigSet flat = SampleSet(5);
  flat.LinkUp = flat.LinkFr + flat.LinkRr;
  EXPECT_TRUE(SweepCurve(flat, 150, false).Ok);
  EXPECT_FALSE(SweepCurve(flat, 150, true).Ok);
  // A set still holding an old reference length gives the fresh curve.
  ConfigSet old = set;
  old.SusLength0 = set.SusLength0 + 40;
  EXPECT_EQ(SweepCurve(old, 150).Points.back().SusStroke, good.Points.back().SusStroke);
}

}  // namespace
}  // namespace potelan::assist
