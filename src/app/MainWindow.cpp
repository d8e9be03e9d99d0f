#include "app/MainWindow.hpp"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <exception>
#include <optional>

#include "app/EditCommands.hpp"
#include "app/ResultViews.hpp"
#include "app/ToolbarIcons.hpp"
#include "assistui/DesignAssistant.hpp"
#include "app/WindowArrangement.hpp"
#include "entry/SessionWindowsPrompts.hpp"
#include "files/LinkFile.hpp"
#include "files/SettingsFile.hpp"
#include "files/TextCodec.hpp"
#include "model/StrokeSweep.hpp"
#include "ui/Prompts.hpp"
#include "ui/Texts.hpp"
#include "ui/Units.hpp"
#include "views/GraphView.hpp"
#include "views/RealView.hpp"
#include "views/TableView.hpp"

namespace potelan {
namespace {

struct ButtonSpec {
  int Index;
  const char* Tooltip;
  int Image;
  bool EnabledAtStart;
};

constexpr ButtonSpec kButtons[] = {
    {2, QT_TRANSLATE_NOOP("potelan::MainWindow", "ファイルからデータを読み込む"), 1, false},
    {3, QT_TRANSLATE_NOOP("potelan::MainWindow", "現在のデータをファイルに保存"), 2, false},
    {4, QT_TRANSLATE_NOOP("potelan::MainWindow", "印刷実行"), 3, false},
    {6, QT_TRANSLATE_NOOP("potelan::MainWindow", "数値入力画面を前面に"), 10, false},
    {7, QT_TRANSLATE_NOOP("potelan::MainWindow", "グラフ表示を前面に"), 4, false},
    {8, QT_TRANSLATE_NOOP("potelan::MainWindow", "数値表を前面に"), 5, false},
    {9, QT_TRANSLATE_NOOP("potelan::MainWindow", "実働表示部を前面に"), 6, false},
    {10, QT_TRANSLATE_NOOP("potelan::MainWindow", "荷重チェック（未使用）"), 7, false},
    {12, QT_TRANSLATE_NOOP("potelan::MainWindow", "次のステップへ進む"), 8, true},
    {13, QT_TRANSLATE_NOOP("potelan::MainWindow", "前のステップに戻る"), 9, false},
};

bool IsSeparator(int index) { return index == 1 || index == 5 || index == 11; }

}  // namespace

MainWindow::MainWindow(AppState& state, Prompts& prompts, bool showTypeChoice, QWidget* parent)
    : QMainWindow(parent), state_(state), prompts_(prompts) {
  setObjectName("MDIForm1");
  setWindowTitle(text::kAppTitle);
  area_ = new QMdiArea(this);
  area_->setObjectName("MDIArea");
  area_->setBackground(QColor(128, 128, 128));
  setCentralWidget(area_);
  views_ = std::make_unique<ResultViews>(state_, prompts_, *area_);
  sessionPrompts_ = std::make_unique<SessionWindowsPrompts>(state_, prompts_, this);
  session_ = std::make_unique<EditSession>(state_, *sessionPrompts_, *views_);
  connect(session_.get(), &EditSession::stageChanged, this, &MainWindow::UpdateCommandStates);
  connect(views_.get(), &ResultViews::itemsChanged, session_.get(), &EditSession::Process);
  connect(views_.get(), &ResultViews::openChanged, this, &MainWindow::UpdateCommandStates);
  BuildToolbar();
  BuildMenus();
  commands_ = new EditCommands(*this);
  statusBar()->setObjectName("StatusBar1");
  statusBar()->setSizeGripEnabled(true);

  // Start-up: size, position, the folder and the settings file.
  resize(Px(12000), Px(9000));
  CentreOnScreen();
  ReadSettings(state_, QDir::currentPath());  // sets AppFolder too
  if (showTypeChoice) ShowChild(&EnsureTypeChoice());
  UpdateCommandStates();
}

MainWindow::~MainWindow() {
  UnloadChild(assistant_);  // its fit ends before the views and forms go
  // The input form refers to the views: it goes first.
  if (input_ != nullptr) {
    input_->AllowClose();
    UnloadChild(input_);
  }
  views_.reset();
  session_.reset();
}

void MainWindow::BuildToolbar() {
  auto* toolbar = addToolBar(QStringLiteral("Toolbar1"));
  toolbar->setObjectName("Toolbar1");
  toolbar->setMovable(false);
  // The toolbar is the way through the stages: it cannot be hidden.
  toolbar->toggleViewAction()->setVisible(false);
  toolbar->toggleViewAction()->setEnabled(false);
  toolbar->setIconSize(QSize(16, 16));
  for (int index = 1; index <= kToolbarButtons; ++index) {
    if (IsSeparator(index)) {
      buttons_[index] = toolbar->addSeparator();
      continue;
    }
    for (const ButtonSpec& spec : kButtons) {
      if (spec.Index != index) continue;
      QAction* action = toolbar->addAction(ToolbarIcon(spec.Image), tr(spec.Tooltip));
      action->setToolTip(tr(spec.Tooltip));
      action->setObjectName(QStringLiteral("Button%1").arg(index));
      action->setEnabled(spec.EnabledAtStart);
      connect(action, &QAction::triggered, this, [this, index] { ClickButton(index); });
      buttons_[index] = action;
    }
  }
}

void MainWindow::BuildMenus() {
  QMenuBar* bar = menuBar();
  auto addItem = [](QMenu* menu, const char* name, const char* caption, bool enabled) {
    QAction* action = menu->addAction(tr(caption));
    action->setObjectName(name);
    action->setEnabled(enabled);
    return action;
  };

  QMenu* file = bar->addMenu(tr("ファイル"));
  file->setObjectName("menu_z1");
  addItem(file, "menu_load", QT_TR_NOOP("読み込み"), false);
  addItem(file, "menu_save", QT_TR_NOOP("保存"), false);
  addItem(file, "menu_print", QT_TR_NOOP("印刷"), false);
  QAction* about = addItem(file, "menu_about", QT_TR_NOOP("このプログラムについて"), true);
  connect(about, &QAction::triggered, this, &MainWindow::About);

  QMenu* edit = bar->addMenu(tr("編集"));
  edit->setObjectName("menu_z2");
  addItem(edit, "menu_copy", QT_TR_NOOP("コピー"), false);
  addItem(edit, "menu_paste", QT_TR_NOOP("張り付け"), false);
  edit->menuAction()->setEnabled(false);

  QMenu* view = bar->addMenu(tr("表示"));
  view->setObjectName("menu_z5");
  addItem(view, "menu_graph", QT_TR_NOOP("グラフ表示"), true);
  addItem(view, "menu_hyo", QT_TR_NOOP("表の表示"), true);
  addItem(view, "menu_real", QT_TR_NOOP("実働表示"), true);
  view->menuAction()->setEnabled(false);

  QMenu* label = bar->addMenu(tr("ラベル"));
  label->setObjectName("menu_z3");
  label->menuAction()->setEnabled(false);
  QMenu* special = bar->addMenu(tr("特別"));
  special->setObjectName("menu_z4");
  special->menuAction()->setEnabled(false);
  QAction* assist = addItem(special, "menu_assist", QT_TR_NOOP("設計支援"), false);
  connect(assist, &QAction::triggered, this, &MainWindow::OpenDesignAssistant);

  QMenu* windows = bar->addMenu(tr("ウィンドウ"));
  windows->setObjectName("menu_window");
  QAction* tile = addItem(windows, "menu_tile", QT_TR_NOOP("並べて表示"), true);
  connect(tile, &QAction::triggered, this, [this] { TileWindows(); });
  QAction* cascade = addItem(windows, "menu_cascade", QT_TR_NOOP("重ねて表示"), true);
  connect(cascade, &QAction::triggered, this, [this] { CascadeWindows(); });

  QAction* init = bar->addAction(tr("初期設定"));
  init->setObjectName("menu_init");
  connect(init, &QAction::triggered, this, &MainWindow::OpenInitialSettings);
}

void MainWindow::CentreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect available = screen->geometry();
  const QSize frame = frameGeometry().size();
  move(available.x() + (available.width() - frame.width()) / 2,
       available.y() + (available.height() - frame.height()) / 2);
}

