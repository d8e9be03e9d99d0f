#include "files/TableExport.hpp"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <vector>

#include "entry/BoxNames.hpp"
#include "files/TextCodec.hpp"
#include "model/NumberFormat.hpp"
#include "model/StrokeSweep.hpp"

namespace potelan {

namespace {

constexpr int kLabelColumns = 32;
constexpr int kFirstStrokeRow = kGridHeaderRows;
constexpr int kCellColumns = 8;  // a report cell: six characters and two blanks
const QString kEmptyCell = QStringLiteral("      ");

// The dimension lines, in their order: the CSV label without its comma and
// the printed name are the table's CSV name.
const std::vector<Dimension>& DimensionLines() {
  static const std::vector<Dimension> lines = CsvDimensions();
  return lines;
}

// The names of a result item over its columns: in the CSV header (followed
// by "基準" or "変更") and in the report's first header line. The four items
// shown at start keep the names these files have always carried.
struct ExportName {
  ResultItem Item;
  QString Csv;
  const char* Printed;  // translated in the context "potelan::TableExport"
};

const std::array<ExportName, kResultItemCount>& ExportNames() {
  static const std::array<ExportName, kResultItemCount> names{{
      {ResultItem::LinkRatio, QStringLiteral("ﾘﾝｸﾚｼｵ"),
       QT_TRANSLATE_NOOP("potelan::TableExport", "ﾘﾝｸﾚｼｵ")},
      {ResultItem::InvLinkRatio, QStringLiteral("ﾘﾝｸﾚｼｵ(逆)"),
       QT_TRANSLATE_NOOP("potelan::TableExport", "ﾘﾝｸﾚｼｵ(逆)")},
      {ResultItem::AxleLoad, QStringLiteral("軸荷重"),
       QT_TRANSLATE_NOOP("potelan::TableExport", "軸荷重")},
      {ResultItem::SusLoad, QStringLiteral("サス荷重"),
       QT_TRANSLATE_NOOP("potelan::TableExport", "サス荷重")},
      {ResultItem::TenRodLoad, QStringLiteral("T-Rod"),
       QT_TRANSLATE_NOOP("potelan::TableExport", "T-Rod")},
      {ResultItem::PivotLoad, QStringLiteral("ﾋﾟﾎﾞｯﾄ荷重"),
       QT_TRANSLATE_NOOP("potelan::TableExport", "ﾋﾟﾎﾞｯﾄ荷重")},
      {ResultItem::FrameLinkLoad, QStringLiteral("Frm-Link"),
       QT_TRANSLATE_NOOP("potelan::TableExport", "Frm-Link")},
      {ResultItem::ForkLinkLoad, QStringLiteral("Fork-Link"),
       QT_TRANSLATE_NOOP("potelan::TableExport", "Fork-Link")},
      {ResultItem::SusLength, QStringLiteral("ｻｽ長 "),
       QT_TRANSLATE_NOOP("potelan::TableExport", "サス長")},
      {ResultItem::SusStroke, QStringLiteral("ｻｽｽﾄﾛｸ"),
       QT_TRANSLATE_NOOP("potelan::TableExport", "ｻｽｽﾄﾛ-ｸ")},
      {ResultItem::WheelRate, QStringLiteral("ﾎｲｰﾙﾚｰﾄ"),
       QT_TRANSLATE_NOOP("potelan::TableExport", "ﾎｲｰﾙﾚｰﾄ")},
  }};
  return names;
}

// The export names of the shown items, in the table's order.
std::vector<const ExportName*> ShownNames(const ResultTable& table) {
  std::vector<const ExportName*> shown;
  for (const ExportName& name : ExportNames()) {
    if (table.IsShown(name.Item)) shown.push_back(&name);
  }
  return shown;
}

// A report header text and blanks up to `columns` display columns.
QString Padded(const QString& text, int columns) {
  const int width = DisplayWidth(text);
  return width < columns ? text + QString(columns - width, QLatin1Char(' ')) : text;
}

QString TrimmedRight(QString text) {
  while (text.endsWith(QLatin1Char(' '))) text.chop(1);
  return text;
}

QString Text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

int ExportColumns(const ResultTable& table) { return 2 * table.ShownCount() + 1; }

int ExportRows(const AppState& state, const ResultTable& table) {
  return std::min(table.RowCount(), StrokeRows(state.MaxStroke));
}

int DisplayWidth(const QString& text) {
  int width = 0;
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype length =
        (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ? 2
            : 1;
    width += ShiftJisByteCount(text.mid(i, length)).value_or(2);
    i += length;
  }
  return width;
}

QString PrintedLabel(const QString& name) {
  QString label = QStringLiteral("    ") + name;
  const int width = DisplayWidth(label);
  if (width < kLabelColumns) label += QString(kLabelColumns - width, QLatin1Char(' '));
  return label;
}

QStringList CsvLines(const AppState& state, const ResultTable& table) {
  const ConfigSet& base = state.Set[kBaseSet];
  const ConfigSet& changed = state.Set[kChangedSet];

  QStringList lines;
  lines << QStringLiteral("項目,基準値,変更後");
  lines << QStringLiteral("サスタイプ,Type%1,Type%2").arg(base.SusType).arg(changed.SusType);
  for (const Dimension d : DimensionLines()) {
    lines << TableText(CsvName(d)) + QLatin1Char(',') + Text(GeneralDouble(ValueOf(base, d))) +
                 QLatin1Char(',') + Text(GeneralDouble(ValueOf(changed, d)));
  }
  lines << QString();
  QString header = QStringLiteral("軸ｽﾄﾛｰｸ");
  for (const ExportName* name : ShownNames(table)) {
    header += QLatin1Char(',') + name->Csv + QStringLiteral("基準") + QLatin1Char(',') + name->Csv +
              QStringLiteral("変更");
  }
  lines << header;
  const int columns = ExportColumns(table);
  for (int row = kFirstStrokeRow; row < ExportRows(state, table); ++row) {
    QString line;
    for (int column = 0; column < columns; ++column) {
      const std::optional<float> value = ParseSingle(table.Cell(column, row));
      if (value) line += Text(GeneralSingle(*value));
      line += QLatin1Char(',');
    }
    lines << line;
  }
  return lines;
}

QStringList ReportLines(const AppState& state, const ResultTable& table) {
  const ConfigSet& base = state.Set[kBaseSet];
  const ConfigSet& changed = state.Set[kChangedSet];

  // The report is read, not parsed: its headings speak the language of the
  // windows, in the columns the Japanese ones take.
  const auto item = [](const char* text) {
    return QCoreApplication::translate("potelan::ResultItems", text);
  };
  QStringList lines;
  lines << QString();
  lines << QString(32, QLatin1Char(' ')) +
               Padded(QCoreApplication::translate("potelan::TableExport", "基準値"), 12) +
               QCoreApplication::translate("potelan::TableExport", "変更後");
  lines << Padded(QStringLiteral("    ") +
                      QCoreApplication::translate("potelan::TableExport", "サスタイプ"),
                  33) +
               QStringLiteral("Type%1").arg(base.SusType) + QString(7, QLatin1Char(' ')) +
               QStringLiteral("Type%1").arg(changed.SusType);
  for (const Dimension d : DimensionLines()) {
    lines << PrintedLabel(DimensionText(CsvName(d))) + Text(FormatPrintValue(ValueOf(base, d))) +
                 QString(6, QLatin1Char(' ')) + Text(FormatPrintValue(ValueOf(changed, d)));
  }
  lines << QString() << QString();
  // Eight columns a cell: the item's name stands over its two cells.
  QString names = QStringLiteral(" ") + Padded(item("ｱｸｽﾙ"), kCellColumns);
  QString sides = QStringLiteral(" ") + Padded(item("ｽﾄﾛｰｸ"), kCellColumns);
  for (const ExportName* name : ShownNames(table)) {
    names += Padded(QCoreApplication::translate("potelan::TableExport", name->Printed),
                    2 * kCellColumns);
    sides += Padded(item("基準"), kCellColumns) + Padded(item("変更"), kCellColumns);
  }
  lines << TrimmedRight(names) << TrimmedRight(sides);
  const int columns = ExportColumns(table);
  for (int row = kFirstStrokeRow; row < ExportRows(state, table); ++row) {
    QString line(1, QLatin1Char(' '));
    for (int column = 0; column < columns; ++column) {
      const std::string& cell = table.Cell(column, row);
      line += (cell.empty() ? kEmptyCell : Text(cell)) + QStringLiteral("  ");
    }
    lines << line;
  }
  return lines;
}

bool WriteCsvFile(const QString& path, const QStringList& lines, QString* error) {
  return WriteTextLines(path, lines, error);
}

}  // namespace potelan
