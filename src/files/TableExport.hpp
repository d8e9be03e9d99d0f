// The two outputs of the numeric table: the CSV file and the lines of the
// printed report. Both hold the link types and fourteen dimensions of the
// base and the changed set side by side, then the stroke table as the grid's
// cells hold it.
#pragma once

#include <QString>
#include <QStringList>

#include "model/AppState.hpp"
#include "model/ResultTable.hpp"

namespace potelan {

// Width of printed text in columns of the report's monospaced font: each
// character takes as many columns as it has bytes in Shift-JIS (half-width
// one, full-width two); a character Shift-JIS cannot hold counts as two.
int DisplayWidth(const QString& text);

// A dimension's label in the printed report: four blanks, the name, and
// blanks up to 32 display columns (nothing is cut from a longer name).
QString PrintedLabel(const QString& name);

// Grid columns exported per stroke row: the stroke and the base/changed pair
// of every item the table shows.
int ExportColumns(const ResultTable& table);

// Grid rows exported: the stroke rows the table holds, none beyond MaxStroke.
int ExportRows(const AppState& state, const ResultTable& table);

// The lines of the CSV file: headers, link types, the fourteen dimensions in
// the general decimal form, an empty line, the stroke header naming the
// shown items in the table's order, and one line per stroke row. Each cell
// of a stroke row is one field followed by ",": a number as a single in the
// general form, an empty cell (or one that is not a number) as an empty
// field, so every value stays under its header.
QStringList CsvLines(const AppState& state, const ResultTable& table);

// The lines of the printed report, with the same columns as the CSV file.
// Stroke rows print one blank, then each cell followed by two blanks; an
// empty cell prints as six blanks so that the columns stay under their
// headers.
QStringList ReportLines(const AppState& state, const ResultTable& table);

// Writes CSV lines as Shift-JIS with CR LF, replacing the file only when all
// was written. On failure gives false and, when `error` is given, why.
bool WriteCsvFile(const QString& path, const QStringList& lines, QString* error = nullptr);

}  // namespace potelan
