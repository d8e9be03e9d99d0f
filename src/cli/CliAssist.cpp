// The design-assistant commands: info, sensitivity and fit, on the engine's
// Characterise, ComputeSensitivity and CurveFit.
#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "assist/Characteristics.hpp"
#include "model/Dimensions.hpp"
#include "assist/Fit.hpp"
#include "assist/Sensitivity.hpp"
#include "cli/CliCommands.hpp"
#include "cli/CliSupport.hpp"
#include "entry/BoxNames.hpp"
#include "files/LinkFile.hpp"
#include "files/TextCodec.hpp"
#include "model/NumberFormat.hpp"
#include "model/StrokeSweep.hpp"

namespace potelan::cli {
namespace {

// The one link file of info, sensitivity and fit.
QString OneLinkFile(const Arguments& args, const char* command) {
  const QStringList files = args.Files();
  if (files.size() != 1) args.Refuse(std::string(command) + " needs exactly one link file");
  return files[0];
}

// A set that does not assemble at zero stroke is told as the sweeps tell it.
void RequireInitialForm(const ConfigSet& set, const QString& file) {
  AppState state;
  state.Set[0] = set;
  if (!SolveInitial(state, 0)) {
    throw CommandFailure(kNotFormed, Utf8(file) + ": " + kInitialFailure);
  }
}

const char* SagStatusName(assist::SagOutcome outcome) {
  switch (outcome) {
    case assist::SagOutcome::Reached:
      return "reached";
    case assist::SagOutcome::HeldByPreload:
      return "held-by-preload";
    case assist::SagOutcome::NotReached:
      return "not-reached";
    case assist::SagOutcome::NotFormed:
      return "not-formed";
  }
  return "";
}

}  // namespace

int Info(const Arguments& args, std::ostream& out, std::ostream& err) {
  const QString file = OneLinkFile(args, "info");
  std::optional<double> staticLoad;
  if (const std::optional<QString> value = args.Value(QStringLiteral("static-load"))) {
    staticLoad = FiniteNumber(*value);
    if (!staticLoad || *staticLoad < 0) {
      args.Refuse("--static-load must be a number of kgf of at least 0, not '" + Utf8(*value) +
                  "'");
    }
  }
  const std::int16_t maxStroke = MaxStrokeOf(args, err);
  const ConfigSet set = LoadLinkFile(file);
  RequireInitialForm(set, file);
  const assist::Characteristics c = assist::Characterise(set, maxStroke, staticLoad);
  if (!c.Swept.Ok) {
    throw CommandFailure(kNotFormed, Utf8(file) + ": " + StrokeFailure(c.Swept.FailedStroke));
  }

  QJsonArray steps;
  for (const assist::CurvePoint& p : c.Swept.Points) {
    steps.append(QJsonObject{
        {QStringLiteral("stroke"), p.Stroke},
        {QStringLiteral("LinkRatio"), p.LinkRatio},
        {QStringLiteral("InvLinkRatio"), p.InvLinkRatio},
        {QStringLiteral("RatioSlope"), p.RatioSlope},
        {QStringLiteral("WheelRate"), p.WheelRate},
        {QStringLiteral("SusStroke"), p.SusStroke},
        {QStringLiteral("AxleLoad"), p.Loads[static_cast<std::size_t>(assist::LoadItem::Axle)]}});
  }
  QJsonObject maxLoads;
  for (assist::LoadItem item : assist::kLoadItems) {
    maxLoads[Key(assist::JsonName(item))] = QJsonValue(QJsonValue::Null);
  }
  for (const assist::LoadPeak& peak : c.Peaks) {
    maxLoads[Key(assist::JsonName(peak.Item))] =
        QJsonObject{{QStringLiteral("value"), peak.Value}, {QStringLiteral("stroke"), peak.Stroke}};
  }
  QJsonObject root{{QStringLiteral("SusType"), set.SusType},
                   {QStringLiteral("SusPos"), set.SusPos},
                   {QStringLiteral("MaxStroke"), maxStroke},
                   {QStringLiteral("Progression"), c.ProgressionPercent},
                   {QStringLiteral("MaxLoads"), maxLoads},
                   {QStringLiteral("StaticLoad"), NumberOrNull(staticLoad)},
                   {QStringLiteral("steps"), steps}};
  std::optional<double> sag;
  QJsonValue sagStatus(QJsonValue::Null);
  if (c.StaticSag) {
    const assist::SagOutcome outcome = c.StaticSag->Outcome;
    if (outcome == assist::SagOutcome::Reached || outcome == assist::SagOutcome::HeldByPreload) {
      sag = c.StaticSag->Stroke;
    }
    sagStatus = QString::fromLatin1(SagStatusName(outcome));
  }
  root[QStringLiteral("Sag")] = NumberOrNull(sag);
  root[QStringLiteral("SagStatus")] = sagStatus;
  PrintJson(out, root, QJsonDocument::Indented);
  return kSuccess;
}

namespace {

// ---- sensitivity -------------------------------------------------------------

QJsonObject FiguresJson(const assist::KeyFigures& f) {
  return QJsonObject{{QStringLiteral("RatioAtZero"), f.RatioAtZero},
                     {QStringLiteral("RatioAtHalf"), f.RatioAtHalf},
                     {QStringLiteral("RatioAtMax"), f.RatioAtMax},
                     {QStringLiteral("Progression"), f.ProgressionPercent},
                     {QStringLiteral("SusStrokeAtMax"), f.SusStrokeAtMax}};
}

}  // namespace

int Sensitivity(const Arguments& args, std::ostream& out, std::ostream& err) {
  const QString file = OneLinkFile(args, "sensitivity");
  const std::int16_t maxStroke = MaxStrokeOf(args, err);
  const ConfigSet set = LoadLinkFile(file);
  RequireInitialForm(set, file);
  const assist::Sensitivity s = assist::ComputeSensitivity(set, maxStroke);
  if (!s.Ok) throw CommandFailure(kNotFormed, Utf8(file) + ": " + StrokeFailure(s.FailedStroke));
  QJsonObject dimensions;
  for (const assist::DimensionSensitivity& row : s.Rows) {
    dimensions[Key(JsonName(row.Dim))] =
        row.Assembles ? QJsonValue(FiguresJson(row.PerUnit)) : QJsonValue(QJsonValue::Null);
  }
  PrintJson(out,
            QJsonObject{{QStringLiteral("SusType"), set.SusType},
                        {QStringLiteral("SusPos"), set.SusPos},
                        {QStringLiteral("MaxStroke"), maxStroke},
                        {QStringLiteral("HalfStroke"), s.HalfStroke},
                        {QStringLiteral("step"), s.Step},
                        {QStringLiteral("base"), FiguresJson(s.Base)},
                        {QStringLiteral("dimensions"), dimensions}},
            QJsonDocument::Indented);
  return kSuccess;
}

namespace {

// ---- fit -----------------------------------------------------------------------

// The target curve: lines "stroke,value" (blanks around the fields and
// empty fields after the second are allowed) ending in CR LF, LF or CR alone,
// blank lines skipped, the first line a header when it is not two numbers.
// Sorted by stroke. A fit needs at least three points, at distinct strokes
// within 0 ... maxStroke.
std::vector<assist::CurveSample> ReadTarget(const Arguments& args, const QString& path,
                                            std::int16_t maxStroke) {
  QString error;
  const std::optional<QStringList> read = ReadTextLines(path, &error);
  if (!read) throw LinkFileError(Utf8(error));
  QStringList lines;
  for (const QString& line : *read) lines += line.split(QLatin1Char('\r'));
  const std::string name = Utf8(path);
  struct Point {
    assist::CurveSample Sample;
    int Line;
  };
  std::vector<Point> points;
  bool first = true;
  for (int i = 0; i < lines.size(); ++i) {
    const QString line = lines[i].trimmed();
    if (line.isEmpty()) continue;
    QStringList fields = line.split(QLatin1Char(','));
    while (fields.size() > 2 && fields.last().trimmed().isEmpty()) fields.removeLast();
    std::optional<double> stroke, value;
    if (fields.size() == 2) {
      stroke = FiniteNumber(fields[0].trimmed());
      value = FiniteNumber(fields[1].trimmed());
    }
    const bool header = first;
    first = false;
    const std::string at = name + ": line " + std::to_string(i + 1);
    if (stroke && value) {
      if (*stroke < 0 || *stroke > maxStroke) {
        args.Refuse(at + ": the stroke " + Utf8(fields[0].trimmed()) + " lies outside 0 to " +
                    std::to_string(maxStroke) + " mm");
      }
      points.push_back({{*stroke, *value}, i + 1});
    } else if (!header) {
      args.Refuse(at + " is not \"stroke,value\" with two numbers");
    }
  }
  if (points.size() < 3) {
    args.Refuse(name + ": holds " + std::to_string(points.size()) +
                " \"stroke,value\" lines; a target needs at least 3");
  }
  std::stable_sort(points.begin(), points.end(), [](const Point& a, const Point& b) {
    return a.Sample.Stroke < b.Sample.Stroke;
  });
  std::vector<assist::CurveSample> target;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i > 0 && points[i].Sample.Stroke == points[i - 1].Sample.Stroke) {
      const auto [a, b] = std::minmax(points[i - 1].Line, points[i].Line);
      args.Refuse(name + ": lines " + std::to_string(a) + " and " + std::to_string(b) +
                  " give the same stroke " + GeneralDouble(points[i].Sample.Stroke));
    }
    target.push_back(points[i].Sample);
  }
  return target;
}

