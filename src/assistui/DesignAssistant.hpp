// "設計支援": the design assistant's window, an MDI child beside the views,
// with three pages: 特性 (CharacteristicsPage), 感度 (SensitivityPage) and
// 目標に合わせる (FitPage).
//
// The window reads the shared state only on the UI thread. It follows the
// base and the changed set: ChangedSetChanged() reads them again when they
// differ from what the pages show. Closing the window or leaving the editing
// stages stops a running fit and waits for its worker before anything goes
// away.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

#include "assistui/CharacteristicsPage.hpp"
#include "assistui/FitPage.hpp"
#include "assistui/SensitivityPage.hpp"
#include "model/AppState.hpp"

class QTabWidget;

namespace potelan {

class GraphView;
class Prompts;

class DesignAssistant final : public QWidget {
  Q_OBJECT
 public:
  DesignAssistant(AppState& state, Prompts& prompts, AssistantHost host, QWidget* parent = nullptr);

  QTabWidget* Pages() const { return pages_; }
  CharacteristicsPage& Characteristics() const { return *characteristicsPage_; }
  SensitivityPage& Sensitivity() const { return *sensitivityPage_; }
  FitPage& Fitting() const { return *fitPage_; }

  // The pages read both sets again.
  void Refresh();

 public slots:
  // An accepted change of the changed set (or of the stroke range): the
  // pages follow it. Outside "NEW" and "CHANGE", or when the sets are what
  // the pages show, nothing happens.
  void ChangedSetChanged();
  // The graph's ratio axis changed (the table shows the other ratio item):
  // the fit's preview follows it.
  void RatioAxisChanged();

 protected:
  // First shown, the window stands beside the graph.
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  AppState& state_;
  std::function<GraphView*()> graph_;
  bool placedOnce_ = false;
  QTabWidget* pages_ = nullptr;
  CharacteristicsPage* characteristicsPage_ = nullptr;
  SensitivityPage* sensitivityPage_ = nullptr;
  FitPage* fitPage_ = nullptr;

  // The sets and stroke range the pages were last filled from.
  std::array<ConfigSet, 2> shownSets_{};
  std::int16_t shownMaxStroke_ = -1;
};

}  // namespace potelan
