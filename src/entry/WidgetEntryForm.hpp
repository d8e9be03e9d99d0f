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
#include "entry/Translated.hpp"

class QComboBox;
class QLabel;

namespace potelan {

// The accessible description of a box marked red: a screen reader tells the
// user why the box is red, and a tool that drives the program from outside
// finds the boxes a commit refused.
inline constexpr TranslatedText kRedBoxDescription{
    "potelan::WidgetEntryForm",
    QT_TRANSLATE_NOOP("potelan::WidgetEntryForm", "入力エラー：未入力か数値ではありません")};

// Paints a box's background (white or red) so that the form can read it back;
// a red box says so in its accessible description, a white one has none.
void PaintBox(QLineEdit& box, BoxColour colour);
BoxColour BoxColourOf(const QLineEdit& box);

// The name an entry is known by to screen readers: its row's caption without
// the closing ":" or "=" and blanks ("リンクプレート前辺:" gives
// "リンクプレート前辺", "リアフォーク長　OG=" gives "リアフォーク長　OG").
QString AccessibleCaption(const QString& caption);
// Names `entry` after the caption and makes the caption its buddy, which the
// platform reports as the entry's label. A combo box is named by its current
// text whatever its accessible name says; the buddy names it. The text box
// of an editable combo box gets the name as well.
void NameAfterCaption(QWidget& entry, QLabel& caption);

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