// The keys of a link type in the order of its form, separated by ", ".
std::string KeysOfType(int type) {
  std::string keys;
  for (const Dimension d : FormDimensions(type)) {
    if (TypeUses(type, d)) keys += (keys.empty() ? "" : ", ") + std::string(JsonName(d));
  }
  return keys;
}

// A key of --vary or --bounds: one of the dimensions of the file's link type.
Dimension DimensionOf(const Arguments& args, const QString& key, int type) {
  const std::optional<Dimension> d = DimensionFromJsonName(Utf8(key));
  if (!d || !TypeUses(type, *d)) {
    args.Refuse("'" + Utf8(key) + "' is not a dimension of link type " + std::to_string(type) +
                "; its keys are " + KeysOfType(type));
  }
  return *d;
}

// The text an entry box shows for a fitted value, with the box's own
// pattern. A value that rounds to zero would be the decimal point alone,
// which a link file cannot carry back, so it is written as "0".
QString EntryText(Dimension d, double value) {
  const std::string text = FormatNumber(value, InfoOf(d).Pattern);
  if (text.find_first_of("0123456789") == std::string::npos) return QStringLiteral("0");
  return QString::fromStdString(text);
}

// Whether an entry box holds `value` exactly as written: no more decimals
// than the box's, and a single-precision number that keeps all of them.
bool BoxHolds(Dimension d, double value) {
  const QString text = EntryText(d, value);
  return ParseDecimal(text.toStdString()) == value &&
         EntryText(d, RoundToEntry(d, value)) == text;
}

