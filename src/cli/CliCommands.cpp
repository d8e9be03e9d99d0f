#include "cli/CliCommands.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Version.hpp"
#include "cli/CliSupport.hpp"
#include "entry/BoxNames.hpp"
#include "files/TableExport.hpp"
#include "model/NumberFormat.hpp"
#include "model/Rates.hpp"
#include "model/ResultTable.hpp"
#include "model/Solver.hpp"
#include "model/StrokeSweep.hpp"

namespace potelan::cli {
namespace {

constexpr double kMinPitch = 0.01;
constexpr int kMaxPitchDecimals = 6;

const char kHelpHead[] =
    "Usage:\n"
    "  potelan-cli sweep FILE.lin [--max-stroke N] [--pitch MM] [--format json|csv|table]\n"
    "  potelan-cli compare BASE.lin CHANGED.lin [--max-stroke N] -o OUT.csv\n"
    "  potelan-cli info FILE.lin [--max-stroke N] [--static-load KGF]\n"
    "  potelan-cli sensitivity FILE.lin [--max-stroke N]\n"
    "  potelan-cli fit START.lin --target TARGET.csv --vary KEY[,KEY...]\n"
    "              [--bounds KEY=LO:HI]... [--quantity ratio|inverse|axle-load]\n"
    "              [--max-stroke N] -o FITTED.lin\n"
    "  potelan-cli COMMAND --help\n"
    "  potelan-cli --help | --version\n"
    "\n"
    "sweep        Reads a link file as the change-input form does, solves it at zero\n"
    "             stroke with a fresh reference shock length, then at every axle stroke\n"
    "             0, p, 2p, ... not above the maximum stroke, and prints every result.\n"
    "             Each stroke is a whole multiple of the pitch in the pitch's own\n"
    "             decimals (--pitch 0.07 gives 0, 0.07, ..., 2.03, ..., 7), and the axle\n"
    "             is moved by exactly that decimal.\n"
    "compare      Sweeps a base and a changed link file in 5 mm steps and writes the CSV\n"
    "             file of the numeric table (dimensions of both sets and the default\n"
    "             items: link ratio, axle load, shock length, shock stroke).\n"
    "info         Prints what the linkage gives at the wheel: link ratio, its slope and\n"
    "             the wheel rate every 5 mm, the progression, the largest value of\n"
    "             every load with its stroke, and the sag under a static axle load.\n"
    "sensitivity  Prints, for every dimension of the link type, the change of the link\n"
    "             ratio at 0, half and full stroke, of the progression and of the shock\n"
    "             stroke at full stroke per +1 mm (spring rate: per +1 kgf/mm).\n"
    "fit          Moves the named dimensions within their bounds until the curve comes\n"
    "             closest to the target, writes the fitted set as a link file and\n"
    "             prints the RMS of that file's curve against the target.\n"
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
    "  --static-load KGF  static rear-axle load of `info` whose sag is wanted\n"
    "  --target F       `fit`: the target curve, lines stroke,value (an optional\n"
    "                   header line; UTF-8 or Shift-JIS), interpolated linearly\n"
    "  --vary KEYS      `fit`: the dimensions that may change, by their JSON names\n";
// (the names of the table of dimensions come here)
const char kHelpTail[] =
    "  --bounds K=LO:HI `fit`: the range of one varied dimension (default: 20 mm\n"
    "                   either side; spring rate 20 %, at least 1 kgf/mm; preload\n"
    "                   10 mm; neither below 0)\n"
    "  --quantity Q     `fit`: ratio (default), inverse or axle-load\n"
    "  -o, --output F   the CSV file that `compare` writes (Shift-JIS, CR LF), or the\n"
    "                   link file that `fit` writes; never one of the input files\n"
    "  -h, --help       this text; after a command, that command's options\n"
    "  --version        the program's version\n"
    "\n"
    "Link, settings and target files are read only when they are regular files of\n"
    "at most 1 MiB. An output file is replaced only when all of it was written;\n"
    "otherwise the previous file stays as it was. Results are JSON on stdout\n"
    "(except the csv and table formats of sweep), messages go to stderr.\n"
    "\n"
    "Exit status: 0 success; 2 bad usage, a file that cannot be read or holds no\n"
    "linkage (nothing is written), or an output file that could not be saved (the\n"
    "message names it); 3 the linkage cannot be formed (the message names the\n"
    "stroke; for sweep the steps before it are still printed), or no set within\n"
    "the bounds of a fit assembles over the whole stroke.\n";

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

// ---- command lines ----------------------------------------------------------

const OptionSpec kMaxStrokeOption{
    {QStringLiteral("max-stroke")},
    QStringLiteral("N"),
    QStringLiteral("maximum axle stroke in mm, 0 to 3276 (default: MaxStroke of potelan.ini "
                   "in the current folder, else 150)")};
const OptionSpec kHelpOption{
    {QStringLiteral("h"), QStringLiteral("help")}, QString(), QStringLiteral("this text")};

const std::vector<CommandSpec>& Commands() {
  static const std::vector<CommandSpec> commands{
      {QStringLiteral("sweep"),
       QStringLiteral("sweep FILE.lin [--max-stroke N] [--pitch MM] [--format json|csv|table]"),
       QStringLiteral("Solves the link file at every stroke 0, MM, 2 MM, ... up to the maximum "
                      "stroke and prints every result."),
       {kMaxStrokeOption,
        {{QStringLiteral("pitch")},
         QStringLiteral("MM"),
         QStringLiteral("stroke step in mm, at least 0.01, at most six decimals (default 5)")},
        {{QStringLiteral("format")},
         QStringLiteral("F"),
         QStringLiteral("json (default; with the wheel rate of every step), csv or table")},
        kHelpOption}},
      {QStringLiteral("compare"),
       QStringLiteral("compare BASE.lin CHANGED.lin [--max-stroke N] -o OUT.csv"),
       QStringLiteral("Writes the CSV file of the numeric table of a base and a changed set."),
       {kMaxStrokeOption,
        {{QStringLiteral("o"), QStringLiteral("output")},
         QStringLiteral("OUT.csv"),
         QStringLiteral("the CSV file to write (Shift-JIS, CR LF); never an input file")},
        kHelpOption}},
      {QStringLiteral("info"),
       QStringLiteral("info FILE.lin [--max-stroke N] [--static-load KGF]"),
       QStringLiteral("Prints the characteristics: link ratio, its slope and the wheel rate "
                      "every 5 mm, \"Progression\" (%), the largest loads with their strokes "
                      "(\"MaxLoads\") and \"Sag\" in mm (null when not reached, or when no "
                      "load was given)."),
       {kMaxStrokeOption,
        {{QStringLiteral("static-load")},
         QStringLiteral("KGF"),
         QStringLiteral("static rear-axle load whose sag is wanted")},
        kHelpOption}},
      {QStringLiteral("sensitivity"),
       QStringLiteral("sensitivity FILE.lin [--max-stroke N]"),
       QStringLiteral("Prints, for every dimension of the link type by its JSON name, the "
                      "change per +1 mm (spring rate: per +1 kgf/mm) of the link ratio at 0, "
                      "half and full stroke, of the progression and of the shock stroke at "
                      "full stroke, by central differences; null for a dimension whose step "
                      "does not assemble."),
       {kMaxStrokeOption, kHelpOption}},
      {QStringLiteral("fit"),
       QStringLiteral("fit START.lin --target TARGET.csv --vary KEY[,KEY...] "
                      "[--bounds KEY=LO:HI]... [--quantity ratio|inverse|axle-load] "
                      "[--max-stroke N] -o FITTED.lin"),
       QStringLiteral("Moves the named dimensions within their bounds until the curve comes "
                      "closest to the target (RMS over the 5 mm steps), writes the fitted set "
                      "as a link file (the start file with only those dimensions changed) and "
                      "prints {\"rms\", \"max_error\", \"values\", \"evaluations\", "
                      "\"seconds\"}, where rms is that of the written file's curve."),
       {{{QStringLiteral("target")},
         QStringLiteral("TARGET.csv"),
         QStringLiteral("lines stroke,value, an optional header line; UTF-8 or Shift-JIS")},
        {{QStringLiteral("vary")},
         QStringLiteral("KEY[,KEY...]"),
         QStringLiteral("the dimensions that may change, by their JSON names")},
        {{QStringLiteral("bounds")},
         QStringLiteral("KEY=LO:HI"),
         QStringLiteral("the range of a varied dimension (default 20 mm either side; "
                        "spring rate 20 %, preload 10 mm, neither below 0)")},
        {{QStringLiteral("quantity")},
         QStringLiteral("Q"),
         QStringLiteral("ratio (default), inverse or axle-load")},
        kMaxStrokeOption,
        {{QStringLiteral("o"), QStringLiteral("output")},
         QStringLiteral("FITTED.lin"),
         QStringLiteral("the link file to write; never an input file")},
        kHelpOption}},
  };
  return commands;
}

const CommandSpec* FindCommand(const QString& name) {
  for (const CommandSpec& command : Commands()) {
    if (command.Name == name) return &command;
  }
  return nullptr;
}

// Words of `text` in lines of at most 79 columns, each line after the first
// starting with `indent` blanks (the first with as many blanks as the caller
// put before it, `used` columns).
QString Wrapped(const QString& text, int indent, int used) {
  constexpr int kWidth = 79;
  QString wrapped;
  int column = used;
  for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (column > indent && column + 1 + word.size() > kWidth) {
      wrapped += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
      column = indent;
    } else if (column > used || !wrapped.isEmpty()) {
      wrapped += QLatin1Char(' ');
      ++column;
    }
    wrapped += word;
    column += static_cast<int>(word.size());
  }
  return wrapped;
}

// The program's help: the JSON names of the dimensions in the table's order.
const std::string& HelpString() {
  static const std::string help = [] {
    QString keys;
    for (const DimensionInfo& row : DimensionTable().first<kTypeDimensionCount>()) {
      keys += (keys.isEmpty() ? QStringLiteral("(") : QStringLiteral(", ")) + TableText(row.Key);
    }
    const QString list = Wrapped(keys + QStringLiteral("), separated by commas"), 19, 19);
    return kHelpHead + std::string(19, ' ') + Utf8(list) + '\n' + kHelpTail;
  }();
  return help;
}

std::string CommandHelp(const CommandSpec& command) {
  const QString usage = QStringLiteral("Usage: potelan-cli ");
  QString text = usage + Wrapped(command.Usage, 21, static_cast<int>(usage.size())) +
                 QStringLiteral("\n\n") + Wrapped(command.Summary, 0, 0) +
                 QStringLiteral("\n\nOptions:\n");
  for (const OptionSpec& option : command.Options) {
    QStringList names;
    for (const QString& name : option.Names) {
      names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    }
    QString left = QStringLiteral("  ") + names.join(QStringLiteral(", "));
    if (!option.ValueName.isEmpty()) left += QLatin1Char(' ') + option.ValueName;
    text +=
        left + QStringLiteral("\n      ") + Wrapped(option.Description, 6, 6) + QLatin1Char('\n');
  }
  return Utf8(text);
}

// ---- sweep -------------------------------------------------------------------

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

class SweepPrinter {
 public:
  virtual ~SweepPrinter() = default;
  virtual void Begin(const ConfigSet& source) = 0;
  virtual void Step(double stroke, const ConfigSet& solved) = 0;
  virtual void End(const std::string* failure, double failedStroke) = 0;
};

// One JSON document: the type, the position, the steps and, when the
// linkage stopped forming, the failure. The steps are data rather than a
// report, so the document is written compactly.
class JsonPrinter : public SweepPrinter {
 public:
  explicit JsonPrinter(std::ostream& out) : out_(out) {}
  void Begin(const ConfigSet& source) override {
    root_[QStringLiteral("SusType")] = source.SusType;
    root_[QStringLiteral("SusPos")] = source.SusPos;
  }
  void Step(double stroke, const ConfigSet& solved) override {
    QJsonObject step;
    step[QStringLiteral("stroke")] = stroke;
    for (const Field& field : StepFields(solved)) {
      QJsonValue value;
      if (!field.Computed) {
        value = QJsonValue(QJsonValue::Null);
      } else if (field.Values.size() == 1) {
        value = field.Values[0];
      } else {
        value = QJsonArray{field.Values[0], field.Values[1], field.Values[2]};
      }
      step[QLatin1String(field.Name)] = value;
    }
    // Null where the linkage is locked (two members in line).
    const std::optional<StepRates> rates = RatesOfSolved(solved);
    step[QStringLiteral("WheelRate")] =
        NumberOrNull(rates ? std::optional<double>(rates->WheelRate) : std::nullopt);
    steps_.append(step);
  }
  void End(const std::string* failure, double failedStroke) override {
    root_[QStringLiteral("steps")] = steps_;
    if (failure != nullptr) {
      root_[QStringLiteral("failure")] =
          QJsonObject{{QStringLiteral("stroke"), failedStroke},
                      {QStringLiteral("message"), QString::fromStdString(*failure)}};
    }
    PrintJson(out_, root_, QJsonDocument::Compact);
  }

