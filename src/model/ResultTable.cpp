#include "model/ResultTable.hpp"

#include <algorithm>

#include "model/NumberFormat.hpp"
#include "model/Rates.hpp"
#include "model/Translatable.hpp"

namespace potelan {

const std::array<ResultItemInfo, kResultItemCount>& ResultItems() {
  static const std::array<ResultItemInfo, kResultItemCount> items{{
      {ResultItem::LinkRatio, "Menu_Link_Ratio",
       QT_TRANSLATE_NOOP("potelan::ResultItems", "ﾘﾝｸﾚｼｵ"),
       QT_TRANSLATE_NOOP("potelan::ResultItems", "ﾘﾝｸﾚｼｵ"), "0.0000", true},
      {ResultItem::InvLinkRatio, "Menu_Link_Ratio2",
       QT_TRANSLATE_NOOP("potelan::ResultItems", "ﾘﾝｸﾚｼｵ(逆数)"),
       QT_TRANSLATE_NOOP("potelan::ResultItems", "ﾘﾝｸﾚｼｵ(逆)"), "0.0000", false},
      {ResultItem::AxleLoad, "Menu_Axle_Load",
       QT_TRANSLATE_NOOP("potelan::ResultItems", "ｱｸｽﾙ荷重"),
       QT_TRANSLATE_NOOP("potelan::ResultItems", "ｱｸｽﾙ荷重"), "##0.0", true},
      {ResultItem::SusLoad, "Menu_Sus_Load", QT_TRANSLATE_NOOP("potelan::ResultItems", "サス荷重"),
       QT_TRANSLATE_NOOP("potelan::ResultItems", "サス荷重"), "##0.0", false},
      {ResultItem::TenRodLoad, "Menu_Ten_Rod_Load",
       QT_TRANSLATE_NOOP("potelan::ResultItems", "ﾃﾝｼｮﾝﾛｯﾄﾞ荷重"), "T-Rod", "###0.0", false},
      {ResultItem::PivotLoad, "Menu_Pivot_Load",
       QT_TRANSLATE_NOOP("potelan::ResultItems", "ピボット荷重"),
       QT_TRANSLATE_NOOP("potelan::ResultItems", "ﾋﾟﾎﾞｯﾄ荷重"), "###0.0", false},
      {ResultItem::FrameLinkLoad, "Menu_Frame_Link_Load",
       QT_TRANSLATE_NOOP("potelan::ResultItems", "ﾌﾚｰﾑﾘﾝｸ取付位置荷重"), "Frm-Link", "###0.0",
       false},
      {ResultItem::ForkLinkLoad, "Menu_Fork_Link_Load",
       QT_TRANSLATE_NOOP("potelan::ResultItems", "ﾌｫｰｸﾘﾝｸ取付位置荷重"), "Fork-Link", "###0.0",
       false},
      {ResultItem::SusLength, "Menu_Sus_Length",
       QT_TRANSLATE_NOOP("potelan::ResultItems", "サス長"),
       QT_TRANSLATE_NOOP("potelan::ResultItems", "サス長"), "##0.0", true},
      {ResultItem::SusStroke, "Menu_Sus_Stroke",
       QT_TRANSLATE_NOOP("potelan::ResultItems", "ｻｽｽﾄﾛｰｸ"),
       QT_TRANSLATE_NOOP("potelan::ResultItems", "ｻｽｽﾄﾛｰｸ"), "##0.0", true},
      // kgf/mm: two decimals keep three figures at the softest rates (0.51)
      // and fit six characters from -99.99 to 999.99.
      {ResultItem::WheelRate, "Menu_Wheel_Rate",
       QT_TRANSLATE_NOOP("potelan::ResultItems", "ﾎｲｰﾙﾚｰﾄ"),
       QT_TRANSLATE_NOOP("potelan::ResultItems", "ﾎｲｰﾙﾚｰﾄ"), "##0.00", false},
  }};
  return items;
}

std::optional<double> ItemValue(const ConfigSet& set, ResultItem item) {
  switch (item) {
    case ResultItem::LinkRatio: return set.LinkRatio;
    case ResultItem::InvLinkRatio: return set.InvLinkRatio;
    case ResultItem::AxleLoad: return set.AxleLoad.Magnitude;
    case ResultItem::SusLoad: return set.SusLoad.Magnitude;
    case ResultItem::TenRodLoad: return set.TenRodLoad.Magnitude;
    case ResultItem::PivotLoad: return set.PivotLoad.Magnitude;
    case ResultItem::FrameLinkLoad: return set.FrameLinkLoad.Magnitude;
    case ResultItem::ForkLinkLoad: return set.ForkLinkLoad.Magnitude;
    case ResultItem::SusLength: return set.SusLength;
    case ResultItem::SusStroke: return set.SusStroke;
    case ResultItem::WheelRate: {
      const std::optional<StepRates> rates = RatesOfSolved(set);
      if (!rates) return std::nullopt;
      return rates->WheelRate;
    }
  }
  return std::nullopt;
}

bool TypeComputes(std::int16_t susType, ResultItem item) {
  if (susType != 2) return true;
  return item != ResultItem::TenRodLoad && item != ResultItem::FrameLinkLoad &&
         item != ResultItem::ForkLinkLoad;
}

ResultTable::ResultTable() {
  for (const ResultItemInfo& info : ResultItems()) SetShown(info.Item, info.ShownAtStart);
  rows_.resize(kGridRows);
  SetColumnCount(2 * ShownCount() + 1);
}

int ResultTable::ShownCount() const {
  return static_cast<int>(std::count(shown_.begin(), shown_.end(), true));
}

void ResultTable::SetColumnCount(int columns) {
  columns_ = std::max(columns, 0);
  for (auto& row : rows_) row.resize(static_cast<std::size_t>(columns_));
}

void ResultTable::EnsureRows(int rows) {
  if (rows <= RowCount()) return;
  rows_.resize(static_cast<std::size_t>(rows), std::vector<std::string>(columns_));
}

void ResultTable::SetRowCount(int rows) {
  rows_.resize(static_cast<std::size_t>(std::max(rows, kGridHeaderRows)),
               std::vector<std::string>(static_cast<std::size_t>(columns_)));
}

void ResultTable::Clear() {
  for (auto& row : rows_) std::fill(row.begin(), row.end(), std::string());
}

const std::string& ResultTable::Cell(int column, int row) const {
  static const std::string empty;
  if (row < 0 || row >= RowCount() || column < 0 || column >= columns_) return empty;
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void ResultTable::SetCell(int column, int row, std::string text) {
  if (row < 0 || column < 0 || column >= columns_) return;
  EnsureRows(row + 1);
  rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
}

void ResultTable::BuildHeaders() {
  const int shown = ShownCount();
  SetColumnCount(2 * shown + 1);
  SetCell(0, 0, QT_TRANSLATE_NOOP("potelan::ResultItems", "ｱｸｽﾙ"));
  SetCell(0, 1, QT_TRANSLATE_NOOP("potelan::ResultItems", "ｽﾄﾛｰｸ"));
  int column = 1;
  for (const ResultItemInfo& info : ResultItems()) {
    if (!IsShown(info.Item)) continue;
    SetCell(column, 0, std::string(info.Header));
    column += 2;
  }
  for (int k = 1; k <= shown; ++k) {
    SetCell(2 * k - 1, 1, QT_TRANSLATE_NOOP("potelan::ResultItems", "基準"));
    SetCell(2 * k, 1, QT_TRANSLATE_NOOP("potelan::ResultItems", "変更"));
  }
}

void WriteTableCell(ResultTable& table, int column, int r, double value,
                    std::string_view pattern) {
  table.SetCell(column, r + 1, CellText(value, pattern));
}

void FillTableRow(const AppState& state, ResultTable& table, int stroke, int column, int w) {
  const ConfigSet& set = state.Set.at(static_cast<std::size_t>(w));
  const int r = (10 * stroke) / 50 + 1;
  for (const ResultItemInfo& info : ResultItems()) {
    if (!table.IsShown(info.Item)) continue;
    const std::optional<double> value =
        TypeComputes(set.SusType, info.Item) ? ItemValue(set, info.Item) : std::nullopt;
    if (value) {
      WriteTableCell(table, column, r, *value, info.Pattern);
    } else {
      table.SetCell(column, r + 1, std::string());
    }
    column += 2;
  }
}

}  // namespace potelan
