// The command-line tool end to end: its JSON reads back to the solver's own
// bits, a failing linkage names its stroke and keeps the steps before it, bad
// input is refused with exit status 2, and `compare` agrees with `sweep`.
#include "cli/CliCommands.hpp"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "CliRunning.hpp"
#include "FileBytes.hpp"
#include "FullFileSystem.hpp"
#include "files/TextCodec.hpp"
#include "model/NumberFormat.hpp"
#include "model/Solver.hpp"

namespace potelan::cli {
namespace {

using testing::Example;
using testing::Outcome;
using testing::ParseJson;
using testing::RunCli;

// The lines with line `index` replaced.
QStringList WithLine(QStringList lines, int index, const QString& line) {
  lines[index] = line;
  return lines;
}

// Writes a link file as Shift-JIS lines.
QString WriteLinkLines(const QTemporaryDir& dir, const QString& name, const QStringList& lines) {
  const QString path = dir.filePath(name);
  EXPECT_TRUE(WriteTextLines(path, lines));
  return path;
}

// A Type 2 linkage whose axle leaves the fork's reach after 35 mm.
QStringList FailingAt40() {
  return {"SUSTYPE=2",        "SUSPOS=0",          "サス上部取付Ｘ座標=150",
          "サス上部取付Ｙ座標=-274", "フォークリンク取付長=226", "フォークリンクオフセット=-1",
          "フォーク長=500",     "リアアクスル初期位置=-462", "スプリングレート=11",
          "プリロード=14",      "ピボット移動Ｘ=0",   "ピボット移動Ｙ=0"};
}

TEST(CliSweepTest, JsonStepsAreTheSolverResultsBitForBit) {
  for (int type = 2; type <= 6; ++type) {
    const Outcome r = RunCli({"sweep", Example(type), "--max-stroke", "150"});
    ASSERT_EQ(r.Code, kSuccess) << r.Err;
    const QJsonObject root = ParseJson(r.Out);
    EXPECT_EQ(root["SusType"].toInt(), type);
    const QJsonArray steps = root["steps"].toArray();
    ASSERT_EQ(steps.size(), 31);

    // The same linkage solved here, step by step, from the file's values.
    const QJsonObject first = steps[0].toObject();
    for (int k = 0; k < steps.size(); ++k) {
      const QJsonObject step = steps[k].toObject();
      EXPECT_EQ(step["stroke"].toDouble(), 5.0 * k);
      // Stroke counts from the zero-stroke length of this sweep.
      EXPECT_EQ(step["SusLength0"].toDouble(), first["SusLength"].toDouble());
      EXPECT_DOUBLE_EQ(step["SusStroke"].toDouble(),
                       step["SusLength0"].toDouble() - step["SusLength"].toDouble());
      EXPECT_EQ(step["InvLinkRatio"].toDouble(), 1 / step["LinkRatio"].toDouble());
      const QJsonArray pivot = step["PivotLoad"].toArray();
      ASSERT_EQ(pivot.size(), 3);
      EXPECT_EQ(pivot[0].toDouble(), std::sqrt(pivot[1].toDouble() * pivot[1].toDouble() +
                                               pivot[2].toDouble() * pivot[2].toDouble()));
      EXPECT_EQ(step["AxleY"].toDouble(), first["AxleY"].toDouble() - 5.0 * k);
      EXPECT_EQ(step["TenRodLoad"].isNull(), type == 2);
      EXPECT_EQ(step["LinkLwrX"].isNull(), type == 2);
      EXPECT_EQ(step["FrameLinkLoad"].isNull(), type == 2);
      EXPECT_FALSE(step["ForkLinkBaseX"].isNull());
    }
  }
}

TEST(CliSweepTest, JsonNumbersReadBackToTheSameDouble) {
  const Outcome r = RunCli({"sweep", Example(4), "--max-stroke", "20"});
  ASSERT_EQ(r.Code, kSuccess) << r.Err;
  const QJsonObject step = ParseJson(r.Out)["steps"].toArray()[3].toObject();
  // Solve the example here at 15 mm and compare every bit.
  AppState state;
  ConfigSet& c = state.Set[0];
  c.SusType = 4, c.SusPos = 3;
  c.SusUpX = 174, c.SusUpY = -281, c.ForkLinkLength = 171, c.ForkLinkOffset = 25;
  c.ForkLength = 527, c.AxleStartPos = 86, c.SpringRate = 5, c.Preload = 7, c.FrameLinkX = 68;
  c.FrameLinkY = 61, c.LinkUp = 112, c.LinkFr = 61, c.LinkRr = 52, c.TenRodLength = 80;
  ASSERT_EQ(SolveLinkage(state, 0, 3), SolveResult::Assembled);
  c.AxleStartPos -= 15;
  ASSERT_EQ(SolveLinkage(state, 0, 3), SolveResult::Assembled);
  EXPECT_EQ(step["LinkRatio"].toDouble(), c.LinkRatio);
  EXPECT_EQ(step["SusStroke"].toDouble(), c.SusStroke);
  EXPECT_EQ(step["AxleLoad"].toDouble(), c.AxleLoad.Magnitude);
  EXPECT_EQ(step["FrameLinkLoad"].toArray()[2].toDouble(), c.FrameLinkLoad.Y);
  EXPECT_EQ(step["LinkLwrX"].toDouble(), c.LinkLwrX);
}

TEST(CliSweepTest, PitchAndMaxStrokeChooseTheSteps) {
  Outcome r = RunCli({"sweep", Example(3), "--pitch", "0.5", "--max-stroke", "150"});
  ASSERT_EQ(r.Code, kSuccess) << r.Err;
  QJsonArray steps = ParseJson(r.Out)["steps"].toArray();
  ASSERT_EQ(steps.size(), 301);
  EXPECT_EQ(steps[3].toObject()["stroke"].toDouble(), 1.5);
  EXPECT_EQ(steps[300].toObject()["stroke"].toDouble(), 150);

  r = RunCli({"sweep", Example(3), "--max-stroke", "12"});
  EXPECT_EQ(ParseJson(r.Out)["steps"].toArray().size(), 3);

  // Without --max-stroke the settings file of the current folder decides.
  QTemporaryDir dir;
  ASSERT_TRUE(WriteTextLines(dir.filePath("potelan.ini"), {"MaxStroke=20"}));
  const QString example = QFileInfo(Example(3)).absoluteFilePath();
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  r = RunCli({"sweep", example});
  QDir::setCurrent(previous);
  EXPECT_EQ(ParseJson(r.Out)["steps"].toArray().size(), 5);
}

TEST(CliSweepTest, FailureNamesTheStrokeAndKeepsTheStepsBefore) {
  QTemporaryDir dir;
  const QString path = WriteLinkLines(dir, "fails.lin", FailingAt40());
  for (const char* format : {"json", "csv"}) {
    const Outcome r = RunCli({"sweep", path, "--max-stroke", "150", "--format", format});
    EXPECT_EQ(r.Code, kNotFormed);
    EXPECT_EQ(r.Err, "potelan-cli: " + path.toStdString() +
                         ": the linkage no longer forms at axle stroke 40 mm\n");
    if (std::string(format) == "json") {
      const QJsonObject root = ParseJson(r.Out);
      // Written a step at a time, yet what QJsonDocument writes of the whole.
      EXPECT_EQ(QJsonDocument(root).toJson(QJsonDocument::Compact).toStdString() + "\n", r.Out);
      EXPECT_EQ(root["steps"].toArray().size(), 8);  // 0..35 mm
      EXPECT_EQ(root["failure"].toObject()["stroke"].toDouble(), 40);
    } else {
      EXPECT_EQ(std::count(r.Out.begin(), r.Out.end(), '\n'), 1 + 8);
      // Type 2 computes no rod load: its field is empty, not 0.
      const QStringList rows = QString::fromStdString(r.Out).split('\n');
      EXPECT_EQ(rows[1].split(',').value(rows[0].split(',').indexOf("TenRodLoad"), "x"), "");
    }
  }
}

TEST(CliSweepTest, InitialFailureIsReported) {
  QStringList lines = FailingAt40();
  lines[7] = "リアアクスル初期位置=600";
  QTemporaryDir dir;
  const QString path = WriteLinkLines(dir, "f.lin", lines);
  const Outcome r = RunCli({"sweep", path});
  EXPECT_EQ(r.Code, kNotFormed);
  EXPECT_EQ(r.Err, "potelan-cli: " + path.toStdString() +
                       ": the linkage does not form at its initial position\n");
}

TEST(CliSweepTest, TableFormatShowsTheWindowsGrid) {
  const Outcome r = RunCli({"sweep", Example(4), "--format", "table", "--max-stroke", "150"});
  ASSERT_EQ(r.Code, kSuccess) << r.Err;
  std::istringstream lines(r.Out);
  std::vector<std::string> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(line);
  ASSERT_EQ(rows.size(), 33u);
  EXPECT_NE(rows[0].find("ｱｸｽﾙ"), std::string::npos);
  EXPECT_NE(rows[0].find("ﾘﾝｸﾚｼｵ"), std::string::npos);
  EXPECT_NE(rows[1].find("基準"), std::string::npos);
  EXPECT_EQ(rows[2].substr(0, 10), "         0");
  EXPECT_EQ(rows[32].substr(0, 10), "       150");
  EXPECT_EQ(RunCli({"sweep", Example(4), "--format", "table", "--pitch", "1"}).Code, kBadUsage);
  EXPECT_EQ(RunCli({"sweep", Example(4), "--format", "table", "--pitch", "0.5"}).Code, kBadUsage);
}

TEST(CliUsageTest, BadInputIsRefusedWithStatus2AndNoOutput) {
  QTemporaryDir dir;
  QStringList noPosition = FailingAt40();
  noPosition[0] = "SUSTYPE=4";
  QStringList missing = FailingAt40();
  missing.removeAt(6);  // フォーク長
  QStringList strayLine = FailingAt40();
  strayLine.insert(5, "");
  const QList<QStringList> cases = {
      {},
      {"frobnicate"},
      {"sweep"},
      {"sweep", Example(4), "--max-stroke", "abc"},
      {"sweep", Example(4), "--max-stroke", "4000"},
      {"sweep", Example(4), "--pitch", "0"},
      {"sweep", Example(4), "--pitch", "-5"},
      {"sweep", Example(4), "--format", "xml"},
      {"sweep", Example(4), "--bogus"},
      {"sweep", dir.filePath("no-such-file.lin")},
      {"sweep", WriteLinkLines(dir, "empty.lin", {})},
      {"sweep", WriteLinkLines(dir, "text.lin", {"hello"})},
      {"sweep", WriteLinkLines(dir, "nopos.lin", noPosition)},
      {"sweep", WriteLinkLines(dir, "missing.lin", missing)},
      {"sweep", WriteLinkLines(dir, "stray.lin", strayLine)},
      {"compare", Example(3), Example(4)},
      {"compare", Example(3), "-o", dir.filePath("x.csv")},
  };
  for (const QStringList& args : cases) {
    const Outcome r = RunCli(args);
    EXPECT_EQ(r.Code, kBadUsage) << args.join(' ').toStdString();
    EXPECT_TRUE(r.Out.empty()) << args.join(' ').toStdString();
    EXPECT_EQ(r.Err.rfind("potelan-cli: ", 0), 0u) << r.Err;
  }
  // A mistake in a file is named with its line and text, as it stands there.
  QStringList type3 = ReadTextLines(Example(3)).value_or(QStringList());
  const QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20);
  const std::pair<QStringList, std::string> named[] = {
      {WithLine(type3, 12, "リンクプレート上辺=11O2"), ": line 13: リンクプレート上辺=11O2 is not a number"},
      {type3 + QStringList{"junk"}, ": line 19: junk is not a key=value line"},
      {WithLine(type3, 0, "SUSTYPE=9"), ": line 1: SUSTYPE=9 is not a link type from 2 to 6"},
      {{"hello", "a=1"}, ": not a link file"},
  };
  for (const auto& [lines, said] : named) {
    const QString path = WriteLinkLines(dir, "named.lin", lines);
    const Outcome r = RunCli({"sweep", path});
    EXPECT_EQ(r.Code, kBadUsage);
    EXPECT_EQ(r.Err, "potelan-cli: " + path.toStdString() + said + "\n");
  }
  ASSERT_TRUE(potelan::testing::WriteBytes(dir.filePath("p.png"), png));
  EXPECT_NE(RunCli({"sweep", dir.filePath("p.png")}).Err.find(": not a link file"), std::string::npos);
  EXPECT_NE(RunCli({"sweep", WriteLinkLines(dir, "p4.lin", WithLine(type3, 1, "SUSPOS=4"))}).Code,
            kBadUsage);
  EXPECT_FALSE(QFile::exists(dir.filePath("x.csv")));
  const Outcome missingKey = RunCli({"sweep", dir.filePath("missing.lin")});
  EXPECT_NE(missingKey.Err.find("フォーク長"), std::string::npos) << missingKey.Err;
}

TEST(CliUsageTest, TrailingBlankLinesAreHarmless) {
  QTemporaryDir dir;
  QStringList lines = FailingAt40();
  lines[7] = "リアアクスル初期位置=60";
  lines << "" << "";
  EXPECT_EQ(RunCli({"sweep", WriteLinkLines(dir, "blank.lin", lines)}).Code, kSuccess);
}

TEST(CliUsageTest, HelpDescribesEveryOption) {
  const Outcome r = RunCli({"--help"});
  EXPECT_EQ(r.Code, kSuccess);
  for (const char* command : {"", "sweep", "compare", "info", "sensitivity", "fit"}) {
    std::istringstream lines(*command ? RunCli({command, "--help"}).Out : r.Out);
    for (std::string line; std::getline(lines, line);) {
      EXPECT_LE(QString::fromStdString(line).size(), 79) << line;
    }
  }
  for (const char* option : {"--max-stroke", "--pitch", "--format", "-o", "sweep", "compare"}) {
    EXPECT_NE(r.Out.find(option), std::string::npos) << option;
  }
}

TEST(CliCompareTest, CsvAgreesWithTheSweepOfEachFile) {
  QTemporaryDir dir;
  const QString csv = dir.filePath("out.csv");
  const Outcome r = RunCli({"compare", Example(3), Example(5), "--max-stroke", "150", "-o", csv});
  ASSERT_EQ(r.Code, kSuccess) << r.Err;
  const std::optional<QStringList> lines = ReadTextLines(csv);
  ASSERT_TRUE(lines);
  ASSERT_EQ(lines->size(), 49);
  EXPECT_EQ((*lines)[1], "サスタイプ,Type3,Type5");

  const QJsonArray base =
      ParseJson(RunCli({"sweep", Example(3), "--max-stroke", "150"}).Out)["steps"].toArray();
  const QJsonArray changed =
      ParseJson(RunCli({"sweep", Example(5), "--max-stroke", "150"}).Out)["steps"].toArray();
  for (int k = 0; k <= 30; ++k) {
    const QStringList fields = (*lines)[18 + k].split(',');
    ASSERT_EQ(fields.size(), 10) << k;  // nine values and the trailing comma
    EXPECT_EQ(fields[0].toDouble(), 5.0 * k);
    const QJsonObject b = base[k].toObject(), c = changed[k].toObject();
    EXPECT_NEAR(fields[1].toDouble(), b["LinkRatio"].toDouble(), 0.00005 + 1e-7);
    EXPECT_NEAR(fields[2].toDouble(), c["LinkRatio"].toDouble(), 0.00005 + 1e-7);
    EXPECT_NEAR(fields[3].toDouble(), b["AxleLoad"].toDouble(), 0.05 + 1e-5);
    EXPECT_NEAR(fields[6].toDouble(), c["SusLength"].toDouble(), 0.05 + 1e-5);
    EXPECT_NEAR(fields[8].toDouble(), c["SusStroke"].toDouble(), 0.05 + 1e-5);
  }
}

TEST(CliCompareTest, AFailingSetWritesNoFile) {
  QTemporaryDir dir;
  const QString csv = dir.filePath("out.csv");
  const Outcome r =
      RunCli({"compare", Example(4), WriteLinkLines(dir, "f.lin", FailingAt40()), "-o", csv});
  EXPECT_EQ(r.Code, kNotFormed);
  EXPECT_EQ(r.Err, "potelan-cli: " + dir.filePath("f.lin").toStdString() +
                       ": the linkage no longer forms at axle stroke 40 mm\n");
  EXPECT_FALSE(QFile::exists(csv));
}

// Runs the tool in `folder` as the current folder, as a user would there.
Outcome RunCliIn(const QString& folder, const QStringList& args) {
  const QString previous = QDir::currentPath();
  if (!QDir::setCurrent(folder)) return {-1, "", "cannot enter " + folder.toStdString()};
  Outcome outcome = RunCli(args);
  QDir::setCurrent(previous);
  return outcome;
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

// The stroke k * units / 10^decimals as a person writes it ("2.03", "7").
std::string DecimalText(long k, long units, int decimals) {
  std::string digits = std::to_string(k * units);
  if (decimals == 0) return digits;
  if (digits.size() <= static_cast<std::size_t>(decimals)) {
    digits.insert(0, decimals + 1 - digits.size(), '0');
  }
  digits.insert(digits.size() - decimals, ".");
  while (digits.back() == '0') digits.pop_back();
  if (digits.back() == '.') digits.pop_back();
  return digits;
}

// Strokes were k * pitch in binary: --pitch 0.07 --max-stroke 7 ended at
// 6.930000000000001 and lost the 7 mm step, and 2.03 printed as
// 2.0300000000000002. Every stroke is now the decimal k * pitch, printed as
// written, and the axle is moved by exactly the double of that decimal (the
// oracle reads the decimal text itself, independently of the tool).
TEST(CliSweepTest, StrokesAreWholeMultiplesOfThePitchInItsOwnDecimals) {
  const struct {
    const char* Pitch;
    const char* MaxStroke;
    long Units;
    int Decimals;
    int Steps;
  } cases[] = {{"0.07", "7", 7, 2, 101}, {"0.1", "3", 1, 1, 31}, {"0.3", "3", 3, 1, 11},
               {".25", "1", 25, 2, 5},   {"2.5e-1", "1", 25, 2, 5}, {"7", "20", 7, 0, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Pitch);
    const Outcome json =
        RunCli({"sweep", Example(3), "--pitch", c.Pitch, "--max-stroke", c.MaxStroke});
    ASSERT_EQ(json.Code, kSuccess) << json.Err;
    const QJsonArray steps = ParseJson(json.Out)["steps"].toArray();
    ASSERT_EQ(steps.size(), c.Steps);
    const double axle0 = steps[0].toObject()["AxleY"].toDouble();
    for (int k = 0; k < steps.size(); ++k) {
      const double stroke = std::strtod(DecimalText(k, c.Units, c.Decimals).c_str(), nullptr);
      EXPECT_EQ(steps[k].toObject()["stroke"].toDouble(), stroke) << k;
      EXPECT_EQ(steps[k].toObject()["AxleY"].toDouble(), axle0 - stroke) << k;
    }

    const Outcome csv = RunCli({"sweep", Example(3), "--pitch", c.Pitch, "--max-stroke",
                                c.MaxStroke, "--format", "csv"});
    ASSERT_EQ(csv.Code, kSuccess) << csv.Err;
    std::istringstream lines(csv.Out);
    std::string line;
    std::getline(lines, line);  // header
    for (int k = 0; std::getline(lines, line); ++k) {
      EXPECT_EQ(line.substr(0, line.find(',')), DecimalText(k, c.Units, c.Decimals));
    }
  }
  EXPECT_EQ(RunCli({"sweep", Example(3), "--pitch", "0.0000001"}).Code, kBadUsage);
  EXPECT_EQ(RunCli({"sweep", Example(3), "--pitch", "0.123456"}).Code, kSuccess);
  // A pitch beyond every stroke leaves stroke 0 alone.
  const Outcome wide = RunCli({"sweep", Example(3), "--pitch", "1e300", "--max-stroke", "3276"});
  ASSERT_EQ(wide.Code, kSuccess) << wide.Err;
  EXPECT_EQ(ParseJson(wide.Out)["steps"].toArray().size(), 1);
}

// A MaxStroke line that could not be used was passed over in silence, and
// the sweep printed stroke 0 alone. The tool now says on stderr which value
// it ignored and which MaxStroke it used, and goes on.
TEST(CliSweepTest, UnusableSettingsAreNamedWithTheValueUsed) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString example = QFileInfo(Example(3)).absoluteFilePath();
  const QString ini = dir.filePath("potelan.ini");

  ASSERT_TRUE(WriteTextLines(ini, {"MaxStroke=abc"}));
  Outcome r = RunCliIn(dir.path(), {"sweep", example});
  ASSERT_EQ(r.Code, kSuccess) << r.Err;
  EXPECT_EQ(ParseJson(r.Out)["steps"].toArray().size(), 1);
  EXPECT_NE(r.Err.find("\"abc\""), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("MaxStroke 0 is used"), std::string::npos) << r.Err;

  ASSERT_TRUE(WriteTextLines(ini, {"MaxStroke=20", "MaxStroke=5000"}));
  r = RunCliIn(dir.path(), {"sweep", example});
  EXPECT_EQ(ParseJson(r.Out)["steps"].toArray().size(), 5);
  EXPECT_NE(r.Err.find("line 2"), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("\"5000\""), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("MaxStroke 20 is used"), std::string::npos) << r.Err;

  ASSERT_TRUE(WriteTextLines(ini, {"Other=1"}));
  r = RunCliIn(dir.path(), {"sweep", example});
  EXPECT_NE(r.Err.find("no MaxStroke line"), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("MaxStroke 0 is used"), std::string::npos) << r.Err;

  ASSERT_TRUE(QFile::remove(ini));
  ASSERT_TRUE(QDir(dir.path()).mkdir("potelan.ini"));
  r = RunCliIn(dir.path(), {"compare", example, example, "-o", dir.filePath("out.csv")});
  EXPECT_EQ(r.Code, kSuccess) << r.Err;
  EXPECT_NE(r.Err.find("not a regular file"), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("MaxStroke 150 is used"), std::string::npos) << r.Err;

  // A clean settings file, or --max-stroke, says nothing.
  ASSERT_TRUE(QDir(dir.path()).rmdir("potelan.ini"));
  ASSERT_TRUE(WriteTextLines(ini, {"MaxStroke=20"}));
  EXPECT_EQ(RunCliIn(dir.path(), {"sweep", example}).Err, "");
  ASSERT_TRUE(WriteTextLines(ini, {"MaxStroke=abc"}));
  EXPECT_EQ(RunCliIn(dir.path(), {"sweep", example, "--max-stroke", "10"}).Err, "");
}

// `sweep /dev/zero` grew to gigabytes; a folder or a huge file were read
// whole. Each is refused at once with exit status 2 and the file named.
TEST(CliUsageTest, NonRegularAndOversizedFilesAreRefused) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString large = dir.filePath("large.lin");
  {
    QFile file(large);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(kMaxTextFileBytes + 1));
  }
  for (const QString& path : {QStringLiteral("/dev/zero"), dir.path(), large}) {
    const Outcome r = RunCli({"sweep", path});
    EXPECT_EQ(r.Code, kBadUsage) << path.toStdString();
    EXPECT_TRUE(r.Out.empty()) << path.toStdString();
    EXPECT_NE(r.Err.find(path.toStdString()), std::string::npos) << r.Err;
  }
}

