// Sweeps over the stroke: every variant writes the cells and points of an
// independent solve at each stroke, stops (or not) on failure as it should,
// and puts the working sets back.
#include "model/StrokeSweep.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "SampleLinkages.hpp"
#include "model/NumberFormat.hpp"
#include "model/Solver.hpp"

namespace potelan {
namespace {

struct PlottedPoint {
  double X, Y;
  PlotColour Colour;
};

class RecordingSink : public PlotSink {
 public:
  void Plot(double x, double y, PlotColour colour) override { points.push_back({x, y, colour}); }
  void Clear() override {
    points.clear();
    ++clears;
  }
  std::vector<PlottedPoint> points;
  int clears = 0;
};

// The set solved on its own at stroke s, with the zero-stroke length as reference.
ConfigSet SolvedAtStroke(const ConfigSet& source, int stroke) {
  AppState state;
  state.Set[0] = source;
  state.Set[0].SusLength0 = 0;
  EXPECT_EQ(SolveLinkage(state, 0, source.SusPos), SolveResult::Assembled);
  state.Set[0].AxleStartPos = source.AxleStartPos - stroke;
  EXPECT_EQ(SolveLinkage(state, 0, source.SusPos), SolveResult::Assembled);
  return state.Set[0];
}

// A Type 2 set whose axle leaves the fork's reach after 35 mm of stroke.
ConfigSet FailsAt40() {
  ConfigSet c = testing::SampleSet(2);
  c.ForkLength = 500;
  c.AxleStartPos = -462;
  c.SusUpX = 150;
  return c;
}

TEST(BaseSweepTest, FillsEveryRowWithTheSolveAtItsStroke) {
  for (int type = 2; type <= 6; ++type) {
    AppState state;
    state.Set[0] = testing::SampleSet(type);
    ResultTable table;
    table.BuildHeaders();
    RecordingSink sink;
    const SweepResult result = BaseSweep(state, table, sink);
    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_FALSE(state.LinkFailed);
    EXPECT_EQ(state.Set[2].AxleStartPos, state.Set[0].AxleStartPos);
    EXPECT_EQ(table.RowCount(), 33);
    ASSERT_EQ(sink.points.size(), 62u);
    for (int s = 0; s <= 150; s += 5) {
      const int row = s / 5 + 2;
      const ConfigSet solved = SolvedAtStroke(state.Set[0], s);
      EXPECT_EQ(table.Cell(0, row), CellText(s, "##0"));
      EXPECT_EQ(table.Cell(1, row), CellText(solved.LinkRatio, "0.0000")) << type << " " << s;
      EXPECT_EQ(table.Cell(3, row), CellText(solved.AxleLoad.Magnitude, "##0.0"));
      EXPECT_EQ(table.Cell(5, row), CellText(solved.SusLength, "##0.0"));
      EXPECT_EQ(table.Cell(7, row), CellText(solved.SusStroke, "##0.0"));
      EXPECT_EQ(table.Cell(2, row), "");  // the changed columns are not touched
      const PlottedPoint& ratio = sink.points[static_cast<std::size_t>(2 * (s / 5))];
      const PlottedPoint& load = sink.points[static_cast<std::size_t>(2 * (s / 5) + 1)];
      EXPECT_EQ(ratio.X, s * 10.0);
      EXPECT_DOUBLE_EQ(ratio.Y, (solved.LinkRatio - 0.3) * 10000);
      EXPECT_EQ(ratio.Colour, PlotColour::Grey);
      EXPECT_DOUBLE_EQ(load.Y, solved.AxleLoad.Magnitude * 10);
      EXPECT_EQ(load.Colour, PlotColour::White);
    }
    EXPECT_EQ(table.Cell(0, 2), "     0");
    EXPECT_EQ(table.Cell(0, 32), "   150");
    EXPECT_EQ(table.Cell(7, 2), CellText(0, "##0.0"));  // stroke counts from zero
  }
}

TEST(BaseSweepTest, RatioPointsFollowTheShownRatioItem) {
  AppState state;
  state.Set[0] = testing::SampleSet(3);
  ResultTable table;
  table.SetShown(ResultItem::LinkRatio, false);
  table.SetShown(ResultItem::InvLinkRatio, true);
  RecordingSink sink;
  ASSERT_TRUE(BaseSweep(state, table, sink).Ok);
  const ConfigSet solved = SolvedAtStroke(state.Set[0], 50);
  EXPECT_DOUBLE_EQ(sink.points[20].Y, (solved.InvLinkRatio - 1) * 2000);
}

TEST(BaseSweepTest, StrokeRangeFollowsMaxStroke) {
  struct Case {
    std::int16_t MaxStroke;
    std::size_t Steps;
    int Rows;
  };
  for (const Case& c :
       {Case{150, 31, 33}, Case{152, 31, 33}, Case{0, 1, 3}, Case{-5, 0, 2}, Case{200, 41, 43}}) {
    AppState state;
    state.MaxStroke = c.MaxStroke;
    state.Set[0] = testing::SampleSet(4);
    state.Set[0].AxleStartPos = 100;  // room for 200 mm
    ResultTable table;
    RecordingSink sink;
    ASSERT_TRUE(BaseSweep(state, table, sink).Ok) << c.MaxStroke;
    EXPECT_EQ(sink.points.size(), 2 * c.Steps) << c.MaxStroke;
    EXPECT_EQ(table.RowCount(), c.Rows) << c.MaxStroke;
  }
}

TEST(BaseSweepTest, LargeStrokeRangeWritesEveryRow) {
  AppState state;
  state.MaxStroke = 200;
  state.Set[0] = testing::SampleSet(4);
  state.Set[0].AxleStartPos = 100;
  ResultTable table;
  NullPlotSink sink;
  ASSERT_TRUE(BaseSweep(state, table, sink).Ok);
  EXPECT_EQ(table.Cell(0, 42), "   200");
  EXPECT_NE(table.Cell(1, 42), "");
}

// A second base sweep after the base dimensions changed takes its reference
// shock length afresh: without the reset the old set's zero-stroke length
// would stay the reference, and the shock stroke at axle stroke 0 would be
// the difference between the two linkages instead of 0.
TEST(BaseSweepTest, ASecondSweepStartsFromAFreshReferenceLength) {
  AppState state;
  state.Set[0] = testing::SampleSet(4);
  ResultTable table;
  table.BuildHeaders();
  NullPlotSink sink;
  ASSERT_TRUE(BaseSweep(state, table, sink).Ok);
  const double firstReference = state.Set[2].SusLength0;

  state.Set[0].SusUpY -= 12;  // a shock mount 12 mm higher: a longer shock
  ASSERT_TRUE(BaseSweep(state, table, sink).Ok);
  EXPECT_NE(state.Set[2].SusLength0, firstReference);
  const ConfigSet atZero = SolvedAtStroke(state.Set[0], 0);
  EXPECT_EQ(state.Set[2].SusLength0, atZero.SusLength);
  EXPECT_EQ(table.Cell(7, ResultTable::RowOfStroke(0)), CellText(0.0, "##0.0"));
  const ConfigSet at50 = SolvedAtStroke(state.Set[0], 50);
  EXPECT_EQ(table.Cell(7, ResultTable::RowOfStroke(50)), CellText(at50.SusStroke, "##0.0"));
}

TEST(ChangedSweepTest, StopsAtTheFailingStrokeAndRestoresTheAxle) {
  AppState state;
  state.Set[1] = FailsAt40();
  state.Set[5].LinkUp = -1;
  ResultTable table;
  table.BuildHeaders();
  RecordingSink sink;
  const SweepResult result = ChangedSweep(state, table, sink);
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(result.FailedStroke, 40);
  EXPECT_EQ(result.FailedSet, 1);
  EXPECT_EQ(result.Message, "ｱｸｽﾙｽﾄﾛｰｸ 40mm でリンクが成立しなくなります");
  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(state.Set[3].AxleStartPos, state.Set[1].AxleStartPos);
  EXPECT_EQ(state.Set[5].LinkUp, -1);  // not taken as the last good set
  EXPECT_NE(table.Cell(2, ResultTable::RowOfStroke(35)), "");
  EXPECT_EQ(table.Cell(2, ResultTable::RowOfStroke(40)), "");
  EXPECT_EQ(sink.points.size(), 16u);  // 0..35 mm
  for (const PlottedPoint& p : sink.points) EXPECT_EQ(p.Colour, PlotColour::Magenta);
}

TEST(ChangedSweepTest, KeepsACleanSweepAsTheLastGoodSet) {
  AppState state;
  state.Set[1] = testing::SampleSet(6);
  ResultTable table;
  table.BuildHeaders();
  NullPlotSink sink;
  ASSERT_TRUE(ChangedSweep(state, table, sink).Ok);
  EXPECT_EQ(state.Set[5].SusType, 6);
  EXPECT_EQ(state.Set[5].LinkFr, state.Set[1].LinkFr);
  EXPECT_EQ(state.Set[5].AxleStartPos, state.Set[1].AxleStartPos);
  EXPECT_EQ(table.Cell(0, 2), "");  // no stroke cells
  const ConfigSet solved = SolvedAtStroke(state.Set[1], 150);
  EXPECT_EQ(table.Cell(2, 32), CellText(solved.LinkRatio, "0.0000"));
  EXPECT_EQ(table.Cell(8, 32), CellText(solved.SusStroke, "##0.0"));
}

TEST(PairedSweepTest, FillsBothSidesAfterClearingTheGraph) {
  AppState state;
  state.Set[0] = testing::SampleSet(3);
  state.Set[1] = testing::SampleSet(5);
  ResultTable table;
  table.BuildHeaders();
  RecordingSink sink;
  ASSERT_TRUE(BaseSweep(state, table, sink).Ok);  // the base set was swept when it was entered
  ASSERT_TRUE(PairedSweep(state, table, sink).Ok);
  EXPECT_EQ(sink.clears, 1);
  EXPECT_EQ(sink.points.size(), 124u);
  EXPECT_EQ(sink.points[0].Colour, PlotColour::Magenta);
  EXPECT_EQ(sink.points[2].Colour, PlotColour::Grey);
  EXPECT_EQ(state.Set[2].AxleStartPos, state.Set[0].AxleStartPos);
  EXPECT_EQ(state.Set[3].AxleStartPos, state.Set[1].AxleStartPos);
  EXPECT_EQ(state.Set[5].SusType, 5);
  const ConfigSet base = SolvedAtStroke(state.Set[0], 75);
  const ConfigSet changed = SolvedAtStroke(state.Set[1], 75);
  EXPECT_EQ(table.Cell(0, 17), "    75");
  EXPECT_EQ(table.Cell(5, 17), CellText(base.SusLength, "##0.0"));
  EXPECT_EQ(table.Cell(6, 17), CellText(changed.SusLength, "##0.0"));
}

TEST(PairedSweepTest, ABaseFailureIsNotBlamedOnTheChangedSet) {
  // The base set passed its sweep over 30 mm; the stroke range grew since.
  AppState state;
  state.Set[0] = FailsAt40();
  state.Set[1] = testing::SampleSet(4);
  state.MaxStroke = 30;
  ResultTable table;
  NullPlotSink sink;
  ASSERT_TRUE(BaseSweep(state, table, sink).Ok);
  state.MaxStroke = 150;
  const SweepResult result = PairedSweep(state, table, sink);
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(result.FailedSet, 0);
  EXPECT_EQ(result.FailedStroke, 40);
  EXPECT_FALSE(state.LinkFailed);
  EXPECT_EQ(state.Set[2].AxleStartPos, state.Set[0].AxleStartPos);
  EXPECT_EQ(state.Set[3].AxleStartPos, state.Set[1].AxleStartPos);

  AppState changedFails;
  changedFails.Set[0] = testing::SampleSet(4);
  changedFails.Set[1] = FailsAt40();
  ASSERT_TRUE(BaseSweep(changedFails, table, sink).Ok);
  // The base working set was solved at 35 mm when the changed set failed at
  // 40 mm; both working axles go back to their sources.
  const SweepResult second = PairedSweep(changedFails, table, sink);
  EXPECT_EQ(second.FailedSet, 1);
  EXPECT_EQ(second.FailedStroke, 40);
  EXPECT_FALSE(changedFails.LinkFailed);
  EXPECT_EQ(changedFails.Set[2].AxleStartPos, changedFails.Set[0].AxleStartPos);
  EXPECT_EQ(changedFails.Set[3].AxleStartPos, changedFails.Set[1].AxleStartPos);
}

TEST(BaseRefillTest, NeverStopsAndReportsItsFirstFailure) {
  AppState state;
  state.Set[0] = FailsAt40();
  CopySet(state, 0);
  ResultTable table;
  table.BuildHeaders();
  RecordingSink sink;
  // The first failing step is the one the base sweep stops at.
  AppState swept = state;
  NullPlotSink nowhere;
  ResultTable sweptTable;
  const SweepResult stopped = BaseSweep(swept, sweptTable, nowhere);
  ASSERT_FALSE(stopped.Ok);
  EXPECT_EQ(BaseRefill(state, table, sink), stopped.FailedStroke);
  EXPECT_FALSE(state.LinkFailed);  // told by the result, never by the flag
  EXPECT_EQ(sink.points.size(), 62u);
  EXPECT_EQ(table.Cell(0, 32), "   150");
  // The working axle keeps the last step's position.
  EXPECT_EQ(state.Set[2].AxleStartPos, state.Set[0].AxleStartPos - 150);

  // A flag the caller left is not the refill's to clear, and a set that
  // holds reports no stroke.
  AppState holds;
  holds.Set[0] = testing::SampleSet(4);
  CopySet(holds, 0);
  holds.LinkFailed = true;
  EXPECT_EQ(BaseRefill(holds, table, sink), -1);
  EXPECT_TRUE(holds.LinkFailed);
}

TEST(SweepRowsTest, RowsOfAStrokeRange) {
  EXPECT_EQ(StrokeRows(150), 33);
  EXPECT_EQ(StrokeRows(152), 33);
  EXPECT_EQ(StrokeRows(4), 3);
  EXPECT_EQ(StrokeRows(0), 3);
  EXPECT_EQ(StrokeRows(-1), 2);
  EXPECT_EQ(StrokeRows(kMaxStrokeLimit), ResultTable::RowOfStroke(3275) + 1);
}

// Lowering MaxStroke used to leave the rows of the longer range in the table,
// with numbers of an older sweep that the CSV file and the report then carried.
// Each sweep now holds exactly the rows of the current range, and a table swept
// after lowering is the table a fresh sweep at that range gives.
TEST(SweepRowsTest, EverySweepHoldsExactlyTheRowsOfMaxStroke) {
  using Variant = void (*)(AppState&, ResultTable&, PlotSink&);
  const std::pair<const char*, Variant> variants[] = {
      {"base",
       [](AppState& s, ResultTable& t, PlotSink& p) { ASSERT_TRUE(BaseSweep(s, t, p).Ok); }},
      {"changed",
       [](AppState& s, ResultTable& t, PlotSink& p) { ASSERT_TRUE(ChangedSweep(s, t, p).Ok); }},
      {"paired",
       [](AppState& s, ResultTable& t, PlotSink& p) { ASSERT_TRUE(PairedSweep(s, t, p).Ok); }},
      {"refill", [](AppState& s, ResultTable& t, PlotSink& p) { BaseRefill(s, t, p); }},
  };
  for (const auto& [name, sweep] : variants) {
    AppState state;
    state.Set[0] = testing::SampleSet(3);
    state.Set[1] = testing::SampleSet(5);
    ResultTable table;
    table.BuildHeaders();
    NullPlotSink sink;
    ASSERT_TRUE(BaseSweep(state, table, sink).Ok);
    ASSERT_TRUE(ChangedSweep(state, table, sink).Ok);
    ASSERT_EQ(table.RowCount(), 33);

    state.MaxStroke = 62;
    sweep(state, table, sink);
    EXPECT_EQ(table.RowCount(), ResultTable::RowOfStroke(60) + 1) << name;
    EXPECT_EQ(table.Cell(0, ResultTable::RowOfStroke(60)), "    60") << name;
    for (int column = 0; column < table.ColumnCount(); ++column) {
      EXPECT_EQ(table.Cell(column, ResultTable::RowOfStroke(65)), "") << name << " " << column;
    }

    state.MaxStroke = 0;
    sweep(state, table, sink);
    EXPECT_EQ(table.RowCount(), 3) << name;

    state.MaxStroke = -5;  // no stroke at all: the header rows alone
    sweep(state, table, sink);
    EXPECT_EQ(table.RowCount(), 2) << name;
  }

  // Both sides swept again after lowering: the table a fresh sweep gives.
  AppState state;
  state.Set[0] = testing::SampleSet(4);
  state.Set[1] = testing::SampleSet(6);
  ResultTable table;
  table.BuildHeaders();
  NullPlotSink sink;
  ASSERT_TRUE(BaseSweep(state, table, sink).Ok);
  ASSERT_TRUE(ChangedSweep(state, table, sink).Ok);
  state.MaxStroke = 97;
  ASSERT_TRUE(BaseSweep(state, table, sink).Ok);
  ASSERT_TRUE(ChangedSweep(state, table, sink).Ok);
  AppState freshState = state;
  ResultTable fresh;
  fresh.BuildHeaders();
  ASSERT_TRUE(BaseSweep(freshState, fresh, sink).Ok);
  ASSERT_TRUE(ChangedSweep(freshState, fresh, sink).Ok);
  ASSERT_EQ(table.RowCount(), fresh.RowCount());
  EXPECT_EQ(table.RowCount(), StrokeRows(97));
  for (int row = 0; row < fresh.RowCount(); ++row) {
    for (int column = 0; column < fresh.ColumnCount(); ++column) {
      EXPECT_EQ(table.Cell(column, row), fresh.Cell(column, row)) << column << "," << row;
    }
  }
}

TEST(SweepMessagesTest, NameTheStroke) {
  EXPECT_EQ(StrokeFailureMessage(0), "ｱｸｽﾙｽﾄﾛｰｸ 0mm でリンクが成立しなくなります");
  EXPECT_EQ(ChangedStrokeFailureMessage(125),
            "変更された条件のｱｸｽﾙｽﾄﾛｰｸ125mm でリンクが成立しません");
  EXPECT_EQ(StrokeFailureMessage(2.5), "ｱｸｽﾙｽﾄﾛｰｸ 2.5mm でリンクが成立しなくなります");
  EXPECT_EQ(LastSweepStroke(152), 150);
  EXPECT_EQ(LastSweepStroke(4), 0);
  EXPECT_EQ(LastSweepStroke(-1), -1);
}

}  // namespace
}  // namespace potelan
