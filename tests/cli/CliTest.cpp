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
#include <sstream>

#include "files/TextCodec.hpp"
#include "model/NumberFormat.hpp"
#include "model/Solver.hpp"

namespace potelan::cli {
namespace {

struct Outcome {
  int Code;
  std::string Out;
  std::string Err;
};

Outcome RunCli(const QStringList& args) {
  std::ostringstream out, err;
  const int code = Run(args, out, err);
  return {code, out.str(), err.str()};
}

QString Example(int type) { return QStringLiteral(POTELAN_EXAMPLES "/type%1.lin").arg(type); }

QJsonObject ParseJson(const std::string& text) {
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  return doc.object();
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
  SolveLinkage(state, 0, 3);
  c.AxleStartPos -= 15;
  SolveLinkage(state, 0, 3);
  ASSERT_FALSE(state.LinkFailed);
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
    EXPECT_NE(r.Err.find("ｱｸｽﾙｽﾄﾛｰｸ 40mm でリンクが成立しなくなります"), std::string::npos)
        << r.Err;
    if (std::string(format) == "json") {
      const QJsonObject root = ParseJson(r.Out);
      EXPECT_EQ(root["steps"].toArray().size(), 8);  // 0..35 mm
      EXPECT_EQ(root["failure"].toObject()["stroke"].toDouble(), 40);
    } else {
      EXPECT_EQ(std::count(r.Out.begin(), r.Out.end(), '\n'), 1 + 8);
    }
  }
}

TEST(CliSweepTest, InitialFailureIsReported) {
  QStringList lines = FailingAt40();
  lines[7] = "リアアクスル初期位置=600";
  QTemporaryDir dir;
  const Outcome r = RunCli({"sweep", WriteLinkLines(dir, "f.lin", lines)});
  EXPECT_EQ(r.Code, kNotFormed);
  EXPECT_NE(r.Err.find("初期条件でリンクが成立しません"), std::string::npos);
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
    EXPECT_FALSE(r.Err.empty()) << args.join(' ').toStdString();
  }
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
  EXPECT_NE(r.Err.find("40mm"), std::string::npos);
  EXPECT_FALSE(QFile::exists(csv));
}

}  // namespace
}  // namespace potelan::cli
