// The CSV file and the printed report of the numeric table, filled by hand
// with cell texts as the table view would hold them.

#include "files/TableExport.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTranslator>
#include <cstdio>

#include "files/TextCodec.hpp"
#include "model/NumberFormat.hpp"
#include "model/StrokeSweep.hpp"
#include "QtText.hpp"

namespace potelan {
namespace {

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

// Columns of the stroke table with the four items shown at start.
constexpr int kDefaultColumns = 9;

// A Type 3 base set read from a link file beside a Type 2 changed set with
// the absent-member markers; strokes up to 100 mm.
AppState ExampleState() {
  AppState state;
  state.MaxStroke = 100;
  ConfigSet& b = state.Set[0];
  b.SusType = 3;
  b.SusUpX = static_cast<double>(12.3f);
  b.SusUpY = -250.5;
  b.FrameLinkX = 30;
  b.FrameLinkY = -180.25;
  b.ForkLength = 560;
  b.ForkLinkLength = 180;
  b.ForkLinkOffset = -25.5;
  b.LinkUp = 80;
  b.LinkFr = 95.75;
  b.LinkRr = 60;
  b.TenRodLength = 150;
  b.AxleStartPos = 0;
  b.SpringRate = 8.5;
  b.Preload = 0.5;
  ConfigSet& c = state.Set[1];
  c.SusType = 2;
  c.SusUpX = 1.0 / 3.0;
  c.SusUpY = -1000;
  c.FrameLinkX = c.FrameLinkY = c.LinkUp = c.LinkFr = c.LinkRr = c.TenRodLength = 10000.0;
  c.ForkLength = 600;
  c.ForkLinkLength = 200.125;
  c.ForkLinkOffset = 0;
  c.AxleStartPos = -15;
  c.SpringRate = static_cast<double>(9.8f);
  c.Preload = 0;
  return state;
}

std::string Fixed(const char* format, double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

// The table as the sweeps leave it for MaxStroke 100: strokes 0..100 mm.
// Three cells are empty, as a value too wide for its cell leaves them: the
// first item column, one in the middle and the last one.
ResultTable ExampleTable() {
  ResultTable table;
  table.BuildHeaders();
  FitStrokeRows(table, 100);
  for (int k = 0; k <= 20; ++k) {
    const int row = k + 2;
    const std::string cells[kDefaultColumns] = {
        Fixed("%6.0f", 5.0 * k),          Fixed("%6.4f", 0.5 - 0.0123 * k),
        Fixed("%6.4f", 0.5 - 0.0111 * k), Fixed("%6.1f", 100 + 17.3 * k),
        Fixed("%6.1f", 100 + 19.1 * k),   Fixed("%6.1f", 320.0 - 2.45 * k),
        Fixed("%6.1f", 318.5 - 2.6 * k),  Fixed("%6.1f", 2.45 * k),
        Fixed("%6.1f", 2.6 * k)};
    for (int column = 0; column < kDefaultColumns; ++column) {
      table.SetCell(column, row, cells[column]);
    }
  }
  table.SetCell(8, 4, "");
  table.SetCell(2, 6, "");
  table.SetCell(1, 10, "");
  return table;
}

// The fields of a CSV line; a stroke line's trailing "," ends its last field
// and opens none.
QStringList Fields(const QString& line) { return line.split(QLatin1Char(',')); }

// Every stroke line carries one field per header and ends with ",".
void ExpectOneFieldPerHeader(const QStringList& lines) {
  constexpr int kHeaderLine = 17;
  ASSERT_GT(lines.size(), kHeaderLine);
  const auto headers = Fields(lines[kHeaderLine]).size();
  for (int i = kHeaderLine + 1; i < lines.size(); ++i) {
    EXPECT_TRUE(lines[i].endsWith(QLatin1Char(','))) << i;
    EXPECT_EQ(Fields(lines[i]).size(), headers + 1) << i << ": " << lines[i].toStdString();
  }
}

// ---------------------------------------------------------------------------
// CSV

// Writes the lines and compares the file with a golden file of tests/data.
void ExpectGolden(const QStringList& lines, const char* golden) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("out.csv");
  QString error;
  ASSERT_TRUE(WriteCsvFile(path, lines, &error)) << error.toStdString();
  const QByteArray expected =
      ReadBytes(QStringLiteral(POTELAN_TEST_DATA) + QLatin1Char('/') + QString::fromLatin1(golden));
  ASSERT_FALSE(expected.isEmpty()) << golden;
  EXPECT_EQ(ReadBytes(path), expected) << golden;
}

// An empty cell used to add no field at all, so every later value of its line
// slid one column to the left, under the header of another item.
TEST(CsvExport, EmptyCellsKeepTheirFields) {
  const QStringList lines = CsvLines(ExampleState(), ExampleTable());
  ExpectOneFieldPerHeader(lines);
  ASSERT_EQ(lines.size(), 18 + 21);  // strokes 0..100 mm, nothing beyond
  EXPECT_EQ(Fields(lines[17]).size(), kDefaultColumns);
  EXPECT_EQ(lines[20], "10,0.4754,0.4778,134.6,138.2,315.1,313.3,4.9,,");
  EXPECT_EQ(lines[22], "20,0.4508,,169.2,176.4,310.2,308.1,9.8,10.4,");
  EXPECT_EQ(lines[26], "40,,0.4112,238.4,252.8,300.4,297.7,19.6,20.8,");
  ExpectGolden(lines, "export_expected.csv");
#ifdef POTELAN_ENGLISH_QM
  // A file is the same bytes whatever language the windows speak.
  int argc = 1;
  char name[] = "potelan_files_tests";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  QTranslator english;
  ASSERT_TRUE(english.load(QStringLiteral(POTELAN_ENGLISH_QM)));
  ASSERT_TRUE(QCoreApplication::installTranslator(&english));
  ASSERT_EQ(QCoreApplication::translate("potelan::ResultItems", "ﾘﾝｸﾚｼｵ"), "Link ratio");
  ExpectGolden(CsvLines(ExampleState(), ExampleTable()), "export_expected.csv");
#endif
}

// The stroke table is headed by the items the table shows, in its order, and
// carries all their columns; the changed Type 2 set computes no rod or link
// mount loads, so those fields are empty.
ResultTable NonDefaultItemsTable() {
  ResultTable table;
  table.SetShown(ResultItem::LinkRatio, false);
  table.SetShown(ResultItem::InvLinkRatio, true);
  table.SetShown(ResultItem::AxleLoad, false);
  table.SetShown(ResultItem::SusLength, false);
  for (ResultItem item : {ResultItem::SusLoad, ResultItem::TenRodLoad, ResultItem::PivotLoad,
                          ResultItem::FrameLinkLoad, ResultItem::ForkLinkLoad}) {
    table.SetShown(item, true);
  }
  table.BuildHeaders();
  FitStrokeRows(table, 20);
  for (int k = 0; k <= 4; ++k) {
    const int row = k + 2;
    const std::string base[] = {Fixed("%6.4f", 2.0 + 0.05 * k),  Fixed("%6.1f", 400 + 30.5 * k),
                                Fixed("%6.1f", 350 + 25.25 * k), Fixed("%6.1f", 420 + 31 * k),
                                Fixed("%6.1f", 380 + 28 * k),    Fixed("%6.1f", -33.5 - k),
                                Fixed("%6.1f", 2.45 * k)};
    const std::string changed[] = {Fixed("%6.4f", 1.9 + 0.04 * k),
                                   Fixed("%6.1f", 410 + 29 * k),
                                   "",
                                   Fixed("%6.1f", 415 + 27.5 * k),
                                   "",
                                   "",
                                   Fixed("%6.1f", 2.6 * k)};
    table.SetCell(0, row, Fixed("%6.0f", 5.0 * k));
    for (int item = 0; item < 7; ++item) {
      table.SetCell(2 * item + 1, row, base[item]);
      table.SetCell(2 * item + 2, row, changed[item]);
    }
  }
  return table;
}

TEST(CsvExport, HeadersFollowTheShownItems) {
  AppState state = ExampleState();
  state.MaxStroke = 20;
  const QStringList lines = CsvLines(state, NonDefaultItemsTable());
  ExpectOneFieldPerHeader(lines);
  ASSERT_EQ(lines.size(), 18 + 5);
  EXPECT_EQ(lines[17],
            "軸ｽﾄﾛｰｸ,ﾘﾝｸﾚｼｵ(逆)基準,ﾘﾝｸﾚｼｵ(逆)変更,サス荷重基準,サス荷重変更,T-Rod基準,T-"
            "Rod変更,ﾋﾟﾎﾞｯﾄ荷重基準,ﾋﾟﾎﾞｯﾄ荷重変更,Frm-Link基準,Frm-Link変更,Fork-Link基準,"
            "Fork-Link変更,ｻｽｽﾄﾛｸ基準,ｻｽｽﾄﾛｸ変更");
  EXPECT_EQ(lines[18], "0,2,1.9,400,410,350,,420,415,380,,-33.5,,0,0,");
  ExpectGolden(lines, "export_items_expected.csv");
}

// With the wheel rate shown, it heads the last two columns, after the items
// shown at start, and every stroke line keeps one field per header, also
// where a rate too wide for its cell left the cell empty.
TEST(CsvExport, WheelRateColumnsFollowTheOtherItems) {
  ResultTable table = ExampleTable();
  table.SetShown(ResultItem::WheelRate, true);
  table.BuildHeaders();
  for (int k = 0; k <= 20; ++k) {
    table.SetCell(9, k + 2, CellText(1.25 + 0.5 * k, "##0.00"));
    table.SetCell(10, k + 2, CellText(-5.0 * k, "##0.00"));  // empty from -100 on
  }
  const QStringList lines = CsvLines(ExampleState(), table);
  ExpectOneFieldPerHeader(lines);
  EXPECT_TRUE(lines[17].endsWith(",ｻｽｽﾄﾛｸ基準,ｻｽｽﾄﾛｸ変更,ﾎｲｰﾙﾚｰﾄ基準,ﾎｲｰﾙﾚｰﾄ変更")) << lines[17].toStdString();
  EXPECT_EQ(lines[20], "10,0.4754,0.4778,134.6,138.2,315.1,313.3,4.9,,2.25,-10,");
  EXPECT_EQ(lines[38], "100,0.254,0.278,446,482,271,266.5,49,52,11.25,,");

  const QStringList report = ReportLines(ExampleState(), table);
  EXPECT_TRUE(report[19].endsWith(QStringLiteral("ﾎｲｰﾙﾚｰﾄ"))) << report[19].toStdString();
}

// The table and its exports hold the rows of the current stroke range only:
// a table that still holds a longer range exports none of its later rows.
TEST(CsvExport, RowsEndAtMaxStroke) {
  ResultTable table;
  table.BuildHeaders();
  for (int s = 0; s <= 150; s += 5)
    table.SetCell(0, ResultTable::RowOfStroke(s), Fixed("%6.0f", s));
  AppState state = ExampleState();
  for (const std::int16_t maxStroke : {150, 152, 104, 0}) {
    state.MaxStroke = maxStroke;
    const QStringList lines = CsvLines(state, table);
    const int last = LastSweepStroke(maxStroke);
    ASSERT_EQ(lines.size(), 18 + last / 5 + 1) << maxStroke;
    EXPECT_EQ(lines.last(), QString::number(last) + ",,,,,,,,,") << maxStroke;
    EXPECT_EQ(ReportLines(state, table).size(), 21 + last / 5 + 1) << maxStroke;
  }
}

TEST(CsvExport, FullGridHasFortyNineLinesOfNineValues) {
  ResultTable table;
  table.BuildHeaders();
  for (int row = 2; row < kGridRows; ++row) {
    for (int column = 0; column < kDefaultColumns; ++column) table.SetCell(column, row, "   1.5");
  }
  AppState state = ExampleState();
  state.MaxStroke = 150;
  const QStringList lines = CsvLines(state, table);
  ASSERT_EQ(lines.size(), 2 + 14 + 1 + 1 + 31);
  EXPECT_EQ(lines[0], "項目,基準値,変更後");
  EXPECT_EQ(lines[1], "サスタイプ,Type3,Type2");
  EXPECT_EQ(lines[15], "イニシャル,0.5,0");
  EXPECT_EQ(lines[16], "");
  EXPECT_TRUE(lines[17].startsWith("軸ｽﾄﾛｰｸ,"));
  for (int i = 18; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i], "1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,") << i;
  }
}

