#include "cli/CliHelp.hpp"

#include <QStringList>

#include "entry/BoxNames.hpp"
#include "model/Dimensions.hpp"

namespace potelan::cli {
namespace {

const char kHelpHead[] =
    "Usage:\n"
    "  potelan-cli sweep FILE.lin [--max-stroke N] [--pitch MM]\n"
    "              [--format json|csv|table]\n"
    "  potelan-cli compare BASE.lin CHANGED.lin [--max-stroke N] -o OUT.csv\n"
    "  potelan-cli info FILE.lin [--max-stroke N] [--static-load KGF]\n"
    "  potelan-cli sensitivity FILE.lin [--max-stroke N]\n"
    "  potelan-cli fit START.lin --target TARGET.csv --vary KEY[,KEY...]\n"
    "              [--bounds KEY=LO:HI]... [--quantity ratio|inverse|axle-load]\n"
    "              [--max-stroke N] -o FITTED.lin\n"
    "  potelan-cli COMMAND --help\n"
    "  potelan-cli --help | --version\n"
    "\n"
    "sweep        Reads a link file as the change-input form does, solves it at\n"
    "             zero stroke with a fresh reference shock length, then at every\n"
    "             axle stroke 0, p, 2p, ... not above the maximum stroke, and\n"
    "             prints every result. Each stroke is a whole multiple of the\n"
    "             pitch in the pitch's own decimals (--pitch 0.07 gives 0, 0.07,\n"
    "             ..., 2.03, ..., 7), and the axle is moved by exactly that\n"
    "             decimal.\n"
    "compare      Sweeps a base and a changed link file in 5 mm steps and writes\n"
    "             the CSV file of the numeric table (dimensions of both sets and\n"
    "             the default items: link ratio, axle load, shock length, shock\n"
    "             stroke).\n"
    "info         Prints what the linkage gives at the wheel: link ratio, its\n"
    "             slope and the wheel rate every 5 mm, the progression, the\n"
    "             largest value of every load with its stroke, and the sag under\n"
    "             a static axle load.\n"
    "sensitivity  Prints, for every dimension of the link type, the change of the\n"
    "             link ratio at 0, half and full stroke, of the progression and of\n"
    "             the shock stroke at full stroke per +1 mm (spring rate: per +1\n"
    "             kgf/mm).\n"
    "fit          Moves the named dimensions within their bounds until the curve\n"
    "             comes closest to the target, writes the fitted set as a link\n"
    "             file and prints the RMS of that file's curve against the\n"
    "             target, the fitted values and those that lie on a bound.\n"
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
    "  --static-load KGF  static rear-axle load of `info` whose sag is wanted, at\n"
    "                   least 0\n"
    "  --target F       `fit`: the target curve, lines stroke,value (an optional\n"
    "                   header line; UTF-8 or Shift-JIS), interpolated linearly;\n"
    "                   at least 3 points at distinct strokes from 0 to the\n"
    "                   maximum stroke\n"
    "  --vary KEYS      `fit`: the dimensions that may change, by their JSON names\n";
// (the names of the table of dimensions come here)
const char kHelpTail[] =
    "  --bounds K=LO:HI `fit`: the range of one varied dimension (default: 20 mm\n"
    "                   either side; spring rate 20 %, at least 1 kgf/mm; preload\n"
    "                   10 mm; neither below 0), in values its entry box holds\n"
    "  --quantity Q     `fit`: ratio (default), inverse or axle-load\n"
    "  -o, --output F   the CSV file that `compare` writes (Shift-JIS, CR LF), or\n"
    "                   the link file that `fit` writes; never an input file\n"
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

// ---- command lines ----------------------------------------------------------

const OptionSpec kMaxStrokeOption{
    {QStringLiteral("max-stroke")},
    QStringLiteral("N"),
    QStringLiteral("maximum axle stroke in mm, 0 to 3276 (default: MaxStroke of potelan.ini "
                   "in the current folder, else 150)")};
const OptionSpec kHelpOption{
    {QStringLiteral("h"), QStringLiteral("help")}, QString(), QStringLiteral("this text")};

}  // namespace

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
         QStringLiteral("static rear-axle load whose sag is wanted, at least 0")},
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
                      "prints {\"rms\", \"max_error\", \"values\", \"at_bound\", "
                      "\"evaluations\", \"seconds\"}, where rms is that of the written "
                      "file's curve and at_bound names the values within one entry step of "
                      "a bound."),
       {{{QStringLiteral("target")},
         QStringLiteral("TARGET.csv"),
         QStringLiteral("lines stroke,value, an optional header line; UTF-8 or Shift-JIS; "
                        "at least 3 points at distinct strokes from 0 to the maximum stroke")},
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

namespace {

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

}  // namespace

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

namespace {

// The keys of --vary and --bounds, one a line with the link types that
// have it and its caption as the assistant shows it.
QString FitKeys() {
  QString text = QStringLiteral("\nKeys of --vary and --bounds, their link types and captions:\n");
  for (const DimensionInfo& row : DimensionTable().first<kTypeDimensionCount>()) {
    QString types;
    for (int type = 2; type <= 6; ++type) {
      if (TypeUses(type, row.Dim)) types += QString::number(type) + QLatin1Char(' ');
    }
    text += QStringLiteral("  %1%2%3 (%4)\n")
                .arg(TableText(row.Key), -16)
                .arg(types, -12)
                .arg(TableText(row.Caption), TableText(row.Unit));
  }
  return text;
}

}  // namespace

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
  if (command.Name == "fit") text += FitKeys();
  return Utf8(text);
}

}  // namespace potelan::cli
