#include "app/ResultViews.hpp"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "ui/Prompts.hpp"
#include "views/GraphView.hpp"
#include "views/RealView.hpp"
#include "views/TableView.hpp"

namespace potelan {
namespace {
constexpr int kChangedSide = 1;  // index of the changed linkage's lines and markers
}  // namespace

ResultViews::ResultViews(AppState& state, Prompts& prompts, QMdiArea& area)
    : state_(state), prompts_(prompts), area_(area) {
  connect(&area_, &QMdiArea::subWindowActivated, this, &ResultViews::SubWindowActivated);
}

ResultViews::~ResultViews() {
  // The main window that listens is going away with its views.
  blockSignals(true);
  Unload();
}

QMdiSubWindow* ResultViews::AddView(QWidget* view) {
  // The views cannot be closed from their frames: no close button.
  QMdiSubWindow* sub = area_.addSubWindow(view, Qt::SubWindow | Qt::WindowTitleHint |
                                                    Qt::WindowMinMaxButtonsHint);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setWindowIcon(QIcon());
  sub->hide();
  return sub;
}

void ResultViews::Load() {
  if (IsOpen()) return;
  cells_ = ResultTable();
  graph_ = new GraphView(state_, cells_);
  graph_->SetPrompts(prompts_);
  AddView(graph_);
  table_ = new TableView(state_, cells_, *graph_, prompts_);
  AddView(table_);
  connect(table_, &TableView::itemsChanged, this, &ResultViews::itemsChanged);
  real_ = new RealView(state_);
  AddView(real_);
  emit openChanged();
}

void ResultViews::Show() {
  ShowFrames();
  // The base sweep left its coarse points only: the views open on the
  // detail display ("詳細表示", 0.2 mm), the chosen pitch kept.
  if (graph_ != nullptr) graph_->DetailDisplay();
}

void ResultViews::ShowFrames() {
  // The graph and the real-motion view place themselves when first shown.
  for (QWidget* view : {static_cast<QWidget*>(real_), static_cast<QWidget*>(graph_),
                        static_cast<QWidget*>(table_)}) {
    if (view == nullptr) continue;
    view->show();
    view->parentWidget()->show();
  }
  BringToFront(table_);
}

void ResultViews::BringToFront(QWidget* view) {
  if (view == nullptr) return;
  auto* sub = qobject_cast<QMdiSubWindow*>(view->parentWidget());
  if (sub == nullptr) return;
  sub->show();
  sub->raise();
  area_.setActiveSubWindow(sub);
  view->setFocus();
}

bool ResultViews::PrintTable() {
  if (table_ == nullptr) return false;
  table_->Print();
  return true;
}

void ResultViews::Unload() {
  const bool wasOpen = graph_ != nullptr || table_ != nullptr || real_ != nullptr;
  if (real_ != nullptr && lastActive_ == real_->parentWidget()) lastActive_ = nullptr;
  for (QWidget* view : {static_cast<QWidget*>(real_), static_cast<QWidget*>(graph_),
                        static_cast<QWidget*>(table_)}) {
    if (view == nullptr) continue;
    if (auto* graph = qobject_cast<GraphView*>(view)) graph->AllowClose();
    if (auto* table = qobject_cast<TableView*>(view)) table->AllowClose();
    if (auto* real = qobject_cast<RealView*>(view)) real->AllowClose();
    QWidget* sub = view->parentWidget();
    if (auto* mdi = qobject_cast<QMdiSubWindow*>(sub)) area_.removeSubWindow(mdi);
    delete (sub != nullptr ? static_cast<QObject*>(sub) : static_cast<QObject*>(view));
  }
  graph_ = nullptr;
  table_ = nullptr;
  real_ = nullptr;
  if (wasOpen) emit openChanged();
}

void ResultViews::PlaceTableBeside(const QWidget* inputForm) {
  inputForm_ = inputForm;  // views opened again later stand there too
  if (table_ == nullptr || inputForm == nullptr) return;
  const QWidget* inputFrame = inputForm->parentWidget() != nullptr ? inputForm->parentWidget()
                                                                    : inputForm;
  table_->parentWidget()->move(inputFrame->x() + inputFrame->width(), 0);
}

void ResultViews::SubWindowActivated(QMdiSubWindow* window) {
  QWidget* realFrame = real_ != nullptr ? real_->parentWidget() : nullptr;
  if (lastActive_ == window) return;
  if (realFrame != nullptr && lastActive_ == realFrame) real_->Deactivate();
  lastActive_ = window;
  if (realFrame != nullptr && window == realFrame) real_->Activate();
}

void ResultViews::EnsureOpen() {
  if (IsOpen()) return;
  Load();
  // The base set's failure over a longer stroke range is told by the sweeps
  // that follow; the caller sweeps and draws into the views it opened.
  ShowFrames();
  PlaceTableBeside(inputForm_);
}

bool ResultViews::IsOpen() const {
  return graph_ != nullptr && table_ != nullptr && real_ != nullptr;
}

bool ResultViews::LoadDisplayShown() const {
  return real_ != nullptr && real_->StatusShown();
}

void ResultViews::LoadDisplayOff() {
  if (real_ != nullptr) real_->SwitchOffSliderDisplay();
}

void ResultViews::DrawChangedSet() {
  if (real_ == nullptr) return;
  real_->Graphic(kChangedSet);
  real_->ShowChangedBesideBase();
}

void ResultViews::ShowMember(const QString& line) {
  if (real_ != nullptr) real_->ShowMember(line, kChangedSide);
}

int ResultViews::MemberWidth(const QString& line) const {
  return real_ != nullptr ? real_->MemberWidth(line, kChangedSide) : 0;
}

void ResultViews::SetMemberWidth(const QString& line, int width) {
  if (real_ != nullptr) real_->SetMemberWidth(line, kChangedSide, width);
}

void ResultViews::SetJointCaption(const QString& label, const QString& caption) {
  if (real_ != nullptr) real_->SetJointCaption(label, kChangedSide, caption);
}

PlotSink& ResultViews::Graph() {
  static NullPlotSink nowhere;
  if (graph_ == nullptr) return nowhere;
  return *graph_;
}

void ResultViews::DetailDrawingAtCheckedPitch() {
  if (graph_ == nullptr) return;
  const std::optional<float> pitch = graph_->CheckedPitch();
  if (!pitch) return;
  state_.GraphDetailPitch = *pitch;
  graph_->DetailDrawing();
}

void ResultViews::TableChanged() {
  if (table_ != nullptr) table_->Refresh();
}

}  // namespace potelan
