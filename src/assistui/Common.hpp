// What the design assistant's pages share: the texts of both sets' columns,
// the captions of the dimensions, the comparison of entered values, and
// controls made with their accessible names.
#pragma once

#include <QString>

#include "assist/Dimensions.hpp"
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

// The caption of a dimension, as its label on the forms.
QString Caption(assist::Dimension d);
// The change-input form's box that holds a dimension.
const QString& BoxName(assist::Dimension d);

// The entered values of two sets are the same (type, position, pivot move
// and every dimension).
bool SameEntered(const ConfigSet& a, const ConfigSet& b);

QString Fixed(double value, int decimals);

// A label for `control` whose caption (without its colon) becomes the
// control's accessible name.
QLabel* Buddy(const QString& caption, QWidget* control, QWidget* parent);
QPushButton* Button(const QString& caption, const QString& name, QWidget* parent);
QTableWidgetItem* ReadOnlyItem(const QString& text);

}  // namespace potelan::assistui
