// Form_Value, the numeric table: its columns and widths follow the item menus,
// the grid shows the engine's cells, and the two outputs go through the
// scripted dialogs to a CSV file and a PDF printer.

#include "views/TableView.hpp"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QMenu>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "SampleLinkages.hpp"
#include "files/TableExport.hpp"
#include "model/NumberFormat.hpp"
#include "model/StrokeSweep.hpp"
#include "ui/Fonts.hpp"
#include "ui/QtPrompts.hpp"
#include "ui/ScriptedPrompts.hpp"
#include "ui/Texts.hpp"
#include "ui/Units.hpp"
#include "views/GraphView.hpp"
#include "views/ResultTableModel.hpp"
#include "QtText.hpp"
#include "EngineTable.hpp"

namespace potelan {
namespace {

using testing::Q;

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

const ResultItemInfo& Info(ResultItem item) { return ResultItems()[static_cast<int>(item)]; }

// The table window as the main window opens it: at "NEW", over a Type 3 base
// set that assembles over the whole stroke, beside the graph.
class TableViewTest : public ::testing::Test {
 protected:
  TableViewTest() {
    state.Set[kBaseSet] = testing::SampleSet(3);
    state.Set[kChangedSet] = testing::SampleSet(3);
    state.Mode = EditMode::New;
  }

  TableView& View() {
    if (!view) view = std::make_unique<TableView>(state, table, graph, prompts);
    return *view;
  }

  QAction* Menu(const char* name) {
    auto* action = View().findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
  }

  // The window on screen, with its geometry settled.
  TableView& Shown() {
    View().show();
    QApplication::processEvents();
    return View();
  }

  void Click(ResultItem item) { Menu(Info(item).MenuName.data())->trigger(); }

  // The base sweep of the main window's Next step, then the table shows it.
  void SweepBase() {
    View();
    ASSERT_TRUE(BaseSweep(state, table, graph).Ok);
    View().Refresh();
  }

  QString ModelCell(int column, int gridRow) {
    ResultTableModel& model = *View().Model();
    return model.data(model.index(gridRow - ResultTableModel::kHeaderRows, column)).toString();
  }

  AppState state;
  ResultTable table;
  GraphView graph{state, table};
  ScriptedPrompts prompts;
  std::unique_ptr<TableView> view;
};

TEST_F(TableViewTest, FirstDisplayShowsTheFourDefaultItems) {
  TableView& v = View();
  EXPECT_EQ(v.objectName(), "Form_Value");
  EXPECT_EQ(v.windowTitle(), "数値表示");
  ASSERT_NE(v.findChild<QTableView*>("Grid1"), nullptr);
  EXPECT_EQ(v.Grid()->font().family(), QString::fromUtf8(kGothicFamily));
  EXPECT_EQ(v.Grid()->font().pointSizeF(), 9);

  ResultTableModel& model = *v.Model();
  ASSERT_EQ(model.columnCount(), 9);
  EXPECT_EQ(model.HeaderLine(0, 0), "ｱｸｽﾙ");
  EXPECT_EQ(model.HeaderLine(1, 0), "ｽﾄﾛｰｸ");
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(model.HeaderLine(1, 2 * k - 1), "基準");
    EXPECT_EQ(model.HeaderLine(0, 2 * k), "");
    EXPECT_EQ(model.HeaderLine(1, 2 * k), "変更");
  }
  EXPECT_EQ(model.HeaderLine(0, 1), "ﾘﾝｸﾚｼｵ");
  EXPECT_EQ(model.HeaderLine(0, 3), "ｱｸｽﾙ荷重");
  EXPECT_EQ(model.HeaderLine(0, 5), "サス長");
  EXPECT_EQ(model.HeaderLine(0, 7), "ｻｽｽﾄﾛｰｸ");
  EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), "ｱｸｽﾙ荷重\n基準");
  EXPECT_EQ(model.rowCount(), table.RowCount() - ResultTableModel::kHeaderRows);

  EXPECT_EQ(v.GridWidthTwips(), 5960);
  EXPECT_EQ(v.WindowWidthTwips(), 6050);
  EXPECT_EQ(v.Grid()->width(), Px(5960));
  EXPECT_EQ(v.width(), Px(6050));
  for (int c = 0; c < model.columnCount(); ++c) {
    EXPECT_EQ(v.Grid()->columnWidth(c), Px(TableView::kColumnTwips)) << c;
  }
  // Every column and every stroke row 0..150 mm is in sight.
  Shown();
  EXPECT_GE(v.Grid()->viewport()->width(), 9 * Px(TableView::kColumnTwips));
  EXPECT_GE(v.Grid()->viewport()->height(),
            model.rowCount() * v.Grid()->verticalHeader()->defaultSectionSize());
  EXPECT_FALSE(v.Grid()->verticalScrollBar()->isVisible());
  EXPECT_FALSE(v.Grid()->horizontalScrollBar()->isVisible());
  EXPECT_EQ(graph.RatioAxisLabels(), QStringList({"0.30", "0.40", "0.50", "0.60", "0.70"}));
}