TEST(CsvExport, CellsAreReadAsSinglesAndWrittenShort) {
  ResultTable table;
  table.BuildHeaders();
  table.SetCell(0, 2, "     0");
  table.SetCell(1, 2, "0.5000");
  table.SetCell(2, 2, "    .5");
  table.SetCell(3, 2, "1234.56");  // more digits than a single keeps
  table.SetCell(4, 2, "  ----");   // not a number: an empty field
  table.SetCell(5, 2, "-12.30");
  const QStringList lines = CsvLines(ExampleState(), table);
  EXPECT_EQ(lines[18], "0,0.5,0.5,1234.56,,-12.3,,,,");
  EXPECT_EQ(lines[19], ",,,,,,,,,");
}

TEST(CsvExport, GrownGridExportsEveryStrokeRow) {
  ResultTable table;
  table.BuildHeaders();
  table.SetCell(0, 42, "   200");  // stroke 200 mm
  ASSERT_EQ(table.RowCount(), 43);
  AppState state = ExampleState();
  state.MaxStroke = 200;
  const QStringList lines = CsvLines(state, table);
  EXPECT_EQ(lines.size(), 18 + 41);  // stroke rows 0..200 mm
  EXPECT_EQ(lines.last(), "200,,,,,,,,,");
}

TEST(CsvExport, FailedSaveReportsAnErrorAndKeepsThePreviousFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QString error;
  EXPECT_FALSE(WriteCsvFile(dir.filePath("missing/out.csv"), {"a"}, &error));
  EXPECT_TRUE(error.contains("out.csv")) << error.toStdString();

  const QString path = dir.filePath("kept.csv");
  ASSERT_TRUE(WriteCsvFile(path, {"a,b"}, &error));
  EXPECT_FALSE(WriteCsvFile(path, {QStringLiteral("\u00e9")}, &error));
  EXPECT_EQ(ReadBytes(path), QByteArray("a,b\r\n"));
}

