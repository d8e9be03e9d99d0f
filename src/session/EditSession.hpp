// The edit session: the stages of the work (AppState::Mode) and the edit flow
// of the changed set. Every commit of the change-input form (a spin press,
// Enter in a box, the position button, the restore button) and every load
// at "NEW" and "CHANGE" ends in the judgement (HANDAN), which either refuses
// the set and puts the previous one back, or hands it to ApplyChangedSet,
// the one place every accepted changed set passes through: it is processed
// over the whole stroke (SYORI), fed to the views and announced.
//
// The windows call the session and listen to its signals; the session
// reaches the user, the form and the views only through SessionPrompts,
// EditForm and ChangeViews, so a test drives it without any window.
//
// Every accepted change is one step of the session's undo stack: undo and
// redo put an accepted set back through the same processing, and undoing
// the first step shows the views as editing began.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>
#include <optional>

#include "entry/ChangeViews.hpp"
#include "model/AppState.hpp"
#include "model/StrokeSweep.hpp"
#include "session/SessionDoors.hpp"

namespace potelan {

// A link file whose reading ended at `line`: the lines before it were taken,
// the values after it keep what the form held (no path: pasted text).
QString ReadStoppedMessage(const QString& path, int line);
// The link type a link file's lines give (its "SUSTYPE" line, read as the
// reader reads it, before any line that would end the reading), or nothing
// for lines that are not a link file.
std::optional<int> LinkFileType(const QStringList& lines);

class EditSession final : public QObject {
  Q_OBJECT
 public:
  EditSession(AppState& state, SessionPrompts& prompts, ChangeViews& views,
              QObject* parent = nullptr);
  // The steps go without a word: the windows that listen may be gone.
  ~EditSession() override { history_.blockSignals(true); }

  AppState& State() { return state_; }
  SessionPrompts& Prompts() { return prompts_; }
  ChangeViews& Views() { return views_; }

  // ---- the stages ----
  // Next at the type choice: "BASE" with a base set of that type, without
  // a position (a former type's position means nothing for the new one).
  void ChooseType(int susType);
  // Previous at "BASE": the type choice again.
  void BackToTypeChoice();
  // Next at "BASE": the base form into set 0; false when a box does not
  // read (the caller asks about a file).
  bool ReadBase(EntryForm& form);
  // Next at "BASE", then: the position of set 0 (Types 3 to 6, through the
  // position choice) or a solve at zero stroke (Type 2). False when no
  // position forms (the user has been told).
  bool PlaceBase();
  // "NEW": nothing judged yet; the caller opens the form and the views.
  void EnterEditing();
  // The base sweep into the views, at Next and when closed views reopen.
  SweepResult SweepBase();
  // Back to "BASE" (Previous while editing, or a base sweep that failed).
  void LeaveEditing();

  // ---- the change-input form ----
  // The form the commits read and write, while it is open (nullptr: none).
  void AttachForm(EditForm* form) { form_ = form; }
  // Set 1 starts as the base set, as the freshly loaded form shows it.
  void StartChangedSet();

  // The commits.
  void Spin(const QString& spinName, bool upArrow);
  void EnterInBox(const QString& boxName);
  void ChoosePosition();  // Command1 "..."
  void Store();           // Command_Store "一時保存"
  void Restore();         // Command_Restore "復帰"
  // Combo1: another link type for the changed set (index 0..4).
  void SelectType(int index);
  // Combo_Pitch: false (with a message) for a text that is no positive number.
  bool SetChangePitch(const QString& text);

  // HANDAN, SYORI (the changed set processed again, as after a change of
  // the table's items) and RestorePreviousSet.
  void Judge(bool entriesRead = true);
  void Process();
  void RestorePreviousSet();

  // Load at "NEW" and "CHANGE": the changed set from a link file.
  void LoadChangedSet(const QString& path);
  // Paste: link-file text (CR LF or LF line ends) judged as a load is.
  void PasteChangedSet(const QString& text);

  // The steps of the accepted changes since editing began (cleared when it
  // begins and when it ends). Undo and redo act only at "NEW" and "CHANGE"
  // with the form open.
  QUndoStack& History() { return history_; }
  // One step back or forth: the accepted set put back into set 1, the form
  // and the views; at index 0 the set and the views as editing began.
  void ShowStep(const ConfigSet& set, bool start);

 signals:
  // An accepted change of the changed set (set 1 holds it, the views show it).
  void changedSetAccepted();
  // A change refused, with what the user was told.
  void changeRefused(const QString& message);
  // The stage moved (never for the passing stages "CHANGING" and
  // "Form_Input_Load").
  void stageChanged(EditMode stage);

 private:
  enum class Pass { Edit, AfterRestore, BaseFallback };
  enum class Origin { Commit, Load };

  void SetStage(EditMode stage);
  // The one place an accepted changed set passes through: set 1 (which the
  // judgement has solved at zero stroke) is swept over the stroke into the
  // views; when that holds the change is announced.
  bool ApplyChangedSet(Origin origin);
  bool ProcessPass(Pass pass);
  // Clears the graph and fills the base set's sweep into the table and graph.
  void RefillBase();
  void RestoreFrom(int source);
  void Refuse(const QString& message);
  void ShowPosition();
  // Set 1 back into the boxes, its type in the type list being no type
  // selection (the passing stage "CHANGING").
  void WriteChangedSet(int set);
  // Reads link-file lines into the changed set (`path`: where they came
  // from, empty for the clipboard).
  void LoadChangedLines(const QStringList& lines, const QString& path);
  // The step of an accepted change, unless nothing changed.
  void PushStep();

  AppState& state_;
  SessionPrompts& prompts_;
  ChangeViews& views_;
  EditForm* form_ = nullptr;
  EditMode stage_;  // the stage last set (the passing stages aside)
  bool baseFailureShown_ = false;  // the base set's own failure, told this commit
  // Set 1 as a commit found it: a commit that the empty-box check stops is
  // not judged, and set 1 goes back to this.
  std::optional<ConfigSet> beforeCommit_;
  QUndoStack history_;
  ConfigSet accepted_;  // set 1 as last accepted (or as editing began)
  // The first judged change of an editing session took its snapshot into
  // the stored set; an undo back to "NEW" does not take another.
  bool snapshotTaken_ = false;
};

}  // namespace potelan
