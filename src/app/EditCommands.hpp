// The commands of the menus 編集 and 表示: undo and redo of the accepted
// changes of the edit session, copy and paste of the changed set as the text
// of a link file, and each result view brought to the front. They act at
// the editing stages, through the same session calls as the change-input
// form, and the main window's command states follow each of them.
#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace potelan {

class MainWindow;

class EditCommands final : public QObject {
  Q_OBJECT
 public:
  // Adds 元に戻す and やり直し to 編集 and connects the menus' items.
  explicit EditCommands(MainWindow& window);

  void Undo();
  void Redo();
  // "コピー": the changed set on the clipboard, the lines Save writes.
  void Copy();
  // "張り付け": link-file text from the clipboard as the changed set.
  void Paste();
  // 表示: a result view to the front, restored if it was minimised (views
  // that a type change closed are opened again first).
  void ViewToFront(int index);  // 0 graph, 1 table, 2 real-motion view

  // The items enabled where they can act, the captions naming the steps.
  void UpdateStates();

 protected:
  // Ctrl+Z (Ctrl+Y, Ctrl+Shift+Z) in a box that holds typed text is the
  // box's own undo; in any other place the program's.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Editing() const;
  QWidget* View(int index) const;

  MainWindow& window_;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  // The menus 編集 and 表示 and the items that act at every editing stage.
  QList<QAction*> editingItems_;
};

}  // namespace potelan
