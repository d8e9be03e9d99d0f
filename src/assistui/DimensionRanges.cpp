#include "assistui/DimensionRanges.hpp"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "assistui/Common.hpp"
#include "entry/BoxNames.hpp"

namespace potelan {

using namespace assistui;

DimensionRanges::DimensionRanges(QWidget* parent) : QScrollArea(parent) {
  setWidgetResizable(true);
  rowHolder_ = new QWidget(this);
  new QGridLayout(rowHolder_);
  setWidget(rowHolder_);
}

QSize DimensionRanges::sizeHint() const {
  const QSize all = QScrollArea::sizeHint();
  return {all.width(), std::min(all.height(), 12 * fontMetrics().height())};
}

void DimensionRanges::Follow(const ConfigSet& changed) {
  if (rowsType_ != changed.SusType) {
    Rebuild(changed);
  } else {
    UpdateValues(changed);
  }
}

void DimensionRanges::Rebuild(const ConfigSet& changed) {
  auto* grid = static_cast<QGridLayout*>(rowHolder_->layout());
  for (auto& [dim, row] : rows_) {
    delete row.Check;
    delete row.CurrentValue;
    delete row.Lower;
    delete row.Upper;
  }
  for (QLabel* label : rowHolder_->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
    delete label;
  }
  rows_.clear();
  rowsType_ = changed.SusType;
  // The columns' headings once, above the rows.
  const QString headings[] = {tr("寸法"), tr("現在値"), tr("下限"), tr("上限")};
  for (int column = 0; column < 4; ++column) {
    grid->addWidget(new QLabel(headings[column], rowHolder_), 0, column);
  }
  int r = 1;
  for (Dimension d : DimensionsOfType(changed.SusType)) {
    Row row;
    const QString caption = DimensionCaption(d);
    row.Check = new QCheckBox(caption, rowHolder_);
    row.Check->setObjectName(QStringLiteral("Check_") + TableText(JsonName(d)));
    row.Check->setAccessibleName(caption);
    row.CurrentValue = new QLabel(rowHolder_);
    row.CurrentValue->setAccessibleName(tr("%1 現在値").arg(caption));
    const int decimals = EntryDecimals(d);
    auto spin = [&](const QString& which) {
      auto* box = new QDoubleSpinBox(rowHolder_);
      box->setLocale(QLocale::c());  // a decimal point in every language
      box->setRange(-99999.99, 99999.99);
      box->setDecimals(decimals);
      box->setSingleStep(EntryStep(d) * 10);
      box->setAccessibleName(caption + QLatin1Char(' ') + which);
      box->setSuffix(QLatin1Char(' ') + TableText(InfoOf(d).Unit));
      box->setMaximumWidth(122);
      return box;
    };
    row.Lower = spin(tr("下限"));
    row.Upper = spin(tr("上限"));
    grid->addWidget(row.Check, r, 0);
    grid->addWidget(row.CurrentValue, r, 1);
    grid->addWidget(row.Lower, r, 2);
    grid->addWidget(row.Upper, r, 3);
    row.Value = std::nan("");  // filled below
    rows_[d] = row;
    ++r;
  }
  grid->setRowStretch(r, 1);
  UpdateValues(changed);
  // Every row in full beside the vertical scroll bar.
  setMinimumWidth(rowHolder_->sizeHint().width() + verticalScrollBar()->sizeHint().width() +
                  2 * frameWidth());
}

void DimensionRanges::UpdateValues(const ConfigSet& changed) {
  for (auto& [d, row] : rows_) {
    const double value = ValueOf(changed, d);
    if (row.Value == value) continue;
    row.Value = value;
    row.CurrentValue->setText(Fixed(value, EntryDecimals(d)) + QLatin1Char(' ') +
                              TableText(InfoOf(d).Unit));
    const Bounds b = DefaultBounds(d, value);
    row.Lower->setValue(b.Lower);
    row.Upper->setValue(b.Upper);
  }
}

const DimensionRanges::Row* DimensionRanges::Find(Dimension d) const {
  const auto found = rows_.find(d);
  return found == rows_.end() ? nullptr : &found->second;
}
QCheckBox* DimensionRanges::Check(Dimension d) const {
  const Row* row = Find(d);
  return row != nullptr ? row->Check : nullptr;
}
QDoubleSpinBox* DimensionRanges::LowerBox(Dimension d) const {
  const Row* row = Find(d);
  return row != nullptr ? row->Lower : nullptr;
}
QDoubleSpinBox* DimensionRanges::UpperBox(Dimension d) const {
  const Row* row = Find(d);
  return row != nullptr ? row->Upper : nullptr;
}

std::vector<Dimension> DimensionRanges::Ticked() const {
  std::vector<Dimension> ticked;
  for (const auto& [d, row] : rows_) {
    if (row.Check->isChecked()) ticked.push_back(d);
  }
  return ticked;
}

Bounds DimensionRanges::RangeOf(Dimension d) const {
  const Row* row = Find(d);
  return row != nullptr ? Bounds{row->Lower->value(), row->Upper->value()} : Bounds{};
}

}  // namespace potelan
