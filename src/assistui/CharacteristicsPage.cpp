#include "assistui/CharacteristicsPage.hpp"

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
      return QStringLiteral("サス荷重");
    case assist::LoadItem::Axle:
      return QStringLiteral("ｱｸｽﾙ荷重");
    case assist::LoadItem::TenRod:
      return QStringLiteral("ﾃﾝｼｮﾝﾛｯﾄﾞ荷重");
    case assist::LoadItem::Pivot:
      return QStringLiteral("ピボット荷重");
    case assist::LoadItem::FrameLink:
      return QStringLiteral("ﾌﾚｰﾑﾘﾝｸ取付位置荷重");
    case assist::LoadItem::ForkLink:
      return QStringLiteral("ﾌｫｰｸﾘﾝｸ取付位置荷重");
  }
  return {};
}

QString SagText(const std::optional<assist::Sag>& sag) {
  if (!sag) return kNone;
  switch (sag->Outcome) {
    case assist::SagOutcome::Reached:
      return Fixed(sag->Stroke, 3);
    case assist::SagOutcome::HeldByPreload:
      return QStringLiteral("0 (ﾌﾟﾘﾛｰﾄﾞで支持)");
    case assist::SagOutcome::NotReached:
      return QStringLiteral("届かず");
    case assist::SagOutcome::NotFormed:
      return kNotFormed;
  }
  return kNone;
}

// The cells of one set's column, in the order of the rows.
QStringList Cells(const assist::Characteristics& c, int rowCount) {
  QStringList cells;
  if (!c.Swept.Ok || c.Swept.Points.empty()) {
    for (int r = 0; r < rowCount; ++r) cells << kNotFormed;
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
      cells << kNone << kNone;
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
  staticLoadBox_->setObjectName("Spin_Static_Load");
  staticLoadBox_->setRange(0, 99999.9);
  staticLoadBox_->setDecimals(1);
  staticLoadBox_->setSuffix(QStringLiteral(" kgf"));
  staticLoadBox_->setSpecialValueText(QStringLiteral("なし"));
  loadRow->addWidget(Buddy(QStringLiteral("静的ｱｸｽﾙ荷重:"), staticLoadBox_, this));
  loadRow->addWidget(staticLoadBox_);
  loadRow->addStretch(1);
  layout->addLayout(loadRow);

  figuresTable_ = new QTableWidget(this);
  figuresTable_->setObjectName("Table_Characteristics");
  figuresTable_->setAccessibleName(QStringLiteral("特性"));
  figuresTable_->setColumnCount(2);
  figuresTable_->setHorizontalHeaderLabels({kBaseColumn, kChangedColumn});
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
  QStringList rows = {QStringLiteral("ﾘﾝｸﾚｼｵ 0mm"),
                      QStringLiteral("ﾘﾝｸﾚｼｵ %1mm").arg(state_.MaxStroke),
                      QStringLiteral("進行率 %"),
                      QStringLiteral("ｻｽｽﾄﾛｰｸ %1mm時 mm").arg(state_.MaxStroke),
                      QStringLiteral("ﾎｲｰﾙﾚｰﾄ 0mm kgf/mm"),
                      QStringLiteral("ﾎｲｰﾙﾚｰﾄ %1mm kgf/mm").arg(state_.MaxStroke),
                      QStringLiteral("サグ mm")};
  for (assist::LoadItem item : assist::kLoadItems) {
    rows << LoadName(item) + QStringLiteral(" 最大 kgf")
         << LoadName(item) + QStringLiteral(" 最大位置 mm");
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
      if (!c.Swept.Ok) item->setToolTip(QString::fromStdString(c.Swept.Message));
      figuresTable_->setItem(r, k, item);
    }
  }
}

}  // namespace potelan