// The fit's problems in the tool's words.
std::string FitProblemWords(const assist::FitRefusal& p) {
  using assist::FitProblem;
  const std::string name(JsonName(p.Dim));
  switch (p.Problem) {
    case FitProblem::NotOfType: return name + " is not a dimension of this link type";
    case FitProblem::Twice: return "--vary names " + name + " twice";
    case FitProblem::BadRange:
      return "the bounds of " + name + " must be finite, the lower below the upper by at "
             "least one entry step";
    case FitProblem::StageRefused: return "NLopt refused a stage of the fit: " + p.Detail;
    case FitProblem::NoAssemblingSet:
      return "no set within the bounds forms over the whole stroke";
    case FitProblem::NoDimension: return "fit needs --vary KEY[,KEY...]";
    default: return "the fit cannot run on this request";
  }
}

std::vector<assist::VaryingDimension> VaryOf(const Arguments& args, const ConfigSet& start) {
  std::vector<assist::VaryingDimension> vary;
  for (const QString& list : args.Values(QStringLiteral("vary"))) {
    for (const QString& key : list.split(QLatin1Char(','))) {
      const Dimension d = DimensionOf(args, key.trimmed(), start.SusType);
      vary.push_back({d, DefaultBounds(d, ValueOf(start, d))});
    }
  }
  if (vary.empty()) args.Refuse("fit needs --vary KEY[,KEY...]");
  for (const QString& bounds : args.Values(QStringLiteral("bounds"))) {
    const qsizetype equals = bounds.indexOf(QLatin1Char('='));
    const qsizetype colon = bounds.indexOf(QLatin1Char(':'), equals + 1);
    std::optional<double> lower, upper;
    if (equals > 0 && colon > equals) {
      lower = FiniteNumber(bounds.mid(equals + 1, colon - equals - 1).trimmed());
      upper = FiniteNumber(bounds.mid(colon + 1).trimmed());
    }
    if (!lower || !upper) {
      args.Refuse("--bounds must be KEY=LO:HI with two numbers, not '" + Utf8(bounds) + "'");
    }
    const Dimension d = DimensionOf(args, bounds.left(equals).trimmed(), start.SusType);
    const auto it = std::find_if(vary.begin(), vary.end(),
                                 [d](const assist::VaryingDimension& v) { return v.Dim == d; });
    if (it == vary.end()) {
      args.Refuse("--bounds names " + std::string(JsonName(d)) + ", which --vary does not");
    }
    for (const double bound : {*lower, *upper}) {
      if (!BoxHolds(d, bound)) {
        args.Refuse("--bounds " + Utf8(bounds) + ": " + GeneralDouble(bound) +
                    " is not a value the " + std::string(JsonName(d)) +
                    " box can hold (" + std::to_string(EntryDecimals(d)) +
                    " decimals at most, within single precision)");
      }
    }
    it->Range = {*lower, *upper};
  }
  return vary;
}

}  // namespace

