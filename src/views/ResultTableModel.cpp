#include "views/ResultTableModel.hpp"

#include <algorithm>

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
      return HeaderLine(0, section) + QLatin1Char('\n') + HeaderLine(1, section);
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

void ResultTableModel::Reload() {
  beginResetModel();
  endResetModel();
}

}  // namespace potelan
