// Form_Start_Mix "基準リンク緒元設定": the choice of the link layout, with
// the picture of the selected type.
#pragma once

#include <QWidget>

class QLabel;
class QRadioButton;

namespace potelan {

class StartMixForm final : public QWidget {
  Q_OBJECT
 public:
  explicit StartMixForm(QWidget* parent = nullptr);

  // Index 0..4 of the selected option (Type 2..6); 1 ("Type 3") at start.
  int SelectedIndex() const;
  // The option button of index 0..4 (objectName "Option_Sus_Type", property "index").
  QRadioButton* Option(int index) const;
  // The type whose picture Picture1 shows.
  int ShownPictureType() const { return shownType_; }

 private:
  void ShowPicture(int index);

  QLabel* picture_ = nullptr;
  int shownType_ = 0;
};

}  // namespace potelan
