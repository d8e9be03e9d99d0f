// Speed of the engine: one full solve (joints and statics) per link type, and
// a whole 31-step base sweep with its table cell texts.
#include <benchmark/benchmark.h>

#include "SampleLinkages.hpp"
#include "model/ResultTable.hpp"
#include "model/Solver.hpp"
#include "model/StrokeSweep.hpp"

namespace potelan {
namespace {

// One full solve, the axle moving between calls as in a sweep.
void BM_SolveLinkage(benchmark::State& bench) {
  const int type = static_cast<int>(bench.range(0));
  AppState state;
  state.Set[2] = testing::SampleSet(type);
  const double start = state.Set[2].AxleStartPos;
  int step = 0;
  bool failed = false;
  for (auto _ : bench) {
    state.Set[2].AxleStartPos = start - 5 * step;
    step = step == 30 ? 0 : step + 1;
    failed = failed || NotFormed(SolveLinkage(state, 2, state.Set[2].SusPos));
    benchmark::DoNotOptimize(state.Set[2].InvLinkRatio);
  }
  if (failed) bench.SkipWithError("the sample linkage failed to solve");
  bench.SetLabel("Type " + std::to_string(type));
}
BENCHMARK(BM_SolveLinkage)->DenseRange(2, 6);

// The joints alone (no statics), the axle moving as above: the yardstick of
// the full solve, whose statics should cost at most half as much again.
void BM_PlaceJoints(benchmark::State& bench) {
  const int type = static_cast<int>(bench.range(0));
  ConfigSet set = testing::SampleSet(type);
  const double start = set.AxleStartPos;
  int step = 0;
  bool failed = false;
  for (auto _ : bench) {
    set.AxleStartPos = start - 5 * step;
    step = step == 30 ? 0 : step + 1;
    failed = failed || NotFormed(PlaceJoints(set, set.SusPos));
    benchmark::DoNotOptimize(set.SusLwrX);
  }
  if (failed) bench.SkipWithError("the sample linkage failed to place");
  bench.SetLabel("Type " + std::to_string(type));
}
BENCHMARK(BM_PlaceJoints)->DenseRange(2, 6);

// The base sweep of Next at the base stage: 31 solves, points and cell texts.
void BM_StrokeSweep(benchmark::State& bench) {
  const int type = static_cast<int>(bench.range(0));
  AppState state;
  state.Set[0] = testing::SampleSet(type);
  ResultTable table;
  table.BuildHeaders();
  NullPlotSink sink;
  for (auto _ : bench) {
    const SweepResult result = BaseSweep(state, table, sink);
    if (!result.Ok) bench.SkipWithError(result.Message.c_str());
    benchmark::DoNotOptimize(table.Cell(1, 32).data());
  }
  bench.SetLabel("Type " + std::to_string(type));
}
BENCHMARK(BM_StrokeSweep)->Arg(4)->Arg(2)->Arg(6)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace potelan
