#include "cli/CliSupport.hpp"

#include <QCommandLineOption>
#include <QDir>
#include <QFile>

#include <cmath>
#include <filesystem>

#include "entry/BoxNames.hpp"
#include "files/LinkFile.hpp"
#include "files/SettingsFile.hpp"
#include "files/TextCodec.hpp"
#include "model/Solver.hpp"

namespace potelan::cli {
namespace {

// The boxes of the dimensions a link file of the type must fill.
QStringList RequiredBoxes(int type) {
  QStringList boxes;
  for (const Dimension d : FileDimensions()) {
    if (IsTypeDimension(d) && Carries(d, type)) boxes << DimensionBox(d);
  }
  return boxes;
}

bool OnlyBlankLinesFrom(const QStringList& lines, int line) {
  for (int i = line - 1; i < lines.size(); ++i) {
    if (!lines[i].trimmed().isEmpty()) return false;
  }
  return true;
}

}  // namespace

std::string Utf8(const QString& text) { return text.toStdString(); }

Arguments::Arguments(const CommandSpec& command, const QStringList& args) : command_(command) {
  for (const OptionSpec& spec : command.Options) {
    parser_.addOption(QCommandLineOption(spec.Names, spec.Description, spec.ValueName));
  }
  if (!parser_.parse(QStringList{QStringLiteral("potelan-cli")} + args)) {
    throw UsageError(command.Name.toStdString() + ": " + Utf8(parser_.errorText()), command.Name);
  }
}

std::optional<QString> Arguments::Value(const QString& name) const {
  if (!parser_.isSet(name)) return std::nullopt;
  return parser_.value(name);
}

void Arguments::Refuse(const std::string& message) const {
  throw UsageError(message, command_.Name);
}

std::optional<std::int16_t> Arguments::MaxStroke() const {
  const std::optional<QString> value = Value(QStringLiteral("max-stroke"));
  if (!value) return std::nullopt;
  const std::optional<std::int16_t> maxStroke = ParseMaxStrokeEntry(*value);
  if (!maxStroke) {
    Refuse("--max-stroke must be an integer from 0 to 3276, not '" + Utf8(*value) + "'");
  }
  return maxStroke;
}

QString Arguments::Output(const QStringList& inputs, const char* what) const {
  const std::optional<QString> output = Value(QStringLiteral("output"));
  if (!output || output->isEmpty()) Refuse(command_.Name.toStdString() + " needs -o " + what);
  const std::filesystem::path path(QFile::encodeName(*output).toStdString());
  for (const QString& input : inputs) {
    std::error_code code;
    if (std::filesystem::equivalent(path, QFile::encodeName(input).toStdString(), code)) {
      Refuse("the output " + Utf8(*output) + " is the input file " + Utf8(input) +
             "; nothing was written");
    }
  }
  return *output;
}

// The file is read once; its lines serve both the reading and the check of
// where the reading stopped.
LoadedLink LoadLink(const QString& path) {
  AppState scratch;
  scratch.Mode = EditMode::New;
  LoadedLink loaded;
  const std::string name = Utf8(path);
  QString error;
  const std::optional<QStringList> lines = ReadTextLines(path, &error);
  if (!lines) throw LinkFileError(Utf8(error));
  const LinkReadResult read = ReadLinkLines(scratch, loaded.Form, *lines, kChangedSet);
  if (read.Status == LinkReadStatus::StoppedAtLine && !OnlyBlankLinesFrom(*lines, read.Line)) {
    throw LinkFileError(name + ": line " + std::to_string(read.Line) +
                        " is not a valid link-file line (key=value with a number)");
  }
  const ConfigSet& set = scratch.Set[kChangedSet];
  if (set.SusType < 2 || set.SusType > 6) {
    throw LinkFileError(name + ": holds no linkage (no link type 2 to 6 in SUSTYPE)");
  }
  if (set.SusType >= 3 && (set.SusPos < 1 || set.SusPos > 4)) {
    throw LinkFileError(name + ": no link position 1 to 4 in SUSPOS");
  }
  for (const QString& box : RequiredBoxes(set.SusType)) {
    if (loaded.Form.BoxText(box).isEmpty()) {
      throw LinkFileError(name + ": the dimension \"" + Utf8(LinkFileKey(box)) + "\" is missing");
    }
  }
  loaded.Set = set;
  return loaded;
}

ConfigSet LoadLinkFile(const QString& path) { return LoadLink(path).Set; }

// Whatever of the settings file could not be used is said with the value
// used instead, so that a sweep of stroke 0 alone never comes as a surprise.
std::int16_t DefaultMaxStroke(std::ostream& err) {
  AppState settings;
  SettingsReport report;
  const QString folder = QDir::currentPath();
  const SettingsReadStatus status = ReadSettings(settings, folder, &report);
  const std::string used = "; MaxStroke " + std::to_string(settings.MaxStroke) + " is used";
  const std::string file = Utf8(SettingsFilePath(folder));
  if (status == SettingsReadStatus::Unreadable) {
    err << "potelan-cli: " << Utf8(report.Error) << used << '\n';
  }
  for (const QString& ignored : report.Ignored) {
    err << "potelan-cli: " << file << ": " << Utf8(ignored) << ", so it was ignored" << used
        << '\n';
  }
  if (status == SettingsReadStatus::Read && report.Ignored.isEmpty() && settings.MaxStroke == 0) {
    err << "potelan-cli: " << file << " holds no MaxStroke line" << used << '\n';
  }
  return settings.MaxStroke;
}

std::int16_t MaxStrokeOf(const Arguments& args, std::ostream& err) {
  const std::optional<std::int16_t> given = args.MaxStroke();
  return given ? *given : DefaultMaxStroke(err);
}

bool SolveInitial(AppState& state, int set) {
  state.Set[set].SusLength0 = 0;
  return !NotFormed(SolveLinkage(state, set, state.Set[set].SusPos));
}

std::optional<double> FiniteNumber(const QString& text) {
  const std::optional<double> value = ParseDecimal(text.toStdString());
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

void PrintJson(std::ostream& out, const QJsonObject& root, QJsonDocument::JsonFormat format) {
  out << QJsonDocument(root).toJson(format).toStdString();
  if (format == QJsonDocument::Compact) out << '\n';
}

QJsonValue NumberOrNull(const std::optional<double>& value) {
  return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QString Key(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace potelan::cli
