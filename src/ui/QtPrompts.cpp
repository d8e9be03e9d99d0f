#include "ui/QtPrompts.hpp"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>

namespace potelan {
namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None: return QMessageBox::NoIcon;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QString QtFileFilter(const QString& filter) {
  const qsizetype bar = filter.indexOf('|');
  if (bar < 0) return filter;
  const QString description = filter.left(bar);
  const QString pattern = filter.mid(bar + 1);
  if (description.endsWith("(" + pattern + ")")) return description;
  return description + " (" + pattern + ")";
}

void QtPrompts::Message(QWidget* parent, const QString& text, const QString& title,
                        MessageIcon icon) {
  QMessageBox box(ToQt(icon), title, text, QMessageBox::Ok, parent);
  box.exec();
}

bool QtPrompts::AskYesNo(QWidget* parent, const QString& text, const QString& title,
                         MessageIcon icon) {
  QMessageBox box(ToQt(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtPrompts::RunFileDialog(QWidget* parent, const FileDialogSpec& spec,
                                                bool save) {
  QFileDialog dialog(parent, spec.Title);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilter(QtFileFilter(spec.Filter));
  dialog.setDefaultSuffix(QString(spec.DefaultSuffix).remove("*."));
  dialog.setDirectory(spec.InitialFolder.isEmpty() ? lastFolder_ : spec.InitialFolder);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString path = dialog.selectedFiles().first();
  lastFolder_ = QFileInfo(path).absolutePath();
  return path;
}

std::optional<QString> QtPrompts::OpenFile(QWidget* parent, const FileDialogSpec& spec) {
  return RunFileDialog(parent, spec, false);
}

std::optional<QString> QtPrompts::SaveFile(QWidget* parent, const FileDialogSpec& spec) {
  return RunFileDialog(parent, spec, true);
}

std::optional<QSize> QtPrompts::ChooseImageSize(QWidget* parent, const QSize& suggested) {
  // A size from a list of common ones, or any size typed in.
  constexpr int kLeast = 100;
  constexpr int kMost = 8000;
  QDialog dialog(parent);
  dialog.setWindowTitle(QCoreApplication::translate("potelan::QtPrompts", "画像のサイズ"));
  auto* layout = new QFormLayout(&dialog);
  auto* sizes = new QComboBox(&dialog);
  const QString times = QStringLiteral(" × ");
  sizes->addItem(QCoreApplication::translate("potelan::QtPrompts", "ウィンドウと同じ (%1%2%3)")
                     .arg(suggested.width())
                     .arg(times)
                     .arg(suggested.height()),
                 suggested);
  for (const QSize size : {QSize(800, 500), QSize(1024, 640), QSize(1280, 800),
                           QSize(1600, 1000), QSize(1920, 1200), QSize(2560, 1600)}) {
    sizes->addItem(QString::number(size.width()) + times + QString::number(size.height()), size);
  }
  auto* width = new QSpinBox(&dialog);
  auto* height = new QSpinBox(&dialog);
  for (QSpinBox* box : {width, height}) {
    box->setRange(kLeast, kMost);
    box->setSuffix(QStringLiteral(" px"));
  }
  width->setValue(std::clamp(suggested.width(), kLeast, kMost));
  height->setValue(std::clamp(suggested.height(), kLeast, kMost));
  const auto addRow = [&](const QString& caption, QWidget* field) {
    auto* label = new QLabel(caption, &dialog);
    label->setBuddy(field);
    field->setAccessibleName(caption);
    layout->addRow(label, field);
  };
  addRow(QCoreApplication::translate("potelan::QtPrompts", "サイズ"), sizes);
  addRow(QCoreApplication::translate("potelan::QtPrompts", "幅"), width);
  addRow(QCoreApplication::translate("potelan::QtPrompts", "高さ"), height);
  QObject::connect(sizes, &QComboBox::currentIndexChanged, &dialog, [sizes, width, height] {
    const QSize size = sizes->currentData().toSize();
    width->setValue(size.width());
    height->setValue(size.height());
  });
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QCoreApplication::translate("potelan::QtPrompts", "キャンセル"));
  for (QPushButton* button : buttons->findChildren<QPushButton*>()) {
    button->setAccessibleName(button->text());
  }
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return QSize(width->value(), height->value());
}

bool QtPrompts::ChoosePrinter(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  return dialog.exec() == QDialog::Accepted;
}

void QtPrompts::PreviewPrint(QWidget* parent, QPrinter& printer,
                             const std::function<void(QPrinter&)>& paint) {
  QPrintPreviewDialog dialog(&printer, parent);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&paint](QPrinter* target) { paint(*target); });
  dialog.exec();
}

}  // namespace potelan
