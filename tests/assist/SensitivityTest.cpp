// Sensitivity of the key figures to each dimension. Oracle: re-solving the set
// with the dimension moved by a larger amount either way gives the same
// change per unit.
#include <gtest/gtest.h>

#include <cmath>

#include "SampleLinkages.hpp"
#include "assist/Characteristics.hpp"
#include "assist/Sensitivity.hpp"

namespace potelan::assist {
namespace {

using potelan::testing::SampleSet;

TEST(SensitivityTest, EveryDimensionOfTheTypeByItsJsonName) {
  const Sensitivity s = ComputeSensitivity(SampleSet(4), 150);
  ASSERT_TRUE(s.Ok) << s.Message;
  ASSERT_EQ(s.Rows.size(), 14u);
  std::vector<std::string> names;
  for (const DimensionSensitivity& row : s.Rows) names.emplace_back(JsonName(row.Dim));
  const std::vector<std::string> expected{
      "SusUpX",     "SusUpY",     "ForkLinkLength", "ForkLinkOffset", "ForkLength",
      "AxleStartPos", "SpringRate", "Preload",      "FrameLinkX",     "FrameLinkY",
      "LinkUp",     "LinkFr",     "LinkRr",         "TenRodLength"};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(ComputeSensitivity(SampleSet(2), 150).Rows.size(), 8u);
  const Sensitivity type5 = ComputeSensitivity(SampleSet(5), 150);
  ASSERT_TRUE(type5.Ok);
  EXPECT_EQ(type5.Rows.front().Dim, Dimension::SusUpLength);
  EXPECT_EQ(s.Step, kSensitivityStep);
  EXPECT_EQ(s.HalfStroke, 75);
}

// The key figures of a set re-solved with one dimension moved by `delta`.
KeyFigures Moved(const ConfigSet& set, Dimension d, double delta) {
  ConfigSet c = set;
  SetValue(c, d, ValueOf(set, d) + delta);
  const Curve curve = SweepCurve(c, 150, false);
  EXPECT_TRUE(curve.Ok);
  KeyFigures k;
  k.RatioAtZero = curve.Points[0].LinkRatio;
  k.RatioAtHalf = curve.Points[15].LinkRatio;
  k.RatioAtMax = curve.Points[30].LinkRatio;
  k.ProgressionPercent = Progression(curve);
  k.SusStrokeAtMax = curve.Points[30].SusStroke;
  return k;
}

// Re-solves 0.2 and 0.1 mm either side and extrapolates the two central
// differences (Richardson), so the oracle's own error is far below the
// tolerance while its steps stay far above the solver's rounding.
TEST(SensitivityTest, AgreesWithAReSolve) {
  for (int type = 2; type <= 6; ++type) {
    const ConfigSet set = SampleSet(type);
    const Sensitivity s = ComputeSensitivity(set, 150);
    ASSERT_TRUE(s.Ok) << "type " << type;
    for (const DimensionSensitivity& row : s.Rows) {
      ASSERT_TRUE(row.Assembles) << JsonName(row.Dim);
      const KeyFigures p2 = Moved(set, row.Dim, 0.2), m2 = Moved(set, row.Dim, -0.2);
      const KeyFigures p1 = Moved(set, row.Dim, 0.1), m1 = Moved(set, row.Dim, -0.1);
      auto per = [](double KeyFigures::*f, const KeyFigures& a2, const KeyFigures& b2,
                    const KeyFigures& a1, const KeyFigures& b1) {
        const double wide = (a2.*f - b2.*f) / 0.4;
        const double narrow = (a1.*f - b1.*f) / 0.2;
        return (4 * narrow - wide) / 3;
      };
      const std::string what = "type " + std::to_string(type) + " " + std::string(JsonName(row.Dim));
      for (double KeyFigures::*f :
           {&KeyFigures::RatioAtZero, &KeyFigures::RatioAtHalf, &KeyFigures::RatioAtMax,
            &KeyFigures::ProgressionPercent, &KeyFigures::SusStrokeAtMax}) {
        const double expected = per(f, p2, m2, p1, m1);
        EXPECT_NEAR(row.PerUnit.*f, expected, 1e-7 + 1e-4 * std::fabs(expected)) << what;
      }
    }
  }
}

TEST(SensitivityTest, SpringValuesDoNotMoveTheGeometry) {
  const Sensitivity s = ComputeSensitivity(SampleSet(3), 150);
  ASSERT_TRUE(s.Ok);
  for (const DimensionSensitivity& row : s.Rows) {
    if (!IsSpringValue(row.Dim)) continue;
    EXPECT_EQ(row.PerUnit.RatioAtZero, 0);
    EXPECT_EQ(row.PerUnit.ProgressionPercent, 0);
    EXPECT_EQ(row.PerUnit.SusStrokeAtMax, 0);
  }
}

TEST(SensitivityTest, BaseFiguresAreTheSetsOwn) {
  const ConfigSet set = SampleSet(6);
  const Sensitivity s = ComputeSensitivity(set, 150);
  const Curve curve = SweepCurve(set, 150);
  ASSERT_TRUE(s.Ok && curve.Ok);
  EXPECT_EQ(s.Base.RatioAtZero, curve.Points[0].LinkRatio);
  EXPECT_EQ(s.Base.RatioAtHalf, curve.Points[15].LinkRatio);
  EXPECT_EQ(s.Base.RatioAtMax, curve.Points[30].LinkRatio);
  EXPECT_EQ(s.Base.SusStrokeAtMax, curve.Points[30].SusStroke);
  EXPECT_DOUBLE_EQ(s.Base.ProgressionPercent, Progression(curve));
  // An odd maximum stroke puts the half between grid steps: solved there.
  const Sensitivity odd = ComputeSensitivity(set, 151);
  ASSERT_TRUE(odd.Ok);
  EXPECT_EQ(odd.HalfStroke, 75.5);
  const std::optional<ConfigSet> at = SolveAtStroke(set, curve.SusLength0, 75.5);
  ASSERT_TRUE(at.has_value());
  EXPECT_DOUBLE_EQ(odd.Base.RatioAtHalf, at->LinkRatio);
}

// A rod length right at the edge of assembly: one side of the step does not
// assemble over the stroke, so that dimension gets no figures while the
// others still do.
TEST(SensitivityTest, ADimensionWhoseStepDoesNotAssembleIsMarked) {
  ConfigSet set = SampleSet(4);
  auto assembles = [&](double rod) {
    ConfigSet c = set;
    c.TenRodLength = rod;
    return SweepCurve(c, 150, false).Ok;
  };
  double good = set.TenRodLength;
  double bad = good;
  while (assembles(bad) && bad < good + 200) bad += 5;
  ASSERT_FALSE(assembles(bad));
  for (int i = 0; i < 60; ++i) {
    const double mid = 0.5 * (good + bad);
    (assembles(mid) ? good : bad) = mid;
  }
  set.TenRodLength = good - 0.001;  // assembles; +0.01 does not
  const Sensitivity s = ComputeSensitivity(set, 150);
  ASSERT_TRUE(s.Ok) << s.Message;
  for (const DimensionSensitivity& row : s.Rows) {
    if (row.Dim == Dimension::TenRodLength) {
      EXPECT_FALSE(row.Assembles);
      EXPECT_EQ(row.PerUnit.RatioAtZero, 0);
    } else if (row.Dim == Dimension::SpringRate || row.Dim == Dimension::Preload) {
      EXPECT_TRUE(row.Assembles);
    }
  }
}

TEST(SensitivityTest, ASetThatDoesNotAssembleHasNoRows) {
  ConfigSet set = SampleSet(4);
  set.TenRodLength = 10;
  const Sensitivity s = ComputeSensitivity(set, 150);
  EXPECT_FALSE(s.Ok);
  EXPECT_FALSE(s.Message.empty());
  EXPECT_TRUE(s.Rows.empty());
}

}  // namespace
}  // namespace potelan::assist
