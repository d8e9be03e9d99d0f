// The design-assistant commands: info, sensitivity and fit, on the engine's
// Characterise, ComputeSensitivity and CurveFit.
#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "assist/Characteristics.hpp"
#include "assist/Dimensions.hpp"
#include "assist/Fit.hpp"
#include "assist/Sensitivity.hpp"
#include "cli/CliCommands.hpp"
#include "cli/CliSupport.hpp"
#include "entry/BoxNames.hpp"
#include "files/LinkFile.hpp"
#include "files/TextCodec.hpp"
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
    throw CommandFailure(kNotFormed, Utf8(file) + ": " + std::string(kInitialFailureMessage));
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
    if (!staticLoad)
      args.Refuse("--static-load must be a number of kgf, not '" + Utf8(*value) + "'");
  }
  const std::int16_t maxStroke = MaxStrokeOf(args, err);
  const ConfigSet set = LoadLinkFile(file);
  RequireInitialForm(set, file);
  const assist::Characteristics c = assist::Characterise(set, maxStroke, staticLoad);
  if (!c.Swept.Ok) throw CommandFailure(kNotFormed, Utf8(file) + ": " + c.Swept.Message);

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
  if (!s.Ok) throw CommandFailure(kNotFormed, Utf8(file) + ": " + s.Message);
  QJsonObject dimensions;
  for (const assist::DimensionSensitivity& row : s.Rows) {
    dimensions[Key(assist::JsonName(row.Dim))] =
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
// empty fields after the second are allowed), blank lines skipped, the first
// line a header when it is not two numbers. Sorted by stroke; the fit itself
// refuses two points at one stroke.
std::vector<assist::CurveSample> ReadTarget(const Arguments& args, const QString& path) {
  QString error;
  const std::optional<QStringList> lines = ReadTextLines(path, &error);
  if (!lines) throw LinkFileError(Utf8(error));
  std::vector<assist::CurveSample> target;
  bool first = true;
  for (int i = 0; i < lines->size(); ++i) {
    const QString line = (*lines)[i].trimmed();
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
    if (stroke && value) {
      target.push_back({*stroke, *value});
    } else if (!header) {
      args.Refuse(Utf8(path) + ": line " + std::to_string(i + 1) +
                  " is not \"stroke,value\" with two numbers");
    }
  }
  if (target.empty()) args.Refuse(Utf8(path) + ": holds no \"stroke,value\" line");
  std::stable_sort(target.begin(), target.end(),
                   [](const assist::CurveSample& a, const assist::CurveSample& b) {
                     return a.Stroke < b.Stroke;
                   });
  return target;
}

std::string DimensionNames() {
  std::string names;
  for (int type = 2; type <= 6; ++type) {
    for (assist::Dimension d : assist::DimensionsOfType(type)) {
      const std::string name(assist::JsonName(d));
      if (names.find(name + ",") == std::string::npos) names += name + ",";
    }
  }
  names.pop_back();
  return names;
}

assist::Dimension DimensionOf(const Arguments& args, const QString& key) {
  const std::optional<assist::Dimension> d = assist::DimensionFromJsonName(Utf8(key));
  if (!d) {
    args.Refuse("'" + Utf8(key) + "' is not a dimension; the keys are " + DimensionNames());
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

std::vector<assist::VaryingDimension> VaryOf(const Arguments& args, const ConfigSet& start) {
  std::vector<assist::VaryingDimension> vary;
  for (const QString& list : args.Values(QStringLiteral("vary"))) {
    for (const QString& key : list.split(QLatin1Char(','))) {
      const assist::Dimension d = DimensionOf(args, key.trimmed());
      vary.push_back({d, assist::DefaultBounds(d, assist::ValueOf(start, d))});
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
    const assist::Dimension d = DimensionOf(args, bounds.left(equals).trimmed());
    const auto it = std::find_if(vary.begin(), vary.end(),
                                 [d](const assist::VaryingDimension& v) { return v.Dim == d; });
    if (it == vary.end()) {
      args.Refuse("--bounds names " + std::string(assist::JsonName(d)) + ", which --vary does not");
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
  const std::vector<assist::CurveSample> target = ReadTarget(args, *targetPath);

  assist::FitRequest request;
  request.Start = start.Set;
  request.MaxStroke = maxStroke;
  request.What = quantity;
  request.Target = target;
  request.Vary = VaryOf(args, start.Set);
  if (const std::optional<std::string> problem = assist::CheckFitRequest(request)) {
    args.Refuse(*problem);
  }
  const assist::FitResult result = assist::CurveFit(request).Run();
  if (result.Status == assist::FitStatus::BadRequest) args.Refuse(result.Message);
  if (result.Status != assist::FitStatus::Done) {
    throw CommandFailure(kNotFormed, Utf8(file) + ": " + result.Message);
  }

  // The start file's boxes with only the varied ones rewritten, saved as
  // the program saves a link file.
  QJsonObject values;
  for (std::size_t i = 0; i < request.Vary.size(); ++i) {
    const assist::Dimension d = request.Vary[i].Dim;
    const QString text = EntryText(d, result.Values[i]);
    start.Form.SetBoxText(DimensionBox(d), text);
    values[Key(assist::JsonName(d))] = *ParseDecimal(text.toStdString());
  }
  AppState state;
  state.Set[kChangedSet] = start.Set;
  const WriteResult written = WriteLinkFile(state, start.Form, output, kChangedSet);
  if (!written) {
    err << "potelan-cli: " << Utf8(written.Error) << '\n';
    return kBadUsage;
  }
  // The figures are those of the file as written, read back as any later
  // reading of it will read it.
  const std::optional<assist::CurveError> error =
      assist::MeasureFit(LoadLinkFile(output), maxStroke, quantity, target);
  if (!error) {
    throw CommandFailure(kNotFormed, Utf8(output) + ": " + StrokeFailureMessage(maxStroke));
  }
  PrintJson(out,
            QJsonObject{{QStringLiteral("rms"), error->Rms},
                        {QStringLiteral("max_error"), error->MaxError},
                        {QStringLiteral("values"), values},
                        {QStringLiteral("evaluations"), result.Evaluations},
                        {QStringLiteral("seconds"), result.Seconds}},
            QJsonDocument::Indented);
  return kSuccess;
}

}  // namespace potelan::cli
