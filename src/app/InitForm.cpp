#include "app/InitForm.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "files/SettingsFile.hpp"
#include "ui/Prompts.hpp"
#include "ui/Texts.hpp"

namespace potelan {
namespace {
const QString kBadEntry = QStringLiteral(
    "ｱｸｽﾙｽﾄﾛｰｸ最大値は 0 から 3276 までの整数で入力して下さい");
const QString kNotSaved = QStringLiteral("初期設定をファイルに保存できませんでした");
}  // namespace

InitForm::InitForm(AppState& state, Prompts& prompts, QWidget* parent)
    : QWidget(parent), state_(state), prompts_(prompts) {
  setObjectName("Form_Init");
  setWindowTitle(QStringLiteral("初期設定"));
  auto* label = new QLabel(QStringLiteral("ｱｸｽﾙｽﾄﾛｰｸ最大値"), this);
  label->setObjectName("Label1");
  text1_ = new QLineEdit(QString::number(state_.MaxStroke), this);
  text1_->setObjectName("Text1");
  text1_->setAlignment(Qt::AlignRight);
  text1_->setMaxLength(8);
  // The box is named by its caption, which is also its buddy.
  text1_->setAccessibleName(label->text());
  label->setBuddy(text1_);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName("Command_OK");
  ok->setDefault(true);
  auto* unit = new QLabel(QStringLiteral("mm"), this);

  auto* grid = new QGridLayout(this);
  grid->addWidget(label, 0, 0);
  grid->addWidget(text1_, 0, 1);
  grid->addWidget(unit, 0, 2);
  grid->addWidget(ok, 1, 1, 1, 2, Qt::AlignRight);
  grid->setColumnMinimumWidth(1, 80);

  connect(ok, &QPushButton::clicked, this, [this] { Accept(); });
  connect(text1_, &QLineEdit::returnPressed, this, [this] { Accept(); });
}

bool InitForm::Accept() {
  const std::optional<std::int16_t> value = ParseMaxStrokeEntry(text1_->text());
  if (!value) {
    prompts_.Message(this, kBadEntry, text::kWarningTitle, MessageIcon::Error);
    text1_->setFocus();
    text1_->selectAll();
    return false;
  }
  state_.MaxStroke = *value;
  const WriteResult written = WriteSettings(QString::fromStdString(state_.AppFolder), *value);
  if (!written) {
    TellFileFailure(prompts_, this, kNotSaved,
                    SettingsFilePath(QString::fromStdString(state_.AppFolder)), written.Error);
  }
  emit done();
  return true;
}

}  // namespace potelan
