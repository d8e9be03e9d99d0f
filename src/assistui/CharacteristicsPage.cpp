#include "assistui/CharacteristicsPage.hpp"

#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "assistui/Common.hpp"

namespace potelan {
namespace {

using namespace assistui;

QString LoadName(assist::LoadItem item) {
  switch (item) {
    case assist::LoadItem::Sus:
      return QCoreApplication::translate("potelan::CharacteristicsPage", "サス荷重");
    case assist::LoadItem::Axle:
      return QCoreApplication::translate("potelan::CharacteristicsPage", "ｱｸｽﾙ荷重");
    case assist::LoadItem::TenRod:
      return QCoreApplication::translate("potelan::CharacteristicsPage", "ﾃﾝｼｮﾝﾛｯﾄﾞ荷重");
    case assist::LoadItem::Pivot:
      return QCoreApplication::translate("potelan::CharacteristicsPage", "ピボット荷重");
    case assist::LoadItem::FrameLink:
      return QCoreApplication::translate("potelan::CharacteristicsPage", "ﾌﾚｰﾑﾘﾝｸ取付位置荷重");
    case assist::LoadItem::ForkLink:
      return QCoreApplication::translate("potelan::CharacteristicsPage", "ﾌｫｰｸﾘﾝｸ取付位置荷重");
  }
  return {};
}

QString SagText(const std::optional<assist::Sag>& sag) {
  if (!sag) return None();
  switch (sag->Outcome) {
    case assist::SagOutcome::Reached:
      return Fixed(sag->Stroke, 3);
    case assist::SagOutcome::HeldByPreload:
      return QCoreApplication::translate("potelan::CharacteristicsPage", "0 (ﾌﾟﾘﾛｰﾄﾞで支持)");
    case assist::SagOutcome::NotReached:
      return QCoreApplication::translate("potelan::CharacteristicsPage", "届かず");
    case assist::SagOutcome::NotFormed:
      return NotFormed();
  }
  return None();
}

// The cells of one set's column, in the order of the rows.
QStringList Cells(const assist::Characteristics& c, int rowCount) {
  QStringList cells;
  if (!c.Swept.Ok || c.Swept.Points.empty()) {
    for (int r = 0; r < rowCount; ++r) cells << NotFormed();
    return cells;
  }
  const assist::CurvePoint& first = c.Swept.Points.front();
  const assist::CurvePoint& last = c.Swept.Points.back();
  cells << Fixed(first.LinkRatio, 4) << Fixed(last.LinkRatio, 4) << Fixed(c.ProgressionPercent, 2)
        << Fixed(last.SusStroke, 2) << Fixed(first.WheelRate, 3) << Fixed(last.WheelRate, 3)
        << SagText(c.StaticSag);
  for (assist::LoadItem item : assist::kLoadItems) {
    const auto peak = std::find_if(c.Peaks.begin(), c.Peaks.end(),
                                   [&](const assist::LoadPeak& p) { return p.Item == item; });
    if (peak == c.Peaks.end()) {
      cells << None() << None();
    } else {
      cells << Fixed(peak->Value, 1) << Fixed(peak->Stroke, 0);
    }
  }
  return cells;
}

}  // namespace

CharacteristicsPage::CharacteristicsPage(const AppState& state, QWidget* parent)
    : QWidget(parent), state_(state) {
  auto* layout = new QVBoxLayout(this);
  auto* loadRow = new QHBoxLayout();
  staticLoadBox_ = new QDoubleSpinBox(this);
  staticLoadBox_->setLocale(QLocale::c());  // a decimal point in every language
  staticLoadBox_->setObjectName("Spin_Static_Load");
  staticLoadBox_->setRange(0, 99999.9);
  staticLoadBox_->setDecimals(1);
  staticLoadBox_->setSuffix(QStringLiteral(" kgf"));
  staticLoadBox_->setSpecialValueText(tr("なし"));
  loadRow->addWidget(Buddy(tr("静的ｱｸｽﾙ荷重:"), staticLoadBox_, this));
  loadRow->addWidget(staticLoadBox_);
  loadRow->addStretch(1);
  layout->addLayout(loadRow);

  figuresTable_ = new QTableWidget(this);
  figuresTable_->setObjectName("Table_Characteristics");
  figuresTable_->setAccessibleName(tr("特性"));
  figuresTable_->setColumnCount(2);
  figuresTable_->setHorizontalHeaderLabels({BaseColumn(), ChangedColumn()});
  figuresTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  figuresTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  layout->addWidget(figuresTable_, 1);
  connect(staticLoadBox_, &QDoubleSpinBox::valueChanged, this, [this] { Fill(); });
}

void CharacteristicsPage::Fill() {
  const std::optional<double> load =
      staticLoadBox_->value() > 0 ? std::optional<double>(staticLoadBox_->value()) : std::nullopt;
  for (int k = 0; k < 2; ++k) {
    shown_[static_cast<std::size_t>(k)] =
        assist::Characterise(state_.Set[k], state_.MaxStroke, load);
  }
  QStringList rows = {tr("ﾘﾝｸﾚｼｵ 0mm"),
                      tr("ﾘﾝｸﾚｼｵ %1mm").arg(state_.MaxStroke),
                      tr("進行率 %"),
                      tr("ｻｽｽﾄﾛｰｸ %1mm時 mm").arg(state_.MaxStroke),
                      tr("ﾎｲｰﾙﾚｰﾄ 0mm kgf/mm"),
                      tr("ﾎｲｰﾙﾚｰﾄ %1mm kgf/mm").arg(state_.MaxStroke),
                      tr("サグ mm")};
  for (assist::LoadItem item : assist::kLoadItems) {
    rows << tr("%1 最大 kgf").arg(LoadName(item)) << tr("%1 最大位置 mm").arg(LoadName(item));
  }
  const int rowCount = static_cast<int>(rows.size());
  figuresTable_->setRowCount(rowCount);
  figuresTable_->setVerticalHeaderLabels(rows);
  for (int k = 0; k < 2; ++k) {
    const assist::Characteristics& c = shown_[static_cast<std::size_t>(k)];
    const QStringList cells = Cells(c, rowCount);
    for (int r = 0; r < rowCount; ++r) {
      QTableWidgetItem* item = ReadOnlyItem(cells[r]);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (!c.Swept.Ok) item->setToolTip(SweepFailure(c.Swept.Message, c.Swept.FailedStroke));
      figuresTable_->setItem(r, k, item);
    }
  }
}

}  // namespace potelan
