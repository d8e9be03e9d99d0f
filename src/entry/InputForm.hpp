// Form_Input "緒元入力": the changed set edited beside the base set. The form
// is a view of the edit session: every commit (a spin press, Enter in a box,
// the position button, the restore button) is a call of the session, which
// judges it (HANDAN), processes it (SYORI) and feeds the three result views;
// the form shows what the session writes into its boxes.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "entry/EntryForm.hpp"
#include "model/AppState.hpp"
#include "session/EditSession.hpp"
#include "session/SessionDoors.hpp"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;

namespace potelan {

class ChangeViews;
class Prompts;

// A spin button: an up and a down arrow without a value of its own.
class SpinButton final : public QWidget {
  Q_OBJECT
 public:
  explicit SpinButton(const QString& name, QWidget* parent = nullptr);
  // Names the arrows after the row's caption: "<caption> 上", "<caption> 下".
  void SetCaption(const QString& caption);
  QToolButton* UpArrow() const { return up_; }
  QToolButton* DownArrow() const { return down_; }
 signals:
  void up();
  void down();

 private:
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
};

class InputForm final : public QWidget, public EditForm {
  Q_OBJECT
 public:
  // Loads the form on the session: the boxes show the base set, the changed
  // set starts as a copy of it, the pitch is 1.0.
  explicit InputForm(EditSession& session, QWidget* parent = nullptr);
  // The same on a session of its own (the form alone, as in its tests).
  InputForm(AppState& state, Prompts& prompts, ChangeViews& views, QWidget* parent = nullptr);
  ~InputForm() override;

  EditSession& Session() { return *session_; }
  EntryForm& Entry() override { return *entry_; }

  // The commits, each a call of the session.
  void Spin(const QString& spinName, bool upArrow);
  void EnterInBox(const QString& boxName);
  void ChoosePosition();  // Command1 "..."
  void Store();           // Command_Store "一時保存"
  void Restore();         // Command_Restore "復帰"
  // Combo1: the changed set's link type (index 0..4 for Type 2..6).
  void SelectType(int index);
  // Combo_Pitch: a pitch chosen from the list or typed and confirmed.
  void SetPitchText(const QString& text);

  // HANDAN, SYORI and RestorePreviousSet of the session.
  void Judge();
  void Process();
  void RestorePreviousSet();

  // What the session asks of the form.
  bool CheckEntries() override;
  void ApplyTypeLayout(int susType) override;
  void ClearBoxes() override;
  bool HasTypedText() const override;
  void ForgetTypedText() override;

  // Label mouse handlers: mark a member or a joint of the changed linkage in
  // the real-motion view while the label is held.
  void PressLabel(const QString& labelName);
  void ReleaseLabel(const QString& labelName);
  // One tick of Timer1 (200 ms): the marked line's width steps 1, 2, 3, 2, 1 ...
  void PulseTick();
  QTimer* Timer() const { return pulseTimer_; }

  QComboBox* PitchList() const { return pitchList_; }
  QComboBox* TypeList() const { return typeList_; }
  // The user cannot close the form; the main window can.
  void AllowClose() { closeAllowed_ = true; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Load();
  void BuildRows();
  QLineEdit* AddBox(const QString& name, QWidget* parentRow);
  void ShowShockMountPair(bool onFork);
  void ApplyPitchText();
  // Lays the form out again after rows appeared or disappeared, and sizes it
  // (and the frame it stands in) so that every shown row has its height.
  void FitToRows();
  // The caption of the row a box stands in ("リンクプレート前辺:").
  QString RowCaption(const QLineEdit* box) const;

  // A session of the form's own (the second constructor), with its door.
  std::unique_ptr<SessionPrompts> ownPrompts_;
  std::unique_ptr<EditSession> ownSession_;
  QPointer<EditSession> session_;
  ChangeViews& views_;
  std::unique_ptr<EntryForm> entry_;
  std::vector<QLineEdit*> boxes_;  // every box, in the order of the form
  QComboBox* typeList_ = nullptr;
  QComboBox* pitchList_ = nullptr;
  QLabel* shockMountFirstLabel_ = nullptr;   // X coordinate, or length on the fork
  QLabel* shockMountSecondLabel_ = nullptr;  // Y coordinate, or offset on the fork
  QLabel* basePositionLabel_ = nullptr;
  QLabel* baseTypeLabel_ = nullptr;
  QLabel* positionLabel_ = nullptr;  // the changed set's position
  QFrame* linkGroup_ = nullptr;   // Picture1(0)
  QFrame* frameGroup_ = nullptr;  // Picture1(1)
  QTimer* pulseTimer_ = nullptr;
  std::map<const QWidget*, const QLabel*> rowLabels_;  // an entry's row label
  QString highlightLine_;
  int highlightStep_ = 1;
  bool closeAllowed_ = false;
};

}  // namespace potelan
