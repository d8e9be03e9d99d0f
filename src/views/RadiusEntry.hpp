// Frame1 "新規サス長入力" of the real-motion view: the radius of the
// assumed-shock circle typed in Text1 and taken with Command1 ("OK") or the
// Enter key. A text that is no length turns the box red.
#pragma once

#include <QGroupBox>

class QLineEdit;
class QPushButton;

namespace potelan {

class RadiusEntry final : public QGroupBox {
  Q_OBJECT
 public:
  explicit RadiusEntry(QWidget* parent);

  // The text the box starts with.
  void SetText(const QString& text);
  // Shown over the drawing, ready for typing ("半径変更").
  void Open();

 signals:
  // A length was taken; the entry has closed.
  void Accepted(float radius);

 private:
  void Take();
  // The box turns red; `clear`: its text is wiped.
  void Refuse(bool clear);

  QLineEdit* text_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace potelan
