// "設計支援": the design assistant's window, an MDI child beside the views. Three
// pages: 特性 (what each set gives at the wheel, side by side, with the sag
// under a static load), 感度 (how each dimension of the changed set moves its
// curve, sorted by influence on a chosen figure) and 目標に合わせる (a target
// curve, the dimensions that may vary and their bounds, a fit run on a worker
// thread with its progress, a preview in the graph and 適用).
//
// The window reads the shared state only on the UI thread. A fit works on its
// own copy of the changed set; closing the window or leaving the editing
// stages cancels it and waits for the worker before anything goes away.
// 適用 writes the fitted values into the change-input form's boxes and commits
// them as Enter in a box does, so the edit is judged like any other.
#pragma once

#include <QPointF>
#include <QString>
#include <QWidget>
#include <array>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "assist/Characteristics.hpp"
#include "assist/Dimensions.hpp"
#include "assist/Fit.hpp"
#include "assist/Sensitivity.hpp"
#include "model/AppState.hpp"
#include "views/GraphPainter.hpp"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QTableWidget;
class QThread;
class QTimer;

namespace potelan {

class GraphView;
class InputForm;
class Prompts;
class ResultTable;

// What the window reaches of the program around it; each may give nullptr
// (the views or the change-input form are closed).
struct AssistantHost {
  std::function<InputForm*()> Input;
  std::function<GraphView*()> Graph;
  // The table's item marks: the graph's ratio axis shows the link ratio when
  // "ﾘﾝｸﾚｼｵ" is shown, else its inverse.
  std::function<const ResultTable*()> Table;
};

class DesignAssistant final : public QWidget {
  Q_OBJECT
 public:
  DesignAssistant(AppState& state, Prompts& prompts, AssistantHost host,
                  QWidget* parent = nullptr);
  // Cancels a running fit and waits for its worker.
  ~DesignAssistant() override;

  // The figures a sensitivity table can be sorted by, in the order of its
  // columns.
  enum class Figure { RatioAtZero, RatioAtHalf, RatioAtMax, Progression, SusStroke };
  static double FigureOf(const assist::KeyFigures& figures, Figure f);

  QTabWidget* Pages() const { return pages_; }

  // 特性: one row per figure, a column per set (基準, 変更).
  QTableWidget* CharacteristicsTable() const { return characteristics_; }
  QDoubleSpinBox* StaticLoadBox() const { return staticLoad_; }
  // The characteristics the page shows (of set 0 and set 1).
  const std::array<assist::Characteristics, 2>& ShownCharacteristics() const { return shown_; }

  // 感度: the figure the rows are sorted by, and the table.
  QComboBox* SensitivityFigure() const { return sensitivityFigure_; }
  QTableWidget* SensitivityTable() const { return sensitivity_; }
  // The dimensions in the order the table shows them.
  std::vector<assist::Dimension> SensitivityOrder() const;

  // 目標に合わせる.
  QComboBox* FitQuantity() const { return quantity_; }
  QTableWidget* TargetTable() const { return target_; }
  std::vector<assist::CurveSample> Target() const;  // rows with two numbers, by stroke
  void SetTarget(const std::vector<assist::CurveSample>& target);
  // The target taken from a set's curve (0 base, 1 changed) in the chosen quantity.
  void TakeTargetFrom(int set);
  QDoubleSpinBox* ChangeAmountBox() const { return amount_; }
  // The target's buttons: the progression raised by the amount (percent
  // points), the values scaled by 1 + amount %, the amount added.
  enum class TargetChange { AddProgression, Scale, Shift };
  void ChangeTarget(TargetChange change);
  QCheckBox* DimensionCheck(assist::Dimension d) const;
  QDoubleSpinBox* LowerBox(assist::Dimension d) const;
  QDoubleSpinBox* UpperBox(assist::Dimension d) const;
  QPushButton* RunButton() const { return run_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* ApplyButton() const { return apply_; }
  QLabel* ProgressLabel() const { return progress_; }
  QLabel* ResultLabel() const { return resultText_; }

  // Starts a fit of the changed set as the page describes it; false (with a
  // message) when it cannot run.
  bool Run();
  void Cancel();
  bool FitRunning() const { return worker_ != nullptr; }
  // The last fit's result, once its worker has ended.
  const std::optional<assist::FitResult>& LastResult() const { return result_; }
  // Applies the last result through the change-input form; true when the
  // changed set took it.
  bool Apply();
  // Cancels a running fit and waits for its worker.
  void StopFit();

  // The curves a fitted set is previewed with in the graph: its link ratio
  // (or inverse, when the graph's ratio axis shows the inverse) and its axle
  // load, as (stroke, value) points.
  static std::vector<GraphCurve> PreviewOf(const assist::Curve& curve, bool ratioAxis);

  // The pages read both sets again (a timer does so whenever they change).
  void Refresh();

 signals:
  void fitFinished();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct DimensionRow {
    QCheckBox* Check = nullptr;
    QLabel* Current = nullptr;
    QDoubleSpinBox* Lower = nullptr;
    QDoubleSpinBox* Upper = nullptr;
    double Value = 0;
  };

  QWidget* BuildCharacteristicsPage();
  QWidget* BuildSensitivityPage();
  QWidget* BuildFitPage();
  void FillCharacteristics();
  void FillSensitivity();
  void RebuildDimensions();
  void UpdateDimensionValues();
  void UpdateButtons();
  void PostProgress(const assist::FitProgress& progress);
  void ShowProgress();
  void FitDone();
  void ShowPreview();
  bool GraphShowsRatio() const;
  void ClearPreview();
  void PollState();
  assist::Quantity ChosenQuantity() const;
  void Tell(const QString& text);

  AppState& state_;
  Prompts& prompts_;
  AssistantHost host_;

  QTabWidget* pages_ = nullptr;
  QTableWidget* characteristics_ = nullptr;
  QDoubleSpinBox* staticLoad_ = nullptr;
  std::array<assist::Characteristics, 2> shown_{};
  QComboBox* sensitivityFigure_ = nullptr;
  QLabel* sensitivityNote_ = nullptr;
  QTableWidget* sensitivity_ = nullptr;
  assist::Sensitivity sensitivityData_;

  QComboBox* quantity_ = nullptr;
  QTableWidget* target_ = nullptr;
  QDoubleSpinBox* amount_ = nullptr;
  QWidget* dimensionHolder_ = nullptr;
  QScrollArea* dimensionScroll_ = nullptr;
  std::map<assist::Dimension, DimensionRow> dimensions_;
  std::int16_t dimensionsType_ = 0;
  QPushButton* run_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* apply_ = nullptr;
  QLabel* progress_ = nullptr;
  QLabel* resultText_ = nullptr;
  QTableWidget* resultValues_ = nullptr;

  // The states the pages were last filled from.
  std::array<ConfigSet, 2> seen_{};
  std::int16_t seenMaxStroke_ = -1;
  QTimer* poll_ = nullptr;

  // The running fit: its request (for 適用), cancel flag, worker and the
  // latest progress, handed over under a lock and shown by the UI thread.
  std::optional<assist::FitRequest> request_;
  std::atomic<bool> cancelFlag_{false};
  QThread* worker_ = nullptr;
  std::shared_ptr<assist::FitResult> workerResult_;
  std::mutex progressLock_;
  assist::FitProgress latest_;
  bool progressPending_ = false;
  std::optional<assist::FitResult> result_;
  bool previewRatioAxis_ = true;  // the ratio kind the preview was made for
};

}  // namespace potelan