QAction* MainWindow::Button(int index) const {
  if (index < 1 || index > kToolbarButtons) return nullptr;
  return buttons_[index];
}

void MainWindow::EnableButtons(std::initializer_list<int> indices, bool enabled) {
  for (int index : indices) {
    if (QAction* action = Button(index)) action->setEnabled(enabled);
  }
}

void MainWindow::UpdateCommandStates() {
  const EditMode mode = state_.Mode;
  // The passing stages of a running command leave the buttons alone; the
  // command sets them when it ends.
  if (mode == EditMode::Changing || mode == EditMode::FormInputLoad) return;
  const bool base = mode == EditMode::Base;
  const bool editingStage = mode == EditMode::New || mode == EditMode::Change;
  const bool editing = editingStage && input_ != nullptr;
  // Load and Save read and write the base form or the change-input form.
  EnableButtons({kButtonLoad, kButtonSave}, base || editing);
  // Print prints the table's report: only while the table is open.
  EnableButtons({kButtonPrint}, editing && views_->TableWindow() != nullptr);
  // The front buttons open the views again should a type change have
  // closed them.
  EnableButtons({kButtonInputFront, kButtonGraphFront, kButtonTableFront, kButtonRealFront},
                editing);
  EnableButtons({kButtonLoadCheck}, false);
  EnableButtons({kButtonNext}, mode == EditMode::None || base);
  EnableButtons({kButtonPrevious}, base || editingStage);
  // Stroke playback belongs to the stage it was started in.
  if (RealView* real = views_->RealWindow()) real->StopPlayback();
  AssistantFollowsStage(editingStage);
  commands_->UpdateStates();
}

