// What the commands of potelan-cli share: their usage errors and failures,
// the parsed arguments of one command, the loading of link and settings
// files, and the JSON output.
#pragma once

#include <QCommandLineParser>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "entry/MemoryForm.hpp"
#include "model/AppState.hpp"
#include "model/NumberFormat.hpp"

namespace potelan::cli {

class UsageError : public std::runtime_error {
 public:
  UsageError(const std::string& message, QString command = QString())
      : std::runtime_error(message), command_(std::move(command)) {}
  const QString& Command() const { return command_; }

 private:
  QString command_;  // the command whose --help to point to; empty: the general one
};

// A result that cannot be had, with the exit status to give.
class CommandFailure : public std::runtime_error {
 public:
  CommandFailure(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int Code() const { return code_; }

 private:
  int code_;
};

// Loading a link file as the change-input form does. Batch results must not
// rest on a half-read file, so what the window would pass over silently is an
// error here: an unreadable file, a stray line, a missing type, position or
// dimension.
class LinkFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string Utf8(const QString& text);

// One option of a command: its names, the name of its value (empty for a
// switch) and its line in the command's --help.
struct OptionSpec {
  QStringList Names;
  QString ValueName;
  QString Description;
};

struct CommandSpec {
  QString Name;
  QString Usage;  // after "potelan-cli "
  QString Summary;
  std::vector<OptionSpec> Options;
};

// A command's arguments, parsed by QCommandLineParser with the command's
// options; a parse error is a UsageError that points to the command's --help.
class Arguments {
 public:
  Arguments(const CommandSpec& command, const QStringList& args);

  bool Help() const { return parser_.isSet(QStringLiteral("help")); }
  QStringList Files() const { return parser_.positionalArguments(); }
  std::optional<QString> Value(const QString& name) const;
  QStringList Values(const QString& name) const { return parser_.values(name); }

  // A usage error that points to this command's --help.
  [[noreturn]] void Refuse(const std::string& message) const;

  // --max-stroke when given; an unusable value is refused.
  std::optional<std::int16_t> MaxStroke() const;

  // The output file: required, and never one of `inputs`, however spelt
  // (writing over an input would destroy the file being read).
  QString Output(const QStringList& inputs, const char* what) const;

 private:
  const CommandSpec& command_;
  QCommandLineParser parser_;
};

// A link file as the change-input form holds it: the set and the boxes'
// texts (which a link file written again carries unchanged).
struct LoadedLink {
  ConfigSet Set;
  MemoryForm Form = MemoryForm::InputForm();
};

// Reads a link file as the change-input form does; throws LinkFileError.
LoadedLink LoadLink(const QString& path);
// The same over lines already read (or made in memory); `path` names them.
LoadedLink LoadLinkLines(const QString& path, const QStringList& lines);
ConfigSet LoadLinkFile(const QString& path);

// MaxStroke from the settings file of the current folder, what could not be
// used of it said on `err`.
std::int16_t DefaultMaxStroke(std::ostream& err);
// --max-stroke, else DefaultMaxStroke.
std::int16_t MaxStrokeOf(const Arguments& args, std::ostream& err);

// The failures of a sweep in the tool's words (the desktop program has its
// own): at the start, and at an axle stroke.
inline constexpr char kInitialFailure[] = "the linkage does not form at its initial position";
std::string StrokeFailure(double stroke);

// Solves a set at zero stroke with a fresh reference length; false when it
// cannot be formed.
bool SolveInitial(AppState& state, int set);

// A number as entered (ParseDecimal) that is finite; nothing otherwise.
std::optional<double> FiniteNumber(const QString& text);

// QJsonDocument writes every double in its shortest form that reads back to
// the same bits. A compact document ends with a line end of its own.
void PrintJson(std::ostream& out, const QJsonObject& root, QJsonDocument::JsonFormat format);
QJsonValue NumberOrNull(const std::optional<double>& value);
QString Key(std::string_view name);

// The design-assistant commands.
int Info(const Arguments& args, std::ostream& out, std::ostream& err);
int Sensitivity(const Arguments& args, std::ostream& out, std::ostream& err);
int Fit(const Arguments& args, std::ostream& out, std::ostream& err);

}  // namespace potelan::cli
