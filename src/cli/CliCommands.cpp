#include "cli/CliCommands.hpp"

#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "entry/BoxNames.hpp"
#include "entry/MemoryForm.hpp"
#include "files/LinkFile.hpp"
#include "files/SettingsFile.hpp"
#include "files/TableExport.hpp"
#include "files/TextCodec.hpp"
#include "model/NumberFormat.hpp"
#include "model/ResultTable.hpp"
#include "model/Solver.hpp"
#include "model/StrokeSweep.hpp"

namespace potelan::cli {
namespace {

constexpr double kMinPitch = 0.01;

const char kHelp[] =
    "Usage:\n"
    "  potelan-cli sweep FILE.lin [--max-stroke N] [--pitch MM] [--format json|csv|table]\n"
    "  potelan-cli compare BASE.lin CHANGED.lin [--max-stroke N] -o OUT.csv\n"
    "  potelan-cli --help\n"
    "\n"
    "sweep    Reads a link file as the change-input form does, solves it at zero\n"
    "         stroke with a fresh reference shock length, then at every axle stroke\n"
    "         0, p, 2p, ... not above the maximum stroke, and prints every result.\n"
    "compare  Sweeps a base and a changed link file in 5 mm steps and writes the CSV\n"
    "         file of the numeric table (dimensions of both sets and the default\n"
    "         items: link ratio, axle load, shock length, shock stroke).\n"
    "\n"
    "Options:\n"
    "  --max-stroke N   maximum axle stroke in mm, an integer 0 to 3276 (default:\n"
    "                   MaxStroke of potelan.ini in the current folder, else 150)\n"
    "  --pitch MM       stroke step of `sweep` in mm, at least 0.01 (default 5);\n"
    "                   the table format always uses the table's 5 mm rows\n"
    "  --format F       output of `sweep`: json (default; every number reads back to\n"
    "                   the same double, values the link type does not compute are\n"
    "                   null), csv (one line per stroke, empty for such values) or\n"
    "                   table (the numeric table as the table window shows it)\n"
    "  -o, --output F   the CSV file that `compare` writes (Shift-JIS, CR LF)\n"
    "  -h, --help       this text\n"
    "\n"
    "Exit status: 0 success; 2 bad usage, or a file that cannot be read or holds no\n"
    "linkage (nothing is written); 3 the linkage cannot be formed (the message names\n"
    "the stroke; for sweep the steps before it are still printed).\n";

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string Utf8(const QString& text) { return text.toStdString(); }

struct Options {
  QString Command;
  QStringList Files;
  std::optional<std::int16_t> MaxStroke;
  std::optional<double> Pitch;
  QString Format = QStringLiteral("json");
  QString Output;
  bool Help = false;
};

QString TakeValue(const QStringList& args, int& i) {
  if (i + 1 >= args.size()) throw UsageError(Utf8(args[i]) + " needs a value");
  return args[++i];
}

Options ParseArguments(const QStringList& args) {
  Options options;
  for (int i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      options.Help = true;
    } else if (arg == "--max-stroke") {
      const QString value = TakeValue(args, i);
      options.MaxStroke = ParseMaxStrokeEntry(value);
      if (!options.MaxStroke) {
        throw UsageError("--max-stroke must be an integer from 0 to 3276, not '" + Utf8(value) +
                         "'");
      }
    } else if (arg == "--pitch") {
      const QString value = TakeValue(args, i);
      options.Pitch = ParseDecimal(value.toStdString());
      if (!options.Pitch || !(*options.Pitch >= kMinPitch)) {
        throw UsageError("--pitch must be a number of millimetres of at least 0.01, not '" +
                         Utf8(value) + "'");
      }
    } else if (arg == "--format") {
      options.Format = TakeValue(args, i);
      if (options.Format != "json" && options.Format != "csv" && options.Format != "table") {
        throw UsageError("--format must be json, csv or table, not '" + Utf8(options.Format) +
                         "'");
      }
    } else if (arg == "-o" || arg == "--output") {
      options.Output = TakeValue(args, i);
    } else if (arg.startsWith('-') && arg.size() > 1) {
      throw UsageError("unknown option '" + Utf8(arg) + "'");
    } else if (options.Command.isEmpty()) {
      options.Command = arg;
    } else {
      options.Files << arg;
    }
  }
  return options;
}

// Loading a link file as the change-input form does. Batch results must not
// rest on a half-read file, so what the window would pass over silently is an
// error here: an unreadable file, a stray line, a missing type, position or
// dimension.
class LinkFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

QStringList RequiredBoxes(int type) {
  QStringList boxes;
  if (type <= 4) {
    boxes << box::SusUpX << box::SusUpY;
  } else {
    boxes << box::SusUpLength << box::SusUpOffset;
  }
  boxes << box::ForkLinkLength << box::ForkLinkOffset << box::ForkLength << box::AxleStartPos
        << box::Spring << box::Preload;
  if (type >= 3) {
    boxes << box::FrameLinkX << box::FrameLinkY << box::LinkUp << box::LinkFr << box::LinkRr
          << box::TenRod;
  }
  return boxes;
}

bool OnlyBlankLinesFrom(const QString& path, int line) {
  const std::optional<QStringList> lines = ReadTextLines(path);
  if (!lines) return false;
  for (int i = line - 1; i < lines->size(); ++i) {
    if (!(*lines)[i].trimmed().isEmpty()) return false;
  }
  return true;
}

ConfigSet LoadLinkFile(const QString& path) {
  AppState scratch;
  scratch.Mode = EditMode::New;
  MemoryForm form = MemoryForm::InputForm();
  const std::string name = Utf8(path);
  const LinkReadResult read = ReadLinkFile(scratch, form, path, kChangedSet);
  if (read.Status == LinkReadStatus::CannotOpen) {
    throw LinkFileError("cannot read " + name + ": " + Utf8(read.Error));
  }
  if (read.Status == LinkReadStatus::StoppedAtLine && !OnlyBlankLinesFrom(path, read.Line)) {
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
    if (form.BoxText(box).isEmpty()) {
      throw LinkFileError(name + ": the dimension \"" + Utf8(LinkFileKey(box)) +
                          "\" is missing");
    }
  }
  return set;
}

std::int16_t DefaultMaxStroke() {
  AppState settings;
  ReadSettings(settings, QDir::currentPath());
  return settings.MaxStroke;
}

// Solves a set at zero stroke with a fresh reference length; false when it
// cannot be formed.
bool SolveInitial(AppState& state, int set) {
  state.Set[set].SusLength0 = 0;
  SolveLinkage(state, set, state.Set[set].SusPos);
  if (!state.LinkFailed) return true;
  state.LinkFailed = false;
  return false;
}

// ---- sweep output ----------------------------------------------------------

struct Field {
  const char* Name;
  std::vector<double> Values;  // one for a scalar, three for a load vector
  bool Computed;
};

std::vector<Field> StepFields(const ConfigSet& s) {
  const bool links = s.SusType != 2;
  auto load = [](const LoadVector& v) { return std::vector<double>{v.Magnitude, v.X, v.Y}; };
  return {
      {"LinkRatio", {s.LinkRatio}, true},
      {"InvLinkRatio", {s.InvLinkRatio}, true},
      {"SusLength", {s.SusLength}, true},
      {"SusLength0", {s.SusLength0}, true},
      {"SusStroke", {s.SusStroke}, true},
      {"SusLoad", {s.SusLoad.Magnitude}, true},
      {"AxleLoad", {s.AxleLoad.Magnitude}, true},
      {"TenRodLoad", {s.TenRodLoad.Magnitude}, links},
      {"PivotLoad", load(s.PivotLoad), true},
      {"FrameLinkLoad", load(s.FrameLinkLoad), links},
      {"ForkLinkLoad", load(s.ForkLinkLoad), links},
      {"AxleX", {s.AxleX}, true},
      {"AxleY", {s.AxleY}, true},
      {"SusUpX", {s.SusUpX}, true},
      {"SusUpY", {s.SusUpY}, true},
      {"SusLwrX", {s.SusLwrX}, true},
      {"SusLwrY", {s.SusLwrY}, true},
      {"ForkLinkX", {s.ForkLinkX}, links},
      {"ForkLinkY", {s.ForkLinkY}, links},
      {"ForkLinkBaseX", {s.ForkLinkBaseX}, true},
      {"ForkLinkBaseY", {s.ForkLinkBaseY}, true},
      {"LinkLwrX", {s.LinkLwrX}, links},
      {"LinkLwrY", {s.LinkLwrY}, links},
  };
}

std::string JsonString(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

class SweepPrinter {
 public:
  virtual ~SweepPrinter() = default;
  virtual void Begin(const ConfigSet& source) = 0;
  virtual void Step(double stroke, const ConfigSet& solved) = 0;
  virtual void End(const std::string* failure, double failedStroke) = 0;
};

class JsonPrinter : public SweepPrinter {
 public:
  explicit JsonPrinter(std::ostream& out) : out_(out) {}
  void Begin(const ConfigSet& source) override {
    out_ << "{\"SusType\":" << source.SusType << ",\"SusPos\":" << source.SusPos
         << ",\"steps\":[";
  }
  void Step(double stroke, const ConfigSet& solved) override {
    out_ << (first_ ? "\n" : ",\n") << "{\"stroke\":" << RoundTripDouble(stroke);
    first_ = false;
    for (const Field& field : StepFields(solved)) {
      out_ << ",\"" << field.Name << "\":";
      if (!field.Computed) {
        out_ << "null";
      } else if (field.Values.size() == 1) {
        out_ << RoundTripDouble(field.Values[0]);
      } else {
        out_ << '[' << RoundTripDouble(field.Values[0]) << ',' << RoundTripDouble(field.Values[1])
             << ',' << RoundTripDouble(field.Values[2]) << ']';
      }
    }
    out_ << '}';
  }
  void End(const std::string* failure, double failedStroke) override {
    out_ << "\n]";
    if (failure != nullptr) {
      out_ << ",\"failure\":{\"stroke\":" << RoundTripDouble(failedStroke)
           << ",\"message\":" << JsonString(*failure) << '}';
    }
    out_ << "}\n";
  }

 private:
  std::ostream& out_;
  bool first_ = true;
};

class CsvPrinter : public SweepPrinter {
 public:
  explicit CsvPrinter(std::ostream& out) : out_(out) {}
  void Begin(const ConfigSet& source) override {
    out_ << "stroke";
    for (const Field& field : StepFields(source)) {
      if (field.Values.size() == 1) {
        out_ << ',' << field.Name;
      } else {
        out_ << ',' << field.Name << ',' << field.Name << "X," << field.Name << 'Y';
      }
    }
    out_ << '\n';
  }
  void Step(double stroke, const ConfigSet& solved) override {
    out_ << RoundTripDouble(stroke);
    for (const Field& field : StepFields(solved)) {
      for (double value : field.Values) {
        out_ << ',';
        if (field.Computed) out_ << RoundTripDouble(value);
      }
    }
    out_ << '\n';
  }
  void End(const std::string*, double) override {}

 private:
  std::ostream& out_;
};

// The numeric table as the window shows it: the stroke column and the base
// columns of the default items, one row every 5 mm.
class TablePrinter : public SweepPrinter {
 public:
  TablePrinter(std::ostream& out, const AppState& state) : out_(out), state_(state) {
    table_.BuildHeaders();
  }
  void Begin(const ConfigSet&) override {}
  void Step(double stroke, const ConfigSet&) override {
    const int s = static_cast<int>(stroke);
    WriteTableCell(table_, 0, (10 * s) / 50 + 1, s, "##0");
    FillTableRow(state_, table_, s, 1, kChangedWork);
    lastRow_ = ResultTable::RowOfStroke(s);
  }
  void End(const std::string*, double) override {
    for (int row = 0; row <= lastRow_; ++row) {
      QString line;
      for (int column = 0; column < table_.ColumnCount(); column += column == 0 ? 1 : 2) {
        const QString cell = QString::fromStdString(table_.Cell(column, row));
        line += QString(std::max(0, 10 - DisplayWidth(cell)), ' ') + cell;
      }
      out_ << Utf8(line) << '\n';
    }
  }

 private:
  std::ostream& out_;
  const AppState& state_;
  ResultTable table_;
  int lastRow_ = 1;
};

int Sweep(const Options& options, std::ostream& out, std::ostream& err) {
  if (options.Files.size() != 1) throw UsageError("sweep needs exactly one link file");
  if (!options.Output.isEmpty()) throw UsageError("-o applies to compare only");
  const bool table = options.Format == "table";
  if (table && options.Pitch && *options.Pitch != 5) {
    throw UsageError("the table format has a row every 5 mm; --pitch does not apply to it");
  }
  AppState state;
  state.Mode = EditMode::New;
  state.MaxStroke = options.MaxStroke ? *options.MaxStroke : DefaultMaxStroke();
  state.Set[kChangedSet] = LoadLinkFile(options.Files[0]);
  const double pitch = options.Pitch.value_or(5);

  std::unique_ptr<SweepPrinter> printer;
  if (options.Format == "csv") {
    printer = std::make_unique<CsvPrinter>(out);
  } else if (table) {
    printer = std::make_unique<TablePrinter>(out, state);
  } else {
    printer = std::make_unique<JsonPrinter>(out);
  }
  printer->Begin(state.Set[kChangedSet]);
  if (!SolveInitial(state, kChangedSet)) {
    const std::string message(kInitialFailureMessage);
    printer->End(&message, 0);
    err << Utf8(options.Files[0]) << ": " << message << '\n';
    return kNotFormed;
  }
  CopySet(state, kChangedSet);
  ConfigSet& work = state.Set[kChangedWork];
  work.SusLength0 = 0;
  for (long k = 0;; ++k) {
    const double stroke = static_cast<double>(k) * pitch;
    if (stroke > state.MaxStroke) break;
    work.AxleStartPos = state.Set[kChangedSet].AxleStartPos - stroke;
    SolveLinkage(state, kChangedWork, work.SusPos);
    if (state.LinkFailed) {
      state.LinkFailed = false;
      const std::string message = StrokeFailureMessage(stroke);
      printer->End(&message, stroke);
      err << Utf8(options.Files[0]) << ": " << message << '\n';
      return kNotFormed;
    }
    printer->Step(stroke, work);
  }
  printer->End(nullptr, 0);
  return kSuccess;
}

int Compare(const Options& options, std::ostream& err) {
  if (options.Files.size() != 2) throw UsageError("compare needs a base and a changed link file");
  if (options.Output.isEmpty()) throw UsageError("compare needs -o OUT.csv");
  if (options.Pitch) throw UsageError("--pitch applies to sweep only");
  if (options.Format != "json") throw UsageError("--format applies to sweep only");
  AppState state;
  state.Mode = EditMode::New;
  state.MaxStroke = options.MaxStroke ? *options.MaxStroke : DefaultMaxStroke();
  state.Set[kBaseSet] = LoadLinkFile(options.Files[0]);
  state.Set[kChangedSet] = LoadLinkFile(options.Files[1]);

  ResultTable table;
  table.BuildHeaders();
  NullPlotSink graph;
  const struct {
    int Set;
    SweepResult (*Sweep)(AppState&, ResultTable&, PlotSink&);
  } passes[] = {{kBaseSet, &BaseSweep}, {kChangedSet, &ChangedSweep}};
  for (const auto& pass : passes) {
    const std::string name = Utf8(options.Files[pass.Set]);
    if (!SolveInitial(state, pass.Set)) {
      err << name << ": " << kInitialFailureMessage << '\n';
      return kNotFormed;
    }
    const SweepResult result = pass.Sweep(state, table, graph);
    if (!result.Ok) {
      err << name << ": " << result.Message << '\n';
      return kNotFormed;
    }
  }
  QString error;
  if (!WriteCsvFile(options.Output, CsvLines(state, table), &error)) {
    err << "cannot write " << Utf8(options.Output) << ": " << Utf8(error) << '\n';
    return kBadUsage;
  }
  return kSuccess;
}

}  // namespace

const char* HelpText() { return kHelp; }

int Run(const QStringList& args, std::ostream& out, std::ostream& err) {
  try {
    const Options options = ParseArguments(args);
    if (options.Help || options.Command == "help") {
      out << kHelp;
      return kSuccess;
    }
    if (options.Command == "sweep") return Sweep(options, out, err);
    if (options.Command == "compare") return Compare(options, err);
    if (options.Command.isEmpty()) throw UsageError("no command given");
    throw UsageError("unknown command '" + Utf8(options.Command) + "'");
  } catch (const UsageError& e) {
    err << "potelan-cli: " << e.what() << "\nTry 'potelan-cli --help'.\n";
  } catch (const LinkFileError& e) {
    err << "potelan-cli: " << e.what() << '\n';
  }
  return kBadUsage;
}

}  // namespace potelan::cli