// ---------------------------------------------------------------------------
// Printed report

TEST(DisplayWidth, CountsShiftJisBytes) {
  EXPECT_EQ(DisplayWidth(""), 0);
  EXPECT_EQ(DisplayWidth("abc"), 3);
  EXPECT_EQ(DisplayWidth("ｱｸｽﾙ"), 4);
  EXPECT_EQ(DisplayWidth("サス長"), 6);
  EXPECT_EQ(DisplayWidth("ｻｽ長 基準"), 9);
  EXPECT_EQ(DisplayWidth(QStringLiteral("a\u00e9")), 3);  // unencodable counts two
}

TEST(PrintedLabel, MatchesTheReportLabels) {
  const std::pair<const char*, const char*> labels[] = {
      {"サス上部取付Ｘ座標", "    サス上部取付Ｘ座標          "},
      {"サス上部取付Ｙ座標", "    サス上部取付Ｙ座標          "},
      {"フレーム側リンク取付Ｘ座標", "    フレーム側リンク取付Ｘ座標  "},
      {"フレーム側リンク取付Ｙ座標", "    フレーム側リンク取付Ｙ座標  "},
      {"フォーク長", "    フォーク長                  "},
      {"フォークリンク取付長", "    フォークリンク取付長        "},
      {"フォークリンクオフセット", "    フォークリンクオフセット    "},
      {"リンクプレート上辺", "    リンクプレート上辺          "},
      {"リンクプレート前辺", "    リンクプレート前辺          "},
      {"リンクプレート後辺", "    リンクプレート後辺          "},
      {"テンションロッド長", "    テンションロッド長          "},
      {"リアアクスル初期位置", "    リアアクスル初期位置        "},
      {"スプリングレート", "    スプリングレート            "},
      {"イニシャル", "    イニシャル                  "},
  };
  for (const auto& [name, label] : labels) {
    EXPECT_EQ(PrintedLabel(QString::fromUtf8(name)), QString::fromUtf8(label)) << name;
    EXPECT_EQ(DisplayWidth(QString::fromUtf8(label)), 32) << name;
  }
}

