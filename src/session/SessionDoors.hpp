// What the edit session needs of the windows, as QtCore interfaces: the
// user (messages and the position choice) and the change-input form (its
// boxes, their check and their layout). The windows implement them; a test
// implements them without any window.
#pragma once

#include <QString>

#include "entry/EntryForm.hpp"
#include "entry/Translated.hpp"

namespace potelan {

class SessionPrompts {
 public:
  virtual ~SessionPrompts() = default;

  // A message with the program's warning title and the error icon.
  virtual void Warn(const QString& text) = 0;
  // A file that could not be read: the program's headline and the file are
  // shown, the system's cause goes to the log.
  virtual void FileFailure(const QString& headline, const QString& path,
                           const QString& cause) = 0;
  // The position choice on the set of the stage: set 0 at "BASE" (a
  // supplied position is solved without asking), set 1 otherwise (the user
  // may cancel). False only at "BASE" when no position forms at all; the
  // user has been told.
  virtual bool ChoosePosition() = 0;
};

class EditForm {
 public:
  virtual ~EditForm() = default;

  // The boxes, the type list and the position label.
  virtual EntryForm& Entry() = 0;
  // Every shown box checked: those empty or holding no number are marked
  // red and those holding no number named in a message. False when any was.
  virtual bool CheckEntries() = 0;
  // The shock-mount pair and the link groups of a link type shown.
  virtual void ApplyTypeLayout(int susType) = 0;
  // Every box emptied (another type chosen in the type list).
  virtual void ClearBoxes() = 0;
  // Whether a shown box holds typed text that no commit has read yet, and
  // forgetting that it does.
  virtual bool HasTypedText() const = 0;
  virtual void ForgetTypedText() = 0;
};

// The second line of every refusal that puts the previous set back.
inline constexpr TranslatedText kPutBackText{
    "potelan::EditSession",
    QT_TRANSLATE_NOOP("potelan::EditSession", "データを前の状態に戻します")};
// A link file that could not be opened, or that holds no link data.
inline constexpr TranslatedText kCannotReadText{
    "potelan::EditSession",
    QT_TRANSLATE_NOOP("potelan::EditSession", "ファイルを読み込めませんでした")};
inline constexpr TranslatedText kNotLinkFileText{
    "potelan::EditSession",
    QT_TRANSLATE_NOOP("potelan::EditSession", "ﾘﾝｸﾌｧｲﾙとして読み込めませんでした")};

}  // namespace potelan
