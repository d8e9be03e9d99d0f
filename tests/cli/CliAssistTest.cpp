// The design-assistant commands of the command-line tool against the engine
// they print: `info` gives Characterise's figures, `sensitivity` gives
// ComputeSensitivity's, and `fit` writes a link file whose own curve has the
// RMS it reports, with only the named dimensions changed. Also the wheel rate
// of `sweep`, each command's --help and the exit statuses.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cmath>
#include <algorithm>
#include <cstdio>
#include <sstream>
#include <tuple>

#include "CliRunning.hpp"
#include "FileBytes.hpp"
#include "assist/Characteristics.hpp"
#include "model/Dimensions.hpp"
#include "assist/Fit.hpp"
#include "assist/Sensitivity.hpp"
#include "cli/CliCommands.hpp"
#include "entry/MemoryForm.hpp"
#include "files/LinkFile.hpp"
#include "files/TextCodec.hpp"
#include "model/NumberFormat.hpp"
#include "model/Rates.hpp"
#include "model/Solver.hpp"

namespace potelan::cli {
namespace {

using testing::Example;
using testing::Outcome;
using testing::ParseJson;
using testing::RunCli;

// A link file as the change-input form reads it: the set and the boxes.
struct Link {
  ConfigSet Set;
  MemoryForm Form = MemoryForm::InputForm();
};

Link ReadLink(const QString& path) {
  AppState state;
  state.Mode = EditMode::New;
  Link link;
  const LinkReadResult read = ReadLinkFile(state, link.Form, path, kChangedSet);
  EXPECT_EQ(read.Status, LinkReadStatus::Ok) << path.toStdString();
  link.Set = state.Set[kChangedSet];
  return link;
}

QStringList LinesOf(const QString& path) { return ReadTextLines(path).value_or(QStringList()); }

// The example's lines with the value of one key replaced.
QStringList WithValue(QStringList lines, const QString& key, const QString& value) {
  for (QString& line : lines) {
    if (line.startsWith(key + QLatin1Char('='))) line = key + QLatin1Char('=') + value;
  }
  return lines;
}

// ---- sweep -------------------------------------------------------------------

// Every step of the JSON sweep carries the wheel rate of that solve: the exact
// rate of the engine, which is also the slope of the axle load the steps
// around it show.
TEST(CliSweepWheelRateTest, EveryStepCarriesTheWheelRateOfItsSolve) {
  for (int type = 2; type <= 6; ++type) {
    SCOPED_TRACE(type);
    const Outcome r = RunCli({"sweep", Example(type), "--pitch", "0.01", "--max-stroke", "1"});
    ASSERT_EQ(r.Code, kSuccess) << r.Err;
    const QJsonArray steps = ParseJson(r.Out)["steps"].toArray();
    ASSERT_EQ(steps.size(), 101);
    for (int k = 1; k + 1 < steps.size(); k += 10) {
      const double rate = steps[k].toObject()["WheelRate"].toDouble();
      const double slope = (steps[k + 1].toObject()["AxleLoad"].toDouble() -
                            steps[k - 1].toObject()["AxleLoad"].toDouble()) /
                           0.02;
      EXPECT_NEAR(rate, slope, 1e-4 * std::abs(slope) + 1e-6) << k;
    }
  }

  // Bit for bit the engine's rate of the same solve.
  const Outcome r = RunCli({"sweep", Example(4), "--max-stroke", "20"});
  const QJsonObject step = ParseJson(r.Out)["steps"].toArray()[3].toObject();
  AppState state;
  state.Set[0] = ReadLink(Example(4)).Set;
  ConfigSet& c = state.Set[0];
  ASSERT_EQ(SolveLinkage(state, 0, c.SusPos), SolveResult::Assembled);
  c.AxleStartPos -= 15;
  ASSERT_EQ(SolveLinkage(state, 0, c.SusPos), SolveResult::Assembled);
  const std::optional<StepRates> rates = RatesOfSolved(c);
  ASSERT_TRUE(rates);
  EXPECT_EQ(step["WheelRate"].toDouble(), rates->WheelRate);
  // The CSV format keeps its columns.
  const Outcome csv = RunCli({"sweep", Example(4), "--max-stroke", "5", "--format", "csv"});
  EXPECT_EQ(csv.Out.find("WheelRate"), std::string::npos);
}

// ---- info --------------------------------------------------------------------

TEST(CliInfoTest, PrintsTheEnginesCharacteristics) {
  for (int type = 2; type <= 6; ++type) {
    SCOPED_TRACE(type);
    const ConfigSet set = ReadLink(Example(type)).Set;
    const assist::Curve curve = assist::SweepCurve(set, 150);
    ASSERT_TRUE(curve.Ok);
    // A static load between the 40 and 45 mm steps: the sag lies there.
    const double load = 0.5 * (curve.Points[8].Loads[1] + curve.Points[9].Loads[1]);
    const assist::Characteristics c = assist::Characterise(set, 150, load);
    ASSERT_TRUE(c.StaticSag);
    ASSERT_EQ(c.StaticSag->Outcome, assist::SagOutcome::Reached);

    const Outcome r = RunCli({"info", Example(type), "--max-stroke", "150", "--static-load",
                              QString::number(load, 'g', 17)});
    ASSERT_EQ(r.Code, kSuccess) << r.Err;
    const QJsonObject root = ParseJson(r.Out);
    EXPECT_EQ(root["SusType"].toInt(), type);
    EXPECT_EQ(root["Progression"].toDouble(), c.ProgressionPercent);
    EXPECT_EQ(root["Sag"].toDouble(), c.StaticSag->Stroke);
    EXPECT_GT(root["Sag"].toDouble(), 40);
    EXPECT_LT(root["Sag"].toDouble(), 45);
    EXPECT_EQ(root["SagStatus"].toString(), "reached");
    EXPECT_EQ(root["StaticLoad"].toDouble(), load);

    const QJsonObject maxLoads = root["MaxLoads"].toObject();
    ASSERT_EQ(maxLoads.size(), assist::kLoadItemCount);
    for (assist::LoadItem item : assist::kLoadItems) {
      const QString key = QString::fromLatin1(assist::JsonName(item));
      EXPECT_EQ(maxLoads[key].isNull(), !assist::TypeComputes(type, item)) << key.toStdString();
    }
    for (const assist::LoadPeak& peak : c.Peaks) {
      const QJsonObject p = maxLoads[QString::fromLatin1(assist::JsonName(peak.Item))].toObject();
      EXPECT_EQ(p["value"].toDouble(), peak.Value);
      EXPECT_EQ(p["stroke"].toDouble(), peak.Stroke);
    }

    const QJsonArray steps = root["steps"].toArray();
    ASSERT_EQ(steps.size(), static_cast<qsizetype>(c.Swept.Points.size()));
    for (qsizetype k = 0; k < steps.size(); ++k) {
      const QJsonObject step = steps[k].toObject();
      const assist::CurvePoint& p = c.Swept.Points[static_cast<std::size_t>(k)];
      EXPECT_EQ(step["stroke"].toDouble(), p.Stroke);
      EXPECT_EQ(step["LinkRatio"].toDouble(), p.LinkRatio);
      EXPECT_EQ(step["WheelRate"].toDouble(), p.WheelRate);
      EXPECT_EQ(step["RatioSlope"].toDouble(), p.RatioSlope);
    }
  }
}

TEST(CliInfoTest, SagIsNullWhenNotReachedOrNotAsked) {
  Outcome r = RunCli({"info", Example(3), "--max-stroke", "150"});
  ASSERT_EQ(r.Code, kSuccess) << r.Err;
  QJsonObject root = ParseJson(r.Out);
  EXPECT_TRUE(root["Sag"].isNull());
  EXPECT_TRUE(root["SagStatus"].isNull());
  EXPECT_TRUE(root["StaticLoad"].isNull());

  r = RunCli({"info", Example(3), "--max-stroke", "150", "--static-load", "100000"});
  ASSERT_EQ(r.Code, kSuccess) << r.Err;
  root = ParseJson(r.Out);
  EXPECT_TRUE(root["Sag"].isNull());
  EXPECT_EQ(root["SagStatus"].toString(), "not-reached");

  // A load the preload already carries sags nothing.
  r = RunCli({"info", Example(3), "--max-stroke", "150", "--static-load", "0"});
  root = ParseJson(r.Out);
  EXPECT_EQ(root["Sag"].toDouble(-1), 0);
  EXPECT_EQ(root["SagStatus"].toString(), "held-by-preload");
}

// ---- sensitivity -------------------------------------------------------------

TEST(CliSensitivityTest, PrintsTheEnginesSensitivityByJsonName) {
  for (int type = 2; type <= 6; ++type) {
    SCOPED_TRACE(type);
    const ConfigSet set = ReadLink(Example(type)).Set;
    const assist::Sensitivity s = assist::ComputeSensitivity(set, 150);
    ASSERT_TRUE(s.Ok);
    const Outcome r = RunCli({"sensitivity", Example(type), "--max-stroke", "150"});
    ASSERT_EQ(r.Code, kSuccess) << r.Err;
    const QJsonObject root = ParseJson(r.Out);
    EXPECT_EQ(root["step"].toDouble(), s.Step);
    EXPECT_EQ(root["HalfStroke"].toDouble(), s.HalfStroke);
    EXPECT_EQ(root["base"].toObject()["RatioAtMax"].toDouble(), s.Base.RatioAtMax);
    const QJsonObject dims = root["dimensions"].toObject();
    ASSERT_EQ(dims.size(), static_cast<qsizetype>(DimensionsOfType(type).size()));
    for (const assist::DimensionSensitivity& row : s.Rows) {
      const QString key = QString::fromLatin1(JsonName(row.Dim));
      SCOPED_TRACE(key.toStdString());
      ASSERT_TRUE(row.Assembles);
      const QJsonObject f = dims[key].toObject();
      EXPECT_EQ(f["RatioAtZero"].toDouble(), row.PerUnit.RatioAtZero);
      EXPECT_EQ(f["RatioAtHalf"].toDouble(), row.PerUnit.RatioAtHalf);
      EXPECT_EQ(f["RatioAtMax"].toDouble(), row.PerUnit.RatioAtMax);
      EXPECT_EQ(f["Progression"].toDouble(), row.PerUnit.ProgressionPercent);
      EXPECT_EQ(f["SusStrokeAtMax"].toDouble(), row.PerUnit.SusStrokeAtMax);
    }
  }
}

// A rod length at the edge of assembly: its step does not assemble over the
// stroke, so the rod gets null instead of figures.
TEST(CliSensitivityTest, ADimensionWhoseStepDoesNotAssembleIsNull) {
  const QStringList lines = LinesOf(Example(4));
  ConfigSet set = ReadLink(Example(4)).Set;
  auto assembles = [&](double rod) {
    ConfigSet c = set;
    c.TenRodLength = rod;
    return assist::SweepCurve(c, 150, false).Ok;
  };
  double good = set.TenRodLength, bad = good;
  while (assembles(bad) && bad < good + 200) bad += 5;
  ASSERT_FALSE(assembles(bad));
  for (int i = 0; i < 60; ++i) {
    const double mid = 0.5 * (good + bad);
    (assembles(mid) ? good : bad) = mid;
  }
  QTemporaryDir dir;
  const QString path = dir.filePath("edge.lin");
  ASSERT_TRUE(WriteTextLines(
      path, WithValue(lines, "テンションロッド長", QString::number(good - 0.002, 'f', 4))));
  const Outcome r = RunCli({"sensitivity", path, "--max-stroke", "150"});
  ASSERT_EQ(r.Code, kSuccess) << r.Err;
  const QJsonObject dims = ParseJson(r.Out)["dimensions"].toObject();
  EXPECT_TRUE(dims.contains("TenRodLength"));
  EXPECT_TRUE(dims["TenRodLength"].isNull());
  EXPECT_TRUE(dims["SpringRate"].isObject());
}

// ---- fit -----------------------------------------------------------------------

// A target file of a curve, with a header line, in UTF-8 or in Shift-JIS.
QString WriteTarget(const QTemporaryDir& dir, const QString& name,
                    const std::vector<assist::CurveSample>& target, bool shiftJis) {
  QStringList lines{QStringLiteral("ストローク,リンクレシオ")};
  for (const assist::CurveSample& p : target) {
    lines << QString::number(p.Stroke, 'g', 17) + QLatin1Char(',') +
                 QString::number(p.Value, 'g', 17);
  }
  const QString path = dir.filePath(name);
  if (shiftJis) {
    EXPECT_TRUE(WriteTextLines(path, lines));
  } else {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(lines.join(QLatin1Char('\n')).toUtf8() + "\n");
  }
  return path;
}

// Every line of the fitted file is the start file's, except the lines of the
// varied dimensions.
void ExpectOnlyVariedLinesDiffer(const QString& start, const QString& fitted,
                                 const QStringList& variedKeys) {
  const QStringList a = LinesOf(start), b = LinesOf(fitted);
  ASSERT_EQ(a.size(), b.size());
  for (qsizetype i = 0; i < a.size(); ++i) {
    const QString key = a[i].section(QLatin1Char('='), 0, 0);
    EXPECT_EQ(b[i].section(QLatin1Char('='), 0, 0), key);
    if (!variedKeys.contains(key)) {
      EXPECT_EQ(b[i], a[i]);
    }
  }
}

// A linkage three dimensions away from the start: the fit finds its curve,
// writes a file that differs from the start only in those dimensions, and
// reports the RMS and values of exactly that file.
TEST(CliFitTest, ReachesTheCurveOfAKnownLinkageAndWritesItsFile) {
  const Link start = ReadLink(Example(4));
  ConfigSet truth = start.Set;
  truth.LinkUp -= 3;
  truth.LinkFr -= 2;
  truth.TenRodLength += 1.37;  // no single-precision number
  const assist::Curve curve = assist::SweepCurve(truth, 150, false);
  ASSERT_TRUE(curve.Ok);
  const std::vector<assist::CurveSample> target =
      assist::TargetFromCurve(curve, assist::Quantity::LinkRatio);

  for (const bool shiftJis : {false, true}) {
    SCOPED_TRACE(shiftJis ? "Shift-JIS" : "UTF-8");
    QTemporaryDir dir;
    const QString csv = WriteTarget(dir, "target.csv", target, shiftJis);
    const QString out = dir.filePath("fitted.lin");
    const Outcome r = RunCli({"fit", Example(4), "--target", csv, "--vary", "LinkUp,LinkFr",
                              "--vary", "TenRodLength", "--max-stroke", "150", "-o", out});
    ASSERT_EQ(r.Code, kSuccess) << r.Err;
    const QJsonObject root = ParseJson(r.Out);
    EXPECT_LT(root["rms"].toDouble(1), 2e-4);
    EXPECT_GT(root["evaluations"].toInt(), 0);
    EXPECT_GE(root["seconds"].toDouble(-1), 0);

    const Link fitted = ReadLink(out);
    const std::optional<assist::CurveError> error =
        assist::MeasureFit(fitted.Set, 150, assist::Quantity::LinkRatio, target);
    ASSERT_TRUE(error);
    EXPECT_EQ(root["rms"].toDouble(), error->Rms);
    EXPECT_EQ(root["max_error"].toDouble(), error->MaxError);

    const QJsonObject values = root["values"].toObject();
    ASSERT_EQ(values.size(), 3);
    EXPECT_EQ(static_cast<float>(values["LinkUp"].toDouble()), fitted.Set.LinkUp);
    EXPECT_EQ(static_cast<float>(values["LinkFr"].toDouble()), fitted.Set.LinkFr);
    EXPECT_EQ(static_cast<float>(values["TenRodLength"].toDouble()), fitted.Set.TenRodLength);
    // Printed as the file's decimals, not as their single-precision images.
    const QString rod = LinesOf(out).filter("テンションロッド長=").value(0).section('=', 1);
    EXPECT_EQ(values["TenRodLength"].toDouble(), ParseDecimal(rod.toStdString())) << rod.toStdString();
    EXPECT_NEAR(fitted.Set.LinkUp, truth.LinkUp, 0.5);
    EXPECT_NEAR(fitted.Set.TenRodLength, truth.TenRodLength, 0.5);
    EXPECT_EQ(fitted.Set.SusType, start.Set.SusType);
    EXPECT_EQ(fitted.Set.SusPos, start.Set.SusPos);
    ExpectOnlyVariedLinesDiffer(Example(4), out,
                                {"リンクプレート上辺", "リンクプレート前辺", "テンションロッド長"});
    // The file is what Save writes for the boxes it holds.
    AppState state;
    state.Set[kChangedSet] = fitted.Set;
    EXPECT_EQ(LinkFileLines(state, fitted.Form, kChangedSet), LinesOf(out));
  }
}

// A target out of reach within narrow bounds: the best set within the bounds,
// with the honest RMS of its file; the axle-load quantity is measured on the
// axle load.
TEST(CliFitTest, AnUnreachableTargetGivesTheBestSetWithinTheBounds) {
  const Link start = ReadLink(Example(3));
  const assist::Curve curve = assist::SweepCurve(start.Set, 150, false);
  ASSERT_TRUE(curve.Ok);
  const std::vector<assist::CurveSample> target =
      assist::ScaleTarget(assist::TargetFromCurve(curve, assist::Quantity::AxleLoad), 1.5);
  QTemporaryDir dir;
  const QString csv = WriteTarget(dir, "t.csv", target, true);
  const QString out = dir.filePath("f.lin");
  const Outcome r = RunCli({"fit", Example(3), "--target", csv, "--vary", "LinkUp,SpringRate",
                            "--bounds", "LinkUp=60:64", "--bounds", "SpringRate=11.5:12.5",
                            "--quantity", "axle-load", "--max-stroke", "150", "-o", out});
  ASSERT_EQ(r.Code, kSuccess) << r.Err;
  const QJsonObject root = ParseJson(r.Out);
  const QJsonObject values = root["values"].toObject();
  EXPECT_GE(values["LinkUp"].toDouble(), 60);
  EXPECT_LE(values["LinkUp"].toDouble(), 64);
  EXPECT_GE(values["SpringRate"].toDouble(), 11.5);
  EXPECT_LE(values["SpringRate"].toDouble(), 12.5);
  const std::optional<assist::CurveError> error =
      assist::MeasureFit(ReadLink(out).Set, 150, assist::Quantity::AxleLoad, target);
  ASSERT_TRUE(error);
  EXPECT_GT(error->Rms, 1);
  EXPECT_EQ(root["rms"].toDouble(), error->Rms);
  ExpectOnlyVariedLinesDiffer(Example(3), out, {"リンクプレート上辺", "スプリングレート"});
  // Out of reach: "at_bound" names exactly the values within a step of a bound.
  const QJsonArray atBound = root["at_bound"].toArray();
  EXPECT_FALSE(atBound.isEmpty());
  for (const auto& [key, lo, hi, step] : {std::tuple{"LinkUp", 60.0, 64.0, 0.01},
                                          std::tuple{"SpringRate", 11.5, 12.5, 0.1}}) {
    const double v = values[key].toDouble();
    EXPECT_EQ(atBound.contains(QString(key)), v - lo < step * 1.01 || hi - v < step * 1.01) << key;
  }
}

// A fitted value of zero is the decimal point alone in its entry box's
// pattern ("."), which no link file can carry back: the file would stop
// being read at that line. The fit writes "0" instead, and the file reads
// back whole.
TEST(CliFitTest, AFittedZeroIsWrittenAsANumber) {
  const Link start = ReadLink(Example(4));
  ConfigSet truth = start.Set;
  truth.Preload = 0;
  const assist::Curve curve = assist::SweepCurve(truth, 150, false);
  ASSERT_TRUE(curve.Ok);
  QTemporaryDir dir;
  const QString csv =
      WriteTarget(dir, "t.csv", assist::TargetFromCurve(curve, assist::Quantity::AxleLoad), false);
  const QString out = dir.filePath("f.lin");
  const Outcome r =
      RunCli({"fit", Example(4), "--target", csv, "--vary", "Preload", "--bounds", "Preload=0:0.5",
              "--quantity", "axle-load", "--max-stroke", "150", "-o", out});
  ASSERT_EQ(r.Code, kSuccess) << r.Err;
  EXPECT_EQ(ParseJson(r.Out)["values"].toObject()["Preload"].toDouble(-1), 0);
  EXPECT_TRUE(LinesOf(out).contains("プリロード=0"));
  EXPECT_EQ(ReadLink(out).Set.Preload, 0);
  // CR line ends, trailing commas, squares that overflow, a device as output.
  ASSERT_TRUE(potelan::testing::WriteBytes(dir.filePath("cr.csv"),
                                           "stroke,ratio\r0,1e200,\r75,1e200, ,\r150,1e200\r"));
  const Outcome huge = RunCli({"fit", Example(4), "--target", dir.filePath("cr.csv"), "--vary", "Preload",
                               "--max-stroke", "150", "-o", "/dev/null"});
  ASSERT_EQ(huge.Code, kSuccess) << huge.Err;
  EXPECT_EQ(ParseJson(huge.Out)["rms"].toDouble(), 1e200);
}

// ---- usage and exit statuses ---------------------------------------------------

// A Type 2 linkage whose axle leaves the fork's reach after 35 mm.
QStringList FailingAt40() {
  return {"SUSTYPE=2",
          "SUSPOS=0",
          "サス上部取付Ｘ座標=150",
          "サス上部取付Ｙ座標=-274",
          "フォークリンク取付長=226",
          "フォークリンクオフセット=-1",
          "フォーク長=500",
          "リアアクスル初期位置=-462",
          "スプリングレート=11",
          "プリロード=14",
          "ピボット移動Ｘ=0",
          "ピボット移動Ｙ=0"};
}

TEST(CliAssistUsageTest, BadUsageIsStatus2AndWritesNothing) {
  QTemporaryDir dir;
  const QString start = dir.filePath("start.lin");
  ASSERT_TRUE(QFile::copy(Example(4), start));
  const QByteArray startBytes = LinesOf(start).join('\n').toUtf8();
  const QString csv = WriteTarget(dir, "t.csv", {{0, 0.3}, {75, 0.4}, {150, 0.5}}, false);
  // Too few points, beyond the stroke, two at one stroke.
  const QString two = WriteTarget(dir, "two.csv", {{0, 0.3}, {150, 0.5}}, false);
  const QString beyond = WriteTarget(dir, "far.csv", {{0, 0.3}, {75, 0.4}, {151, 0.5}}, false);
  const QString below = WriteTarget(dir, "low.csv", {{-1, 0.3}, {75, 0.4}, {150, 0.5}}, false);
  const QString twice = WriteTarget(dir, "twice.csv", {{0, 0.3}, {75, 0.4}, {75, 0.5}}, false);
  const QString bad = dir.filePath("bad.csv");
  ASSERT_TRUE(WriteTextLines(bad, {"stroke,value", "0,0.3", "5;0.31"}));
  const QString out = dir.filePath("out.lin");
  const QString type2 = dir.filePath("t2.lin");
  ASSERT_TRUE(QFile::copy(Example(2), type2));
  const QList<QStringList> cases = {
      {"info"},
      {"info", start, start},
      {"info", start, "--static-load", "heavy"},
      {"info", start, "--static-load", "-1"},
      {"info", start, "--pitch", "1"},
      {"sensitivity", start, "--max-stroke", "-1"},
      {"sensitivity", dir.filePath("none.lin")},
      {"fit", start, "--target", csv, "--vary", "LinkUp"},                    // no -o
      {"fit", start, "--vary", "LinkUp", "-o", out},                          // no target
      {"fit", start, "--target", csv, "-o", out},                             // no vary
      {"fit", start, "--target", csv, "--vary", "Linkup", "-o", out},         // no such key
      {"fit", type2, "--target", csv, "--vary", "LinkUp", "-o", out},         // not of Type 2
      {"fit", start, "--target", csv, "--vary", "LinkUp,LinkUp", "-o", out},  // twice
      {"fit", start, "--target", csv, "--vary", "LinkUp", "--bounds", "LinkFr=1:2", "-o", out},
      {"fit", start, "--target", csv, "--vary", "LinkUp", "--bounds", "LinkUp=1", "-o", out},
      {"fit", start, "--target", csv, "--vary", "LinkUp", "--bounds", "LinkUp=9:2", "-o", out},
      {"fit", start, "--target", csv, "--vary", "LinkUp", "--quantity", "rate", "-o", out},
      {"fit", start, "--target", bad, "--vary", "LinkUp", "-o", out},
      {"fit", start, "--target", dir.filePath("none.csv"), "--vary", "LinkUp", "-o", out},
      {"fit", start, "--target", "/dev/zero", "--vary", "LinkUp", "-o", out},
      {"fit", start, "--target", csv, "--vary", "LinkUp", "-o", start},  // over the start
      {"fit", start, "--target", csv, "--vary", "LinkUp", "-o", csv},    // over the target
      {"fit", start, "--target", two, "--vary", "LinkUp", "-o", out},
      {"fit", start, "--target", beyond, "--vary", "LinkUp", "--max-stroke", "150", "-o", out},
      {"fit", start, "--target", below, "--vary", "LinkUp", "-o", out},
      {"fit", start, "--target", twice, "--vary", "LinkUp", "-o", out},
      // Bounds no box holds: beyond single precision, finer than its step.
      {"fit", start, "--target", csv, "--vary", "SpringRate", "--bounds", "SpringRate=1e39:2e39",
       "-o", out},
      {"fit", start, "--target", csv, "--vary", "SpringRate", "--bounds",
       "SpringRate=16777217:16777217.5", "-o", out},
      {"fit", start, "--target", csv, "--vary", "LinkUp", "--bounds", "LinkUp=60.005:64", "-o", out},
      {"fit", start, "--target", csv, "--vary", "SpringRate", "--bounds", "SpringRate=4.55:5", "-o", out},
  };
  for (const QStringList& args : cases) {
    SCOPED_TRACE(args.join(' ').toStdString());
    const Outcome r = RunCli(args);
    EXPECT_EQ(r.Code, kBadUsage);
    EXPECT_TRUE(r.Out.empty());
    EXPECT_EQ(r.Err.rfind("potelan-cli: ", 0), 0u) << r.Err;
  }
  EXPECT_FALSE(QFile::exists(out));
  EXPECT_EQ(LinesOf(start).join('\n').toUtf8(), startBytes);
  EXPECT_EQ(LinesOf(csv).size(), 4);
  const Outcome badLine = RunCli({"fit", start, "--target", bad, "--vary", "LinkUp", "-o", out});
  EXPECT_NE(badLine.Err.find("line 3"), std::string::npos) << badLine.Err;
  // An unknown key is answered with the keys of the file's link type, in form order.
  EXPECT_NE(RunCli({"fit", type2, "--target", csv, "--vary", "LinkUp", "-o", out}).Err.find(
                "link type 2; its keys are SusUpX, SusUpY, ForkLength, ForkLinkLength, "
                "ForkLinkOffset, AxleStartPos, SpringRate, Preload\n"), std::string::npos);
  EXPECT_NE(RunCli({"fit", start, "--target", twice, "--vary", "LinkUp", "-o", out}).Err.find(
                "lines 3 and 4 give the same stroke 75"), std::string::npos);
}

TEST(CliAssistUsageTest, ALinkageThatDoesNotFormIsStatus3) {
  QTemporaryDir dir;
  const QString failing = dir.filePath("f.lin");
  ASSERT_TRUE(WriteTextLines(failing, FailingAt40()));
  for (const char* command : {"info", "sensitivity"}) {
    const Outcome r = RunCli({command, failing, "--max-stroke", "150"});
    EXPECT_EQ(r.Code, kNotFormed) << command;
    EXPECT_TRUE(r.Out.empty()) << command;
    EXPECT_EQ(r.Err, "potelan-cli: " + failing.toStdString() +
                         ": the linkage no longer forms at axle stroke 40 mm\n");
  }
  // The spring rate cannot bring the axle back into reach: no set assembles.
  const QString csv = WriteTarget(dir, "t.csv", {{0, 1}, {75, 1}, {150, 1}}, false);
  const QString out = dir.filePath("out.lin");
  const Outcome r = RunCli(
      {"fit", failing, "--target", csv, "--vary", "SpringRate", "--max-stroke", "150", "-o", out});
  EXPECT_EQ(r.Code, kNotFormed);
  EXPECT_TRUE(r.Out.empty());
  EXPECT_EQ(r.Err, "potelan-cli: " + failing.toStdString() +
                       ": no set within the bounds forms over the whole stroke\n");
  EXPECT_FALSE(QFile::exists(out));
}

TEST(CliAssistUsageTest, EveryCommandHasItsOwnHelpAndTheVersionIsListed) {
  const struct {
    const char* Command;
    std::vector<const char*> Options;
  } commands[] = {
      {"sweep", {"--max-stroke", "--pitch", "--format"}},
      {"compare", {"--max-stroke", "-o, --output"}},
      {"info", {"--max-stroke", "--static-load"}},
      {"sensitivity", {"--max-stroke"}},
      {"fit", {"--target", "--vary", "--bounds", "--quantity", "--max-stroke", "-o, --output"}},
  };
  for (const auto& c : commands) {
    const Outcome r = RunCli({c.Command, "--help"});
    EXPECT_EQ(r.Code, kSuccess) << c.Command;
    EXPECT_EQ(r.Out.rfind(std::string("Usage: potelan-cli ") + c.Command, 0), 0u) << r.Out;
    for (const char* option : c.Options) {
      EXPECT_NE(r.Out.find(option), std::string::npos) << c.Command << ' ' << option;
    }
    EXPECT_EQ(RunCli({"help", c.Command}).Out, r.Out);
  }
  EXPECT_EQ(RunCli({"sensitivity", "--help"}).Out.find("--pitch"), std::string::npos);
  // fit's help lists every key with its caption.
  const std::string fit = RunCli({"fit", "--help"}).Out;
  for (const DimensionInfo& row : DimensionTable().first<kTypeDimensionCount>()) {
    const std::size_t at = fit.find("\n  " + std::string(row.Key) + " ");
    EXPECT_LT(fit.find(std::string(row.Caption) + " ("), fit.find('\n', at + 1)) << row.Key;
  }

  const Outcome help = RunCli({"--help"});
  for (const char* text : {"info", "sensitivity", "fit", "--version", "--static-load"}) {
    EXPECT_NE(help.Out.find(text), std::string::npos) << text;
  }
  const Outcome version = RunCli({"--version"});
  EXPECT_EQ(version.Code, kSuccess);
  EXPECT_EQ(version.Out.rfind("potelan-cli ", 0), 0u);
  EXPECT_EQ(version.Out.back(), '\n');
}

}  // namespace
}  // namespace potelan::cli