 private:
  std::ostream& out_;
  QJsonObject root_;
  QJsonArray steps_;
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

int Sweep(const Arguments& args, std::ostream& out, std::ostream& err) {
  const QStringList files = args.Files();
  if (files.size() != 1) args.Refuse("sweep needs exactly one link file");
  const QString format = args.Value(QStringLiteral("format")).value_or(QStringLiteral("json"));
  if (format != "json" && format != "csv" && format != "table") {
    args.Refuse("--format must be json, csv or table, not '" + Utf8(format) + "'");
  }
  std::optional<StrokePitch> pitchGiven;
  if (const std::optional<QString> value = args.Value(QStringLiteral("pitch"))) {
    const std::optional<double> number = ParseDecimal(value->toStdString());
    if (number && *number >= kMinPitch) pitchGiven = DecimalPitch(*number);
    if (!pitchGiven) {
      args.Refuse(
          "--pitch must be a number of millimetres of at least 0.01 with at most six decimals, "
          "not '" +
          Utf8(*value) + "'");
    }
  }
  const bool table = format == "table";
  if (table && pitchGiven && (pitchGiven->Units != 5 || pitchGiven->Scale != 1)) {
    args.Refuse("the table format has a row every 5 mm; --pitch does not apply to it");
  }
  const std::optional<std::int16_t> maxStroke = args.MaxStroke();
  AppState state;
  state.Mode = EditMode::New;
  state.MaxStroke = maxStroke ? *maxStroke : DefaultMaxStroke(err);
  state.Set[kChangedSet] = LoadLinkFile(files[0]);
  const StrokePitch pitch = pitchGiven.value_or(StrokePitch{});

  std::unique_ptr<SweepPrinter> printer;
  if (format == "csv") {
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
    err << Utf8(files[0]) << ": " << message << '\n';
    return kNotFormed;
  }
  CopySet(state, kChangedSet);
  ConfigSet& work = state.Set[kChangedWork];
  work.SusLength0 = 0;
  for (std::int64_t k = 0; pitch.Within(k, state.MaxStroke); ++k) {
    const double stroke = pitch.Stroke(k);
    work.AxleStartPos = state.Set[kChangedSet].AxleStartPos - stroke;
    if (NotFormed(SolveLinkage(state, kChangedWork, work.SusPos))) {
      const std::string message = StrokeFailureMessage(stroke);
      printer->End(&message, stroke);
      err << Utf8(files[0]) << ": " << message << '\n';
      return kNotFormed;
    }
    printer->Step(stroke, work);
  }
  printer->End(nullptr, 0);
  return kSuccess;
}

// ---- compare -----------------------------------------------------------------

int Compare(const Arguments& args, std::ostream& err) {
  const QStringList files = args.Files();
  if (files.size() != 2) args.Refuse("compare needs a base and a changed link file");
  const QString output = args.Output(files, "OUT.csv");
  AppState state;
  state.Mode = EditMode::New;
  state.MaxStroke = MaxStrokeOf(args, err);
  state.Set[kBaseSet] = LoadLinkFile(files[0]);
  state.Set[kChangedSet] = LoadLinkFile(files[1]);

  ResultTable table;
  table.BuildHeaders();
  NullPlotSink graph;
  const struct {
    int Set;
    SweepResult (*Sweep)(AppState&, ResultTable&, PlotSink&);
  } passes[] = {{kBaseSet, &BaseSweep}, {kChangedSet, &ChangedSweep}};
  for (const auto& pass : passes) {
    const std::string name = Utf8(files[pass.Set]);
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
  if (!WriteCsvFile(output, CsvLines(state, table), &error)) {
    err << "potelan-cli: " << Utf8(error) << '\n';  // names the file and says it was not saved
    return kBadUsage;
  }
  return kSuccess;
}

int RunCommand(const CommandSpec& command, const Arguments& args, std::ostream& out,
               std::ostream& err) {
  const QString& name = command.Name;
  if (name == "sweep") return Sweep(args, out, err);
  if (name == "compare") return Compare(args, err);
  if (name == "info") return Info(args, out, err);
  if (name == "sensitivity") return Sensitivity(args, out, err);
  return Fit(args, out, err);
}

}  // namespace

const char* HelpText() { return HelpString().c_str(); }

int Run(const QStringList& args, std::ostream& out, std::ostream& err) {
  try {
    if (args.isEmpty()) throw UsageError("no command given");
    const QString& first = args[0];
    if (first == "-h" || first == "--help" || (first == "help" && args.size() == 1)) {
      out << HelpString();
      return kSuccess;
    }
    if (first == "--version") {
      out << "potelan-cli " << kVersion << '\n';
      return kSuccess;
    }
    if (first == "help") {
      const CommandSpec* command = FindCommand(args[1]);
      if (command == nullptr) throw UsageError("unknown command '" + Utf8(args[1]) + "'");
      out << CommandHelp(*command);
      return kSuccess;
    }
    const CommandSpec* command = FindCommand(first);
    if (command == nullptr) {
      if (first.startsWith('-')) {
        throw UsageError("the command comes first, not '" + Utf8(first) + "'");
      }
      throw UsageError("unknown command '" + Utf8(first) + "'");
    }
    const Arguments arguments(*command, args.mid(1));
    if (arguments.Help()) {
      out << CommandHelp(*command);
      return kSuccess;
    }
    return RunCommand(*command, arguments, out, err);
  } catch (const UsageError& e) {
    const std::string help = e.Command().isEmpty() ? "--help" : Utf8(e.Command()) + " --help";
    err << "potelan-cli: " << e.what() << "\nTry 'potelan-cli " << help << "'.\n";
  } catch (const LinkFileError& e) {
    err << "potelan-cli: " << e.what() << '\n';
  } catch (const CommandFailure& e) {
    err << e.what() << '\n';
    return e.Code();
  }
  return kBadUsage;
}

}  // namespace potelan::cli
