#include "ui/QtPrompts.hpp"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

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
