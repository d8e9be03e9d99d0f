#include "entry/WidgetEntryForm.hpp"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

#include "entry/BoxNames.hpp"

namespace potelan {
namespace {
constexpr char kColourProperty[] = "potelanBoxColour";
}

void PaintBox(QLineEdit& box, BoxColour colour) {
  // Every commit paints each box white again: only a change costs a repaint.
  if (box.property(kColourProperty).isValid() && BoxColourOf(box) == colour) return;
  QPalette palette = box.palette();
  palette.setColor(QPalette::Base, colour == BoxColour::Red ? QColor(255, 0, 0) : Qt::white);
  box.setPalette(palette);
  box.setProperty(kColourProperty, colour == BoxColour::Red ? 1 : 0);
  box.setAccessibleDescription(colour == BoxColour::Red ? kRedBoxDescription : QString());
}

BoxColour BoxColourOf(const QLineEdit& box) {
  return box.property(kColourProperty).toInt() == 1 ? BoxColour::Red : BoxColour::White;
}

QString AccessibleCaption(const QString& caption) {
  QString name = caption;
  static const QString kClosing = QStringLiteral(":=：＝");
  while (!name.isEmpty() && (name.back().isSpace() || kClosing.contains(name.back()))) {
    name.chop(1);
  }
  return name.trimmed();
}

void NameAfterCaption(QWidget& entry, QLabel& caption) {
  const QString name = AccessibleCaption(caption.text());
  entry.setAccessibleName(name);
  caption.setBuddy(&entry);
  if (auto* list = qobject_cast<QComboBox*>(&entry); list != nullptr && list->lineEdit()) {
    list->lineEdit()->setAccessibleName(name);
  }
}

QLineEdit* WidgetEntryForm::Box(const QString& name) const {
  const auto known = boxes_.constFind(name);
  if (known != boxes_.cend() && !known->isNull()) return known->data();
  QLineEdit* box = window_.findChild<QLineEdit*>(name);
  if (box != nullptr) boxes_.insert(name, box);
  return box;
}

QComboBox* WidgetEntryForm::TypeList() const {
  return window_.findChild<QComboBox*>(box::TypeList);
}

QLabel* WidgetEntryForm::PositionLabelWidget() const {
  return window_.findChild<QLabel*>(box::PositionLabel);
}

QString WidgetEntryForm::BoxText(const QString& box) const {
  const QLineEdit* edit = Box(box);
  return edit != nullptr ? edit->text() : QString();
}

void WidgetEntryForm::SetBoxText(const QString& box, const QString& text) {
  if (QLineEdit* edit = Box(box)) {
    // setText raises textChanged, the box's change event.
    if (edit->text() != text) edit->setText(text);
  }
}

bool WidgetEntryForm::IsBoxShown(const QString& box) const {
  const QLineEdit* edit = Box(box);
  return edit != nullptr && !edit->isHidden();
}

void WidgetEntryForm::SetBoxShown(const QString& box, bool shown) {
  if (QLineEdit* edit = Box(box)) edit->setVisible(shown);
}

void WidgetEntryForm::BringBoxToFront(const QString& box) {
  if (QLineEdit* edit = Box(box)) edit->raise();
}

BoxColour WidgetEntryForm::BoxBackground(const QString& box) const {
  const QLineEdit* edit = Box(box);
  return edit != nullptr ? BoxColourOf(*edit) : BoxColour::White;
}

void WidgetEntryForm::SetBoxBackground(const QString& box, BoxColour colour) {
  if (QLineEdit* edit = Box(box)) PaintBox(*edit, colour);
}

int WidgetEntryForm::TypeIndex() const {
  const QComboBox* list = TypeList();
  return list != nullptr ? list->currentIndex() : -1;
}

void WidgetEntryForm::SetTypeIndex(int index) {
  if (QComboBox* list = TypeList()) list->setCurrentIndex(index);
}

QString WidgetEntryForm::PositionLabel() const {
  const QLabel* label = PositionLabelWidget();
  return label != nullptr ? label->text() : QString();
}

void WidgetEntryForm::SetPositionLabel(const QString& text) {
  if (QLabel* label = PositionLabelWidget()) label->setText(text);
}

}  // namespace potelan
