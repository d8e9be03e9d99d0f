// What the design assistant's pages share: the texts of both sets' columns,
// the comparison of entered values, and controls made with their accessible
// names. The dimensions' captions and boxes are the table's
// (DimensionCaption, DimensionBox).
#pragma once

#include <QString>
#include <string>

#include "model/AppState.hpp"

class QLabel;
class QPushButton;
class QTableWidgetItem;
class QWidget;

namespace potelan::assistui {

// The window's title, the columns of the two sets, a set that does not
// assemble and a figure that does not exist, in the program's language.
QString Title();
QString BaseColumn();
QString ChangedColumn();
QString NotFormed();
QString None();

// Why a set's sweep stopped, from the engine's message and the stroke where
// the set stopped assembling, in the program's language.
QString SweepFailure(const std::string& message, double failedStroke);

// The entered values of two sets are the same (type, position, pivot move
// and every dimension of a link type).
bool SameEntered(const ConfigSet& a, const ConfigSet& b);

QString Fixed(double value, int decimals);

// A label for `control` whose caption (without its colon) becomes the
// control's accessible name.
QLabel* Buddy(const QString& caption, QWidget* control, QWidget* parent);
QPushButton* Button(const QString& caption, const QString& name, QWidget* parent);
QTableWidgetItem* ReadOnlyItem(const QString& text);

}  // namespace potelan::assistui
