#include "views/ResultTableModel.hpp"

#include <QCoreApplication>
#include <algorithm>
#include <set>
#include <utility>

namespace potelan {

ResultTableModel::ResultTableModel(const ResultTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return std::max(table_.RowCount() - kHeaderRows, 0);
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return table_.ColumnCount();
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(table_.Cell(index.column(), GridRow(index.row())));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    default:
      return {};
  }
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  switch (role) {
    case Qt::DisplayRole:
      return ShownHeaderLine(0, section) + QLatin1Char('\n') + ShownHeaderLine(1, section);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    default:
      return {};
  }
}

Qt::ItemFlags ResultTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QString ResultTableModel::HeaderLine(int line, int column) const {
  if (line < 0 || line >= kHeaderRows) return {};
  return QString::fromStdString(table_.Cell(column, line));
}

QString ResultTableModel::ShownHeaderLine(int line, int column) const {
  if (line < 0 || line >= kHeaderRows) return {};
  // The table's own words and the items' headers are marked in the engine.
  return QCoreApplication::translate("potelan::ResultItems", table_.Cell(column, line).c_str());
}

QString ResultTableModel::CopyText(const QModelIndexList& cells) const {
  std::set<int> rows;
  std::set<int> columns;
  std::set<std::pair<int, int>> given;
  for (const QModelIndex& cell : cells) {
    if (!cell.isValid() || cell.model() != this) continue;
    rows.insert(cell.row());
    columns.insert(cell.column());
    given.insert({cell.row(), cell.column()});
  }
  if (given.empty()) return {};

  QString text;
  const auto addLine = [&text](const QStringList& fields) {
    text += fields.join(QLatin1Char('\t'));
    text += QLatin1Char('\n');
  };
  QStringList names;
  QStringList sides;
  for (const int column : columns) {
    QString name = HeaderLine(0, column);
    if (name.isEmpty()) {
      // The name over this column stands over the first column of its item.
      int first = column;
      while (first > 0 && HeaderLine(0, first).isEmpty()) --first;
      if (!columns.contains(first)) name = HeaderLine(0, first);
    }
    names << name;
    sides << HeaderLine(1, column);
  }
  addLine(names);
  addLine(sides);
  for (const int row : rows) {
    QStringList fields;
    for (const int column : columns) {
      fields << (given.contains({row, column})
                     ? data(index(row, column), Qt::DisplayRole).toString().trimmed()
                     : QString());
    }
    addLine(fields);
  }
  return text;
}

void ResultTableModel::Reload() {
  beginResetModel();
  endResetModel();
}

}  // namespace potelan