void MainWindow::AssistantFollowsStage(bool editingStage) {
  if (auto* special = menuBar()->findChild<QMenu*>("menu_z4")) {
    special->menuAction()->setEnabled(editingStage);
  }
  if (auto* assist = findChild<QAction*>("menu_assist")) assist->setEnabled(editingStage);
  if (!editingStage && assistant_ != nullptr) {
    UnloadChild(assistant_);
    assistant_ = nullptr;
  }
}

void MainWindow::OpenDesignAssistant() {
  if (state_.Mode != EditMode::New && state_.Mode != EditMode::Change) return;
  if (assistant_ == nullptr) {
    AssistantHost host;
    host.Input = [this] { return input_.data(); };
    host.Graph = [this] { return views_ != nullptr ? views_->GraphWindow() : nullptr; };
    host.Table = [this]() -> const ResultTable* {
      return views_ != nullptr ? &views_->Table() : nullptr;
    };
    assistant_ = new DesignAssistant(state_, prompts_, std::move(host));
    // It follows each accepted change, and each change of the ratio item shown.
    connect(session_.get(), &EditSession::changedSetAccepted, assistant_,
            &DesignAssistant::ChangedSetChanged);
    connect(views_.get(), &ResultViews::itemsChanged, assistant_,
            &DesignAssistant::RatioAxisChanged);
  }
  ShowChild(assistant_);
}

QMdiSubWindow* MainWindow::SubWindowOf(const QWidget* child) const {
  if (child == nullptr) return nullptr;
  for (QMdiSubWindow* sub : area_->subWindowList()) {
    if (sub->widget() == child) return sub;
  }
  return nullptr;
}

QMdiSubWindow* MainWindow::AddChild(QWidget* child) {
  if (QMdiSubWindow* existing = SubWindowOf(child)) return existing;
  QMdiSubWindow* sub = area_->addSubWindow(child);
  // The frame's menu button shows the program's icon, not the toolkit's.
  sub->setWindowIcon(ProgramIcon());
  sub->setAttribute(Qt::WA_DeleteOnClose);
  return sub;
}

void MainWindow::ShowChild(QWidget* child) {
  QMdiSubWindow* sub = AddChild(child);
  child->show();
  sub->show();
  area_->setActiveSubWindow(sub);
}

void MainWindow::HideChild(QWidget* child) {
  if (QMdiSubWindow* sub = SubWindowOf(child)) sub->hide();
}

void MainWindow::UnloadChild(QWidget* child) {
  if (child == nullptr) return;
  if (QMdiSubWindow* sub = SubWindowOf(child)) {
    area_->removeSubWindow(sub);
    delete sub;  // deletes the child with it
  } else {
    delete child;
  }
}

