#include "files/TableExport.hpp"

#include <algorithm>
#include <array>

#include "files/TextCodec.hpp"
#include "model/NumberFormat.hpp"

namespace potelan {

namespace {

constexpr int kLabelColumns = 32;
constexpr int kFirstStrokeRow = 2;
const QString kEmptyCell = QStringLiteral("      ");

struct DimensionRow {
  double ConfigSet::*Value;
  QString Name;  // the CSV label without its comma, and the printed name
};

const std::array<DimensionRow, 14>& DimensionRows() {
  static const std::array<DimensionRow, 14> rows{{
      {&ConfigSet::SusUpX, QStringLiteral("サス上部取付Ｘ座標")},
      {&ConfigSet::SusUpY, QStringLiteral("サス上部取付Ｙ座標")},
      {&ConfigSet::FrameLinkX, QStringLiteral("フレーム側リンク取付Ｘ座標")},
      {&ConfigSet::FrameLinkY, QStringLiteral("フレーム側リンク取付Ｙ座標")},
      {&ConfigSet::ForkLength, QStringLiteral("フォーク長")},
      {&ConfigSet::ForkLinkLength, QStringLiteral("フォークリンク取付長")},
      {&ConfigSet::ForkLinkOffset, QStringLiteral("フォークリンクオフセット")},
      {&ConfigSet::LinkUp, QStringLiteral("リンクプレート上辺")},
      {&ConfigSet::LinkFr, QStringLiteral("リンクプレート前辺")},
      {&ConfigSet::LinkRr, QStringLiteral("リンクプレート後辺")},
      {&ConfigSet::TenRodLength, QStringLiteral("テンションロッド長")},
      {&ConfigSet::AxleStartPos, QStringLiteral("リアアクスル初期位置")},
      {&ConfigSet::SpringRate, QStringLiteral("スプリングレート")},
      {&ConfigSet::Preload, QStringLiteral("イニシャル")},
  }};
  return rows;
}

// Stroke rows 0..150 mm always; more when the grid grew for a longer stroke.
int LastStrokeRow(const ResultTable& table) { return std::max(kGridRows, table.RowCount()) - 1; }

QString Text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

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
  for (const DimensionRow& row : DimensionRows()) {
    lines << row.Name + QLatin1Char(',') + Text(GeneralDouble(base.*row.Value)) + QLatin1Char(',') +
                 Text(GeneralDouble(changed.*row.Value));
  }
  lines << QString();
  lines << QStringLiteral(
      "軸ｽﾄﾛｰｸ,ﾘﾝｸﾚｼｵ基準,ﾘﾝｸﾚｼｵ変更,軸荷重基準,軸荷重変更,ｻｽ長 基準,ｻｽ長 "
      "変更,ｻｽｽﾄﾛｸ基準,ｻｽｽﾄﾛｸ変更");
  for (int row = kFirstStrokeRow; row <= LastStrokeRow(table); ++row) {
    QString line;
    for (int column = 0; column < kExportColumns; ++column) {
      const std::optional<float> value = ParseSingle(table.Cell(column, row));
      if (value) line += Text(GeneralSingle(*value)) + QLatin1Char(',');
    }
    lines << line;
  }
  return lines;
}

QStringList ReportLines(const AppState& state, const ResultTable& table) {
  const ConfigSet& base = state.Set[kBaseSet];
  const ConfigSet& changed = state.Set[kChangedSet];

  QStringList lines;
  lines << QString();
  lines << QString(32, QLatin1Char(' ')) + QStringLiteral("基準値") + QString(6, QLatin1Char(' ')) +
               QStringLiteral("変更後");
  lines << QStringLiteral("    サスタイプ") + QString(19, QLatin1Char(' ')) +
               QStringLiteral("Type%1").arg(base.SusType) + QString(7, QLatin1Char(' ')) +
               QStringLiteral("Type%1").arg(changed.SusType);
  for (const DimensionRow& row : DimensionRows()) {
    lines << PrintedLabel(row.Name) + Text(FormatPrintValue(base.*row.Value)) +
                 QString(6, QLatin1Char(' ')) + Text(FormatPrintValue(changed.*row.Value));
  }
  lines << QString() << QString();
  lines << QStringLiteral(" ｱｸｽﾙ    ﾘﾝｸﾚｼｵ          軸荷重          サス長          ｻｽｽﾄﾛ-ｸ");
  lines << QStringLiteral(" ｽﾄﾛｰｸ   基準    変更    基準    変更    基準    変更    基準    変更");
  for (int row = kFirstStrokeRow; row <= LastStrokeRow(table); ++row) {
    QString line(1, QLatin1Char(' '));
    for (int column = 0; column < kExportColumns; ++column) {
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