TEST_F(TableViewTest, MenusCarryTheItemsAndTheOutputs) {
  auto* items = View().findChild<QMenu*>("menu_dummy2");
  auto* outputs = View().findChild<QMenu*>("menu_dummy1");
  ASSERT_NE(items, nullptr);
  ASSERT_NE(outputs, nullptr);
  EXPECT_EQ(items->title(), "表示項目を選択");
  EXPECT_EQ(outputs->title(), "数値表示を出力");
  ASSERT_EQ(items->actions().size(), kResultItemCount);
  for (int i = 0; i < kResultItemCount; ++i) {
    const ResultItemInfo& info = ResultItems()[static_cast<std::size_t>(i)];
    QAction* action = items->actions()[i];
    EXPECT_EQ(action->objectName(), Q(info.MenuName));
    EXPECT_EQ(action->text(), Q(info.Caption));
    EXPECT_EQ(action->isChecked(), info.ShownAtStart) << info.MenuName;
    EXPECT_EQ(View().ItemMenu(info.Item), action);
  }
  // The PDF stands next to the printer, and every output is named to the
  // accessibility interface by its caption.
  const std::vector<std::pair<QString, QString>> expected = {
      {"menu_print", "プリンタへ出力"},
      {"menu_file_pdf", "PDFに保存"},
      {"menu_print_preview", "印刷プレビュー"},
      {"menu_file_csv", "CSVﾌｧｲﾙへ保存"}};
  ASSERT_EQ(outputs->actions().size(), static_cast<qsizetype>(expected.size()));
  QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(outputs);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->childCount(), static_cast<int>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto index = static_cast<qsizetype>(i);
    EXPECT_EQ(outputs->actions()[index]->objectName(), expected[i].first);
    EXPECT_EQ(outputs->actions()[index]->text(), expected[i].second);
    EXPECT_EQ(menu->child(static_cast<int>(i))->text(QAccessible::Name), expected[i].second);
  }
}

// The check marks live in the engine's table and outlive a window; a window
// loaded again starts from the items shown by design.
TEST_F(TableViewTest, LoadingResetsTheCheckMarks) {
  table.SetShown(ResultItem::LinkRatio, false);
  table.SetShown(ResultItem::InvLinkRatio, true);
  table.SetShown(ResultItem::PivotLoad, true);
  table.SetShown(ResultItem::SusStroke, false);
  View();
  for (const ResultItemInfo& info : ResultItems()) {
    EXPECT_EQ(table.IsShown(info.Item), info.ShownAtStart) << info.MenuName;
    EXPECT_EQ(View().ItemMenu(info.Item)->isChecked(), info.ShownAtStart) << info.MenuName;
  }
  EXPECT_EQ(View().Model()->columnCount(), 9);
}

TEST_F(TableViewTest, InverseRatioReplacesTheRatio) {
  int changes = 0;
  QObject::connect(&View(), &TableView::itemsChanged, [&changes] { ++changes; });
  Click(ResultItem::InvLinkRatio);

  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(table.IsShown(ResultItem::LinkRatio));
  EXPECT_TRUE(table.IsShown(ResultItem::InvLinkRatio));
  EXPECT_FALSE(View().ItemMenu(ResultItem::LinkRatio)->isChecked());
  EXPECT_TRUE(View().ItemMenu(ResultItem::InvLinkRatio)->isChecked());
  EXPECT_EQ(table.ShownCount(), 4);
  EXPECT_EQ(View().Model()->columnCount(), 9);
  EXPECT_EQ(View().Model()->HeaderLine(0, 1), "ﾘﾝｸﾚｼｵ(逆)");
  EXPECT_EQ(View().GridWidthTwips(), 5960);
  EXPECT_EQ(graph.RatioAxisLabels(), QStringList({"1.00", "1.50", "2.00", "2.50", "3.00"}));
}

TEST_F(TableViewTest, UncheckingTheRatioChecksItsInverse) {
  Click(ResultItem::LinkRatio);
  EXPECT_FALSE(table.IsShown(ResultItem::LinkRatio));
  EXPECT_TRUE(table.IsShown(ResultItem::InvLinkRatio));
  EXPECT_TRUE(View().ItemMenu(ResultItem::InvLinkRatio)->isChecked());
  EXPECT_EQ(table.ShownCount(), 4);
  EXPECT_EQ(View().Model()->HeaderLine(0, 1), "ﾘﾝｸﾚｼｵ(逆)");
  EXPECT_EQ(graph.RatioAxisLabels().first(), "1.00");

  // And back: the ratio returns, its inverse goes.
  Click(ResultItem::LinkRatio);
  EXPECT_TRUE(table.IsShown(ResultItem::LinkRatio));
  EXPECT_FALSE(table.IsShown(ResultItem::InvLinkRatio));
  EXPECT_FALSE(View().ItemMenu(ResultItem::InvLinkRatio)->isChecked());
  EXPECT_EQ(View().Model()->HeaderLine(0, 1), "ﾘﾝｸﾚｼｵ");
  EXPECT_EQ(graph.RatioAxisLabels().first(), "0.30");
}

