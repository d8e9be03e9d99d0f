#include "assistui/TargetEditor.hpp"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "assistui/Common.hpp"
#include "ui/Prompts.hpp"
#include "ui/Texts.hpp"

namespace potelan {

using namespace assistui;

TargetEditor::TargetEditor(const AppState& state, Prompts& prompts, QWidget* parent)
    : QWidget(parent), state_(state), prompts_(prompts) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* quantityRow = new QHBoxLayout();
  quantityChoice_ = new QComboBox(this);
  quantityChoice_->setObjectName("Combo_Quantity");
  quantityChoice_->addItems({tr("ﾘﾝｸﾚｼｵ"), tr("ﾘﾝｸﾚｼｵ(逆数)"), tr("ｱｸｽﾙ荷重")});
  quantityRow->addWidget(Buddy(tr("合わせる値:"), quantityChoice_, this));
  quantityRow->addWidget(quantityChoice_, 1);
  layout->addLayout(quantityRow);

  pointsTable_ = new QTableWidget(0, 2, this);
  pointsTable_->setObjectName("Table_Target");
  pointsTable_->setAccessibleName(tr("目標点"));
  pointsTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  pointsTable_->verticalHeader()->setVisible(false);
  layout->addWidget(pointsTable_, 1);

  auto* buttons = new QGridLayout();
  QPushButton* addRow = Button(tr("行追加"), "Command_Add_Row", this);
  QPushButton* removeRow = Button(tr("行削除"), "Command_Remove_Row", this);
  QPushButton* fromBase = Button(tr("基準から"), "Command_From_Base", this);
  QPushButton* fromChanged = Button(tr("変更から"), "Command_From_Changed", this);
  buttons->addWidget(addRow, 0, 0);
  buttons->addWidget(removeRow, 0, 1);
  buttons->addWidget(fromBase, 1, 0);
  buttons->addWidget(fromChanged, 1, 1);
  amountBox_ = new QDoubleSpinBox(this);
  amountBox_->setLocale(QLocale::c());  // a decimal point in every language
  amountBox_->setObjectName("Spin_Amount");
  amountBox_->setRange(-1000, 1000);
  amountBox_->setDecimals(3);
  amountBox_->setValue(10);
  // The unit the amount is read in is each button's: % or the target's.
  amountBox_->setToolTip(tr("進行率と値の倍率では %、値に足すときは目標値の単位"));
  buttons->addWidget(Buddy(tr("変化量:"), amountBox_, this), 2, 0);
  buttons->addWidget(amountBox_, 2, 1);
  QPushButton* progression = Button(tr("進行率 +変化量 %"), "Command_Progression", this);
  QPushButton* scale = Button(tr("値 ×(1+変化量 %)"), "Command_Scale", this);
  shiftButton_ = Button(QString(), "Command_Shift", this);
  QPushButton* shift = shiftButton_;
  buttons->addWidget(progression, 3, 0, 1, 2);
  buttons->addWidget(scale, 4, 0);
  buttons->addWidget(shift, 4, 1);
  layout->addLayout(buttons);
  connect(addRow, &QPushButton::clicked, this, [this] {
    const int r = pointsTable_->rowCount();
    pointsTable_->insertRow(r);
    pointsTable_->setItem(r, 0, new QTableWidgetItem());
    pointsTable_->setItem(r, 1, new QTableWidgetItem());
  });
  connect(removeRow, &QPushButton::clicked, this, [this] {
    const int r = pointsTable_->currentRow();
    if (r >= 0) pointsTable_->removeRow(r);
  });
  connect(fromBase, &QPushButton::clicked, this, [this] { TakeFrom(kBaseSet); });
  connect(fromChanged, &QPushButton::clicked, this, [this] { TakeFrom(kChangedSet); });
  connect(progression, &QPushButton::clicked, this, [this] { Reshape(Change::AddProgression); });
  connect(scale, &QPushButton::clicked, this, [this] { Reshape(Change::Scale); });
  connect(shift, &QPushButton::clicked, this, [this] { Reshape(Change::Shift); });
  connect(quantityChoice_, &QComboBox::currentIndexChanged, this, [this] {
    ShowUnits();
    TakeFrom(kChangedSet);
  });
  ShowUnits();
}

