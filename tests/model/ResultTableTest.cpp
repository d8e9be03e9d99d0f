// The table grid: columns and headers follow the shown items, cells are
// six-character texts, and rows grow for strokes beyond 150 mm.
#include "model/ResultTable.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "SampleLinkages.hpp"
#include "model/NumberFormat.hpp"
#include "model/Rates.hpp"
#include "model/Solver.hpp"
#include "model/StrokeSweep.hpp"

namespace potelan {
namespace {

TEST(ResultTableTest, StartsWithTheFourDefaultItems) {
  ResultTable table;
  table.BuildHeaders();
  EXPECT_EQ(table.RowCount(), 33);
  EXPECT_EQ(table.ColumnCount(), 9);
  EXPECT_EQ(table.Cell(0, 0), "ｱｸｽﾙ");
  EXPECT_EQ(table.Cell(0, 1), "ｽﾄﾛｰｸ");
  EXPECT_EQ(table.Cell(1, 0), "ﾘﾝｸﾚｼｵ");
  EXPECT_EQ(table.Cell(3, 0), "ｱｸｽﾙ荷重");
  EXPECT_EQ(table.Cell(5, 0), "サス長");
  EXPECT_EQ(table.Cell(7, 0), "ｻｽｽﾄﾛｰｸ");
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(table.Cell(2 * k - 1, 1), "基準");
    EXPECT_EQ(table.Cell(2 * k, 1), "変更");
    EXPECT_EQ(table.Cell(2 * k, 0), "");
  }
}

TEST(ResultTableTest, ColumnsFollowTheShownItems) {
  ResultTable table;
  table.SetShown(ResultItem::LinkRatio, false);
  table.SetShown(ResultItem::InvLinkRatio, true);
  table.BuildHeaders();
  EXPECT_EQ(table.ColumnCount(), 9);
  EXPECT_EQ(table.Cell(1, 0), "ﾘﾝｸﾚｼｵ(逆)");

  table.SetShown(ResultItem::AxleLoad, false);
  table.SetShown(ResultItem::SusLength, false);
  table.SetShown(ResultItem::SusStroke, false);
  table.BuildHeaders();
  EXPECT_EQ(table.ColumnCount(), 3);
  EXPECT_EQ(table.Cell(3, 0), "");  // outside the grid now

  for (const ResultItemInfo& info : ResultItems()) table.SetShown(info.Item, true);
  table.BuildHeaders();
  EXPECT_EQ(table.ColumnCount(), 2 * kResultItemCount + 1);
  EXPECT_EQ(table.Cell(9, 0), "T-Rod");
  EXPECT_EQ(table.Cell(19, 0), "ｻｽｽﾄﾛｰｸ");
}

TEST(ResultTableTest, CellTextsAreSixCharactersOrEmpty) {
  ResultTable table;
  WriteTableCell(table, 1, 1, 0.5, "0.0000");
  WriteTableCell(table, 3, 1, 12.34, "##0.0");
  WriteTableCell(table, 0, 1, 0, "##0");
  WriteTableCell(table, 0, 31, 150, "##0");
  WriteTableCell(table, 5, 1, 10000, "###0.0");
  EXPECT_EQ(table.Cell(1, 2), "0.5000");
  EXPECT_EQ(table.Cell(3, 2), "  12.3");
  EXPECT_EQ(table.Cell(0, 2), "     0");
  EXPECT_EQ(table.Cell(0, 32), "   150");
  EXPECT_EQ(table.Cell(5, 2), "");
}

TEST(ResultTableTest, RowsGrowAndCellsOutsideTheGridAreEmpty) {
  ResultTable table;
  table.SetCell(0, 42, "   200");
  EXPECT_EQ(table.RowCount(), 43);
  EXPECT_EQ(table.Cell(0, 42), "   200");
  EXPECT_EQ(table.Cell(0, 43), "");
  EXPECT_EQ(table.Cell(-1, 0), "");
  table.SetCell(50, 2, "x");  // no such column: ignored
  EXPECT_EQ(table.Cell(50, 2), "");
  table.Clear();
  EXPECT_EQ(table.Cell(0, 42), "");
  EXPECT_EQ(ResultTable::RowOfStroke(0), 2);
  EXPECT_EQ(ResultTable::RowOfStroke(150), 32);
}

TEST(ResultTableTest, RowCountIsSetExactly) {
  ResultTable table;
  table.BuildHeaders();
  table.SetCell(1, 32, "0.5000");
  table.SetRowCount(20);
  EXPECT_EQ(table.RowCount(), 20);
  EXPECT_EQ(table.Cell(1, 32), "");
  EXPECT_EQ(table.Cell(1, 0), "ﾘﾝｸﾚｼｵ");
  table.SetRowCount(33);  // rows added again are empty: nothing old comes back
  EXPECT_EQ(table.Cell(1, 32), "");
  table.SetCell(8, 32, "   1.0");
  EXPECT_EQ(table.Cell(8, 32), "   1.0");  // with every column
  table.SetRowCount(0);                    // the header rows stay
  EXPECT_EQ(table.RowCount(), 2);
  EXPECT_EQ(table.Cell(0, 1), "ｽﾄﾛｰｸ");
}

TEST(FillTableRowTest, WritesShownItemsEveryOtherColumn) {
  AppState state;
  state.Set[3] = testing::SampleSet(4);
  ASSERT_EQ(SolveLinkage(state, 3, state.Set[3].SusPos), SolveResult::Assembled);
  ResultTable table;
  table.SetShown(ResultItem::AxleLoad, false);
  table.SetShown(ResultItem::SusLength, false);
  table.BuildHeaders();  // ratio and shock stroke
  FillTableRow(state, table, 25, 2, 3);
  const int row = ResultTable::RowOfStroke(25);
  EXPECT_EQ(table.Cell(2, row), CellText(state.Set[3].LinkRatio, "0.0000"));
  EXPECT_EQ(table.Cell(4, row), CellText(state.Set[3].SusStroke, "##0.0"));
  EXPECT_EQ(table.Cell(1, row), "");
  EXPECT_EQ(table.Cell(3, row), "");
}

TEST(FillTableRowTest, Type2LeavesTheLinkLoadsEmpty) {
  // A Type 2 set has no rod or link mounts; whatever those loads held from an
  // earlier layout must not be shown as its own.
  AppState state;
  state.Set[2] = testing::SampleSet(2);
  state.Set[2].TenRodLoad.Magnitude = 55;
  ASSERT_EQ(SolveLinkage(state, 2, 2), SolveResult::Assembled);
  ResultTable table;
  for (const ResultItemInfo& info : ResultItems()) table.SetShown(info.Item, true);
  table.BuildHeaders();
  FillTableRow(state, table, 0, 1, 2);
  EXPECT_EQ(table.Cell(9, 2), "");    // T-Rod
  EXPECT_EQ(table.Cell(13, 2), "");   // Frm-Link
  EXPECT_EQ(table.Cell(15, 2), "");   // Fork-Link
  EXPECT_NE(table.Cell(11, 2), "");   // pivot load is computed
  EXPECT_EQ(table.Cell(1, 2), CellText(state.Set[2].LinkRatio, "0.0000"));
}

// A Type 2 sweep into a table a Type 3 sweep filled: the rod and link-mount
// columns of the Type 3 set must not stay under the Type 2 set, whose solve
// computes none of those loads.
TEST(FillTableRowTest, Type2SweepClearsTheLinkLoadsAType3SweepWrote) {
  const ResultItem linkLoads[] = {ResultItem::TenRodLoad, ResultItem::FrameLinkLoad,
                                  ResultItem::ForkLinkLoad};
  AppState state;
  state.Set[kBaseSet] = testing::SampleSet(3);
  state.Set[kChangedSet] = testing::SampleSet(3);
  ResultTable table;
  for (const ResultItemInfo& info : ResultItems()) table.SetShown(info.Item, true);
  table.BuildHeaders();
  NullPlotSink sink;
  ASSERT_TRUE(BaseSweep(state, table, sink).Ok);
  ASSERT_TRUE(ChangedSweep(state, table, sink).Ok);
  // The column of an item: the shown items in order, two columns each.
  const auto column = [](ResultItem item) { return 2 * static_cast<int>(item) + 1; };
  for (ResultItem item : linkLoads) {
    ASSERT_NE(table.Cell(column(item), ResultTable::RowOfStroke(50)), "");
    ASSERT_NE(table.Cell(column(item) + 1, ResultTable::RowOfStroke(50)), "");
  }

  state.Set[kChangedSet] = testing::SampleSet(2);
  ASSERT_TRUE(ChangedSweep(state, table, sink).Ok);
  state.Set[kBaseSet] = testing::SampleSet(2);
  ASSERT_TRUE(BaseSweep(state, table, sink).Ok);
  for (int s = 0; s <= 150; s += 5) {
    const int row = ResultTable::RowOfStroke(s);
    for (ResultItem item : linkLoads) {
      EXPECT_EQ(table.Cell(column(item), row), "") << s;
      EXPECT_EQ(table.Cell(column(item) + 1, row), "") << s;
    }
    // The loads a Type 2 set does have are written on both sides.
    EXPECT_NE(table.Cell(column(ResultItem::PivotLoad), row), "") << s;
    EXPECT_NE(table.Cell(column(ResultItem::PivotLoad) + 1, row), "") << s;
  }
}

// ---- wheel rate -------------------------------------------------------------

// A set solved alone at `stroke` mm, its shock stroke counted from its own
// zero-stroke length, as a sweep solves it.
ConfigSet SolvedAtStroke(const ConfigSet& set, double stroke) {
  AppState state;
  state.Set[0] = set;
  state.Set[0].SusLength0 = 0;
  EXPECT_EQ(SolveLinkage(state, 0, set.SusPos), SolveResult::Assembled);
  state.Set[0].AxleStartPos = set.AxleStartPos - stroke;
  EXPECT_EQ(SolveLinkage(state, 0, set.SusPos), SolveResult::Assembled) << stroke;
  return state.Set[0];
}

TEST(WheelRateItemTest, IsAnEleventhItemHiddenAtStart) {
  const ResultItemInfo& info = ResultItems()[static_cast<std::size_t>(ResultItem::WheelRate)];
  EXPECT_EQ(info.Item, ResultItem::WheelRate);
  EXPECT_EQ(info.Caption, "ﾎｲｰﾙﾚｰﾄ");
  EXPECT_EQ(info.Header, "ﾎｲｰﾙﾚｰﾄ");
  EXPECT_FALSE(info.ShownAtStart);
  EXPECT_FALSE(ResultTable().IsShown(ResultItem::WheelRate));

  // The cell pattern keeps the range of real wheel rates within six
  // characters, falling ones included; anything wider leaves the cell empty.
  EXPECT_EQ(CellText(0.512, info.Pattern), "  0.51");
  EXPECT_EQ(CellText(99.99, info.Pattern), " 99.99");
  EXPECT_EQ(CellText(999.99, info.Pattern), "999.99");
  EXPECT_EQ(CellText(-0.5, info.Pattern), " -0.50");
  EXPECT_EQ(CellText(-99.99, info.Pattern), "-99.99");
  EXPECT_EQ(CellText(-100, info.Pattern), "");
  EXPECT_EQ(CellText(1000, info.Pattern), "");
}

// The sweeps write the wheel rate of each solved working set: the cell is the
// exact rate at that stroke, formatted, and agrees with the central
// difference of the axle load around it (the slope it is defined as).
TEST(WheelRateItemTest, SweepCellsAreTheWheelRateAtEachStroke) {
  for (int type = 2; type <= 6; ++type) {
    SCOPED_TRACE(type);
    AppState state;
    state.Set[kBaseSet] = testing::SampleSet(type);
    state.Set[kChangedSet] = testing::SampleSet(type);
    state.Set[kChangedSet].SpringRate += 3;
    ResultTable table;
    table.SetShown(ResultItem::SusLength, false);
    table.SetShown(ResultItem::WheelRate, true);
    table.BuildHeaders();
    ASSERT_EQ(table.Cell(7, 0), "ﾎｲｰﾙﾚｰﾄ");
    NullPlotSink sink;
    ASSERT_TRUE(BaseSweep(state, table, sink).Ok);
    ASSERT_TRUE(ChangedSweep(state, table, sink).Ok);
    const int columns[] = {7, 8};
    const int sets[] = {kBaseSet, kChangedSet};
    for (int k = 0; k < 2; ++k) {
      const ConfigSet& set = state.Set[static_cast<std::size_t>(sets[k])];
      for (int s = 0; s <= 150; s += 5) {
        const std::optional<StepRates> rates = RatesOfSolved(SolvedAtStroke(set, s));
        ASSERT_TRUE(rates) << s;
        const std::string& cell = table.Cell(columns[k], ResultTable::RowOfStroke(s));
        EXPECT_EQ(cell, CellText(rates->WheelRate, "##0.00")) << s;
        const double h = 1e-3;
        const double slope = (SolvedAtStroke(set, s + h).AxleLoad.Magnitude -
                              SolvedAtStroke(set, s - h).AxleLoad.Magnitude) /
                             (2 * h);
        const std::optional<double> value = ParseDecimal(cell);
        ASSERT_TRUE(value) << s << " '" << cell << "'";
        EXPECT_NEAR(*value, slope, 0.005 + 1e-4 * std::abs(slope)) << s;
      }
    }
  }
}

}  // namespace
}  // namespace potelan