TEST_F(TableViewTest, OnlyTheRatioLeftGivesThreeColumns) {
  int changes = 0;
  QObject::connect(&View(), &TableView::itemsChanged, [&changes] { ++changes; });
  Click(ResultItem::AxleLoad);
  Click(ResultItem::SusLength);
  Click(ResultItem::SusStroke);

  EXPECT_EQ(changes, 3);
  EXPECT_EQ(table.ShownCount(), 1);
  EXPECT_EQ(View().Model()->columnCount(), 3);
  EXPECT_EQ(View().GridWidthTwips(), 2000);
  EXPECT_EQ(View().WindowWidthTwips(), 2090);
  EXPECT_EQ(View().Grid()->width(), Px(2000));
  EXPECT_EQ(View().width(), Px(2090));
  EXPECT_FALSE(View().ItemMenu(ResultItem::SusStroke)->isChecked());
}

TEST_F(TableViewTest, ShowsTheBaseSweep) {
  SweepBase();
  const int steps = LastSweepStroke(state.MaxStroke) / 5 + 1;
  ASSERT_EQ(steps, 31);

  ResultTableModel& model = *View().Model();
  int filled = 0;
  for (int row = 0; row < model.rowCount(); ++row) {
    if (!model.data(model.index(row, 0)).toString().isEmpty()) ++filled;
    for (int column = 0; column < model.columnCount(); ++column) {
      const int gridRow = ResultTableModel::GridRow(row);
      EXPECT_EQ(model.data(model.index(row, column)).toString(), Q(table.Cell(column, gridRow)))
          << column << "," << gridRow;
      EXPECT_EQ(model.data(model.index(row, column), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                    Qt::AlignHorizontal_Mask,
                Qt::AlignRight);
    }
  }
  EXPECT_EQ(filled, steps);
  for (int s = 0; s <= 150; s += 5) {
    EXPECT_EQ(ModelCell(0, ResultTable::RowOfStroke(s)), Q(CellText(s, "##0"))) << s;
  }
  EXPECT_FALSE(ModelCell(1, ResultTable::RowOfStroke(150)).trimmed().isEmpty());
  // The changed columns are the change-input form's to fill.
  EXPECT_TRUE(ModelCell(2, ResultTable::RowOfStroke(0)).isEmpty());

  // Cells written later show after a refresh.
  WriteTableCell(table, 2, ResultTable::RowOfStroke(10) - 1, 0.5, "0.0000");
  View().Refresh();
  EXPECT_EQ(ModelCell(2, ResultTable::RowOfStroke(10)), "0.5000");
}

// At "NEW" the layout step leaves the base columns alone; later stages refill
// them, with the columns the menus show at that moment.
TEST_F(TableViewTest, LayoutRefillsTheBaseColumnsAfterNew) {
  SweepBase();
  table.Clear();
  View().BuildTableLayout();
  EXPECT_TRUE(ModelCell(0, ResultTable::RowOfStroke(0)).isEmpty());
  EXPECT_TRUE(ModelCell(1, ResultTable::RowOfStroke(75)).isEmpty());

  state.Mode = EditMode::Change;
  Click(ResultItem::SusLoad);

  AppState expectedState = state;
  ResultTable expected = testing::TableLike(table);
  NullPlotSink sink;
  BaseRefill(expectedState, expected, sink);

  ASSERT_EQ(View().Model()->columnCount(), expected.ColumnCount());
  EXPECT_EQ(View().Model()->HeaderLine(0, 5), "サス荷重");
  for (int s = 0; s <= 150; s += 5) {
    const int row = ResultTable::RowOfStroke(s);
    for (int column = 0; column < expected.ColumnCount(); ++column) {
      EXPECT_EQ(ModelCell(column, row), Q(expected.Cell(column, row))) << column << "," << row;
      if (column % 2 == 0 && column > 0) {
        EXPECT_TRUE(ModelCell(column, row).isEmpty());
      }
    }
  }
  EXPECT_FALSE(ModelCell(5, ResultTable::RowOfStroke(50)).trimmed().isEmpty());
}

// Strokes beyond 150 mm add rows; the grid scrolls them without hiding a
// column behind the scroll bar.
TEST_F(TableViewTest, LongerStrokeRangeGrowsTheRows) {
  View();
  state.Mode = EditMode::Change;
  state.MaxStroke = 200;
  View().BuildTableLayout();
  const int lastRow = ResultTable::RowOfStroke(LastSweepStroke(state.MaxStroke));
  EXPECT_EQ(View().Model()->rowCount(), lastRow + 1 - ResultTableModel::kHeaderRows);
  EXPECT_EQ(ModelCell(0, lastRow), Q(CellText(LastSweepStroke(state.MaxStroke), "##0")));
  EXPECT_GE(Shown().Grid()->viewport()->width(), 9 * Px(TableView::kColumnTwips));
  EXPECT_TRUE(View().Grid()->verticalScrollBar()->isVisible());
  EXPECT_EQ(View().GridWidthTwips(), 5960);
}

// The table's window once had a fixed size, all its rows tall: tiled on a
// small screen it took the whole height and left the graph and the
// real-motion view a title bar each. It may now be made shorter; its rows
// then scroll, the scroll bar beside the columns.
TEST_F(TableViewTest, AShorterWindowScrollsEveryRowIntoViewBesideTheColumns) {
  SweepBase();
  TableView& v = Shown();
  const QSize full = v.size();
  EXPECT_EQ(full, v.sizeHint());
  EXPECT_EQ(v.maximumHeight(), full.height());
  const int row = v.Grid()->verticalHeader()->defaultSectionSize();
  // At the least, the header lines and kMinVisibleStrokeRows rows.
  EXPECT_EQ(v.minimumHeight(),
            full.height() - (v.Model()->rowCount() - TableView::kMinVisibleStrokeRows) * row);
  ASSERT_EQ(v.maximumWidth(), full.width() + v.ScrollBarWidth());

  v.resize(v.maximumWidth(), v.minimumHeight());
  QApplication::processEvents();
  QTableView* grid = v.Grid();
  QScrollBar* bar = grid->verticalScrollBar();
  EXPECT_TRUE(bar->isVisible());
  EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
  EXPECT_GE(grid->viewport()->width(), 9 * Px(TableView::kColumnTwips));
  EXPECT_GE(grid->viewport()->height(), TableView::kMinVisibleStrokeRows * row);
  // Scrolled to the end, the last stroke row stands whole in view.
  bar->setValue(bar->maximum());
  const int last = v.Model()->rowCount() - 1;
  const QRect lastRow = grid->visualRect(v.Model()->index(last, 0));
  EXPECT_TRUE(grid->viewport()->rect().contains(lastRow))
      << lastRow.y() << "+" << lastRow.height() << " in " << grid->viewport()->height();
  EXPECT_EQ(ResultTableModel::GridRow(last), ResultTable::RowOfStroke(150));

  // Back at full height nothing scrolls.
  v.resize(full);
  QApplication::processEvents();
  EXPECT_FALSE(grid->verticalScrollBar()->isVisible());
  EXPECT_GE(grid->viewport()->height(), v.Model()->rowCount() * row);
}

class TableOutputTest : public TableViewTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    SweepBase();
    state.Set[kChangedSet].SpringRate += 1.5;
    ASSERT_TRUE(ChangedSweep(state, table, graph).Ok);
    View().Refresh();
  }

  QTemporaryDir dir;
};