StartMixForm& MainWindow::EnsureTypeChoice() {
  if (startMix_ == nullptr) {
    startMix_ = new StartMixForm();
    AddChild(startMix_)->hide();
  }
  return *startMix_;
}

BaseForm& MainWindow::Destination() {
  const int type = state_.Set[kBaseSet].SusType >= 3 && state_.Set[kBaseSet].SusType <= 6
                       ? state_.Set[kBaseSet].SusType
                       : 2;
  if (destination_ != nullptr && destination_->SusType() == type) return *destination_;
  if (destination_ != nullptr) UnloadChild(destination_);
  destination_ = new BaseForm(type);
  connect(destination_, &BaseForm::closedByUser, this, &MainWindow::BaseFormClosedByUser);
  QMdiSubWindow* sub = AddChild(destination_);
  sub->move(0, 0);
  sub->hide();
  return *destination_;
}

void MainWindow::ClickButton(int index) {
  QAction* action = Button(index);
  if (action == nullptr || IsSeparator(index) || !action->isEnabled()) return;
  try {
    switch (index) {
      case kButtonLoad: LoadLinkFileCommand(); break;
      case kButtonSave: SaveLinkFileCommand(); break;
      case kButtonNext: NextStep(); break;
      case kButtonPrevious: PreviousStep(); break;
      case kButtonInputFront: if (input_ != nullptr) ShowChild(input_); break;
      case kButtonGraphFront: ReopenViews(); GraphToFront(); break;
      case kButtonTableFront: ReopenViews(); views_->BringToFront(views_->TableWindow()); break;
      case kButtonRealFront: ReopenViews(); views_->BringToFront(views_->RealWindow()); break;
      case kButtonPrint: views_->PrintTable(); break;
      default: break;  // the load check has no command
    }
  } catch (const std::exception& e) {
    // The user is told in the program's words; the cause goes to the log.
    qWarning("potelan: command of button %d failed: %s", index, e.what());
    prompts_.Message(this, tr("処理を続けられませんでした"), text::kWarningTitle,
                     MessageIcon::Error);
  }
  UpdateCommandStates();
}

void MainWindow::NextStep() {
  switch (state_.Mode) {
    case EditMode::None: NextFromTypeChoice(); break;
    case EditMode::Base: NextFromBase(); break;
    default: break;
  }
}

void MainWindow::NextFromTypeChoice() {
  StartMixForm& choice = EnsureTypeChoice();
  session_->ChooseType(choice.SelectedIndex() + 2);
  ShowChild(&Destination());
  EnableButtons({kButtonLoad, kButtonSave, kButtonPrint, kButtonPrevious}, true);
  HideChild(&choice);
}

void MainWindow::NextFromBase() {
  BaseForm& base = Destination();
  if (!session_->ReadBase(base.Entry())) {
    if (prompts_.AskYesNo(this, tr("未入力項目があります。\nファイルからデータを読み込みますか？"),
                          text::kNoticeTitle, MessageIcon::Warning)) {
      const std::optional<QString> path = prompts_.OpenFile(
          this, {tr("ﾘﾝｸﾌｧｲﾙ選択"), text::kLinkFileFilter, text::kLinkFileExtension,
                 LinkFileFolder(state_.AppFolder)});
      if (path) ReadBaseLinkFile(*path);
    }
    return;
  }

  HideChild(&base);
  if (!session_->PlaceBase()) {
    // No position forms (the user has been told): back to the dimensions,
    // so the user can mend them instead of facing an empty frame.
    ShowChild(&base);
    return;
  }
  session_->EnterEditing();
  views_->Load();
  input_ = new InputForm(*session_);
  QMdiSubWindow* inputFrame = area_->addSubWindow(
      input_, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint);
  inputFrame->setWindowIcon(QIcon());
  inputFrame->move(0, 0);
  inputFrame->hide();
  views_->PlaceTableBeside(input_);

  const SweepResult swept = session_->SweepBase();
  if (!swept.Ok) {
    ShowSweepFailure(swept.FailedStroke);
    // The base set does not hold over the stroke: back to its dimensions.
    UnloadEditing();
    session_->LeaveEditing();
    ShowChild(&base);
    return;
  }
  views_->Show();
  views_->TableChanged();
  ShowChild(input_);
  EnableButtons({kButtonInputFront, kButtonGraphFront, kButtonTableFront, kButtonRealFront}, true);
  EnableButtons({kButtonNext}, false);
}

