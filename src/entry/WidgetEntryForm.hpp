// An entry window's boxes as the form-transfer operations see them: the
// QLineEdit children of a widget found by objectName, their text, shown
// state and background; on the change-input form also the type list Combo1
// and the position label Label23.
#pragma once

#include <QHash>
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "entry/EntryForm.hpp"

class QComboBox;
class QLabel;

namespace potelan {

// Paints a box's background (white or red) so that the form can read it back.
void PaintBox(QLineEdit& box, BoxColour colour);
BoxColour BoxColourOf(const QLineEdit& box);

class WidgetEntryForm final : public EntryForm {
 public:
  // `window` is the form; its objectName is the form's name.
  explicit WidgetEntryForm(QWidget& window) : window_(window) {}

  QString FormName() const override { return window_.objectName(); }
  bool HasBox(const QString& box) const override { return Box(box) != nullptr; }
  QString BoxText(const QString& box) const override;
  void SetBoxText(const QString& box, const QString& text) override;
  bool IsBoxShown(const QString& box) const override;
  void SetBoxShown(const QString& box, bool shown) override;
  void BringBoxToFront(const QString& box) override;
  BoxColour BoxBackground(const QString& box) const override;
  void SetBoxBackground(const QString& box, BoxColour colour) override;
  bool HasTypeList() const override { return TypeList() != nullptr; }
  int TypeIndex() const override;
  void SetTypeIndex(int index) override;
  bool HasPositionLabel() const override { return PositionLabelWidget() != nullptr; }
  QString PositionLabel() const override;
  void SetPositionLabel(const QString& text) override;

 private:
  QLineEdit* Box(const QString& name) const;
  QComboBox* TypeList() const;
  QLabel* PositionLabelWidget() const;

  QWidget& window_;
  // Boxes found so far, by name: a form's boxes stay for its lifetime, and a
  // commit reads and writes every one of them.
  mutable QHash<QString, QPointer<QLineEdit>> boxes_;
};

}  // namespace potelan
