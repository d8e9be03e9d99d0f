#include "assistui/Common.hpp"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidgetItem>
#include <algorithm>

#include "entry/Translated.hpp"
#include "model/Dimensions.hpp"

namespace potelan::assistui {

QString Title() { return QCoreApplication::translate("potelan::assistui", "設計支援"); }
QString BaseColumn() { return QCoreApplication::translate("potelan::assistui", "基準"); }
QString ChangedColumn() { return QCoreApplication::translate("potelan::assistui", "変更"); }
QString NotFormed() { return QCoreApplication::translate("potelan::assistui", "成立せず"); }
QString None() { return QCoreApplication::translate("potelan::assistui", "―"); }

QString SweepFailure(const std::string& message, double failedStroke) {
  static constexpr char kNoStroke[] =
      QT_TRANSLATE_NOOP("potelan::assistui", "ｱｸｽﾙｽﾄﾛｰｸの範囲がありません");
  if (message == kNoStroke) return QCoreApplication::translate("potelan::assistui", kNoStroke);
  return StrokeFailureText(failedStroke);
}

bool SameEntered(const ConfigSet& a, const ConfigSet& b) {
  if (a.SusType != b.SusType || a.SusPos != b.SusPos) return false;
  const auto table = DimensionTable();
  return std::all_of(table.begin(), table.end(), [&](const DimensionInfo& row) {
    if (!IsTypeDimension(row.Dim) && row.Group != DimensionGroup::PivotMove) return true;
    return ValueOf(a, row.Dim) == ValueOf(b, row.Dim);
  });
}

QString Fixed(double value, int decimals) { return QString::number(value, 'f', decimals); }

QLabel* Buddy(const QString& caption, QWidget* control, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setBuddy(control);
  QString name = caption;
  name.remove(QLatin1Char(':'));
  control->setAccessibleName(name);
  return label;
}

QPushButton* Button(const QString& caption, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAccessibleName(caption);
  return button;
}

QTableWidgetItem* ReadOnlyItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}

}  // namespace potelan::assistui