// `compare A.lin B.lin -o A.lin` wrote the CSV over the base link file. An
// output that is one of the inputs, however it is spelt (another path, a
// symbolic or a hard link), is refused with exit status 2 and nothing is
// written.
TEST(CliCompareTest, AnOutputThatIsAnInputIsRefused) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString base = dir.filePath("A.lin");
  const QString changed = dir.filePath("B.lin");
  ASSERT_TRUE(QFile::copy(Example(3), base));
  ASSERT_TRUE(QFile::copy(Example(4), changed));
  ASSERT_TRUE(QFile::link(base, dir.filePath("soft.csv")));
  std::error_code code;
  std::filesystem::create_hard_link(QFile::encodeName(changed).toStdString(),
                                    QFile::encodeName(dir.filePath("hard.csv")).toStdString(),
                                    code);
  ASSERT_FALSE(code) << code.message();
  const QByteArray baseBytes = ReadBytes(base), changedBytes = ReadBytes(changed);

  for (const QString& output : {base, changed, dir.path() + "/./A.lin",
                                dir.path() + "/../" + QDir(dir.path()).dirName() + "/B.lin",
                                dir.filePath("soft.csv"), dir.filePath("hard.csv")}) {
    SCOPED_TRACE(output.toStdString());
    const Outcome r = RunCli({"compare", base, changed, "-o", output});
    EXPECT_EQ(r.Code, kBadUsage);
    EXPECT_NE(r.Err.find(output.toStdString()), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find("nothing was written"), std::string::npos) << r.Err;
    EXPECT_EQ(ReadBytes(base), baseBytes);
    EXPECT_EQ(ReadBytes(changed), changedBytes);
  }
  EXPECT_EQ(RunCli({"compare", base, changed, "-o", dir.filePath("out.csv")}).Code, kSuccess);
}