TEST_F(TableOutputTest, CsvGoesToTheChosenFile) {
  const QString path = dir.filePath("table.csv");
  prompts.PickFile(path);
  Menu("menu_file_csv")->trigger();

  ASSERT_EQ(prompts.History().size(), 1u);
  const ScriptedPrompts::Shown& dialog = prompts.History().front();
  EXPECT_EQ(dialog.Kind, "save");
  EXPECT_EQ(dialog.Dialog.Title, "保存ﾌｧｲﾙ選択");
  EXPECT_EQ(dialog.Dialog.Filter, "csvﾌｧｲﾙ(*.csv)|*.csv");
  EXPECT_EQ(dialog.Dialog.DefaultSuffix, "*.csv");
  EXPECT_TRUE(prompts.Messages().empty());

  const QString direct = dir.filePath("direct.csv");
  ASSERT_TRUE(WriteCsvFile(direct, CsvLines(state, table)));
  const QByteArray written = ReadBytes(path);
  EXPECT_EQ(written, ReadBytes(direct));
  const int strokeLines = LastSweepStroke(state.MaxStroke) / 5 + 1;
  EXPECT_EQ(written.count("\r\n"), 2 + 14 + 1 + 1 + strokeLines);
  EXPECT_EQ(written.count("\r\n"), 49);
}

