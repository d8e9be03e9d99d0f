#include "app/InitForm.hpp"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "files/SettingsFile.hpp"
#include "ui/Prompts.hpp"
#include "ui/Texts.hpp"
#include "ui/Translations.hpp"

namespace potelan {
namespace {
constexpr TranslatedText kBadEntry{
    "potelan::InitForm",
    QT_TRANSLATE_NOOP("potelan::InitForm",
                      "ｱｸｽﾙｽﾄﾛｰｸ最大値は 0 から 3276 までの整数で入力して下さい")};
constexpr TranslatedText kNotSaved{
    "potelan::InitForm",
    QT_TRANSLATE_NOOP("potelan::InitForm", "初期設定をファイルに保存できませんでした")};
}  // namespace

InitForm::InitForm(AppState& state, Prompts& prompts, QWidget* parent)
    : QWidget(parent), state_(state), prompts_(prompts) {
  setObjectName("Form_Init");
  setWindowTitle(tr("初期設定"));
  auto* label = new QLabel(tr("ｱｸｽﾙｽﾄﾛｰｸ最大値"), this);
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

  // The language of the windows: each language named in its own, applied
  // from the next start.
  auto* languageLabel = new QLabel(tr("言語"), this);
  languageLabel->setObjectName("Label_Language");
  language_ = new QComboBox(this);
  language_->setObjectName("Combo_Language");
  language_->addItem(tr("自動"), static_cast<int>(LanguageChoice::Automatic));
  language_->addItem(QStringLiteral("日本語"), static_cast<int>(LanguageChoice::Japanese));
  language_->addItem(QStringLiteral("English"), static_cast<int>(LanguageChoice::English));
  language_->setCurrentIndex(language_->findData(static_cast<int>(StoredLanguageChoice())));
  language_->setAccessibleName(languageLabel->text());
  languageLabel->setBuddy(language_);
  auto* languageNote = new QLabel(tr("次回の起動から有効"), this);
  languageNote->setObjectName("Label_LanguageNote");

  auto* grid = new QGridLayout(this);
  grid->addWidget(label, 0, 0);
  grid->addWidget(text1_, 0, 1);
  grid->addWidget(unit, 0, 2);
  grid->addWidget(languageLabel, 1, 0);
  grid->addWidget(language_, 1, 1, 1, 2);
  grid->addWidget(languageNote, 2, 1, 1, 2);
  grid->addWidget(ok, 3, 1, 1, 2, Qt::AlignRight);
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
  const auto language = static_cast<LanguageChoice>(language_->currentData().toInt());
  if (language != StoredLanguageChoice()) StoreLanguageChoice(language);
  const WriteResult written = WriteSettings(QString::fromStdString(state_.AppFolder), *value);
  if (!written) {
    TellFileFailure(prompts_, this, kNotSaved,
                    SettingsFilePath(QString::fromStdString(state_.AppFolder)), written.Error);
  }
  emit done();
  return true;
}

}  // namespace potelan
