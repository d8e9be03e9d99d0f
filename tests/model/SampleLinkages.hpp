// Linkages of every type that assemble over 0..150 mm of axle stroke, and a
// generator of random variations of them, shared by the engine's tests and
// the benchmarks.
#pragma once

#include <random>
#include <vector>

#include "model/AppState.hpp"
#include "model/Solver.hpp"

namespace potelan::testing {

inline ConfigSet SampleSet(int type) {
  ConfigSet c;
  c.SusType = static_cast<std::int16_t>(type);
  switch (type) {
    case 2:
      c.SusPos = 2;
      c.ForkLength = 548, c.AxleStartPos = 70, c.SpringRate = 11, c.Preload = 14;
      c.ForkLinkLength = 226, c.ForkLinkOffset = -1, c.SusUpX = 204, c.SusUpY = -274;
      break;
    case 3:
      c.SusPos = 1;
      c.ForkLength = 582, c.AxleStartPos = 86, c.SpringRate = 12, c.Preload = 10;
      c.ForkLinkLength = 218, c.ForkLinkOffset = 65, c.SusUpX = 120, c.SusUpY = -189;
      c.FrameLinkX = 106, c.FrameLinkY = 113, c.LinkUp = 63, c.LinkFr = 96, c.LinkRr = 115;
      c.TenRodLength = 131;
      break;
    case 4:
      c.SusPos = 3;
      c.ForkLength = 527, c.AxleStartPos = 86, c.SpringRate = 5, c.Preload = 7;
      c.ForkLinkLength = 171, c.ForkLinkOffset = 25, c.SusUpX = 174, c.SusUpY = -281;
      c.FrameLinkX = 68, c.FrameLinkY = 61, c.LinkUp = 112, c.LinkFr = 61, c.LinkRr = 52;
      c.TenRodLength = 80;
      break;
    case 5:
      c.SusPos = 1;
      c.ForkLength = 526, c.AxleStartPos = 74, c.SpringRate = 11, c.Preload = 7;
      c.ForkLinkLength = 239, c.ForkLinkOffset = 78, c.SusUpLength = 193, c.SusUpOffset = -147;
      c.FrameLinkX = 138, c.FrameLinkY = 93, c.LinkUp = 96, c.LinkFr = 86, c.LinkRr = 87;
      c.TenRodLength = 134;
      break;
    default:
      c.SusPos = 1;
      c.ForkLength = 524, c.AxleStartPos = 49, c.SpringRate = 8, c.Preload = 9;
      c.ForkLinkLength = 152, c.ForkLinkOffset = 57, c.SusUpLength = 212, c.SusUpOffset = -95;
      c.FrameLinkX = 162, c.FrameLinkY = 138, c.LinkUp = 103, c.LinkFr = 65, c.LinkRr = 56;
      c.TenRodLength = 131;
      break;
  }
  return c;
}

// Solves a lone set at its stored axle position; returns false when it fails.
inline bool SolvesAt(ConfigSet& set, int position) {
  AppState state;
  state.Set[0] = set;
  const SolveResult result = SolveLinkage(state, 0, position);
  set = state.Set[0];
  return result == SolveResult::Assembled;
}

// Random variations of the sample of a type in every position that assembles
// at its axle position and 1 mm either side of it.
inline std::vector<ConfigSet> RandomLinkages(int type, int count, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> scale(0.85, 1.15);
  std::uniform_real_distribution<double> axle(-60, 90);
  std::vector<ConfigSet> found;
  for (int attempt = 0; attempt < count * 200 && static_cast<int>(found.size()) < count;
       ++attempt) {
    ConfigSet c = SampleSet(type);
    for (double* v : {&c.ForkLinkLength, &c.ForkLinkOffset, &c.SusUpX, &c.SusUpY, &c.SusUpLength,
                      &c.SusUpOffset, &c.FrameLinkX, &c.FrameLinkY, &c.LinkUp, &c.LinkFr,
                      &c.LinkRr, &c.TenRodLength, &c.SpringRate, &c.Preload})
      *v *= scale(rng);
    c.AxleStartPos = axle(rng);
    c.SusPos = static_cast<std::int16_t>(type == 2 ? 2 : 1 + attempt % 4);
    bool ok = true;
    for (double delta : {-1.0, 1.0, 0.0}) {
      ConfigSet probe = c;
      probe.AxleStartPos = c.AxleStartPos + delta;
      ok = ok && SolvesAt(probe, c.SusPos);
    }
    if (ok) found.push_back(c);
  }
  return found;
}

}  // namespace potelan::testing
