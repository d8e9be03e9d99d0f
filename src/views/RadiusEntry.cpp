#include "views/RadiusEntry.hpp"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <optional>
#include <string>

#include "model/NumberFormat.hpp"

namespace potelan {
namespace {

// The text in the language the program speaks.
QString Tr(const char* text) { return QCoreApplication::translate("potelan::RadiusEntry", text); }

const char* const kFrame1Caption = QT_TRANSLATE_NOOP("potelan::RadiusEntry", "新規サス長入力");
const QString kOk = QStringLiteral("OK");
const QColor kRed(255, 0, 0);

}  // namespace

RadiusEntry::RadiusEntry(QWidget* parent) : QGroupBox(Tr(kFrame1Caption), parent) {
  setObjectName(QStringLiteral("Frame1"));
  auto* layout = new QHBoxLayout(this);
  text_ = new QLineEdit(this);
  text_->setObjectName(QStringLiteral("Text1"));
  // The box is named by the frame's caption, the button by its own.
  text_->setAccessibleName(Tr(kFrame1Caption));
  ok_ = new QPushButton(kOk, this);
  ok_->setObjectName(QStringLiteral("Command1"));
  ok_->setAccessibleName(kOk);
  layout->addWidget(text_, 1);
  layout->addWidget(ok_);
  connect(ok_, &QPushButton::clicked, this, &RadiusEntry::Take);
  connect(text_, &QLineEdit::returnPressed, this, &RadiusEntry::Take);
  hide();
}

void RadiusEntry::SetText(const QString& text) { text_->setText(text); }

void RadiusEntry::Open() {
  show();
  raise();
  text_->setFocus();
}

void RadiusEntry::Refuse(bool clear) {
  if (clear) text_->clear();
  QPalette palette = text_->palette();
  palette.setColor(QPalette::Base, kRed);
  text_->setPalette(palette);
}

void RadiusEntry::Take() {
  const QString text = text_->text();
  if (text.isEmpty()) {
    Refuse(false);
    return;
  }
  for (const QChar ch : text) {
    if (ch.unicode() > u'9') {
      Refuse(true);
      return;
    }
  }
  // Blanks, signs and points pass the character test; what is still no
  // number ("1.2.3") or no length ("-5") is refused the same way.
  const std::optional<float> radius = ParseSingle(text.toStdString());
  if (!radius || !std::isfinite(*radius) || *radius < 0) {
    Refuse(true);
    return;
  }
  text_->setPalette(QPalette());
  hide();
  emit Accepted(*radius);
}

}  // namespace potelan
