// Prompts for tests: every message and dialog is recorded, and the answers
// come from a script the test sets up beforehand. An unscripted question is
// answered No / Cancel, so a test never waits for a person.
#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/Prompts.hpp"

namespace potelan {

class ScriptedPrompts final : public Prompts {
 public:
  struct Shown {
    QString Kind;  // "message", "question", "open", "save", "printer", "preview",
                   // "image size"
    QString Text;  // message text, or the dialog's title
    QString Title;
    MessageIcon Icon = MessageIcon::None;
    FileDialogSpec Dialog;
  };

  void AnswerYes(bool yes) { answers_.push_back(yes); }
  // The next file dialog picks `path`; nothing cancels it.
  void PickFile(std::optional<QString> path) { files_.push_back(std::move(path)); }
  // The next printer dialog is accepted (or cancelled).
  void AcceptPrinter(bool accept) { printers_.push_back(accept); }
  // A print preview draws its document, as the preview dialog would, into a
  // PDF file with the page set-up of the printer it was given: into `path`
  // when one is set, else into a scratch file that is thrown away.
  void PreviewInto(const QString& path) { previewPath_ = path; }
  // The next picture-size dialog answers `size`; nothing cancels it.
  void PickImageSize(std::optional<QSize> size) { sizes_.push_back(size); }
  // Runs `hook` as each message box would appear, so a test can look at the
  // windows as they stand at that moment.
  void WhenMessageShown(std::function<void()> hook) { messageHook_ = std::move(hook); }

  const std::vector<Shown>& History() const { return shown_; }
  // Messages and questions only, in order.
  std::vector<Shown> Messages() const;
  void Clear() { shown_.clear(); }

  void Message(QWidget* parent, const QString& text, const QString& title,
               MessageIcon icon) override;
  bool AskYesNo(QWidget* parent, const QString& text, const QString& title,
                MessageIcon icon) override;
  std::optional<QString> OpenFile(QWidget* parent, const FileDialogSpec& spec) override;
  std::optional<QString> SaveFile(QWidget* parent, const FileDialogSpec& spec) override;
  bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
  void PreviewPrint(QWidget* parent, QPrinter& printer,
                    const std::function<void(QPrinter&)>& paint) override;
  // Records "image size" with the suggested size as its text ("800x500").
  std::optional<QSize> ChooseImageSize(QWidget* parent, const QSize& suggested) override;

 private:
  std::vector<Shown> shown_;
  std::optional<QString> NextFile();

  std::deque<bool> answers_;
  std::deque<std::optional<QString>> files_;
  std::deque<bool> printers_;
  QString previewPath_;
  std::deque<std::optional<QSize>> sizes_;
  std::function<void()> messageHook_;
};

}  // namespace potelan
