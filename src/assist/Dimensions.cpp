#include "assist/Dimensions.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "model/NumberFormat.hpp"

namespace potelan::assist {
namespace {

struct Entry {
  Dimension Dim;
  std::string_view Name;
  double ConfigSet::*Value;
  int MinType;
  int MaxType;
};

// In the order of the link file.
constexpr std::array<Entry, 16> kEntries{{
    {Dimension::SusUpX, "SusUpX", &ConfigSet::SusUpX, 2, 4},
    {Dimension::SusUpY, "SusUpY", &ConfigSet::SusUpY, 2, 4},
    {Dimension::SusUpLength, "SusUpLength", &ConfigSet::SusUpLength, 5, 6},
    {Dimension::SusUpOffset, "SusUpOffset", &ConfigSet::SusUpOffset, 5, 6},
    {Dimension::ForkLinkLength, "ForkLinkLength", &ConfigSet::ForkLinkLength, 2, 6},
    {Dimension::ForkLinkOffset, "ForkLinkOffset", &ConfigSet::ForkLinkOffset, 2, 6},
    {Dimension::ForkLength, "ForkLength", &ConfigSet::ForkLength, 2, 6},
    {Dimension::AxleStartPos, "AxleStartPos", &ConfigSet::AxleStartPos, 2, 6},
    {Dimension::SpringRate, "SpringRate", &ConfigSet::SpringRate, 2, 6},
    {Dimension::Preload, "Preload", &ConfigSet::Preload, 2, 6},
    {Dimension::FrameLinkX, "FrameLinkX", &ConfigSet::FrameLinkX, 3, 6},
    {Dimension::FrameLinkY, "FrameLinkY", &ConfigSet::FrameLinkY, 3, 6},
    {Dimension::LinkUp, "LinkUp", &ConfigSet::LinkUp, 3, 6},
    {Dimension::LinkFr, "LinkFr", &ConfigSet::LinkFr, 3, 6},
    {Dimension::LinkRr, "LinkRr", &ConfigSet::LinkRr, 3, 6},
    {Dimension::TenRodLength, "TenRodLength", &ConfigSet::TenRodLength, 3, 6},
}};

const Entry& EntryOf(Dimension d) {
  for (const Entry& e : kEntries) {
    if (e.Dim == d) return e;
  }
  return kEntries[0];  // every enumerator is in the table
}

}  // namespace

std::string_view JsonName(Dimension d) { return EntryOf(d).Name; }

std::optional<Dimension> DimensionFromJsonName(std::string_view name) {
  for (const Entry& e : kEntries) {
    if (e.Name == name) return e.Dim;
  }
  return std::nullopt;
}

std::vector<Dimension> DimensionsOfType(int susType) {
  std::vector<Dimension> dims;
  for (const Entry& e : kEntries) {
    if (susType >= e.MinType && susType <= e.MaxType) dims.push_back(e.Dim);
  }
  return dims;
}

bool TypeUses(int susType, Dimension d) {
  const Entry& e = EntryOf(d);
  return susType >= e.MinType && susType <= e.MaxType;
}

double ValueOf(const ConfigSet& set, Dimension d) { return set.*(EntryOf(d).Value); }

void SetValue(ConfigSet& set, Dimension d, double value) { set.*(EntryOf(d).Value) = value; }

bool IsSpringValue(Dimension d) { return d == Dimension::SpringRate || d == Dimension::Preload; }

int EntryDecimals(Dimension d) { return IsSpringValue(d) ? 1 : 2; }

double EntryStep(Dimension d) { return IsSpringValue(d) ? 0.1 : 0.01; }

double RoundToEntry(Dimension d, double value) {
  const std::string text = FormatNumber(value, IsSpringValue(d) ? "##.#" : "###.##");
  // A value that rounds to zero is written as the decimal point alone, which
  // the form reads as 0.
  const std::optional<float> read = ParseSingle(text);
  return read ? static_cast<double>(*read) : 0.0;
}

Bounds DefaultBounds(Dimension d, double current) {
  switch (d) {
    case Dimension::SpringRate: {
      const double half = std::max(1.0, std::fabs(current) * 0.2);
      return {std::min(current, std::max(0.0, current - half)), current + half};
    }
    case Dimension::Preload:
      return {std::min(current, std::max(0.0, current - 10)), current + 10};
    default:
      return {current - 20, current + 20};
  }
}

}  // namespace potelan::assist
