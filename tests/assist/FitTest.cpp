// Fitting a set to a target curve. Oracles: a target that is the curve of a
// known linkage is reached; the reported RMS is that of the returned set,
// measured again from scratch; a brute-force grid over the bounds finds
// nothing clearly better than an unreachable fit's result.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "SampleLinkages.hpp"
#include "assist/Fit.hpp"

namespace potelan::assist {
namespace {

using potelan::testing::SampleSet;

// Every entered value of two sets, by dimension.
void ExpectOnlyChanged(const ConfigSet& before, const ConfigSet& after,
                       const std::vector<Dimension>& changed) {
  EXPECT_EQ(before.SusType, after.SusType);
  EXPECT_EQ(before.SusPos, after.SusPos);
  EXPECT_EQ(before.PivotMoveX, after.PivotMoveX);
  EXPECT_EQ(before.PivotMoveY, after.PivotMoveY);
  for (Dimension d : DimensionsOfType(before.SusType)) {
    if (std::find(changed.begin(), changed.end(), d) != changed.end()) continue;
    EXPECT_EQ(ValueOf(before, d), ValueOf(after, d)) << JsonName(d);
  }
}

void ExpectWithinBoundsOnTheEntryGrid(const FitRequest& request, const FitResult& result) {
  ASSERT_EQ(result.Values.size(), request.Vary.size());
  for (std::size_t i = 0; i < request.Vary.size(); ++i) {
    const VaryingDimension& v = request.Vary[i];
    EXPECT_GE(result.Values[i], v.Range.Lower) << JsonName(v.Dim);
    EXPECT_LE(result.Values[i], v.Range.Upper) << JsonName(v.Dim);
    EXPECT_EQ(RoundToEntry(v.Dim, result.Values[i]), result.Values[i]) << JsonName(v.Dim);
    EXPECT_EQ(ValueOf(result.Fitted, v.Dim), result.Values[i]);
  }
}

// The reported figures are those of the returned set, measured again.
void ExpectHonest(const FitRequest& request, const FitResult& result) {
  const std::optional<CurveError> measured =
      MeasureFit(result.Fitted, request.MaxStroke, request.What, request.Target, request.Weights);
  ASSERT_TRUE(measured.has_value()) << "the fitted set does not assemble over the stroke";
  EXPECT_EQ(result.Rms, measured->Rms);
  EXPECT_EQ(result.MaxError, measured->MaxError);
  EXPECT_TRUE(result.FittedCurve.Ok);
  EXPECT_TRUE(std::isfinite(result.Rms));
}

struct KnownLinkage {
  int Type;
  std::vector<std::pair<Dimension, double>> Changes;
};

class ReachableFit : public ::testing::TestWithParam<KnownLinkage> {};

TEST_P(ReachableFit, FindsTheLinkageWhoseCurveIsTheTarget) {
  const KnownLinkage& known = GetParam();
  const ConfigSet start = SampleSet(known.Type);
  ConfigSet truth = start;
  std::vector<Dimension> vary;
  for (const auto& [d, change] : known.Changes) {
    SetValue(truth, d, ValueOf(start, d) + change);
    vary.push_back(d);
  }
  const Curve truthCurve = SweepCurve(truth, 150, false);
  ASSERT_TRUE(truthCurve.Ok) << truthCurve.Message;
  const FitRequest request = MakeFitRequest(start, 150, Quantity::LinkRatio,
                                            TargetFromCurve(truthCurve, Quantity::LinkRatio), vary);
  ASSERT_EQ(request.Target.size(), 31u);
  ASSERT_GT(MeasureFit(start, 150, Quantity::LinkRatio, request.Target)->Rms, 1e-3);

  const FitResult result = CurveFit(request).Run();
  ASSERT_EQ(result.Status, FitStatus::Done) << result.Message;
  EXPECT_LE(result.Rms, 2e-4);
  ExpectWithinBoundsOnTheEntryGrid(request, result);
  ExpectOnlyChanged(start, result.Fitted, vary);
  ExpectHonest(request, result);
  EXPECT_GT(result.Evaluations, 0);
  // The truth lies well inside the default bounds.
  EXPECT_EQ(result.AtBound, std::vector<bool>(vary.size(), false));
}

INSTANTIATE_TEST_SUITE_P(
    ThreeDimensions, ReachableFit,
    ::testing::Values(
        KnownLinkage{3, {{Dimension::LinkUp, 3}, {Dimension::TenRodLength, -2}, {Dimension::FrameLinkY, 4}}},
        KnownLinkage{4, {{Dimension::LinkUp, -2}, {Dimension::TenRodLength, 3}, {Dimension::FrameLinkX, -3}}},
        KnownLinkage{5, {{Dimension::LinkRr, -2}, {Dimension::SusUpOffset, 3}, {Dimension::ForkLinkLength, 4}}},
        KnownLinkage{6, {{Dimension::LinkFr, 2}, {Dimension::TenRodLength, -3}, {Dimension::FrameLinkY, 2}}},
        KnownLinkage{2, {{Dimension::SusUpX, 4}, {Dimension::SusUpY, -3}, {Dimension::ForkLinkLength, 2}}}));

// The axle load depends on the spring as well: a fit of the spring rate and
// a length to an axle-load target.
TEST(FitTest, AxleLoadTargetWithTheSpringRate) {
  const ConfigSet start = SampleSet(4);
  ConfigSet truth = start;
  truth.SpringRate = start.SpringRate + 0.5;
  truth.LinkUp = start.LinkUp - 2;
  const Curve curve = SweepCurve(truth, 150, false);
  ASSERT_TRUE(curve.Ok);
  const FitRequest request =
      MakeFitRequest(start, 150, Quantity::AxleLoad, TargetFromCurve(curve, Quantity::AxleLoad),
                     {Dimension::SpringRate, Dimension::LinkUp});
  const FitResult result = CurveFit(request).Run();
  ASSERT_EQ(result.Status, FitStatus::Done);
  EXPECT_LE(result.Rms, 1e-3);  // kgf
  EXPECT_NEAR(result.Values[0], truth.SpringRate, 1e-6);
  ExpectWithinBoundsOnTheEntryGrid(request, result);
  ExpectHonest(request, result);
}

// A constant ratio of 5 is far beyond any linkage in the bounds. The fit
// must still return an in-bounds set that assembles, with the RMS it really
// has, and a dense grid over the bounds must find nothing clearly better.
TEST(FitTest, UnreachableTargetGivesTheBestAssemblingSetWithItsHonestRms) {
  const ConfigSet start = SampleSet(6);
  const std::vector<Dimension> vary{Dimension::LinkUp, Dimension::TenRodLength};
  const FitRequest request =
      MakeFitRequest(start, 150, Quantity::LinkRatio, {{0, 5.0}, {150, 5.0}}, vary);
  const FitResult result = CurveFit(request).Run();
  ASSERT_EQ(result.Status, FitStatus::Done) << result.Message;
  ExpectWithinBoundsOnTheEntryGrid(request, result);
  ExpectOnlyChanged(start, result.Fitted, vary);
  ExpectHonest(request, result);
  EXPECT_LE(result.Rms, MeasureFit(start, 150, Quantity::LinkRatio, request.Target)->Rms);

  double bestOnGrid = std::numeric_limits<double>::infinity();
  for (int i = 0; i <= 80; ++i) {
    for (int j = 0; j <= 80; ++j) {
      ConfigSet c = start;
      c.LinkUp = request.Vary[0].Range.Lower + i * 0.5;
      c.TenRodLength = request.Vary[1].Range.Lower + j * 0.5;
      if (const std::optional<CurveError> e = MeasureFit(c, 150, Quantity::LinkRatio, request.Target)) {
        bestOnGrid = std::min(bestOnGrid, e->Rms);
      }
    }
  }
  EXPECT_LE(result.Rms, bestOnGrid + 1e-3);

  // Beyond LinkUp's upper bound (off the entry grid) the fit ends on it, marked,
  // with the rod that a scan along the bound finds best.
  ConfigSet truth = SampleSet(4);
  truth.LinkUp -= 3, truth.TenRodLength += 2;
  FitRequest bounded = MakeFitRequest(SampleSet(4), 150, Quantity::LinkRatio,
                                      TargetFromCurve(SweepCurve(truth, 150, false), Quantity::LinkRatio), vary);
  bounded.Vary[0].Range = {truth.LinkUp - 12, truth.LinkUp - 1.992};
  const FitResult edge = CurveFit(bounded).Run();
  EXPECT_EQ(edge.AtBound, (std::vector<bool>{true, false}));
  double bestAlong = std::numeric_limits<double>::infinity();
  ConfigSet c = edge.Fitted;
  for (c.TenRodLength = truth.TenRodLength - 8; c.TenRodLength <= truth.TenRodLength; c.TenRodLength += 0.01) {
    if (const auto e = MeasureFit(c, 150, Quantity::LinkRatio, bounded.Target)) bestAlong = std::min(bestAlong, e->Rms);
  }
  EXPECT_LE(edge.Rms, bestAlong + 1e-9);
  bounded.Vary[0].Range = {truth.LinkUp + 1.992, truth.LinkUp + 12};  // beyond the lower bound
  EXPECT_EQ(CurveFit(bounded).Run().AtBound, (std::vector<bool>{true, false}));
}

// Weights steer the fit: with all weight on the first half of the stroke the
// reported RMS counts only that half.
TEST(FitTest, WeightsAlongTheStroke) {
  const ConfigSet start = SampleSet(3);
  const Curve curve = SweepCurve(start, 150, false);
  std::vector<CurveSample> target = TargetFromCurve(curve, Quantity::LinkRatio);
  for (CurveSample& t : target) {
    if (t.Stroke > 75) t.Value += 1;  // the far half is off by a whole unit
  }
  FitRequest request = MakeFitRequest(start, 150, Quantity::LinkRatio, target,
                                      {Dimension::LinkUp});
  request.Weights = {{75, 1}, {75.001, 0}};
  const FitResult result = CurveFit(request).Run();
  ASSERT_EQ(result.Status, FitStatus::Done);
  EXPECT_LE(result.Rms, 1e-9);  // the start already matches the weighted half
  EXPECT_EQ(result.Values[0], start.LinkUp);
  ExpectHonest(request, result);

  // Over the weights, not the count: weight 2 and an error of 0.1 give an RMS of 0.1.
  const std::vector<CurveSample> off = ShiftTarget(TargetFromCurve(curve, Quantity::LinkRatio), 0.1);
  EXPECT_NEAR(MeasureFit(start, 150, Quantity::LinkRatio, off, {{0, 2}, {150, 2}})->Rms, 0.1, 1e-12);
  // At a maximum stroke of 152 the end point between the 5 mm steps weighs nothing.
  std::vector<CurveSample> end152 = TargetFromCurve(SweepCurve(start, 152, false), Quantity::LinkRatio);
  end152.back().Value += 1;
  EXPECT_EQ(MeasureFit(start, 152, Quantity::LinkRatio, end152)->Rms, 0);
}

TEST(FitTest, CancelStopsTheSearchWithTheBestSetSoFar) {
  const ConfigSet start = SampleSet(4);
  const std::vector<Dimension> vary{Dimension::LinkUp, Dimension::LinkFr, Dimension::LinkRr,
                                    Dimension::TenRodLength, Dimension::FrameLinkX,
                                    Dimension::FrameLinkY};
  const FitRequest request =
      MakeFitRequest(start, 150, Quantity::LinkRatio, {{0, 5.0}, {150, 5.0}}, vary);
  std::atomic<bool> cancel{false};
  int reports = 0;
  const FitResult result = CurveFit(request).Run(
      [&](const FitProgress& p) {
        ++reports;
        EXPECT_TRUE(std::isfinite(p.BestRms));
        EXPECT_GT(p.Evaluations, 0);
        cancel = true;
      },
      &cancel);
  EXPECT_EQ(result.Status, FitStatus::Cancelled);
  EXPECT_GE(reports, 1);
  // The first report comes after a few hundred evaluations; the search ends
  // right after it.
  EXPECT_LT(result.Evaluations, 300);
  ExpectWithinBoundsOnTheEntryGrid(request, result);
  ExpectHonest(request, result);

  // Cancelled before it starts: the start itself, evaluated honestly.
  const FitResult early = CurveFit(request).Run({}, &cancel);
  EXPECT_EQ(early.Status, FitStatus::Cancelled);
  EXPECT_LT(early.Evaluations, 5);
  ExpectHonest(request, early);
}

// A window runs the fit on a worker thread: two fits at once on their own
// threads must give exactly what one fit gives alone (no shared state, the
// search's random numbers seeded per thread).
TEST(FitTest, RunsOnWorkerThreadsWithTheSameResult) {
  const ConfigSet start = SampleSet(5);
  ConfigSet truth = start;
  truth.LinkRr -= 2;
  truth.ForkLinkLength += 3;
  const Curve curve = SweepCurve(truth, 150, false);
  ASSERT_TRUE(curve.Ok);
  const CurveFit fit(MakeFitRequest(start, 150, Quantity::LinkRatio,
                                    TargetFromCurve(curve, Quantity::LinkRatio),
                                    {Dimension::LinkRr, Dimension::ForkLinkLength}));
  const FitResult alone = fit.Run();
  FitResult first;
  FitResult second;
  std::thread a([&] { first = fit.Run(); });
  std::thread b([&] { second = fit.Run(); });
  a.join();
  b.join();
  for (const FitResult* r : {&first, &second}) {
    EXPECT_EQ(r->Values, alone.Values);
    EXPECT_EQ(r->Rms, alone.Rms);
    EXPECT_EQ(r->Evaluations, alone.Evaluations);
  }
}

TEST(FitTest, BadRequestsAreRefusedWithAMessage) {
  const ConfigSet start = SampleSet(2);
  const std::vector<CurveSample> target{{0, 0.5}, {150, 0.6}};
  auto refused = [](const FitRequest& r) {
    const FitResult result = CurveFit(r).Run();
    EXPECT_EQ(result.Status, FitStatus::BadRequest);
    EXPECT_FALSE(result.Message.empty());
    return CheckFitRequest(r).has_value();
  };
  // Type 2 has no rod.
  EXPECT_TRUE(refused(MakeFitRequest(start, 150, Quantity::LinkRatio, target,
                                     {Dimension::TenRodLength})));
  EXPECT_TRUE(refused(MakeFitRequest(start, 150, Quantity::LinkRatio, {}, {Dimension::SusUpX})));
  EXPECT_TRUE(refused(MakeFitRequest(start, 150, Quantity::LinkRatio, target, {})));
  EXPECT_TRUE(refused(MakeFitRequest(start, 150, Quantity::LinkRatio, {{10, 1}, {10, 2}},
                                     {Dimension::SusUpX})));
  EXPECT_TRUE(refused(MakeFitRequest(start, 150, Quantity::LinkRatio, target,
                                     {Dimension::SusUpX, Dimension::SusUpX})));
  FitRequest inverted = MakeFitRequest(start, 150, Quantity::LinkRatio, target, {Dimension::SusUpX});
  std::swap(inverted.Vary[0].Range.Lower, inverted.Vary[0].Range.Upper);
  EXPECT_TRUE(refused(inverted));
  FitRequest negativeWeight = MakeFitRequest(start, 150, Quantity::LinkRatio, target, {Dimension::SusUpX});
  negativeWeight.Weights = {{0, -1}};
  EXPECT_TRUE(refused(negativeWeight));
  // Weight only between two 5 mm steps would leave nothing to measure (a
  // division by a zero weight sum, every candidate counted as failing).
  FitRequest weightOffGrid = negativeWeight;
  weightOffGrid.Weights = {{1, 0}, {2, 1}, {3, 0}};
  EXPECT_TRUE(refused(weightOffGrid));
  FitRequest narrow = MakeFitRequest(start, 150, Quantity::LinkRatio, target, {Dimension::SusUpX});
  narrow.Vary[0].Range.Upper = narrow.Vary[0].Range.Lower + 0.005;  // below one entry step
  EXPECT_TRUE(refused(narrow));
  EXPECT_FALSE(CheckFitRequest(MakeFitRequest(start, 150, Quantity::LinkRatio, target,
                                              {Dimension::SusUpX}))
                   .has_value());
  // NLopt refuses a global stage over an infinite span: an error, not a fallback.
  FitRequest vast = narrow;
  vast.Vary[0].Range = {-1e308, 1e308};
  EXPECT_TRUE(refused(vast) == false && CurveFit(vast).Run().Problem.Problem == FitProblem::StageRefused);
}

TEST(FitTest, NoAssemblingCandidateIsReportedNotReturned) {
  ConfigSet start = SampleSet(4);
  start.TenRodLength = 10;  // far too short for the plate
  FitRequest request = MakeFitRequest(start, 150, Quantity::LinkRatio, {{0, 0.5}},
                                      {Dimension::TenRodLength});
  request.Vary[0].Range = {5, 12};
  const FitResult result = CurveFit(request).Run();
  EXPECT_EQ(result.Status, FitStatus::NoAssemblingSet);
  EXPECT_FALSE(result.Message.empty());
  EXPECT_TRUE(result.Values.empty());
}

TEST(FitTest, TargetHelpers) {
  const std::vector<CurveSample> t{{0, 0.5}, {100, 0.6}, {150, 0.7}};
  EXPECT_DOUBLE_EQ(Interpolate(t, 50), 0.55);
  EXPECT_DOUBLE_EQ(Interpolate(t, 125), 0.65);
  EXPECT_DOUBLE_EQ(Interpolate(t, -5), 0.5);
  EXPECT_DOUBLE_EQ(Interpolate(t, 200), 0.7);
  EXPECT_DOUBLE_EQ(TargetProgression(t), 40);
  const std::vector<CurveSample> more = AddProgression(t, 10);
  EXPECT_DOUBLE_EQ(TargetProgression(more), 50);
  EXPECT_DOUBLE_EQ(more.front().Value, 0.5);
  EXPECT_DOUBLE_EQ(ScaleTarget(t, 2)[1].Value, 1.2);
  EXPECT_DOUBLE_EQ(ShiftTarget(t, 0.1)[2].Value, 0.8);
  EXPECT_EQ(QuantityFromName("inverse"), Quantity::InvLinkRatio);
  EXPECT_EQ(QuantityFromName("axle-load"), Quantity::AxleLoad);
  EXPECT_FALSE(QuantityFromName("Ratio").has_value());
}

// A fit to "+10 % progression" of the set's own curve moves the progression
// by about that much.
TEST(FitTest, MoreProgressionFromTheSetsOwnCurve) {
  const ConfigSet start = SampleSet(4);
  const Curve curve = SweepCurve(start, 150, false);
  const std::vector<CurveSample> target =
      AddProgression(TargetFromCurve(curve, Quantity::LinkRatio), 10);
  const FitRequest request = MakeFitRequest(
      start, 150, Quantity::LinkRatio, target,
      {Dimension::LinkUp, Dimension::LinkFr, Dimension::TenRodLength});
  const FitResult result = CurveFit(request).Run();
  ASSERT_EQ(result.Status, FitStatus::Done);
  ExpectHonest(request, result);
  EXPECT_NEAR(Progression(result.FittedCurve), Progression(curve) + 10, 2.0);
}

TEST(DimensionsTest, NamesTypesAndEntryRounding) {
  for (int type = 2; type <= 6; ++type) {
    for (Dimension d : DimensionsOfType(type)) {
      EXPECT_EQ(DimensionFromJsonName(JsonName(d)), d);
      EXPECT_TRUE(TypeUses(type, d));
    }
  }
  EXPECT_EQ(DimensionsOfType(4).size(), 14u);
  EXPECT_EQ(DimensionsOfType(2).size(), 8u);
  EXPECT_TRUE(DimensionsOfType(7).empty());
  EXPECT_FALSE(DimensionFromJsonName("tenrodlength").has_value());
  // Two decimals for lengths, one for the spring values, through single precision.
  EXPECT_EQ(RoundToEntry(Dimension::LinkUp, 12.345), static_cast<double>(12.35f));
  EXPECT_EQ(RoundToEntry(Dimension::SpringRate, 8.26), static_cast<double>(8.3f));
  EXPECT_EQ(RoundToEntry(Dimension::Preload, 7.26), static_cast<double>(7.3f));
  EXPECT_EQ(RoundToEntry(Dimension::LinkUp, 0.001), 0.0);
  EXPECT_EQ(RoundToEntry(Dimension::SusUpY, -250.004), static_cast<double>(-250.0f));
  const Bounds spring = DefaultBounds(Dimension::SpringRate, 10);
  EXPECT_EQ(spring.Lower, 8);
  EXPECT_EQ(spring.Upper, 12);
  EXPECT_EQ(DefaultBounds(Dimension::Preload, 4).Lower, 0);
  EXPECT_EQ(DefaultBounds(Dimension::Preload, 14).Lower, 4);
  EXPECT_EQ(DefaultBounds(Dimension::LinkUp, 100).Upper, 120);
}

}  // namespace
}  // namespace potelan::assist
