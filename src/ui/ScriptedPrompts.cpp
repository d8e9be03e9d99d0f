#include "ui/ScriptedPrompts.hpp"

#include <QPrinter>
#include <QTemporaryDir>

namespace potelan {

std::vector<ScriptedPrompts::Shown> ScriptedPrompts::Messages() const {
  std::vector<Shown> messages;
  for (const Shown& s : shown_) {
    if (s.Kind == "message" || s.Kind == "question") messages.push_back(s);
  }
  return messages;
}

void ScriptedPrompts::Message(QWidget*, const QString& text, const QString& title,
                              MessageIcon icon) {
  if (messageHook_) messageHook_();
  shown_.push_back({"message", text, title, icon, {}});
}

bool ScriptedPrompts::AskYesNo(QWidget*, const QString& text, const QString& title,
                               MessageIcon icon) {
  shown_.push_back({"question", text, title, icon, {}});
  if (answers_.empty()) return false;
  const bool yes = answers_.front();
  answers_.pop_front();
  return yes;
}

std::optional<QString> ScriptedPrompts::OpenFile(QWidget*, const FileDialogSpec& spec) {
  shown_.push_back({"open", spec.Title, spec.Title, MessageIcon::None, spec});
  return NextFile();
}

std::optional<QString> ScriptedPrompts::SaveFile(QWidget*, const FileDialogSpec& spec) {
  shown_.push_back({"save", spec.Title, spec.Title, MessageIcon::None, spec});
  return NextFile();
}

std::optional<QString> ScriptedPrompts::NextFile() {
  if (files_.empty()) return std::nullopt;
  const bool picked = files_.front().has_value();
  const QString path = files_.front().value_or(QString());
  files_.pop_front();
  if (!picked) return std::nullopt;
  return path;
}

bool ScriptedPrompts::ChoosePrinter(QWidget*, QPrinter&) {
  shown_.push_back({"printer", {}, {}, MessageIcon::None, {}});
  if (printers_.empty()) return false;
  const bool accept = printers_.front();
  printers_.pop_front();
  return accept;
}

void ScriptedPrompts::PreviewPrint(QWidget*, QPrinter& printer,
                                   const std::function<void(QPrinter&)>& paint) {
  shown_.push_back({"preview", {}, {}, MessageIcon::None, {}});
  QTemporaryDir scratch;
  QPrinter preview(QPrinter::HighResolution);
  preview.setOutputFormat(QPrinter::PdfFormat);
  preview.setPageLayout(printer.pageLayout());
  preview.setOutputFileName(previewPath_.isEmpty() ? scratch.filePath(QStringLiteral("preview.pdf"))
                                                   : previewPath_);
  paint(preview);
}

std::optional<QSize> ScriptedPrompts::ChooseImageSize(QWidget*, const QSize& suggested) {
  const QString text = QStringLiteral("%1x%2").arg(suggested.width()).arg(suggested.height());
  shown_.push_back({"image size", text, {}, MessageIcon::None, {}});
  if (sizes_.empty()) return std::nullopt;
  const std::optional<QSize> size = sizes_.front();
  sizes_.pop_front();
  return size;
}

}  // namespace potelan