TEST(ReportExport, HeaderAndDimensionLines) {
  const QStringList lines = ReportLines(ExampleState(), ExampleTable());
  ASSERT_EQ(lines.size(), 3 + 14 + 2 + 2 + 21);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], QString(32, ' ') + "基準値" + QString(6, ' ') + "変更後");
  EXPECT_EQ(lines[2], "    サスタイプ" + QString(19, ' ') + "Type3" + QString(7, ' ') + "Type2");
  const QString gap(6, ' ');
  EXPECT_EQ(lines[3], "    サス上部取付Ｘ座標          " + QString("  12.3") + gap + "    .3");
  // A value of -1000 or less does not fit six characters and prints empty.
  EXPECT_EQ(lines[4], "    サス上部取付Ｙ座標          " + QString("-250.5") + gap);
  EXPECT_EQ(lines[5], "    フレーム側リンク取付Ｘ座標  " + QString("  30.0") + gap + "  ----");
  EXPECT_EQ(lines[7], "    フォーク長                  " + QString(" 560.0") + gap + " 600.0");
  EXPECT_EQ(lines[9], "    フォークリンクオフセット    " + QString(" -25.5") + gap + "    .0");
  EXPECT_EQ(lines[13], "    テンションロッド長          " + QString(" 150.0") + gap + "  ----");
  EXPECT_EQ(lines[14], "    リアアクスル初期位置        " + QString("    .0") + gap + " -15.0");
  EXPECT_EQ(lines[15], "    スプリングレート            " + QString("   8.5") + gap + "   9.8");
  EXPECT_EQ(lines[16], "    イニシャル                  " + QString("    .5") + gap + "    .0");
  EXPECT_EQ(lines[17], "");
  EXPECT_EQ(lines[18], "");
  EXPECT_EQ(lines[19], " ｱｸｽﾙ    ﾘﾝｸﾚｼｵ          軸荷重          サス長          ｻｽｽﾄﾛ-ｸ");
  EXPECT_EQ(lines[20], " ｽﾄﾛｰｸ   基準    変更    基準    変更    基準    変更    基準    変更");
}

