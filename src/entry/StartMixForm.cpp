#include "entry/StartMixForm.hpp"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

#include "entry/Translated.hpp"
#include "entry/TypePictures.hpp"
#include "ui/Controls.hpp"

namespace potelan {
namespace {

constexpr TranslatedText kWindowTitle{
    "potelan::StartMixForm", QT_TRANSLATE_NOOP("potelan::StartMixForm", "リンクタイプ選択")};
constexpr TranslatedText kFrameCaption{
    "potelan::StartMixForm", QT_TRANSLATE_NOOP("potelan::StartMixForm", "基準リンク緒元設定")};
const QString kOptionName = QStringLiteral("Option_Sus_Type");

constexpr int kOptionCount = 5;
constexpr int kStartIndex = 1;  // "Type 3"
// Type 5 and Type 6 stand under the type they vary, moved in by this much.
constexpr int kIndent = 22;

// The option buttons top to bottom: index (type - 2) and whether the button
// is a variant of the one above it.
struct OptionPlace {
  int Index;
  bool Indented;
};
constexpr std::array<OptionPlace, kOptionCount> kOptionOrder{{
    {0, false},  // Type 2
    {1, false},  // Type 3
    {3, true},   // Type 5, Type 3 with the shock carried on the arm
    {2, false},  // Type 4
    {4, true},   // Type 6, Type 4 with the shock carried on the arm
}};

}  // namespace

StartMixForm::StartMixForm(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form_Start_Mix"));
  setWindowTitle(kWindowTitle);

  picture_ = new QLabel(this);
  picture_->setObjectName(QStringLiteral("Picture1"));
  picture_->setFixedSize(kTypePictureWidth, kTypePictureHeight);

  auto* frame = new QGroupBox(kFrameCaption, this);
  frame->setObjectName(QStringLiteral("Frame1"));
  auto* options = new QVBoxLayout(frame);
  options->setContentsMargins(14, 12, 14, 12);
  options->setSpacing(0);
  options->addStretch(1);
  for (const OptionPlace& place : kOptionOrder) {
    auto* option = new QRadioButton(QStringLiteral("Type %1").arg(place.Index + 2), frame);
    SetControlIndex(*option, kOptionName, place.Index);
    // A click shows the picture of the type; nothing else is stored until
    // the next step takes the selection.
    connect(option, &QRadioButton::toggled, this, [this, index = place.Index](bool checked) {
      if (checked) ShowPicture(index);
    });
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    if (place.Indented) row->addSpacing(kIndent);
    row->addWidget(option);
    row->addStretch(1);
    options->addLayout(row);
    options->addStretch(1);
  }

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->setSpacing(12);
  layout->addWidget(picture_, 0, Qt::AlignTop);
  layout->addWidget(frame);
  frame->setFixedHeight(kTypePictureHeight);
  frame->setMinimumWidth(frame->sizeHint().width() + 24);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  Option(kStartIndex)->setChecked(true);
  ShowPicture(kStartIndex);
}

int StartMixForm::SelectedIndex() const {
  for (int index = 0; index < kOptionCount; ++index) {
    const QRadioButton* option = Option(index);
    if (option != nullptr && option->isChecked()) return index;
  }
  return -1;
}

QRadioButton* StartMixForm::Option(int index) const {
  return FindIndexed<QRadioButton>(*this, kOptionName, index);
}

void StartMixForm::ShowPicture(int index) {
  shownType_ = index + 2;
  picture_->setPixmap(TypePicture(shownType_));
}

}  // namespace potelan
