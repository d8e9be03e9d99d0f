// The assistant's engine works on the model's table of dimensions
// (model/Dimensions.hpp); these declarations let code that names them
// through the engine (assist::Dimension, assist::DefaultBounds, ...) keep
// doing so. Nothing is listed here.
#pragma once

#include "model/Dimensions.hpp"

namespace potelan::assist {

using potelan::Bounds;
using potelan::DefaultBounds;
using potelan::Dimension;
using potelan::DimensionFromJsonName;
using potelan::DimensionsOfType;
using potelan::EntryDecimals;
using potelan::EntryStep;
using potelan::IsSpringValue;
using potelan::JsonName;
using potelan::RoundToEntry;
using potelan::SetValue;
using potelan::TypeUses;
using potelan::ValueOf;

}  // namespace potelan::assist
