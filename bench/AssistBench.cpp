// Speed of the design assistant: the sensitivity of every dimension of a
// Type 4 set, and fits of 3 and 6 dimensions to a 31-point target that a
// known linkage reaches.
#include <benchmark/benchmark.h>

#include <utility>
#include <vector>

#include "SampleLinkages.hpp"
#include "assist/Characteristics.hpp"
#include "assist/Fit.hpp"
#include "assist/Sensitivity.hpp"

namespace potelan::assist {
namespace {

void BM_Sensitivity(benchmark::State& bench) {
  const ConfigSet set = testing::SampleSet(4);
  for (auto _ : bench) {
    const Sensitivity s = ComputeSensitivity(set, 150);
    if (!s.Ok) bench.SkipWithError(s.Message.c_str());
    benchmark::DoNotOptimize(s.Rows.data());
  }
  bench.SetLabel("Type 4, 14 dimensions");
}
BENCHMARK(BM_Sensitivity)->Unit(benchmark::kMicrosecond);

void BM_Characterise(benchmark::State& bench) {
  const ConfigSet set = testing::SampleSet(4);
  for (auto _ : bench) {
    const Characteristics c = Characterise(set, 150, 150.0);
    if (!c.Swept.Ok) bench.SkipWithError(c.Swept.Message.c_str());
    benchmark::DoNotOptimize(c.Peaks.data());
  }
  bench.SetLabel("Type 4, wheel rate, peaks and sag");
}
BENCHMARK(BM_Characterise)->Unit(benchmark::kMicrosecond);

// The Type 4 sample as the start; the target is the ratio curve of the same
// linkage with the first `count` of these changes.
const std::vector<std::pair<Dimension, double>> kChanges{
    {Dimension::LinkUp, -2},  {Dimension::TenRodLength, 3}, {Dimension::FrameLinkX, -3},
    {Dimension::LinkFr, 2},   {Dimension::LinkRr, 2},       {Dimension::FrameLinkY, 3}};

void BM_Fit(benchmark::State& bench) {
  const std::size_t count = static_cast<std::size_t>(bench.range(0));
  const ConfigSet start = testing::SampleSet(4);
  ConfigSet truth = start;
  std::vector<Dimension> vary;
  for (std::size_t i = 0; i < count; ++i) {
    SetValue(truth, kChanges[i].first, ValueOf(start, kChanges[i].first) + kChanges[i].second);
    vary.push_back(kChanges[i].first);
  }
  const Curve curve = SweepCurve(truth, 150, false);
  if (!curve.Ok) {
    bench.SkipWithError("the target linkage does not assemble");
    return;
  }
  const CurveFit fit(MakeFitRequest(start, 150, Quantity::LinkRatio,
                                    TargetFromCurve(curve, Quantity::LinkRatio), vary));
  FitResult result;
  for (auto _ : bench) {
    result = fit.Run();
    benchmark::DoNotOptimize(result.Values.data());
  }
  if (result.Status != FitStatus::Done) bench.SkipWithError(result.Message.c_str());
  bench.counters["rms"] = benchmark::Counter(result.Rms);
  bench.counters["evaluations"] = result.Evaluations;
  bench.SetLabel(std::to_string(count) + " dimensions, 31-point ratio target");
}
BENCHMARK(BM_Fit)->Arg(3)->Arg(6)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace potelan::assist