void MainWindow::ReopenViews() {
  if (state_.Mode != EditMode::New && state_.Mode != EditMode::Change) return;
  if (views_->IsOpen()) return;
  // A type change or a file that could not be formed closed the views: they
  // come back with the base set, as after Next; the changed columns follow
  // at the next commit.
  views_->EnsureOpen();
  const SweepResult swept = session_->SweepBase();
  if (!swept.Ok) ShowSweepFailure(swept.FailedStroke);
  views_->TableChanged();
}

void MainWindow::ShowSweepFailure(int failedStroke) {
  prompts_.Message(this, StrokeFailureText(failedStroke), text::kWarningTitle, MessageIcon::Error);
}

void MainWindow::UnloadEditing() {
  if (input_ != nullptr) {
    input_->AllowClose();
    UnloadChild(input_);
    input_ = nullptr;
  }
  views_->Unload();
}

void MainWindow::GraphToFront() {
  GraphView* graph = views_->GraphWindow();
  if (graph == nullptr) return;
  QMdiSubWindow* active = area_->activeSubWindow();
  if (active != nullptr && active->widget() == graph) {
    graph->DetailDrawingAt(0.2f);
  } else {
    views_->BringToFront(graph);
  }
}

void MainWindow::PreviousStep() {
  switch (state_.Mode) {
    case EditMode::Base: {
      UnloadChild(destination_);
      destination_ = nullptr;
      ShowChild(&EnsureTypeChoice());
      session_->BackToTypeChoice();
      EnableButtons({kButtonPrevious}, false);
      break;
    }
    case EditMode::New:
    case EditMode::Change: {
      UnloadEditing();
      ShowChild(&Destination());
      session_->LeaveEditing();
      EnableButtons({kButtonNext}, true);
      // The windows of the views are closed: their buttons would only
      // reopen empty windows.
      EnableButtons({kButtonInputFront, kButtonGraphFront, kButtonTableFront, kButtonRealFront},
                    false);
      break;
    }
    default: break;
  }
}

void MainWindow::BaseFormClosedByUser() {
  // Closing the base form by its frame is the same as going back a step.
  destination_ = nullptr;
  if (state_.Mode == EditMode::Base) {
    session_->BackToTypeChoice();
    EnableButtons({kButtonPrevious}, false);
  }
  ShowChild(&EnsureTypeChoice());
  UpdateCommandStates();
}

void MainWindow::ReadBaseLinkFile(const QString& path) {
  const LinkReadResult result = ReadLinkFile(state_, Destination().Entry(), path, kBaseSet);
  if (result.Status == LinkReadStatus::TypeMismatch) {
    prompts_.Message(this, kLinkTypeMismatchMessage, text::kDefaultTitle, MessageIcon::Error);
  } else if (result.Status == LinkReadStatus::CannotOpen) {
    TellFileFailure(prompts_, this, kCannotReadText, path, result.Error);
  } else if (result.Status == LinkReadStatus::StoppedAtLine) {
    prompts_.Message(this, ReadStoppedMessage(path, result.Line), text::kWarningTitle,
                     MessageIcon::Error);
  }
}

void MainWindow::LoadLinkFileCommand() {
  const std::optional<QString> path = prompts_.OpenFile(
      this, {tr("ﾘﾝｸﾌｧｲﾙ選択"), text::kLinkFileFilter, text::kLinkFileExtension,
             LinkFileFolder(state_.AppFolder)});
  if (!path) return;
  if (state_.Mode == EditMode::Base) {
    ReadBaseLinkFile(*path);
  } else if (state_.Mode == EditMode::New || state_.Mode == EditMode::Change) {
    ReadChangedLinkFile(*path);
  }
}

void MainWindow::ReadChangedLinkFile(const QString& path) {
  if (input_ != nullptr) session_->LoadChangedSet(path);
}

