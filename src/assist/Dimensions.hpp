// The entered dimensions of a configuration set as the design assistant sees
// them: their machine names (the ConfigSet member names, also the JSON keys of
// the command-line tool), which link types use them, how an entry box holds
// them and the default range a fit may move them in.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "model/AppState.hpp"

namespace potelan::assist {

enum class Dimension {
  SusUpX,
  SusUpY,
  SusUpLength,
  SusUpOffset,
  ForkLength,
  ForkLinkLength,
  ForkLinkOffset,
  AxleStartPos,
  SpringRate,
  Preload,
  FrameLinkX,
  FrameLinkY,
  LinkUp,
  LinkFr,
  LinkRr,
  TenRodLength,
};

// "TenRodLength", "LinkUp", ...: the ConfigSet member name.
std::string_view JsonName(Dimension d);
// The dimension of a JSON name (exact, case-sensitive), or nothing.
std::optional<Dimension> DimensionFromJsonName(std::string_view name);

// The dimensions that a set of link type `susType` (2..6) is built from, in
// the order of the link file; empty for any other type.
std::vector<Dimension> DimensionsOfType(int susType);
bool TypeUses(int susType, Dimension d);

// The value of a dimension in a set.
double ValueOf(const ConfigSet& set, Dimension d);
void SetValue(ConfigSet& set, Dimension d, double value);

// Spring rate (kgf/mm) and preload are entered with one decimal, every
// length with two.
bool IsSpringValue(Dimension d);
int EntryDecimals(Dimension d);

// The value that an entry box makes of `value`: written with the box's
// pattern ("###.##" for lengths, "##.#" for the spring values) and read back
// through single precision, exactly as a value applied to the form ends up in
// the set.
double RoundToEntry(Dimension d, double value);

// Smallest step of the entry grid of a dimension (0.01 or 0.1).
double EntryStep(Dimension d);

// The default range of a fit around the current value: +-20 mm for lengths,
// +-20 % (at least 1 kgf/mm) for the spring rate and +-10 mm for the preload;
// the lower bound of the two spring values is not below 0 (unless the current
// value already is).
struct Bounds {
  double Lower = 0;
  double Upper = 0;
};
Bounds DefaultBounds(Dimension d, double current);

}  // namespace potelan::assist
