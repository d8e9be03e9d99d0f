#include "cli/CliCommands.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
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
constexpr int kMaxPitchDecimals = 6;

const char kHelp[] =
    "Usage:\n"
    "  potelan-cli sweep FILE.lin [--max-stroke N] [--pitch MM] [--format json|csv|table]\n"
    "  potelan-cli compare BASE.lin CHANGED.lin [--max-stroke N] -o OUT.csv\n"
    "  potelan-cli --help\n"
    "\n"
    "sweep    Reads a link file as the change-input form does, solves it at zero\n"
    "         stroke with a fresh reference shock length, then at every axle stroke\n"
    "         0, p, 2p, ... not above the maximum stroke, and prints every result.\n"
    "         Each stroke is a whole multiple of the pitch in the pitch's own decimals\n"
    "         (--pitch 0.07 gives 0, 0.07, ..., 2.03, ..., 7), and the axle is moved by\n"
    "         exactly that decimal.\n"
    "compare  Sweeps a base and a changed link file in 5 mm steps and writes the CSV\n"
    "         file of the numeric table (dimensions of both sets and the default\n"
    "         items: link ratio, axle load, shock length, shock stroke).\n"
    "\n"
    "Options:\n"
    "  --max-stroke N   maximum axle stroke in mm, an integer 0 to 3276 (default:\n"
    "                   MaxStroke of potelan.ini in the current folder, else 150;\n"
    "                   a value there that cannot be used is named on stderr)\n"
    "  --pitch MM       stroke step of `sweep` in mm, at least 0.01, at most six\n"
    "                   decimals (default 5);\n"
    "                   the table format always uses the table's 5 mm rows\n"
    "  --format F       output of `sweep`: json (default; every number reads back to\n"
    "                   the same double, values the link type does not compute are\n"
    "                   null), csv (one line per stroke, empty for such values) or\n"
    "                   table (the numeric table as the table window shows it)\n"
    "  -o, --output F   the CSV file that `compare` writes (Shift-JIS, CR LF); never\n"
    "                   one of its input files\n"
    "  -h, --help       this text\n"
    "\n"
    "Link and settings files are read only when they are regular files of at most\n"
    "1 MiB. A CSV file is replaced only when all of it was written; otherwise the\n"
    "previous file stays as it was.\n"
    "\n"
    "Exit status: 0 success; 2 bad usage, a file that cannot be read or holds no\n"
    "linkage (nothing is written), or a CSV file that could not be saved (the\n"
    "message names it); 3 the linkage cannot be formed (the message names the\n"
    "stroke; for sweep the steps before it are still printed).\n";

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string Utf8(const QString& text) { return text.toStdString(); }

// The stroke step as a whole number of units of its last decimal: 0.07 is
// 7 units of 1/100, so the k-th stroke is the exact decimal k * 7 / 100.
struct StrokePitch {
  std::int64_t Units = 5;
  std::int64_t Scale = 1;
  // The k-th stroke: the double nearest to the decimal (one rounding).
  double Stroke(std::int64_t k) const {
    return static_cast<double>(k * Units) / static_cast<double>(Scale);
  }
  bool Within(std::int64_t k, int maxStroke) const { return k * Units <= maxStroke * Scale; }
};

// The pitch a person wrote, in its own decimals: the shortest decimal that
// reads back to the parsed value. Nothing when it has more decimals than
// kMaxPitchDecimals. A pitch beyond any stroke counts as just above the
// largest stroke, which gives the same steps (0 alone).
std::optional<StrokePitch> DecimalPitch(double value) {
  if (value > kMaxStrokeLimit) return StrokePitch{kMaxStrokeLimit + 1, 1};
  char buffer[64];
  const std::to_chars_result r =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (r.ec != std::errc()) return std::nullopt;
  const std::string text(buffer, r.ptr);
  const std::size_t point = text.find('.');
  const std::string digits =
      point == std::string::npos ? text : text.substr(0, point) + text.substr(point + 1);
  const int decimals = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
  if (decimals > kMaxPitchDecimals) return std::nullopt;
  StrokePitch pitch{0, 1};
  for (char c : digits) pitch.Units = pitch.Units * 10 + (c - '0');
  for (int i = 0; i < decimals; ++i) pitch.Scale *= 10;
  return pitch;
}

struct Options {
  QString Command;
  QStringList Files;
  std::optional<std::int16_t> MaxStroke;
  std::optional<StrokePitch> Pitch;
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
      const std::optional<double> number = ParseDecimal(value.toStdString());
      if (number && *number >= kMinPitch) options.Pitch = DecimalPitch(*number);
      if (!options.Pitch) {
        throw UsageError(
            "--pitch must be a number of millimetres of at least 0.01 with at most six decimals, "
            "not '" +
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

bool OnlyBlankLinesFrom(const QStringList& lines, int line) {
  for (int i = line - 1; i < lines.size(); ++i) {
    if (!lines[i].trimmed().isEmpty()) return false;
  }
  return true;
}

// The file is read once; its lines serve both the reading and the check of
// where the reading stopped.
ConfigSet LoadLinkFile(const QString& path) {
  AppState scratch;
  scratch.Mode = EditMode::New;
  MemoryForm form = MemoryForm::InputForm();
  const std::string name = Utf8(path);
  QString error;
  const std::optional<QStringList> lines = ReadTextLines(path, &error);
  if (!lines) throw LinkFileError(Utf8(error));
  const LinkReadResult read = ReadLinkLines(scratch, form, *lines, kChangedSet);
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
    if (form.BoxText(box).isEmpty()) {
      throw LinkFileError(name + ": the dimension \"" + Utf8(LinkFileKey(box)) +
                          "\" is missing");
    }
  }
  return set;
}

// MaxStroke from the settings file of the current folder. Whatever of the
// file could not be used is said on `err` with the value used instead, so
// that a sweep of stroke 0 alone never comes as a surprise.
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
  if (table && options.Pitch && (options.Pitch->Units != 5 || options.Pitch->Scale != 1)) {
    throw UsageError("the table format has a row every 5 mm; --pitch does not apply to it");
  }
  AppState state;
  state.Mode = EditMode::New;
  state.MaxStroke = options.MaxStroke ? *options.MaxStroke : DefaultMaxStroke(err);
  state.Set[kChangedSet] = LoadLinkFile(options.Files[0]);
  const StrokePitch pitch = options.Pitch.value_or(StrokePitch{});

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
  for (std::int64_t k = 0; pitch.Within(k, state.MaxStroke); ++k) {
    const double stroke = pitch.Stroke(k);
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
  // Writing the output over an input would destroy the file being compared.
  const std::filesystem::path output(QFile::encodeName(options.Output).toStdString());
  for (const QString& input : options.Files) {
    std::error_code code;
    if (std::filesystem::equivalent(output, QFile::encodeName(input).toStdString(), code)) {
      throw UsageError("the output " + Utf8(options.Output) + " is the input file " +
                       Utf8(input) + "; nothing was written");
    }
  }
  AppState state;
  state.Mode = EditMode::New;
  state.MaxStroke = options.MaxStroke ? *options.MaxStroke : DefaultMaxStroke(err);
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
    err << "potelan-cli: " << Utf8(error) << '\n';  // names the file and says it was not saved
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
