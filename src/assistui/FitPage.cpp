#include "assistui/FitPage.hpp"

#include <QColor>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "assistui/Common.hpp"
#include "assistui/DimensionRanges.hpp"
#include "assistui/FitRunner.hpp"
#include "assistui/TargetEditor.hpp"
#include "entry/BoxNames.hpp"
#include "entry/InputForm.hpp"
#include "model/NumberFormat.hpp"
#include "model/ResultTable.hpp"
#include "ui/Prompts.hpp"
#include "ui/Texts.hpp"
#include "views/GraphView.hpp"

namespace potelan {

using namespace assistui;

namespace {
// The errors of a fit are in its target's unit: kgf for a load, none for a
// ratio.
QString ErrorUnit(const std::optional<assist::FitRequest>& request) {
  return request && request->What == assist::Quantity::AxleLoad ? QStringLiteral(" kgf")
                                                                : QString();
}

// Why a fit cannot run or found nothing, in the program's language.
QString ProblemText(const assist::FitRefusal& refusal) {
  const QString name = TableText(JsonName(refusal.Dim));
  switch (refusal.Problem) {
    case assist::FitProblem::None:
      return {};
    case assist::FitProblem::NoLinkType:
      return QCoreApplication::translate("potelan::FitPage", "リンクタイプが選択されていません");
    case assist::FitProblem::NoStroke:
      return QCoreApplication::translate("potelan::FitPage", "ｱｸｽﾙｽﾄﾛｰｸの範囲がありません");
    case assist::FitProblem::NoTarget:
      return QCoreApplication::translate("potelan::FitPage", "目標の点がありません");
    case assist::FitProblem::TargetOrder:
      return QCoreApplication::translate(
          "potelan::FitPage", "目標の点はｽﾄﾛｰｸの小さい順に、同じｽﾄﾛｰｸを重ねずに与えて下さい");
    case assist::FitProblem::WeightOrder:
      return QCoreApplication::translate("potelan::FitPage",
                                         "重みの点はｽﾄﾛｰｸの小さい順に与えて下さい");
    case assist::FitProblem::NegativeWeight:
      return QCoreApplication::translate("potelan::FitPage", "重みは 0 以上にして下さい");
    case assist::FitProblem::NoWeight:
      return QCoreApplication::translate("potelan::FitPage", "重みがすべて 0 です");
    case assist::FitProblem::NoDimension:
      return QCoreApplication::translate("potelan::FitPage", "変える寸法が選ばれていません");
    case assist::FitProblem::NotOfType:
      return QCoreApplication::translate("potelan::FitPage", "%1 はこのリンクタイプにありません")
          .arg(name);
    case assist::FitProblem::Twice:
      return QCoreApplication::translate("potelan::FitPage", "%1 が二度選ばれています").arg(name);
    case assist::FitProblem::BadRange:
      return QCoreApplication::translate("potelan::FitPage",
                                         "%1 の範囲が正しくありません (下限 < 上限)")
          .arg(name);
    case assist::FitProblem::BadBudget:
      return QCoreApplication::translate("potelan::FitPage", "評価回数が正しくありません");
    case assist::FitProblem::StageRefused:
      return QCoreApplication::translate("potelan::FitPage", "探索が NLopt に拒まれました (%1)")
          .arg(QString::fromStdString(refusal.Detail));
    case assist::FitProblem::NoAssemblingSet:
      return QCoreApplication::translate(
          "potelan::FitPage", "範囲内でストローク全域にわたって成立するリンクが見つかりません");
  }
  return {};
}

}  // namespace

FitPage::FitPage(AppState& state, Prompts& prompts, AssistantHost host, QWidget* parent)
    : QWidget(parent), state_(state), prompts_(prompts), host_(std::move(host)) {
  auto* layout = new QVBoxLayout(this);
  // The target beside the dimensions where the page is wide enough, above
  // them where it is not (the window beside the graph).
  top_ = new QBoxLayout(QBoxLayout::LeftToRight);
  layout->addLayout(top_, 5);
  targetEditor_ = new TargetEditor(state_, prompts_, this);
  top_->addWidget(targetEditor_, 2);
  auto* right = new QVBoxLayout();
  top_->addLayout(right, 3);
  right->addWidget(new QLabel(tr("変える寸法と範囲:"), this));
  dimensionRanges_ = new DimensionRanges(this);
  right->addWidget(dimensionRanges_, 1);

  // Run, Cancel, Apply and the result below.
  auto* commands = new QHBoxLayout();
  runButton_ = Button(tr("実行"), "Command_Run", this);
  cancelButton_ = Button(tr("中止"), "Command_Cancel", this);
  applyButton_ = Button(tr("適用"), "Command_Apply", this);
  progressLabel_ = new QLabel(this);
  progressLabel_->setObjectName("Label_Progress");
  progressLabel_->setAccessibleName(tr("実行の状況"));
  commands->addWidget(runButton_);
  commands->addWidget(cancelButton_);
  commands->addWidget(applyButton_);
  commands->addWidget(progressLabel_, 1);
  layout->addLayout(commands);
  resultLabel_ = new QLabel(this);
  resultLabel_->setObjectName("Label_Result");
  resultLabel_->setAccessibleName(tr("合わせた結果"));
  resultLabel_->setWordWrap(true);
  layout->addWidget(resultLabel_);
  resultTable_ = new QTableWidget(0, 3, this);
  resultTable_->setObjectName("Table_Result");
  resultTable_->setAccessibleName(tr("結果"));
  resultTable_->setHorizontalHeaderLabels({tr("寸法"), tr("現在"), tr("合わせた値")});
  resultTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  resultTable_->verticalHeader()->setVisible(false);
  resultTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Three rows at least; it grows with the window, as the target does.
  resultTable_->setMinimumHeight(resultTable_->horizontalHeader()->sizeHint().height() +
                                 3 * resultTable_->verticalHeader()->defaultSectionSize() +
                                 2 * resultTable_->frameWidth());
  layout->addWidget(resultTable_, 1);

  runner_ = new FitRunner(this);
  connect(runner_, &FitRunner::progressed, this, &FitPage::ShowProgress);
  connect(runner_, &FitRunner::finished, this, &FitPage::ShowResult);
  connect(runButton_, &QPushButton::clicked, this, [this] { Run(); });
  connect(cancelButton_, &QPushButton::clicked, this, &FitPage::Cancel);
  connect(applyButton_, &QPushButton::clicked, this, [this] { Apply(); });
  UpdateButtons();
}

FitPage::~FitPage() { StopFit(); }

int FitPage::SideBySideWidth() const {
  const QMargins m = layout()->contentsMargins();
  return targetEditor_->minimumSizeHint().width() + top_->spacing() +
         std::max(dimensionRanges_->minimumSizeHint().width(), dimensionRanges_->minimumWidth()) +
         m.left() + m.right();
}

QSize FitPage::minimumSizeHint() const {
  // Stacked, the page is as narrow as its widest part.
  const QSize least = QWidget::minimumSizeHint();
  if (top_->direction() == QBoxLayout::TopToBottom) return least;
  const QMargins m = layout()->contentsMargins();
  const int stacked = std::max(targetEditor_->minimumSizeHint().width(),
                               std::max(dimensionRanges_->minimumSizeHint().width(),
                                        dimensionRanges_->minimumWidth())) +
                      m.left() + m.right();
  return {std::min(least.width(), stacked), least.height()};
}

void FitPage::resizeEvent(QResizeEvent* event) {
  const auto direction =
      width() >= SideBySideWidth() ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
  if (top_->direction() != direction) {
    top_->setDirection(direction);
    // Stacked, the target's rows take the larger share of the height.
    const bool stacked = direction == QBoxLayout::TopToBottom;
    top_->setStretch(0, stacked ? 3 : 2);
    top_->setStretch(1, stacked ? 2 : 3);
  }
  QWidget::resizeEvent(event);
}

bool FitPage::FitRunning() const { return runner_->Running(); }

bool FitPage::Run() {
  if (runner_->Running()) return false;
  if (state_.Mode != EditMode::New && state_.Mode != EditMode::Change) return false;
  const std::vector<Dimension> vary = dimensionRanges_->Ticked();
  // A row half filled or holding a text that is no number is named, not
  // silently left out of the target.
  if (const int bad = targetEditor_->FirstBadRow(); bad > 0) {
    Tell(tr("目標点の %1 行目が数値ではありません").arg(bad));
    return false;
  }
  std::vector<assist::CurveSample> target = targetEditor_->Points();
  if (target.empty()) {
    Tell(tr("目標点がありません"));
    return false;
  }
  if (vary.empty()) {
    Tell(tr("変える寸法を選んでください"));
    return false;
  }
  assist::FitRequest request =
      assist::MakeFitRequest(state_.Set[kChangedSet], state_.MaxStroke,
                             targetEditor_->ChosenQuantity(), std::move(target), vary);
  for (assist::VaryingDimension& v : request.Vary) v.Range = dimensionRanges_->RangeOf(v.Dim);
  if (const std::optional<assist::FitRefusal> bad = assist::FindFitProblem(request)) {
    Tell(ProblemText(*bad));
    return false;
  }

  ClearPreview();
  lastResult_.reset();
  resultTable_->setRowCount(0);
  resultLabel_->clear();
  request_ = request;
  progressLabel_->setText(tr("実行中..."));
  runner_->Start(std::move(request));
  UpdateButtons();
  return true;
}

void FitPage::ShowProgress(const assist::FitProgress& progress) {
  progressLabel_->setText(tr("%1最良RMS %2%3  評価 %4回")
                              .arg(runner_->Cancelling() ? tr("中止しています... ") : QString())
                              .arg(progress.BestRms, 0, 'g', 4)
                              .arg(ErrorUnit(request_))
                              .arg(progress.Evaluations));
}

void FitPage::Cancel() {
  if (!runner_->Running()) return;
  runner_->Cancel();
  progressLabel_->setText(tr("中止しています..."));
}

void FitPage::StopFit() {
  if (runner_->Running()) {
    runner_->Stop();
    progressLabel_->setText(tr("中止しました"));
    UpdateButtons();
  }
  ClearPreview();
}

void FitPage::ShowResult(const assist::FitResult& r) {
  lastResult_ = r;
  const QString unit = ErrorUnit(request_);
  const QString figures = tr("RMS %1%5  最大誤差 %2%5  評価 %3回  %4秒")
                              .arg(r.Rms, 0, 'g', 4)
                              .arg(r.MaxError, 0, 'g', 4)
                              .arg(r.Evaluations)
                              .arg(r.Seconds, 0, 'f', 2)
                              .arg(unit);
  switch (r.Status) {
    case assist::FitStatus::Done:
      progressLabel_->setText(tr("完了"));
      resultLabel_->setText(figures);
      break;
    case assist::FitStatus::Cancelled:
      progressLabel_->setText(tr("中止しました"));
      resultLabel_->setText(tr("それまでの最良: ") + figures);
      break;
    case assist::FitStatus::NoAssemblingSet:
    case assist::FitStatus::BadRequest:
      progressLabel_->setText(tr("結果なし"));
      resultLabel_->setText(ProblemText(r.Problem));
      break;
  }
  const bool usable =
      (r.Status == assist::FitStatus::Done || r.Status == assist::FitStatus::Cancelled) &&
      r.FittedCurve.Ok && r.Values.size() == request_->Vary.size();
  if (usable) {
    resultTable_->setRowCount(static_cast<int>(r.Values.size()));
    for (std::size_t i = 0; i < r.Values.size(); ++i) {
      const Dimension d = request_->Vary[i].Dim;
      const int decimals = EntryDecimals(d);
      const int row = static_cast<int>(i);
      resultTable_->setItem(row, 0, ReadOnlyItem(DimensionCaption(d)));
      const QString unit = QLatin1Char(' ') + TableText(InfoOf(d).Unit);
      resultTable_->setItem(row, 1,
                            ReadOnlyItem(Fixed(ValueOf(request_->Start, d), decimals) + unit));
      resultTable_->setItem(row, 2, ReadOnlyItem(Fixed(r.Values[i], decimals) + unit));
      if (i < r.AtBound.size() && r.AtBound[i]) MarkAtBound(row, request_->Vary[i].Range, r.Values[i]);
    }
    // A set edited while the fit ran is no longer the one the fit started from.
    if (SameEntered(state_.Set[kChangedSet], request_->Start)) ShowPreview();
  } else {
    lastResult_.reset();  // nothing that could be applied
  }
  UpdateButtons();
  emit fitFinished();
}

void FitPage::MarkAtBound(int row, const Bounds& range, double value) {
  // The nearer bound; the mark is written, not only coloured.
  const bool lower = value - range.Lower <= range.Upper - value;
  const QString bound = lower ? tr("下限") : tr("上限");
  const QString note =
      tr("範囲の%1で止まりました。範囲を広げるとさらに合う場合があります").arg(bound);
  for (int column = 0; column < resultTable_->columnCount(); ++column) {
    QTableWidgetItem* item = resultTable_->item(row, column);
    item->setToolTip(note);
    item->setData(Qt::AccessibleDescriptionRole, note);
  }
  QTableWidgetItem* fitted = resultTable_->item(row, 2);
  fitted->setText(fitted->text() + QStringLiteral(" (%1)").arg(bound));
  fitted->setForeground(QColor(200, 0, 0));
}

std::vector<GraphCurve> FitPage::PreviewOf(const assist::Curve& curve, bool ratioAxis) {
  GraphCurve ratio{kChangedSet,
                   ratioAxis ? GraphQuantity::Ratio : GraphQuantity::InverseRatio,
                   GraphView::kPreviewColour,
                   {{}}};
  GraphCurve load{kChangedSet, GraphQuantity::Load, GraphView::kPreviewColour, {{}}};
  for (const assist::CurvePoint& p : curve.Points) {
    ratio.Runs.front().emplace_back(p.Stroke, ratioAxis ? p.LinkRatio : p.InvLinkRatio);
    load.Runs.front().emplace_back(p.Stroke,
                                   p.Loads[static_cast<std::size_t>(assist::LoadItem::Axle)]);
  }
  return {ratio, load};
}

void FitPage::ShowPreview() {
  if (!lastResult_) return;
  GraphView* graph = host_.Graph ? host_.Graph() : nullptr;
  if (graph == nullptr) return;
  previewRatioAxis_ = GraphShowsRatio();
  graph->SetPreviewCurves(PreviewOf(lastResult_->FittedCurve, previewRatioAxis_));
  previewShown_ = true;
}

void FitPage::FollowRatioAxis() {
  if (previewShown_ && GraphShowsRatio() != previewRatioAxis_) ShowPreview();
}

void FitPage::FollowChangedSet() {
  const ConfigSet& changed = state_.Set[kChangedSet];
  dimensionRanges_->Follow(changed);
  if (previewShown_ && request_ && !SameEntered(changed, request_->Start)) ClearPreview();
}

bool FitPage::GraphShowsRatio() const {
  const ResultTable* table = host_.Table ? host_.Table() : nullptr;
  return table == nullptr || table->IsShown(ResultItem::LinkRatio);
}

void FitPage::ClearPreview() {
  GraphView* graph = host_.Graph ? host_.Graph() : nullptr;
  if (graph != nullptr) graph->ClearPreview();
  previewShown_ = false;
}

bool FitPage::Apply() {
  if (!lastResult_ || !request_ || runner_->Running()) return false;
  InputForm* input = host_.Input ? host_.Input() : nullptr;
  if (input == nullptr || (state_.Mode != EditMode::New && state_.Mode != EditMode::Change)) {
    Tell(tr("数値入力画面が開いていないため、適用できません"));
    return false;
  }
  // The values belong to the set the fit started from: applied to another,
  // the curve would not be the one previewed.
  if (!SameEntered(state_.Set[kChangedSet], request_->Start)) {
    Tell(tr("実行した後に変更データが変わりました。もう一度実行してください"));
    return false;
  }
  const assist::FitResult& r = *lastResult_;
  for (std::size_t i = 0; i < r.Values.size(); ++i) {
    const Dimension d = request_->Vary[i].Dim;
    input->Entry().SetBoxText(DimensionBox(d),
                              QString::fromStdString(FormatNumber(r.Values[i], InfoOf(d).Pattern)));
  }
  // Committed as Enter in a box commits: read, judged, processed over the
  // whole stroke, or refused and put back.
  input->EnterInBox(box::AxleStartPos);
  bool taken = true;
  for (std::size_t i = 0; i < r.Values.size(); ++i) {
    if (ValueOf(state_.Set[kChangedSet], request_->Vary[i].Dim) != r.Values[i]) {
      taken = false;
    }
  }
  if (taken) {
    ClearPreview();
    lastResult_.reset();
    resultLabel_->setText(resultLabel_->text() + tr("  (適用しました)"));
  } else {
    resultLabel_->setText(resultLabel_->text() + tr("  (適用できませんでした)"));
  }
  emit applied();
  UpdateButtons();
  return taken;
}

void FitPage::UpdateButtons() {
  const bool running = runner_->Running();
  runButton_->setEnabled(!running);
  cancelButton_->setEnabled(running);
  applyButton_->setEnabled(!running && lastResult_.has_value());
}

void FitPage::Tell(const QString& text) {
  prompts_.Message(this, text, text::kNoticeTitle, MessageIcon::Warning);
}

}  // namespace potelan
