// The CSV file and the printed report of the numeric table, filled by hand
// with cell texts as the table view would hold them.

#include "files/TableExport.hpp"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "files/TextCodec.hpp"

// Readable failure messages for Qt strings.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace potelan {
namespace {

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

// A Type 3 base set read from a link file beside a Type 2 changed set with
// the absent-member markers.
AppState ExampleState() {
  AppState state;
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

// Strokes 0..100 mm filled (MaxStroke 100), 105..150 left empty; two cells
// of items the set does not compute are empty.
ResultTable ExampleTable() {
  ResultTable table;
  table.BuildHeaders();
  for (int k = 0; k <= 20; ++k) {
    const int row = k + 2;
    const std::string cells[kExportColumns] = {
        Fixed("%6.0f", 5.0 * k),          Fixed("%6.4f", 0.5 - 0.0123 * k),
        Fixed("%6.4f", 0.5 - 0.0111 * k), Fixed("%6.1f", 100 + 17.3 * k),
        Fixed("%6.1f", 100 + 19.1 * k),   Fixed("%6.1f", 320.0 - 2.45 * k),
        Fixed("%6.1f", 318.5 - 2.6 * k),  Fixed("%6.1f", 2.45 * k),
        Fixed("%6.1f", 2.6 * k)};
    for (int column = 0; column < kExportColumns; ++column) {
      table.SetCell(column, row, cells[column]);
    }
  }
  table.SetCell(8, 4, "");
  table.SetCell(2, 6, "");
  return table;
}

// ---------------------------------------------------------------------------
// CSV

TEST(CsvExport, MatchesTheGoldenFileByteForByte) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("out.csv");
  QString error;
  ASSERT_TRUE(WriteCsvFile(path, CsvLines(ExampleState(), ExampleTable()), &error))
      << error.toStdString();
  EXPECT_EQ(ReadBytes(path),
            ReadBytes(QStringLiteral(POTELAN_TEST_DATA) + QStringLiteral("/export_expected.csv")));
}

TEST(CsvExport, FullGridHasFortyNineLinesOfNineValues) {
  ResultTable table;
  table.BuildHeaders();
  for (int row = 2; row < kGridRows; ++row) {
    for (int column = 0; column < kExportColumns; ++column) table.SetCell(column, row, "   1.5");
  }
  const QStringList lines = CsvLines(ExampleState(), table);
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
  table.SetCell(4, 2, "  ----");   // not a number: adds nothing
  table.SetCell(5, 2, "-12.30");
  const QStringList lines = CsvLines(ExampleState(), table);
  EXPECT_EQ(lines[18], "0,0.5,0.5,1234.56,-12.3,");
  EXPECT_EQ(lines[19], "");
}

TEST(CsvExport, GrownGridExportsEveryStrokeRow) {
  ResultTable table;
  table.BuildHeaders();
  table.SetCell(0, 42, "   200");  // stroke 200 mm
  ASSERT_EQ(table.RowCount(), 43);
  const QStringList lines = CsvLines(ExampleState(), table);
  EXPECT_EQ(lines.size(), 18 + 41);  // stroke rows 0..200 mm
  EXPECT_EQ(lines.last(), "200,");
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
  ASSERT_EQ(lines.size(), 3 + 14 + 2 + 2 + 31);
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

TEST(ReportExport, TableRowsKeepTheirColumns) {
  const QStringList lines = ReportLines(ExampleState(), ExampleTable());
  const QString blank6(6, ' ');
  EXPECT_EQ(lines[21], "      0  0.5000  0.5000   100.0   100.0   320.0   318.5     0.0     0.0  ");
  // Row of stroke 10: the last cell is empty and still takes its columns.
  EXPECT_EQ(lines[23], "     10  0.4754  0.4778   134.6   138.2   315.1   313.3     4.9" +
                           QString("  ") + blank6 + "  ");
  // Row of stroke 150 was never filled.
  EXPECT_EQ(lines.last(), " " + QString("        ").repeated(9));
  for (int i = 21; i < lines.size(); ++i) {
    EXPECT_EQ(DisplayWidth(lines[i]), 1 + 9 * 8) << i;
  }
}

}  // namespace
}  // namespace potelan