QString TargetEditor::UnitSuffix() const {
  return ChosenQuantity() == assist::Quantity::AxleLoad ? QStringLiteral(" kgf") : QString();
}

void TargetEditor::ShowUnits() {
  // A ratio has no unit; a load is in kgf.
  pointsTable_->setHorizontalHeaderLabels({tr("ｽﾄﾛｰｸ mm"), tr("目標値") + UnitSuffix()});
  const QString shift = tr("値 +変化量") + UnitSuffix();
  shiftButton_->setText(shift);
  shiftButton_->setAccessibleName(shift);
}

assist::Quantity TargetEditor::ChosenQuantity() const {
  switch (quantityChoice_->currentIndex()) {
    case 1:
      return assist::Quantity::InvLinkRatio;
    case 2:
      return assist::Quantity::AxleLoad;
    default:
      return assist::Quantity::LinkRatio;
  }
}

std::vector<assist::CurveSample> TargetEditor::Points() const {
  std::vector<assist::CurveSample> samples;
  for (int r = 0; r < pointsTable_->rowCount(); ++r) {
    const QTableWidgetItem* s = pointsTable_->item(r, 0);
    const QTableWidgetItem* v = pointsTable_->item(r, 1);
    if (s == nullptr || v == nullptr) continue;
    bool okS = false, okV = false;
    const double stroke = s->text().trimmed().toDouble(&okS);
    const double value = v->text().trimmed().toDouble(&okV);
    if (okS && okV && std::isfinite(stroke) && std::isfinite(value)) {
      samples.push_back({stroke, value});
    }
  }
  std::stable_sort(samples.begin(), samples.end(),
                   [](const assist::CurveSample& a, const assist::CurveSample& b) {
                     return a.Stroke < b.Stroke;
                   });
  return samples;
}

void TargetEditor::SetPoints(const std::vector<assist::CurveSample>& points) {
  const int decimals = ChosenQuantity() == assist::Quantity::AxleLoad ? 3 : 6;
  pointsTable_->setRowCount(static_cast<int>(points.size()));
  for (int r = 0; r < static_cast<int>(points.size()); ++r) {
    const assist::CurveSample& s = points[static_cast<std::size_t>(r)];
    pointsTable_->setItem(r, 0, new QTableWidgetItem(QString::number(s.Stroke, 'g', 10)));
    pointsTable_->setItem(r, 1, new QTableWidgetItem(Fixed(s.Value, decimals)));
  }
}

int TargetEditor::FirstBadRow() const {
  for (int r = 0; r < pointsTable_->rowCount(); ++r) {
    int filled = 0, numbers = 0;
    for (int c = 0; c < 2; ++c) {
      const QTableWidgetItem* item = pointsTable_->item(r, c);
      const QString text = item != nullptr ? item->text().trimmed() : QString();
      bool ok = false;
      const double value = text.toDouble(&ok);
      if (!text.isEmpty()) ++filled;
      if (ok && std::isfinite(value)) ++numbers;
    }
    if (filled > 0 && numbers < 2) return r + 1;
  }
  return 0;
}

void TargetEditor::TakeFrom(int set) {
  const assist::Curve curve = assist::SweepCurve(state_.Set[set], state_.MaxStroke, false);
  if (!curve.Ok) {
    const QString text = tr("%1データがストローク全体で成立しないため、目標にできません")
                             .arg(set == kBaseSet ? BaseColumn() : ChangedColumn());
    prompts_.Message(this, text, text::kNoticeTitle, MessageIcon::Warning);
    return;
  }
  SetPoints(assist::TargetFromCurve(curve, ChosenQuantity()));
}

void TargetEditor::Reshape(Change change) {
  std::vector<assist::CurveSample> points = Points();
  const double amount = amountBox_->value();
  switch (change) {
    case Change::AddProgression:
      points = assist::AddProgression(std::move(points), amount);
      break;
    case Change::Scale:
      points = assist::ScaleTarget(std::move(points), 1 + amount / 100);
      break;
    case Change::Shift:
      points = assist::ShiftTarget(std::move(points), amount);
      break;
  }
  SetPoints(points);
}

}  // namespace potelan
