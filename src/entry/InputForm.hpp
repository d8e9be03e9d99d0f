// Form_Input "緒元入力": the changed set edited beside the base set. Every
// commit (a spin press, Enter in a box, the position button, the restore
// button) ends in Judge (HANDAN), which either refuses the set and puts the
// previous one back, or processes it over the whole stroke (SYORI) and feeds
// the three result views.
#pragma once

#include <QString>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "entry/EntryForm.hpp"
#include "model/AppState.hpp"

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

class InputForm final : public QWidget {
  Q_OBJECT
 public:
  // Loads the form: the boxes show the base set, the changed set starts as
  // a copy of it, the pitch is 1.0.
  InputForm(AppState& state, Prompts& prompts, ChangeViews& views, QWidget* parent = nullptr);
  ~InputForm() override;

  EntryForm& Entry() { return *entry_; }

  // The commits.
  void Spin(const QString& spinName, bool upArrow);
  void EnterInBox(const QString& boxName);
  void ChoosePosition();  // Command1 "..."
  void Store();           // Command_Store "一時保存"
  void Restore();         // Command_Restore "復帰"
  // Combo1: the changed set's link type (index 0..4 for Type 2..6).
  void SelectType(int index);
  // Combo_Pitch: a pitch chosen from the list or typed and confirmed.
  void SetPitchText(const QString& text);

  // HANDAN, SYORI and RestorePreviousSet.
  void Judge();
  void Process();
  void RestorePreviousSet();

  // After a link file was read into the form: the shock-mount boxes and the
  // link groups follow the changed set's type.
  void ApplyTypeLayout(int susType);

  // Label mouse handlers: mark a member or a joint of the changed linkage in
  // the real-motion view while the label is held.
  void PressLabel(const QString& labelName);
  void ReleaseLabel(const QString& labelName);
  // One tick of Timer1 (200 ms): the marked line's width steps 1, 2, 3, 2, 1 ...
  void PulseTick();
  QTimer* Timer() const { return timer_; }

  QComboBox* PitchList() const { return pitch_; }
  QComboBox* TypeList() const { return type_; }
  // The user cannot close the form; the main window can.
  void AllowClose() { closeAllowed_ = true; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Pass { Edit, AfterRestore, BaseFallback };

  void BuildRows();
  QLineEdit* AddBox(const QString& name, QWidget* parentRow);
  void ShowShockMountPair(bool onFork);
  void CopyBaseIntoChanged();
  void ProcessPass(Pass pass);
  void RestoreFrom(int source);
  bool EmptyBoxCheck();
  void ApplyPitchText();
  // Lays the form out again after rows appeared or disappeared, and sizes it
  // (and the frame it stands in) so that every shown row has its height.
  void FitToRows();
  // Whether a shown box holds text the user typed and no commit has read yet.
  bool HasTypedText() const;
  void ForgetTypedText();
  // The caption of the row a box stands in ("リンクプレート前辺:").
  QString RowCaption(const QLineEdit* box) const;

  AppState& state_;
  Prompts& prompts_;
  ChangeViews& views_;
  std::unique_ptr<EntryForm> entry_;
  std::vector<QLineEdit*> boxes_;  // every box, in the order of the form
  QComboBox* type_ = nullptr;
  QComboBox* pitch_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel* label4_ = nullptr;
  QLabel* label16_ = nullptr;
  QLabel* label18_ = nullptr;
  QLabel* label23_ = nullptr;
  QFrame* linkGroup_ = nullptr;   // Picture1(0)
  QFrame* frameGroup_ = nullptr;  // Picture1(1)
  QTimer* timer_ = nullptr;
  std::map<const QWidget*, const QLabel*> rowLabels_;  // an entry's row label
  QString highlightLine_;
  int highlightStep_ = 1;
  bool closeAllowed_ = false;
  bool baseFailureShown_ = false;  // the base set's own failure, told this commit
  // Set 1 as a commit found it: a commit that the empty-box check stops is
  // not judged, and set 1 goes back to this.
  std::optional<ConfigSet> beforeCommit_;
};

}  // namespace potelan