TEST_F(TableOutputTest, CancelledCsvWritesNothing) {
  prompts.PickFile(std::nullopt);
  View().SaveCsv();
  EXPECT_EQ(prompts.History().size(), 1u);
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

// A lost export must not pass unnoticed.
TEST_F(TableOutputTest, UnwritableCsvIsReported) {
  const QString path = dir.filePath("missing/folder/table.csv");
  prompts.PickFile(path);
  View().SaveCsv();
  EXPECT_FALSE(QFile::exists(path));
  ASSERT_EQ(prompts.Messages().size(), 1u);
  const ScriptedPrompts::Shown message = prompts.Messages().front();
  EXPECT_EQ(message.Title, text::kWarningTitle);
  EXPECT_EQ(message.Icon, MessageIcon::Error);
  EXPECT_TRUE(message.Text.contains(path)) << message.Text.toStdString();
}

// Lowering MaxStroke used to leave the rows of the longer sweep in the
// grid, and the CSV file and the report carried their old numbers. The rows
// beyond the new range go from the grid at once, and the exports end there.
TEST_F(TableOutputTest, LoweredMaxStrokeDropsTheRowsBeyondIt) {
  ASSERT_EQ(View().Model()->rowCount(), 31);
  state.MaxStroke = 42;
  View().MaxStrokeChanged();
  EXPECT_EQ(View().Model()->rowCount(), 9);  // strokes 0..40 mm
  EXPECT_EQ(ModelCell(0, ResultTable::RowOfStroke(40)), "    40");

  const QString path = dir.filePath("lowered.csv");
  prompts.PickFile(path);
  Menu("menu_file_csv")->trigger();
  const QByteArray written = ReadBytes(path);
  EXPECT_EQ(written.count("\r\n"), 2 + 14 + 1 + 1 + 9);
  const QStringList lines = QString::fromUtf8(ReadBytes(path)).split("\r\n");
  EXPECT_TRUE(lines[lines.size() - 2].startsWith("40,")) << lines[lines.size() - 2].toStdString();
  EXPECT_EQ(written, ReadBytes(QStringLiteral(POTELAN_TEST_DATA) +
                               QStringLiteral("/export_lowered_expected.csv")));
  EXPECT_EQ(ReportLines(state, table).size(), 3 + 14 + 2 + 2 + 9);

  // What is left is what a sweep over the lowered range gives on its own.
  AppState freshState = state;
  ResultTable fresh;
  fresh.BuildHeaders();
  NullPlotSink sink;
  ASSERT_TRUE(BaseSweep(freshState, fresh, sink).Ok);
  ASSERT_TRUE(ChangedSweep(freshState, fresh, sink).Ok);
  EXPECT_EQ(CsvLines(state, table), CsvLines(freshState, fresh));
}

// A raised range adds its rows with the sweep that computes them, never as
// empty rows of a table that was not swept that far.
TEST_F(TableOutputTest, RaisedMaxStrokeAddsRowsWithTheNextSweep) {
  state.MaxStroke = 200;
  View().MaxStrokeChanged();
  EXPECT_EQ(View().Model()->rowCount(), 31);
  EXPECT_EQ(CsvLines(state, table).size(), 18 + 31);
  state.Set[kBaseSet] = testing::SampleSet(4);
  state.Set[kBaseSet].AxleStartPos = 100;  // room for 200 mm
  SweepBase();
  EXPECT_EQ(View().Model()->rowCount(), 41);
  EXPECT_EQ(ModelCell(0, ResultTable::RowOfStroke(200)), "   200");
}

// The CSV header and the report's header lines name the items the window
// shows, in its order, over all their columns.
TEST_F(TableOutputTest, ExportsNameTheShownItems) {
  Click(ResultItem::PivotLoad);
  Click(ResultItem::AxleLoad);
  Click(ResultItem::LinkRatio);  // the inverse ratio instead
  SweepBase();
  ASSERT_TRUE(ChangedSweep(state, table, graph).Ok);
  const QStringList lines = CsvLines(state, table);
  EXPECT_EQ(lines[17],
            "軸ｽﾄﾛｰｸ,ﾘﾝｸﾚｼｵ(逆)基準,ﾘﾝｸﾚｼｵ(逆)変更,ﾋﾟﾎﾞｯﾄ荷重基準,ﾋﾟﾎﾞｯﾄ荷重変更,"
            "ｻｽ長 基準,ｻｽ長 変更,ｻｽｽﾄﾛｸ基準,ｻｽｽﾄﾛｸ変更");
  for (int s = 0; s <= 150; s += 5) {
    const int row = ResultTable::RowOfStroke(s);
    const QStringList fields = lines[18 + s / 5].split(',');
    ASSERT_EQ(fields.size(), 10) << s;
    // Each field is the number of the cell under its header in the grid.
    for (int column = 0; column < 9; ++column) {
      EXPECT_FLOAT_EQ(fields[column].toFloat(), ModelCell(column, row).toFloat())
          << s << " " << column;
    }
  }
  const QStringList report = ReportLines(state, table);
  EXPECT_EQ(report[19], " ｱｸｽﾙ    ﾘﾝｸﾚｼｵ(逆)      ﾋﾟﾎﾞｯﾄ荷重      サス長          ｻｽｽﾄﾛ-ｸ");
}

int PdfPageCount(const QByteArray& pdf) {
  const QRegularExpressionMatch match =
      QRegularExpression(QStringLiteral("/Type\\s*/Pages\\b[^>]*/Count\\s+(\\d+)"))
          .match(QString::fromLatin1(pdf));
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Pages the report's lines take on a printer.
int ReportPages(QPrinter& printer, int lines) {
  const double pitch = TableView::kReportLineEms * 12 * printer.logicalDpiY() / 72.0;
  const int linesPerPage = static_cast<int>(printer.height() / pitch);
  if (linesPerPage <= 0) return -1;
  return (lines + linesPerPage - 1) / linesPerPage;
}

// With the default stroke range the whole report goes on one A4 sheet.
TEST_F(TableOutputTest, PrintsTheReportOnOneSheet) {
  const QString path = dir.filePath("report.pdf");
  QPrinter& printer = View().Printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageSize(QPageSize(QPageSize::A4));
  prompts.AcceptPrinter(true);
  Menu("menu_print")->trigger();

  ASSERT_EQ(prompts.History().size(), 1u);
  EXPECT_EQ(prompts.History().front().Kind, "printer");
  EXPECT_TRUE(prompts.Messages().empty());
  const QByteArray pdf = ReadBytes(path);
  EXPECT_TRUE(pdf.startsWith("%PDF"));
  const auto lines = static_cast<int>(ReportLines(state, table).size());
  EXPECT_EQ(ReportPages(printer, lines), 1);
  EXPECT_EQ(PdfPageCount(pdf), 1);
}

// A longer stroke range runs on to as many pages as its lines need.
TEST_F(TableOutputTest, LongReportRunsOverSeveralPages) {
  state.Mode = EditMode::Change;
  state.MaxStroke = 400;
  View().BuildTableLayout();
  const QString path = dir.filePath("long.pdf");
  QPrinter& printer = View().Printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  prompts.AcceptPrinter(true);
  View().Print();

  const int pages = ReportPages(printer, static_cast<int>(ReportLines(state, table).size()));
  EXPECT_GT(pages, 1);
  EXPECT_EQ(PdfPageCount(ReadBytes(path)), pages);
}

TEST_F(TableOutputTest, CancelledPrinterPrintsNothing) {
  const QString path = dir.filePath("report.pdf");
  View().Printer().setOutputFormat(QPrinter::PdfFormat);
  View().Printer().setOutputFileName(path);
  prompts.AcceptPrinter(false);
  View().Print();
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(TableOutputTest, PrinterThatCannotStartIsReported) {
  const QString path = dir.filePath("missing/report.pdf");
  View().Printer().setOutputFormat(QPrinter::PdfFormat);
  View().Printer().setOutputFileName(path);
  prompts.AcceptPrinter(true);
  View().Print();
  EXPECT_FALSE(QFile::exists(path));
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages().front().Title, text::kWarningTitle);
  EXPECT_EQ(prompts.Messages().front().Icon, MessageIcon::Error);
}

// ---- Ctrl+C ----------------------------------------------------------------

// Ctrl+C copied the current cell alone, without the names of its columns. A
// selected block now goes to the clipboard with both header lines, a tab
// between cells and a line feed after every line, as spreadsheets paste.
TEST_F(TableOutputTest, CtrlCCopiesTheSelectedCellsWithTheirHeaders) {
  TableView& v = Shown();
  QTableView* grid = v.Grid();
  QGuiApplication::clipboard()->clear();
  // Strokes 10 to 20 mm, from the changed ratio to the base shock length.
  ResultTableModel& model = *v.Model();
  grid->selectionModel()->select(QItemSelection(model.index(2, 2), model.index(4, 5)),
                                 QItemSelectionModel::ClearAndSelect);
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);

  const QString text = QGuiApplication::clipboard()->text();
  EXPECT_FALSE(text.contains(QLatin1Char('\r')));
  ASSERT_TRUE(text.endsWith(QLatin1Char('\n'))) << text.toStdString();
  const QStringList lines = text.chopped(1).split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 2 + 3);
  // The ratio's name stands over its base column, which is not copied: the
  // changed column carries it.
  EXPECT_EQ(lines[0], "ﾘﾝｸﾚｼｵ\tｱｸｽﾙ荷重\t\tサス長");
  EXPECT_EQ(lines[1], "変更\t基準\t変更\t基準");
  for (int r = 0; r < 3; ++r) {
    const QStringList fields = lines[2 + r].split(QLatin1Char('\t'));
    ASSERT_EQ(fields.size(), 4) << r;
    for (int c = 0; c < 4; ++c) {
      const QString cell = ModelCell(2 + c, ResultTable::RowOfStroke(10 + 5 * r));
      EXPECT_EQ(fields[c], cell.trimmed()) << r << " " << c;
      bool number = false;
      EXPECT_FLOAT_EQ(fields[c].toFloat(&number), cell.toFloat()) << r << " " << c;
      EXPECT_TRUE(number) << fields[c].toStdString();
    }
  }
}