void MainWindow::SaveLinkFileCommand() {
  const std::optional<QString> path = prompts_.SaveFile(
      this, {tr("保存ﾘﾝｸﾌｧｲﾙ選択"), text::kLinkFileFilter, text::kLinkFileExtension,
             LinkFileFolder(state_.AppFolder)});
  if (!path) return;
  WriteResult written;
  if (state_.Mode == EditMode::Base) {
    written = WriteLinkFile(state_, Destination().Entry(), *path, kBaseSet);
  } else if ((state_.Mode == EditMode::New || state_.Mode == EditMode::Change) &&
             input_ != nullptr) {
    written = WriteLinkFile(state_, input_->Entry(), *path, kChangedSet);
  } else {
    return;
  }
  if (!written) {
    TellFileFailure(prompts_, this, tr("ファイルに保存できませんでした"), *path, written.Error);
  }
}

void MainWindow::About() {
  prompts_.Message(this, tr("まだ開発途上のプログラムです"), tr("ぽてらんβ"), MessageIcon::None);
}

void MainWindow::OpenInitialSettings() {
  if (init_ == nullptr) {
    init_ = new InitForm(state_, prompts_);
    // Unloaded from the event loop: the box whose Enter accepted the entry
    // is still handling its key when `done` arrives. An open table drops the
    // rows beyond a lowered stroke range.
    connect(
        init_, &InitForm::done, this,
        [this] {
          if (TableView* table = views_->TableWindow()) table->MaxStrokeChanged();
          if (assistant_ != nullptr) assistant_->ChangedSetChanged();
          UnloadChild(init_);
        },
        Qt::QueuedConnection);
  }
  ShowChild(init_);
}

void MainWindow::TileWindows(std::optional<QRect> screen) {
  // The change-input form, the table beside it, the graph over the
  // real-motion view; any other shown window (the design assistant, a base
  // form, the type choice, the settings) in a column of its own after them.
  std::vector<std::vector<QMdiSubWindow*>> columns = {
      {SubWindowOf(input_)},
      {SubWindowOf(views_->TableWindow())},
      {SubWindowOf(views_->GraphWindow()), SubWindowOf(views_->RealWindow())}};
  for (QMdiSubWindow* sub : area_->subWindowList(QMdiArea::CreationOrder)) {
    const bool placed = std::any_of(columns.begin(), columns.end(), [sub](const auto& column) {
      return std::find(column.begin(), column.end(), sub) != column.end();
    });
    if (!placed) columns.push_back({sub});
  }
  TileSubWindows(*area_, columns, screen);
  // The table keeps the height the tiling gave it through later sweeps.
  if (TableView* table = views_->TableWindow()) table->KeepHeight(true);
}

void MainWindow::CascadeWindows(std::optional<QRect> screen) {
  // In the order they lie: the window on top stays on top, and active.
  const QList<QMdiSubWindow*> stacked = area_->subWindowList(QMdiArea::StackingOrder);
  CascadeSubWindows(*area_, std::vector<QMdiSubWindow*>(stacked.begin(), stacked.end()), screen);
  if (TableView* table = views_->TableWindow()) table->KeepHeight(false);
}

void MainWindow::OpenAtStart(const QString& path) {
  if (state_.Mode != EditMode::None) return;  // only in place of the type choice
  QString error;
  const std::optional<QStringList> lines = ReadTextLines(path, &error);
  const std::optional<int> type = lines ? LinkFileType(*lines) : std::nullopt;
  if (!type) {
    const QString why =
        lines ? QStringLiteral("%1 holds no link type (SUSTYPE=2..6)").arg(path) : error;
    TellFileFailure(prompts_, this, lines ? kNotLinkFileText : kCannotReadText, path, why);
    // Then the program starts as it would without the argument.
    ShowChild(&EnsureTypeChoice());
    UpdateCommandStates();
    return;
  }
  // Next at the type choice with the file's type chosen, then the file
  // read into the base form as Load does. The type choice keeps that type
  // for the user who goes back.
  if (QRadioButton* option = EnsureTypeChoice().Option(*type - 2)) option->setChecked(true);
  NextFromTypeChoice();
  ReadLinkLines(state_, Destination().Entry(), *lines, kBaseSet);
  UpdateCommandStates();
}

}  // namespace potelan
