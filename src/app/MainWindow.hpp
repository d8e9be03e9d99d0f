// MDIForm1 "ぽてらんβ2": the frame of the program. It holds every other window
// as an MDI child, owns the toolbar through which the user walks the stages
// of the work (type choice, base dimensions, position, changed set) and the
// menu bar, and runs the stage commands behind the toolbar buttons.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <optional>

#include "app/InitForm.hpp"
#include "assistui/DesignAssistant.hpp"
#include "entry/BaseForm.hpp"
#include "entry/InputForm.hpp"
#include "entry/StartMixForm.hpp"
#include "model/AppState.hpp"
#include "session/EditSession.hpp"

class QAction;
class QMdiArea;
class QMdiSubWindow;

namespace potelan {

class EditCommands;
class Prompts;
class ResultViews;
class SessionWindowsPrompts;

// Toolbar button indices (1-based, separators included).
enum ToolbarButton : int {
  kButtonLoad = 2,
  kButtonSave = 3,
  kButtonPrint = 4,
  kButtonInputFront = 6,
  kButtonGraphFront = 7,
  kButtonTableFront = 8,
  kButtonRealFront = 9,
  kButtonLoadCheck = 10,
  kButtonNext = 12,
  kButtonPrevious = 13,
};
inline constexpr int kToolbarButtons = 13;

class MainWindow final : public QMainWindow {
  Q_OBJECT
 public:
  // showTypeChoice is false when the program was started with an argument.
  MainWindow(AppState& state, Prompts& prompts, bool showTypeChoice, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Toolbar button 1..13 (a separator for 1, 5 and 11).
  QAction* Button(int index) const;
  // A toolbar click: frmDistination follows SusType[0], then the button's
  // command runs. A command that fails part way never ends the program.
  void ClickButton(int index);

  QMdiArea* Area() const { return area_; }
  StartMixForm* TypeChoice() const { return startMix_; }
  // frmDistination: the base-dimension form of the current type, if loaded.
  BaseForm* BaseDimensions() const { return destination_; }
  InitForm* Init() const { return init_; }
  // Form_Input, while the editing stages last.
  InputForm* Input() const { return input_; }
  ResultViews& Views() const { return *views_; }
  EditSession& Session() const { return *session_; }
  // The sub-window that holds a child (nullptr when it has none).
  QMdiSubWindow* SubWindowOf(const QWidget* child) const;

  // The stage commands.
  void NextStep();
  void PreviousStep();
  void LoadLinkFileCommand();
  void SaveLinkFileCommand();
  void GraphToFront();
  // The menu commands.
  void About();
  void OpenInitialSettings();
  // "特別" > "設計支援": the design assistant, at "NEW" and "CHANGE".
  void OpenDesignAssistant();
  DesignAssistant* Assistant() const { return assistant_; }

  // ウィンドウ: 並べて表示 puts the shown windows side by side (the change-input
  // form, the table, the graph over the real-motion view), each at least its
  // minimum size; 重ねて表示 stacks them one title bar apart. Both keep every
  // window inside the working area, growing the main window to `screen` (by
  // default its screen's available area) where the area is too small.
  void TileWindows(std::optional<QRect> screen = std::nullopt);
  void CascadeWindows(std::optional<QRect> screen = std::nullopt);

  // Start-up with a file named on the command line (what a file manager
  // runs): a link file opens as the base set, its type's base form showing
  // the file's values, ready for Next, and the position it gives is used
  // without asking. Anything else is told in a message, and the type choice
  // follows as at a normal start.
  void OpenAtStart(const QString& path);

 private:
  // The menus 編集 and 表示 run the stage's commands as the toolbar does.
  friend class EditCommands;
  void BuildToolbar();
  void BuildMenus();
  void CentreOnScreen();

  QMdiSubWindow* AddChild(QWidget* child);
  void ShowChild(QWidget* child);
  void HideChild(QWidget* child);
  void UnloadChild(QWidget* child);
  void EnableButtons(std::initializer_list<int> indices, bool enabled);
  // Every command button enabled where its command can act in the current
  // stage, and disabled elsewhere.
  void UpdateCommandStates();

  StartMixForm& EnsureTypeChoice();
  // frmDistination recomputed from SusType[0] (Type 2 for any other value).
  BaseForm& Destination();
  void NextFromTypeChoice();
  void NextFromBase();
  void BaseFormClosedByUser();
  // Reads a link file into the base form, with the messages of a mismatch
  // or an unreadable file.
  void ReadBaseLinkFile(const QString& path);
  // Load at "NEW" and "CHANGE": the changed set from a file, then its sweep.
  void ReadChangedLinkFile(const QString& path);
  // Closes the change-input form and the views (back to the base stage).
  void UnloadEditing();
  void ShowSweepFailure(int failedStroke);
  // Buttons 7 to 9 while editing: views that were closed are opened again.
  void ReopenViews();

  AppState& state_;
  Prompts& prompts_;
  QMdiArea* area_ = nullptr;
  std::array<QAction*, kToolbarButtons + 1> buttons_{};
  QPointer<StartMixForm> startMix_;
  QPointer<BaseForm> destination_;
  QPointer<InitForm> init_;
  QPointer<InputForm> input_;
  std::unique_ptr<ResultViews> views_;
  // The edit session the stage commands and the change-input form call.
  std::unique_ptr<SessionWindowsPrompts> sessionPrompts_;
  std::unique_ptr<EditSession> session_;
  QPointer<DesignAssistant> assistant_;
  EditCommands* commands_ = nullptr;  // 編集 and 表示
  // The design assistant's menu follows the stage; leaving the editing
  // stages closes the window (its fit is cancelled and joined).
  void AssistantFollowsStage(bool editingStage);
};

}  // namespace potelan
