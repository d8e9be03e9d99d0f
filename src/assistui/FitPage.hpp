// "目標に合わせる": a target curve, the dimensions that may vary and their
// bounds, a fit of the changed set run off the UI thread with its progress,
// its result previewed in the graph, and 適用.
//
// A fit works on its own copy of the changed set. 適用 writes the fitted
// values into the change-input form's boxes and commits them as Enter in a
// box does, so the edit is judged like any other.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "assist/Fit.hpp"
#include "assistui/DimensionRanges.hpp"
#include "assistui/TargetEditor.hpp"
#include "model/AppState.hpp"
#include "views/GraphScale.hpp"

class QBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;

namespace potelan {

class FitRunner;
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

class FitPage final : public QWidget {
  Q_OBJECT
 public:
  FitPage(AppState& state, Prompts& prompts, AssistantHost host, QWidget* parent);
  // Stops a running fit and takes the preview away.
  ~FitPage() override;

  TargetEditor& Target() const { return *targetEditor_; }
  DimensionRanges& Ranges() const { return *dimensionRanges_; }
  QPushButton* RunButton() const { return runButton_; }
  QPushButton* CancelButton() const { return cancelButton_; }
  QPushButton* ApplyButton() const { return applyButton_; }
  QLabel* ProgressLabel() const { return progressLabel_; }
  QLabel* ResultLabel() const { return resultLabel_; }
  QSize minimumSizeHint() const override;

  // Starts a fit of the changed set as the page describes it; false (with a
  // message) when it cannot run.
  bool Run();
  void Cancel();
  bool FitRunning() const;
  // The last fit's result, once its worker has ended.
  const std::optional<assist::FitResult>& LastResult() const { return lastResult_; }
  // Applies the last result through the change-input form; true when the
  // changed set took it.
  bool Apply();
  // Cancels a running fit, waits for its worker and takes the preview away.
  void StopFit();

  // The curves a fitted set is previewed with in the graph: its link ratio
  // (or inverse, when the graph's ratio axis shows the inverse) and its axle
  // load, as (stroke, value) points.
  static std::vector<GraphCurve> PreviewOf(const assist::Curve& curve, bool ratioAxis);
  // The preview turns to the kind of ratio the graph's axis now shows.
  void FollowRatioAxis();
  // The changed set changed: the dimensions' rows follow it, and the preview
  // of a fit that started from another set goes.
  void FollowChangedSet();

 signals:
  void fitFinished();
  // 適用 changed the changed set.
  void applied();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The least width that holds the target and the dimensions side by side.
  int SideBySideWidth() const;
  void ShowProgress(const assist::FitProgress& progress);
  void ShowResult(const assist::FitResult& result);
  // A fitted value on (or within one entry step of) a bound of its range:
  // the search may have been held back there.
  void MarkAtBound(int row, const Bounds& range, double value);
  void ShowPreview();
  void ClearPreview();
  bool GraphShowsRatio() const;
  void UpdateButtons();
  void Tell(const QString& text);

  AppState& state_;
  Prompts& prompts_;
  AssistantHost host_;
  QBoxLayout* top_ = nullptr;
  TargetEditor* targetEditor_ = nullptr;
  DimensionRanges* dimensionRanges_ = nullptr;
  QPushButton* runButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QPushButton* applyButton_ = nullptr;
  QLabel* progressLabel_ = nullptr;
  QLabel* resultLabel_ = nullptr;
  QTableWidget* resultTable_ = nullptr;
  FitRunner* runner_ = nullptr;

  // The running or last fit's request (for 適用) and its result.
  std::optional<assist::FitRequest> request_;
  std::optional<assist::FitResult> lastResult_;
  bool previewShown_ = false;
  bool previewRatioAxis_ = true;  // the ratio kind the preview was made for
};

}  // namespace potelan