// ---- PDF and preview --------------------------------------------------------

// The text of each page of a PDF as pdftotext lays it out.
QStringList PdfPageTexts(const QString& path) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                   QStringLiteral("-")});
  if (!pdftotext.waitForFinished(60000) || pdftotext.exitStatus() != QProcess::NormalExit ||
      pdftotext.exitCode() != 0) {
    ADD_FAILURE() << "pdftotext (poppler-utils, tools/install-deps.sh test) failed on "
                  << path.toStdString();
    return {};
  }
  QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'));
  // pdftotext ends every page with a form feed.
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

// The lines that hold text, their runs of blanks folded to one: how a line
// reads, whatever blanks a text extractor puts between its words.
QStringList Folded(const QStringList& lines) {
  QStringList folded;
  for (const QString& line : lines) {
    if (!line.simplified().isEmpty()) folded << line.simplified();
  }
  return folded;
}

// The report's lines as the pages of a printer take `perPage` of them.
std::vector<QStringList> Paged(const QStringList& lines, int perPage) {
  std::vector<QStringList> pages;
  for (qsizetype first = 0; first < lines.size(); first += perPage) {
    pages.push_back(Folded(lines.mid(first, perPage)));
  }
  return pages;
}

// Each page of the PDF holds, in order, the report's lines of that page and
// nothing else; every line is whole.
void ExpectPdfHoldsPages(const QString& path, const std::vector<QStringList>& expected) {
  const QStringList pages = PdfPageTexts(path);
  ASSERT_EQ(pages.size(), static_cast<qsizetype>(expected.size()));
  for (std::size_t page = 0; page < expected.size(); ++page) {
    EXPECT_EQ(Folded(pages[static_cast<qsizetype>(page)].split(QLatin1Char('\n'))).join('\n'),
              expected[page].join('\n'))
        << "page " << page + 1;
  }
}

