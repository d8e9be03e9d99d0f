// The three result views as the main window and the change-input form see
// them: loaded, shown and unloaded together, fed by the sweeps, and reached
// by the change-input form through the ChangeViews interface.
#pragma once

#include <QObject>
#include <QPointer>

#include "entry/ChangeViews.hpp"
#include "model/AppState.hpp"
#include "model/ResultTable.hpp"
#include "views/GraphView.hpp"
#include "views/RealView.hpp"
#include "views/TableView.hpp"

class QMdiArea;
class QMdiSubWindow;

namespace potelan {

class Prompts;

class ResultViews final : public QObject, public ChangeViews {
  Q_OBJECT
 public:
  ResultViews(AppState& state, Prompts& prompts, QMdiArea& area);
  ~ResultViews() override;

  // Loads Form_Graph, Form_Value and Form_Real, in this order, without
  // showing them; the table starts with its design check marks.
  void Load();
  // Shows Form_Real, Form_Graph, Form_Value after the base sweep and brings
  // the table to the front; the graph's detail display replaces the coarse
  // points at once.
  void Show();
  // Unloads the three views.
  void Unload();
  // Brings one view to the front and gives it the focus.
  void BringToFront(QWidget* view);
  // Prints the table's report; false when the table is not open.
  bool PrintTable();

  GraphView* GraphWindow() const { return graph_; }
  TableView* TableWindow() const { return table_; }
  RealView* RealWindow() const { return real_; }
  // Where the table stands: to the right of the change-input form.
  void PlaceTableBeside(const QWidget* inputForm);

  // ChangeViews.
  void EnsureOpen() override;
  void Close() override { Unload(); }
  bool IsOpen() const override;
  bool LoadDisplayShown() const override;
  void LoadDisplayOff() override;
  void DrawChangedSet() override;
  void ShowMember(const QString& line) override;
  int MemberWidth(const QString& line) const override;
  void SetMemberWidth(const QString& line, int width) override;
  void SetJointCaption(const QString& label, const QString& caption) override;
  PlotSink& Graph() override;
  void DetailDrawingAtCheckedPitch() override;
  ResultTable& Table() override { return cells_; }
  void TableChanged() override;

 signals:
  // The table's item menus changed: the changed set is processed again.
  void itemsChanged();
  // The views were loaded or unloaded (a type change on the change-input
  // form closes them as well): the commands that need them follow.
  void openChanged();

 private:
  QMdiSubWindow* AddView(QWidget* view);
  void ShowFrames();
  void SubWindowActivated(QMdiSubWindow* window);

  AppState& state_;
  Prompts& prompts_;
  QMdiArea& area_;
  ResultTable cells_;
  QPointer<GraphView> graph_;
  QPointer<TableView> table_;
  QPointer<RealView> real_;
  QPointer<QMdiSubWindow> lastActive_;
  QPointer<const QWidget> inputForm_;  // the change-input form, once placed beside
};

}  // namespace potelan
