// Message boxes, file dialogs, the printer dialog and the printer behind one
// small interface, so that tests answer them without a person.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace potelan {

enum class MessageIcon { None, Information, Warning, Error };

// A file dialog as the program configures it: title, one filter entry
// ("ﾘﾝｸﾌｧｲﾙ(*.lin)|*.lin": description, bar, pattern), default extension and
// the starting folder (empty: wherever the dialog was last).
struct FileDialogSpec {
  QString Title;
  QString Filter;
  QString DefaultSuffix;
  QString InitialFolder;
};

class Prompts {
 public:
  virtual ~Prompts() = default;

  // A message with an OK button.
  virtual void Message(QWidget* parent, const QString& text, const QString& title,
                       MessageIcon icon) = 0;
  // A question with Yes and No; true for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& text, const QString& title,
                        MessageIcon icon) = 0;
  // The chosen path, or nothing when the dialog was cancelled.
  virtual std::optional<QString> OpenFile(QWidget* parent, const FileDialogSpec& spec) = 0;
  // As OpenFile; asks before replacing an existing file.
  virtual std::optional<QString> SaveFile(QWidget* parent, const FileDialogSpec& spec) = 0;
  // The printer dialog; false when cancelled. The printer keeps the choice.
  virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer) = 0;
  // The print preview of a document that `paint` draws on the printer it is
  // handed, once per rendering (the preview, and the printer when the user
  // prints from the preview). The printer keeps the page set-up chosen there.
  virtual void PreviewPrint(QWidget* parent, QPrinter& printer,
                            const std::function<void(QPrinter&)>& paint) = 0;

  // The size of a picture to be saved, `suggested` offered first; nothing
  // when cancelled.
  virtual std::optional<QSize> ChooseImageSize(QWidget* parent, const QSize& suggested) = 0;
};

// The filter of a file dialog in Qt's form. The description is shown as it
// stands: "ﾘﾝｸﾌｧｲﾙ(*.lin)|*.lin" gives "ﾘﾝｸﾌｧｲﾙ(*.lin)", whose parentheses Qt
// reads as the pattern; a description without its pattern in parentheses
// gets it appended ("CSV|*.csv" gives "CSV (*.csv)").
QString QtFileFilter(const QString& filter);

// A file that could not be read or written: the user is told the program's
// `headline` and the file, with the warning title and error icon; the
// system's own `cause` goes to the log.
void TellFileFailure(Prompts& prompts, QWidget* parent, const QString& headline,
                     const QString& path, const QString& cause);

}  // namespace potelan