// Report lines on a page of the printer at 12 pt: the page's printable
// height over the line distance of 1.2 ems.
int LinesPerPage12(QPrinter& printer) {
  const double height = printer.pageLayout().paintRect(QPageLayout::Point).height();
  return static_cast<int>(height / (TableView::kReportLineEms * 12));
}

// On a machine without a printer the report could not be had at all. It
// goes to a PDF file through Qt's own PDF printer: the save dialog as for the
// CSV file, every line of the printed report on the printer's pages.
TEST_F(TableOutputTest, SavesTheReportAsPdfWithoutAPrinter) {
  View().Printer().setPageSize(QPageSize(QPageSize::A4));
  const QString path = dir.filePath("report.pdf");
  prompts.PickFile(path);
  Menu("menu_file_pdf")->trigger();

  ASSERT_EQ(prompts.History().size(), 1u);
  const ScriptedPrompts::Shown& dialog = prompts.History().front();
  EXPECT_EQ(dialog.Kind, "save");
  EXPECT_EQ(dialog.Dialog.Title, "保存ﾌｧｲﾙ選択");
  EXPECT_EQ(dialog.Dialog.Filter, "pdfﾌｧｲﾙ(*.pdf)|*.pdf");
  EXPECT_EQ(dialog.Dialog.DefaultSuffix, "*.pdf");
  EXPECT_TRUE(prompts.Messages().empty());

  const QStringList lines = ReportLines(state, table);
  const int perPage = LinesPerPage12(View().Printer());
  ASSERT_GE(perPage, static_cast<int>(lines.size()));  // one A4 sheet
  ExpectPdfHoldsPages(path, Paged(lines, perPage));
  EXPECT_EQ(PdfPageCount(ReadBytes(path)), 1);
}

// A long stroke range breaks its pages in the PDF where the printer does:
// after as many lines as a page holds.
TEST_F(TableOutputTest, PdfBreaksPagesAsThePrinterDoes) {
  state.Mode = EditMode::Change;
  state.MaxStroke = 400;
  View().BuildTableLayout();
  View().Printer().setPageSize(QPageSize(QPageSize::A4));
  const QStringList lines = ReportLines(state, table);
  const int perPage = LinesPerPage12(View().Printer());
  EXPECT_EQ(TableView::LayOutReport(View().Printer(), lines).LinesPerPage, perPage);
  const auto pages = static_cast<int>((lines.size() + perPage - 1) / perPage);
  ASSERT_GT(pages, 1);

  const QString pdf = dir.filePath("long.pdf");
  prompts.PickFile(pdf);
  View().SavePdf();
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(PdfPageCount(ReadBytes(pdf)), pages);
  ExpectPdfHoldsPages(pdf, Paged(lines, perPage));

  // The printer's own output has the same pages.
  const QString printed = dir.filePath("printed.pdf");
  View().Printer().setOutputFormat(QPrinter::PdfFormat);
  View().Printer().setOutputFileName(printed);
  prompts.AcceptPrinter(true);
  View().Print();
  EXPECT_EQ(PdfPageTexts(printed).join('\f'), PdfPageTexts(pdf).join('\f'));
}

