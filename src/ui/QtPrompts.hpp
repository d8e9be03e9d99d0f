// The real message boxes and dialogs of the desktop program.
#pragma once

#include "ui/Prompts.hpp"

namespace potelan {

class QtPrompts final : public Prompts {
 public:
  void Message(QWidget* parent, const QString& text, const QString& title,
               MessageIcon icon) override;
  bool AskYesNo(QWidget* parent, const QString& text, const QString& title,
                MessageIcon icon) override;
  std::optional<QString> OpenFile(QWidget* parent, const FileDialogSpec& spec) override;
  std::optional<QString> SaveFile(QWidget* parent, const FileDialogSpec& spec) override;
  bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
  void PreviewPrint(QWidget* parent, QPrinter& printer,
                    const std::function<void(QPrinter&)>& paint) override;
  std::optional<QSize> ChooseImageSize(QWidget* parent, const QSize& suggested) override;

 private:
  // The open (save false) or save dialog; the folder of the chosen file is
  // where the next dialog without a folder of its own starts.
  std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogSpec& spec, bool save);
  // The one common dialog keeps the folder it was last in.
  QString lastFolder_;
};

}  // namespace potelan
