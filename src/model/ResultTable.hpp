// The numeric table's text grid and the fixed list of result items. The cells
// are the one stored form of a series: the table view, the CSV file and the
// printed report all read them back.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/AppState.hpp"

namespace potelan {

enum class ResultItem {
  LinkRatio,
  InvLinkRatio,
  AxleLoad,
  SusLoad,
  TenRodLoad,
  PivotLoad,
  FrameLinkLoad,
  ForkLinkLoad,
  SusLength,
  SusStroke,
};
inline constexpr int kResultItemCount = 10;

struct ResultItemInfo {
  ResultItem Item;
  std::string_view MenuName;  // objectName of the item menu
  std::string_view Caption;   // caption of the item menu
  std::string_view Header;    // header text in the grid
  std::string_view Pattern;   // format pattern of the cells
  bool ShownAtStart;
};

// The ten items in the order of the table.
const std::array<ResultItemInfo, kResultItemCount>& ResultItems();

// The value of an item for a solved set.
double ItemValue(const ConfigSet& set, ResultItem item);

// Whether the set's link type computes the item at all (Type 2 has no rod and
// no link mounts, so those loads hold nothing of its own).
bool TypeComputes(std::int16_t susType, ResultItem item);

inline constexpr int kGridRows = 33;  // two header rows, strokes 0..150 mm

class ResultTable {
 public:
  ResultTable();

  // Which items are shown (the check marks of the item menus).
  bool IsShown(ResultItem item) const { return shown_[static_cast<int>(item)]; }
  void SetShown(ResultItem item, bool shown) { shown_[static_cast<int>(item)] = shown; }
  int ShownCount() const;

  int RowCount() const { return static_cast<int>(rows_.size()); }
  int ColumnCount() const { return columns_; }
  // Sets the number of columns; cells of removed columns are dropped.
  void SetColumnCount(int columns);
  // Grows the grid (never shrinks it) so that row `rows - 1` exists.
  void EnsureRows(int rows);
  // Empties every cell.
  void Clear();
  // Empties the cells of row `row` and every row below it (the grid keeps
  // its size).
  void ClearRowsFrom(int row);

  // The text of a cell; the empty text outside the grid.
  const std::string& Cell(int column, int row) const;
  // Writes a cell; rows beyond the grid grow it, columns beyond it are ignored.
  void SetCell(int column, int row, std::string text);

  // Rebuilds columns and header rows from the shown items (2n + 1 columns).
  void BuildHeaders();

  // Grid row of the step at stroke s: (10 s) div 50 + 2.
  static int RowOfStroke(int stroke) { return (10 * stroke) / 50 + 2; }

 private:
  std::array<bool, kResultItemCount> shown_{};
  int columns_ = 0;
  std::vector<std::vector<std::string>> rows_;
};

// Writes the cell text of a value into column `column`, grid row r + 1.
void WriteTableCell(ResultTable& table, int column, int r, double value, std::string_view pattern);

// Writes the shown items of set w at stroke s, from column c in steps of 2.
void FillTableRow(const AppState& state, ResultTable& table, int stroke, int column, int w);

}  // namespace potelan