// With every item but the inverse ratio shown a stroke line is over 150
// columns, wider than an A4 sheet at 12 pt, and its right end was cut off.
// The report's font now shrinks until the widest line fits, on paper and in
// the PDF alike.
TEST_F(TableOutputTest, WideReportShrinksUntilItsWidestLineFits) {
  for (const ResultItemInfo& info : ResultItems()) {
    if (!table.IsShown(info.Item) && info.Item != ResultItem::InvLinkRatio) Click(info.Item);
  }
  ASSERT_EQ(table.ShownCount(), static_cast<int>(ResultItems().size()) - 1);
  SweepBase();
  ASSERT_TRUE(ChangedSweep(state, table, graph).Ok);
  QPrinter& printer = View().Printer();
  printer.setPageSize(QPageSize(QPageSize::A4));
  const QStringList lines = ReportLines(state, table);
  const auto widest = std::max_element(
      lines.begin(), lines.end(),
      [](const QString& a, const QString& b) { return DisplayWidth(a) < DisplayWidth(b); });
  ASSERT_GT(DisplayWidth(*widest), 120);

  const TableView::ReportLayout layout = TableView::LayOutReport(printer, lines);
  EXPECT_LT(layout.PointSize, 12);
  EXPECT_GT(layout.PointSize, 5);
  QFont font = GothicFont(layout.PointSize);
  QString inked = *widest;
  while (inked.endsWith(QLatin1Char(' '))) inked.chop(1);
  EXPECT_LE(QFontMetricsF(font, &printer).horizontalAdvance(inked), printer.width());

  const QString path = dir.filePath("wide.pdf");
  prompts.PickFile(path);
  View().SavePdf();
  ExpectPdfHoldsPages(path, Paged(lines, layout.LinesPerPage));
}

// The preview draws the pages the PDF holds: the same painting, asked
// through the prompts.
TEST_F(TableOutputTest, PreviewShowsThePagesOfThePdf) {
  const QString preview = dir.filePath("preview.pdf");
  prompts.PreviewInto(preview);
  Menu("menu_print_preview")->trigger();
  ASSERT_EQ(prompts.History().size(), 1u);
  EXPECT_EQ(prompts.History().front().Kind, "preview");
  EXPECT_TRUE(prompts.Messages().empty());

  const QString pdf = dir.filePath("report.pdf");
  prompts.PickFile(pdf);
  View().SavePdf();
  const QStringList pages = PdfPageTexts(preview);
  ASSERT_FALSE(pages.isEmpty());
  EXPECT_EQ(pages.join('\f'), PdfPageTexts(pdf).join('\f'));
}

// Qt's own preview dialog, on a machine with or without a printer, draws
// the report through the painting the printer uses.
TEST_F(TableOutputTest, QtPreviewDialogDrawsTheReport) {
  QtPrompts qt;
  QPrinter printer(QPrinter::HighResolution);
  int painted = 0;
  bool paintedWell = true;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&painted] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && painted > 0) modal->close();
  });
  closer.start(50);
  const QStringList lines = ReportLines(state, table);
  qt.PreviewPrint(nullptr, printer, [&](QPrinter& target) {
    ++painted;
    if (!TableView::PaintReport(target, lines)) paintedWell = false;
  });
  EXPECT_GE(painted, 1);
  EXPECT_TRUE(paintedWell);
}

TEST_F(TableOutputTest, PdfThatCannotBeWrittenIsReported) {
  prompts.PickFile(std::nullopt);
  View().SavePdf();
  EXPECT_TRUE(prompts.Messages().empty());

  const QString path = dir.filePath("missing/report.pdf");
  prompts.PickFile(path);
  View().SavePdf();
  EXPECT_FALSE(QFile::exists(path));
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages().front().Title, text::kWarningTitle);
  EXPECT_EQ(prompts.Messages().front().Icon, MessageIcon::Error);
  EXPECT_TRUE(prompts.Messages().front().Text.startsWith("PDFﾌｧｲﾙに保存できませんでした"));
}

TEST_F(TableViewTest, UserCannotCloseTheWindow) {
  View().show();
  EXPECT_FALSE(View().close());
  EXPECT_TRUE(View().isVisible());
  View().AllowClose();
  EXPECT_TRUE(View().close());
  EXPECT_FALSE(View().isVisible());
}

}  // namespace
}  // namespace potelan