// Each item's name stands over its own two columns, for the items the table
// shows, and every stroke line is as wide as its columns.
TEST(ReportExport, HeadersFollowTheShownItems) {
  AppState state = ExampleState();
  state.MaxStroke = 20;
  const ResultTable table = NonDefaultItemsTable();
  const QStringList lines = ReportLines(state, table);
  ASSERT_EQ(lines.size(), 21 + 5);
  const QStringList names = {"ﾘﾝｸﾚｼｵ(逆)", "サス荷重",  "T-Rod",  "ﾋﾟﾎﾞｯﾄ荷重",
                             "Frm-Link",   "Fork-Link", "ｻｽｽﾄﾛ-ｸ"};
  const QString& header = lines[19];
  for (int k = 1; k <= names.size(); ++k) {
    const qsizetype at = header.indexOf(names[k - 1]);
    ASSERT_GE(at, 0) << k;
    // Display column of the item's base cell: one blank, eight per cell.
    EXPECT_EQ(DisplayWidth(header.left(at)), 1 + 8 * (2 * k - 1)) << k;
  }
  // Under each name "基準" and "変更", eight columns apart.
  QStringList sides;
  for (int k = 1; k <= names.size(); ++k)
    sides << "基準"
          << "変更";
  EXPECT_EQ(lines[20].split(' ', Qt::SkipEmptyParts), QStringList{"ｽﾄﾛｰｸ"} + sides);
  qsizetype from = 0;
  for (int column = 1; column <= sides.size(); ++column) {
    from = lines[20].indexOf(sides[column - 1], from);
    ASSERT_GE(from, 0) << column;
    EXPECT_EQ(DisplayWidth(lines[20].left(from)), 1 + 8 * column) << column;
    ++from;
  }
  for (int i = 21; i < lines.size(); ++i) {
    EXPECT_EQ(DisplayWidth(lines[i]), 1 + 15 * 8) << i;
  }
  EXPECT_EQ(lines[21], "      0  2.0000  1.9000   400.0   410.0   350.0" + QString(8, ' ') +
                           "   420.0   415.0   380.0" + QString(8, ' ') + "   -33.5" +
                           QString(8, ' ') + "     0.0     0.0  ");
}

TEST(ReportExport, TableRowsKeepTheirColumns) {
  const QStringList lines = ReportLines(ExampleState(), ExampleTable());
  const QString blank6(6, ' ');
  EXPECT_EQ(lines[21], "      0  0.5000  0.5000   100.0   100.0   320.0   318.5     0.0     0.0  ");
  // Row of stroke 10: the last cell is empty and still takes its columns.
  EXPECT_EQ(lines[23], "     10  0.4754  0.4778   134.6   138.2   315.1   313.3     4.9" +
                           QString("  ") + blank6 + "  ");
  // Row of stroke 40: the first item's base cell is empty.
  EXPECT_EQ(lines[29], "     40" + QString("  ") + blank6 +
                           "  0.4112   238.4   252.8   300.4   297.7    19.6    20.8  ");
  // The last row is the last stroke of the range.
  EXPECT_TRUE(lines.last().startsWith("    100  ")) << lines.last().toStdString();
  for (int i = 21; i < lines.size(); ++i) {
    EXPECT_EQ(DisplayWidth(lines[i]), 1 + 9 * 8) << i;
  }
}

}  // namespace
}  // namespace potelan