int Fit(const Arguments& args, std::ostream& out, std::ostream& err) {
  const QString file = OneLinkFile(args, "fit");
  const std::optional<QString> targetPath = args.Value(QStringLiteral("target"));
  if (!targetPath || targetPath->isEmpty()) args.Refuse("fit needs --target TARGET.csv");
  const QString output = args.Output({file, *targetPath}, "FITTED.lin");
  assist::Quantity quantity = assist::Quantity::LinkRatio;
  if (const std::optional<QString> name = args.Value(QStringLiteral("quantity"))) {
    const std::optional<assist::Quantity> q = assist::QuantityFromName(Utf8(*name));
    if (!q)
      args.Refuse("--quantity must be ratio, inverse or axle-load, not '" + Utf8(*name) + "'");
    quantity = *q;
  }
  const std::int16_t maxStroke = MaxStrokeOf(args, err);
  LoadedLink start = LoadLink(file);
  const std::vector<assist::CurveSample> target = ReadTarget(args, *targetPath, maxStroke);

  assist::FitRequest request;
  request.Start = start.Set;
  request.MaxStroke = maxStroke;
  request.What = quantity;
  request.Target = target;
  request.Vary = VaryOf(args, start.Set);
  if (const std::optional<assist::FitRefusal> problem = assist::FindFitProblem(request)) {
    args.Refuse(FitProblemWords(*problem));
  }
  const assist::FitResult result = assist::CurveFit(request).Run();
  if (result.Status == assist::FitStatus::BadRequest) {
    throw CommandFailure(kBadUsage, FitProblemWords(result.Problem));
  }
  if (result.Status != assist::FitStatus::Done) {
    throw CommandFailure(kNotFormed, Utf8(file) + ": " + FitProblemWords(result.Problem));
  }

  // The start file's boxes with only the varied ones rewritten, made into
  // the lines the program saves.
  QJsonObject values;
  QJsonArray atBound;
  for (std::size_t i = 0; i < request.Vary.size(); ++i) {
    const Dimension d = request.Vary[i].Dim;
    const QString text = EntryText(d, result.Values[i]);
    start.Form.SetBoxText(DimensionBox(d), text);
    values[Key(JsonName(d))] = *ParseDecimal(text.toStdString());
    if (result.AtBound[i]) atBound.append(Key(JsonName(d)));
  }
  AppState state;
  state.Set[kChangedSet] = start.Set;
  QString error;
  const std::optional<QStringList> lines =
      LinkFileLines(state, start.Form, kChangedSet, &error);
  if (!lines) {
    err << "potelan-cli: \"" << Utf8(output) << "\" was not saved: " << Utf8(error) << '\n';
    return kBadUsage;
  }
  // The figures are those of the file's lines, read as any later reading of
  // the file will read them; then the file is written.
  const std::optional<assist::CurveError> measured =
      assist::MeasureFit(LoadLinkLines(output, *lines).Set, maxStroke, quantity, target);
  if (!measured) throw CommandFailure(kNotFormed, Utf8(output) + ": " + StrokeFailure(maxStroke));
  if (!WriteTextLines(output, *lines, &error)) {
    err << "potelan-cli: " << Utf8(error) << '\n';
    return kBadUsage;
  }
  PrintJson(out,
            QJsonObject{{QStringLiteral("rms"), measured->Rms},
                        {QStringLiteral("max_error"), measured->MaxError},
                        {QStringLiteral("values"), values},
                        {QStringLiteral("at_bound"), atBound},
                        {QStringLiteral("evaluations"), result.Evaluations},
                        {QStringLiteral("seconds"), result.Seconds}},
            QJsonDocument::Indented);
  return kSuccess;
}

}  // namespace potelan::cli
