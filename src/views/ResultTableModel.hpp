// The engine's table grid as a Qt model for Grid1. Grid rows 0 and 1 are the
// two fixed header lines over every column; the model's rows are the grid rows
// from 2 on, so the header stays in place while the stroke rows scroll.
#pragma once

#include <QAbstractTableModel>
#include <QModelIndexList>
#include <QString>

#include "model/ResultTable.hpp"

namespace potelan {

class ResultTableModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  // Grid rows that form the header.
  static constexpr int kHeaderRows = 2;

  explicit ResultTableModel(const ResultTable& table, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  // The cell text as the grid holds it, right-aligned.
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // Horizontal: both header lines of a column, joined by a line break.
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Header line 0 or 1 over a column (grid row 0 or 1).
  QString HeaderLine(int line, int column) const;
  // The same line as the window shows it, in the program's language (the
  // table's own texts, as files get them, are HeaderLine's).
  QString ShownHeaderLine(int line, int column) const;
  // Grid row of a model row.
  static int GridRow(int modelRow) { return modelRow + kHeaderRows; }

  // The cells for the clipboard, as a spreadsheet pastes them into columns:
  // one line per row, the fields separated by tabs, every line ended by a
  // line feed (the platform's clipboard turns it into CR LF where that is the
  // custom). The first two lines are the header lines over the columns; a
  // "変更" column whose item name stands over its "基準" column outside the
  // cells carries the name itself. The rows and the columns are those that
  // hold a given cell; a cell of them that is not given stays empty. Cells
  // are given without their padding blanks. Empty for no cells.
  QString CopyText(const QModelIndexList& cells) const;

  // The table's cells, columns or rows changed.
  void Reload();

 private:
  const ResultTable& table_;
};

}  // namespace potelan