// A CSV that could not be saved (a full disk, /dev/full) used to be reported
// as written, leaving an empty file in place of the previous one. The tool
// exits 2, names the file and says it was not saved; the previous file stays.
TEST(CliCompareTest, ACsvThatCannotBeSavedIsStatus2AndKeepsThePreviousFile) {
  if (std::filesystem::is_character_file("/dev/full")) {
    const Outcome r = RunCli({"compare", Example(3), Example(4), "-o", "/dev/full"});
    EXPECT_EQ(r.Code, kBadUsage);
    EXPECT_NE(r.Err.find("\"/dev/full\" was not saved"), std::string::npos) << r.Err;
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
  }

  fixtures::FullFileSystem disk;
  if (!disk.Mounted()) GTEST_SKIP() << disk.SkipReason();
  const QString csv = disk.FilePath("out.csv");
  const QByteArray previous("previous,table,\r\n");
  {
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(previous), previous.size());
  }
  ASSERT_TRUE(disk.Fill());
  const Outcome r = RunCli({"compare", Example(3), Example(4), "-o", csv});
  EXPECT_EQ(r.Code, kBadUsage);
  EXPECT_NE(r.Err.find(csv.toStdString()), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("was not saved"), std::string::npos) << r.Err;
  EXPECT_EQ(ReadBytes(csv), previous);
}

}  // namespace
}  // namespace potelan::cli
