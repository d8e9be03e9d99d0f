// The numeric table as the engine's own sweeps fill it, to hold a window's
// table against: it starts empty, with the items the window's table shows.
#pragma once

#include "model/ResultTable.hpp"

namespace potelan::testing {

inline ResultTable TableLike(const ResultTable& shown) {
  ResultTable table;
  for (const ResultItemInfo& info : ResultItems())
    table.SetShown(info.Item, shown.IsShown(info.Item));
  table.BuildHeaders();
  return table;
}

}  // namespace potelan::testing
