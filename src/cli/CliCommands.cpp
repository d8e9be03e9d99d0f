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
#include "cli/CliHelp.hpp"
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
  // `failure`: how the sweep ends, when it stops before the last stroke.
  virtual void Begin(const ConfigSet& source, const std::string* failure, double failedStroke) = 0;
  virtual void Step(double stroke, const ConfigSet& solved) = 0;
  virtual void End() = 0;
  // Whether Begin needs to know the failure ahead of the steps.
  virtual bool FailureFirst() const { return false; }
};

std::string CompactJson(const QJsonObject& object) {
  return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

// One JSON document: the type, the position, the failure when the linkage
// stopped forming, and the steps, its keys in the order QJsonDocument writes
// them (sorted). The steps are data rather than a report, so the document is
// compact, and it is written one step at a time: the memory it takes does not
// grow with the number of steps. The failure precedes the steps, so the sweep
// runs first to find it.
class JsonPrinter : public SweepPrinter {
 public:
  explicit JsonPrinter(std::ostream& out) : out_(out) {}
  bool FailureFirst() const override { return true; }
  void Begin(const ConfigSet& source, const std::string* failure, double failedStroke) override {
    std::string head = CompactJson(QJsonObject{{QStringLiteral("SusPos"), source.SusPos},
                                               {QStringLiteral("SusType"), source.SusType}});
    head.pop_back();  // the closing brace
    out_ << head;
    if (failure != nullptr) {
      out_ << ",\"failure\":"
           << CompactJson(QJsonObject{{QStringLiteral("stroke"), failedStroke},
                                      {QStringLiteral("message"), QString::fromStdString(*failure)}});
    }
    out_ << ",\"steps\":[";
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
    if (!first_) out_ << ',';
    first_ = false;
    out_ << CompactJson(step);
  }
  void End() override { out_ << "]}\n"; }

 private:
  std::ostream& out_;
  bool first_ = true;
};

class CsvPrinter : public SweepPrinter {
 public:
  explicit CsvPrinter(std::ostream& out) : out_(out) {}
  void Begin(const ConfigSet& source, const std::string*, double) override {
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
  void End() override {}

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
  void Begin(const ConfigSet&, const std::string*, double) override {}
  void Step(double stroke, const ConfigSet&) override {
    const int s = static_cast<int>(stroke);
    WriteTableCell(table_, 0, (10 * s) / 50 + 1, s, "##0");
    FillTableRow(state_, table_, s, 1, kChangedWork);
    lastRow_ = ResultTable::RowOfStroke(s);
  }
  void End() override {
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

// How a sweep ended: every stroke solved, or the message and stroke of the
// first that was not.
struct SweepEnd {
  std::optional<std::string> Failure;
  double FailedStroke = 0;
};

// Sweeps the changed set of `state` over the strokes of `pitch`, giving every
// solved step to `step` (when there is one).
SweepEnd SweepSteps(AppState& state, const StrokePitch& pitch, SweepPrinter* step) {
  if (!SolveInitial(state, kChangedSet)) return {kInitialFailure, 0};
  CopySet(state, kChangedSet);
  ConfigSet& work = state.Set[kChangedWork];
  work.SusLength0 = 0;
  for (std::int64_t k = 0; pitch.Within(k, state.MaxStroke); ++k) {
    const double stroke = pitch.Stroke(k);
    work.AxleStartPos = state.Set[kChangedSet].AxleStartPos - stroke;
    if (NotFormed(SolveLinkage(state, kChangedWork, work.SusPos))) {
      return {StrokeFailure(stroke), stroke};
    }
    if (step != nullptr) step->Step(stroke, work);
  }
  return {};
}

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
  const ConfigSet source = state.Set[kChangedSet];
  SweepEnd end;
  if (printer->FailureFirst()) {
    AppState trial = state;
    end = SweepSteps(trial, pitch, nullptr);
  }
  printer->Begin(source, end.Failure ? &*end.Failure : nullptr, end.FailedStroke);
  end = SweepSteps(state, pitch, printer.get());
  printer->End();
  if (end.Failure) {
    err << "potelan-cli: " << Utf8(files[0]) << ": " << *end.Failure << '\n';
    return kNotFormed;
  }
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
      err << "potelan-cli: " << name << ": " << kInitialFailure << '\n';
      return kNotFormed;
    }
    const SweepResult result = pass.Sweep(state, table, graph);
    if (!result.Ok) {
      err << "potelan-cli: " << name << ": " << StrokeFailure(result.FailedStroke) << '\n';
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
    err << "potelan-cli: " << e.what() << '\n';
    return e.Code();
  }
  return kBadUsage;
}

}  // namespace potelan::cli
