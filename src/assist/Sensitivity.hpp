// How each dimension of a set moves its curve: the change of the link ratio
// at three strokes, of the progression and of the shock stroke at full axle
// stroke, per +1 mm of a length (per +1 kgf/mm of spring rate, +1 mm of
// preload). Central differences with a small step on the exact solver.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Dimensions.hpp"
#include "model/AppState.hpp"

namespace potelan::assist {

// The step of the central differences, in the dimension's own unit.
inline constexpr double kSensitivityStep = 0.01;

// The figures a sensitivity is taken of.
struct KeyFigures {
  double RatioAtZero = 0;
  double RatioAtHalf = 0;  // at maxStroke / 2
  double RatioAtMax = 0;
  double ProgressionPercent = 0;
  double SusStrokeAtMax = 0;
};

// The key figures of a set over 0..maxStroke: the set must assemble at every
// 5 mm step, at maxStroke / 2 and at maxStroke. Nothing otherwise.
std::optional<KeyFigures> KeyFiguresOf(const ConfigSet& set, std::int16_t maxStroke);

struct DimensionSensitivity {
  Dimension Dim = Dimension::ForkLength;
  // False when the set at value - step or value + step does not assemble
  // over the stroke: then PerUnit holds no figures.
  bool Assembles = false;
  KeyFigures PerUnit;  // change per +1 unit of the dimension
};

struct Sensitivity {
  bool Ok = false;       // the set itself assembles over the stroke
  std::string Message;   // why not (when !Ok)
  double Step = kSensitivityStep;
  double HalfStroke = 0;
  KeyFigures Base;       // the set's own figures
  std::vector<DimensionSensitivity> Rows;  // every dimension of the type, in file order
};

Sensitivity ComputeSensitivity(const ConfigSet& set, std::int16_t maxStroke,
                               double step = kSensitivityStep);

}  // namespace potelan::assist
