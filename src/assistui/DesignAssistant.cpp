#include "assistui/DesignAssistant.hpp"

#include <QCloseEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "assistui/Common.hpp"
#include "ui/MdiPlacement.hpp"
#include "views/GraphView.hpp"

namespace potelan {

DesignAssistant::DesignAssistant(AppState& state, Prompts& prompts, AssistantHost host,
                                 QWidget* parent)
    : QWidget(parent), state_(state), graph_(host.Graph) {
  setObjectName("Form_Assist");
  setWindowTitle(assistui::Title());
  setAccessibleName(assistui::Title());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  pages_ = new QTabWidget(this);
  pages_->setObjectName("Tab_Assist");
  pages_->setAccessibleName(assistui::Title());
  characteristicsPage_ = new CharacteristicsPage(state_, pages_);
  sensitivityPage_ = new SensitivityPage(state_, pages_);
  fitPage_ = new FitPage(state_, prompts, std::move(host), pages_);
  pages_->addTab(characteristicsPage_, tr("特性"));
  pages_->addTab(sensitivityPage_, tr("感度"));
  pages_->addTab(fitPage_, tr("目標に合わせる"));
  layout->addWidget(pages_);
  resize(940, 620);
  // 適用 went through the form's judging: the pages show what it left.
  connect(fitPage_, &FitPage::applied, this, &DesignAssistant::Refresh);

  Refresh();
  fitPage_->Target().TakeFrom(kChangedSet);
}

void DesignAssistant::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placedOnce_) return;
  placedOnce_ = true;
  // Beside the graph, where the fit's preview is drawn, and the graph in
  // front of the windows it shares the area with.
  GraphView* graph = graph_ ? graph_() : nullptr;
  if (graph == nullptr || graph->parentWidget() == nullptr || graph->parentWidget()->isHidden()) {
    return;
  }
  PlaceFrameBeside(*this, graph);
  graph->parentWidget()->raise();
}

void DesignAssistant::closeEvent(QCloseEvent* event) {
  fitPage_->StopFit();
  QWidget::closeEvent(event);
}

void DesignAssistant::Refresh() {
  shownSets_[0] = state_.Set[kBaseSet];
  shownSets_[1] = state_.Set[kChangedSet];
  shownMaxStroke_ = state_.MaxStroke;
  characteristicsPage_->Fill();
  sensitivityPage_->Recompute();
  fitPage_->FollowChangedSet();
}

void DesignAssistant::RatioAxisChanged() { fitPage_->FollowRatioAxis(); }

void DesignAssistant::ChangedSetChanged() {
  // A command part way through leaves the sets as they will not stay.
  if (state_.Mode != EditMode::New && state_.Mode != EditMode::Change) return;
  if (assistui::SameEntered(shownSets_[0], state_.Set[kBaseSet]) &&
      assistui::SameEntered(shownSets_[1], state_.Set[kChangedSet]) &&
      shownMaxStroke_ == state_.MaxStroke) {
    return;
  }
  Refresh();
}

}  // namespace potelan
