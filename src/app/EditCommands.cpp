#include "app/EditCommands.hpp"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <optional>

#include "app/MainWindow.hpp"
#include "app/ResultViews.hpp"
#include "files/LinkFile.hpp"

namespace potelan {
namespace {

QAction* Item(const QMenu* menu, const char* name) {
  return menu->findChild<QAction*>(QString::fromLatin1(name));
}

QMenu* Menu(const MainWindow& window, const char* name) {
  return window.menuBar()->findChild<QMenu*>(QString::fromLatin1(name));
}

bool IsUndoOrRedo(const QKeyEvent& key) {
  const QKeyCombination combination = key.keyCombination();
  return combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Z) ||
         combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
         combination == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

}  // namespace

EditCommands::EditCommands(MainWindow& window) : QObject(&window), window_(window) {
  QMenu* edit = Menu(window_, "menu_z2");
  QMenu* view = Menu(window_, "menu_z5");
  QAction* first = edit->actions().value(0);
  undo_ = new QAction(tr("元に戻す"), edit);
  undo_->setObjectName("menu_undo");
  undo_->setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_Z));
  redo_ = new QAction(tr("やり直し"), edit);
  redo_->setObjectName("menu_redo");
  redo_->setShortcuts({QKeySequence(Qt::ControlModifier | Qt::Key_Y),
                       QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z)});
  edit->insertActions(first, {undo_, redo_});
  edit->insertSeparator(first);
  connect(undo_, &QAction::triggered, this, &EditCommands::Undo);
  connect(redo_, &QAction::triggered, this, &EditCommands::Redo);
  QAction* copy = Item(edit, "menu_copy");
  QAction* paste = Item(edit, "menu_paste");
  connect(copy, &QAction::triggered, this, &EditCommands::Copy);
  connect(paste, &QAction::triggered, this, &EditCommands::Paste);
  editingItems_ = {edit->menuAction(), view->menuAction(), copy, paste};
  const char* const views[] = {"menu_graph", "menu_hyo", "menu_real"};
  for (int index = 0; index < 3; ++index) {
    editingItems_ << Item(view, views[index]);
    connect(editingItems_.back(), &QAction::triggered, this, [this, index] { ViewToFront(index); });
  }
  QUndoStack& history = window_.Session().History();
  connect(&history, &QUndoStack::indexChanged, this, &EditCommands::UpdateStates);
  connect(&history, &QUndoStack::cleanChanged, this, &EditCommands::UpdateStates);
  qApp->installEventFilter(this);
}

bool EditCommands::Editing() const {
  const EditMode mode = window_.Session().State().Mode;
  return (mode == EditMode::New || mode == EditMode::Change) && window_.Input() != nullptr;
}

void EditCommands::UpdateStates() {
  const bool editing = Editing();
  const QUndoStack& history = window_.Session().History();
  for (QAction* item : editingItems_) item->setEnabled(editing);
  undo_->setEnabled(editing && history.canUndo());
  redo_->setEnabled(editing && history.canRedo());
  // The step's name after the word: "元に戻す テンションロッド長".
  auto caption = [](const QString& word, const QString& step) {
    return step.isEmpty() ? word : word + QLatin1Char(' ') + step;
  };
  undo_->setText(caption(tr("元に戻す"), history.canUndo() ? history.undoText() : QString()));
  redo_->setText(caption(tr("やり直し"), history.canRedo() ? history.redoText() : QString()));
}

void EditCommands::Undo() {
  if (!Editing() || !window_.Session().History().canUndo()) return;
  window_.Session().History().undo();
  window_.UpdateCommandStates();
}

void EditCommands::Redo() {
  if (!Editing() || !window_.Session().History().canRedo()) return;
  window_.Session().History().redo();
  window_.UpdateCommandStates();
}

void EditCommands::Copy() {
  if (!Editing()) return;
  QString error;
  const std::optional<QString> text =
      LinkFileText(window_.Session().State(), window_.Input()->Entry(), kChangedSet, &error);
  if (!text) {
    // A box that holds no number: Save would not write such a file either.
    qWarning("potelan: nothing copied: %s", qPrintable(error));
    window_.Session().Prompts().Warn(tr("コピーできませんでした"));
    return;
  }
  QGuiApplication::clipboard()->setText(*text);
}

void EditCommands::Paste() {
  if (!Editing()) return;
  window_.Session().PasteChangedSet(QGuiApplication::clipboard()->text());
  window_.UpdateCommandStates();
}

QWidget* EditCommands::View(int index) const {
  ResultViews& views = window_.Views();
  if (index == 0) return views.GraphWindow();
  if (index == 1) return views.TableWindow();
  return views.RealWindow();
}

void EditCommands::ViewToFront(int index) {
  if (!Editing()) return;
  window_.ReopenViews();
  QWidget* view = View(index);
  if (view == nullptr) return;
  if (auto* frame = qobject_cast<QMdiSubWindow*>(view->parentWidget())) {
    if (frame->isMinimized()) frame->showNormal();
  }
  window_.Views().BringToFront(view);
}

bool EditCommands::eventFilter(QObject* watched, QEvent* event) {
  // Left unclaimed by a box without typed text, the key reaches the
  // program's shortcut.
  if (event->type() == QEvent::ShortcutOverride && IsUndoOrRedo(*static_cast<QKeyEvent*>(event))) {
    if (auto* box = qobject_cast<QLineEdit*>(watched)) return !box->isModified();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace potelan
