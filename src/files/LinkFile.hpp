// The link file (*.lin): one configuration set as "key=value" lines, Shift-JIS
// with CR LF. Writing takes the type and position from the shared state and
// every dimension as the exact text of its entry box; reading fills the
// boxes and the set, and for the base set checks the link type first.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "entry/EntryForm.hpp"
#include "entry/Translated.hpp"
#include "files/TextCodec.hpp"
#include "model/AppState.hpp"

namespace potelan {

// Shown (with the error icon and the program's own title) when a file of
// another link type is read into the base set.
inline constexpr TranslatedText kLinkTypeMismatchMessage{
    "potelan::LinkFile", QT_TRANSLATE_NOOP("potelan::LinkFile",
                                           "基準サス緒元で選択されたリンクタイプと\r\n"
                                           "読み込まれたリンクタイプが違います\r\n"
                                           "ﾌｧｲﾙを選択し直すか、前に戻ってやり直して下さい")};

enum class LinkReadStatus {
  Ok,             // every line up to the end of the file was applied
  CannotOpen,     // nothing was read; the Type 2 markers were still applied
  TypeMismatch,   // base set of another type: nothing changed at all
  StoppedAtLine,  // reading ended at Line; the lines before it stay applied
};

// Why a line ended the reading (StoppedAtLine), for a caller that words it.
enum class LinkLineProblem {
  None,
  NotKeyValue,     // no "=" (an empty line too)
  NotANumber,      // the value of a known key is no number
  TypeNotOffered,  // a link type outside 2..6 for a set other than 0
  NoBox,           // the form has no box for the key
};

struct LinkReadResult {
  LinkReadStatus Status = LinkReadStatus::Ok;
  int Line = 0;   // 1-based line that stopped the reading or held the other type
  QString Error;  // why the file could not be opened (CannotOpen)
  LinkLineProblem Problem = LinkLineProblem::None;  // (StoppedAtLine)
  QString Text;   // the line that stopped the reading, as it stands in the file
};

// The lines of the link file for configuration set `set` from the form's
// boxes: SUSTYPE and SUSPOS from the set, then the dimensions of the set's
// type as the boxes' exact texts. A form without pivot boxes (the base
// forms) contributes the set's pivot move as those boxes would show it.
// Nothing, with an error, when the set has no link type 2..6, the set index
// is not 0..7, or the form lacks a box the type needs.
std::optional<QStringList> LinkFileLines(const AppState& state, const EntryForm& form, int set,
                                         QString* error = nullptr);

// The text of that link file as Save writes it, before its encoding: the
// lines of LinkFileLines, each followed by CR LF (what Copy puts on the
// clipboard).
std::optional<QString> LinkFileText(const AppState& state, const EntryForm& form, int set,
                                    QString* error = nullptr);

// Creates or replaces the link file at `path` from LinkFileLines. A failed
// write leaves a previous file untouched.
WriteResult WriteLinkFile(const AppState& state, const EntryForm& form, const QString& path,
                          int set);

// Reads the link file at `path` into the form's boxes and configuration set
// `set` (0 with a base-dimension form, 1 with the change-input form). Keys
// are matched exactly; a line without "=", a value that is not a number, a
// link type or position outside the 16-bit range, a link type outside 2..6
// for a set other than 0, or a key whose box the form lacks ends the reading
// at that line without a message. After reading (also after a stop or a file
// that cannot be opened) a set of Type 2 gets the absent-member markers.
// Throws std::out_of_range for a set outside 0..7.
LinkReadResult ReadLinkFile(AppState& state, EntryForm& form, const QString& path, int set);

// ReadLinkFile over lines already read from a file (ReadTextLines), for a
// caller that looks at the lines itself and so reads the file only once.
// Never gives CannotOpen.
LinkReadResult ReadLinkLines(AppState& state, EntryForm& form, const QStringList& lines, int set);

// Whether a line is a line of a link file: a key the file carries, then "=".
bool IsLinkFileLine(const QString& line);

// The link-file key of a dimension box ("フォーク長" for Fork_Length_Text);
// empty for a box the file does not carry.
QString LinkFileKey(const QString& boxName);

// The folder the link-file dialogs open in: the `dat` folder under the start
// folder, or the start folder itself when it has none (a dialog given a
// folder that does not exist opens on the file system's root view).
QString LinkFileFolder(const std::string& appFolder);

}  // namespace potelan
