// What the design assistant's pages share: the texts of both sets' columns,
// the comparison of entered values, and controls made with their accessible
// names. The dimensions' captions and boxes are the table's
// (DimensionCaption, DimensionBox).
#pragma once

#include <QString>

#include "model/AppState.hpp"

class QLabel;
class QPushButton;
class QTableWidgetItem;
class QWidget;

namespace potelan::assistui {

inline const QString kTitle = QStringLiteral("設計支援");
inline const QString kBaseColumn = QStringLiteral("基準");
inline const QString kChangedColumn = QStringLiteral("変更");
inline const QString kNotFormed = QStringLiteral("成立せず");
inline const QString kNone = QStringLiteral("―");

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
