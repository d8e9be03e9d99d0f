#include "assistui/SensitivityPage.hpp"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>

#include "assistui/Common.hpp"
#include "entry/BoxNames.hpp"

namespace potelan {
namespace {

using namespace assistui;

constexpr int kFigureCount = 5;
// The figures' names as the sort choice lists them, each with the stroke it
// is taken at (0, half and the whole stroke) or its unit.
QString FigureName(SensitivityPage::Figure f, std::int16_t maxStroke) {
  using Figure = SensitivityPage::Figure;
  switch (f) {
    case Figure::RatioAtZero:
      return QCoreApplication::translate("potelan::SensitivityPage", "ﾘﾝｸﾚｼｵ 0mm");
    case Figure::RatioAtHalf:
      return QCoreApplication::translate("potelan::SensitivityPage", "ﾘﾝｸﾚｼｵ 中間 %1mm")
          .arg(maxStroke / 2.0);
    case Figure::RatioAtMax:
      return QCoreApplication::translate("potelan::SensitivityPage", "ﾘﾝｸﾚｼｵ 最大 %1mm")
          .arg(maxStroke);
    case Figure::Progression:
      return QCoreApplication::translate("potelan::SensitivityPage", "進行率 %");
    case Figure::SusStroke:
      return QCoreApplication::translate("potelan::SensitivityPage", "ｻｽｽﾄﾛｰｸ mm");
  }
  return {};
}
// A column's header: the figure, and that its change is per +1 mm of the
// dimension (the note names the spring rate's unit).
QString HeaderOf(SensitivityPage::Figure f, std::int16_t maxStroke) {
  using Figure = SensitivityPage::Figure;
  QString name;
  switch (f) {
    case Figure::RatioAtZero:
      name =
          QCoreApplication::translate("potelan::SensitivityPage", "ﾘﾝｸﾚｼｵ 0mm", "column heading");
      break;
    case Figure::RatioAtHalf:
      name =
          QCoreApplication::translate("potelan::SensitivityPage", "ﾘﾝｸﾚｼｵ %1mm", "column heading")
              .arg(maxStroke / 2.0);
      break;
    case Figure::RatioAtMax:
      name =
          QCoreApplication::translate("potelan::SensitivityPage", "ﾘﾝｸﾚｼｵ %1mm", "column heading")
              .arg(maxStroke);
      break;
    case Figure::Progression:
      name = QCoreApplication::translate("potelan::SensitivityPage", "進行率 %", "column heading");
      break;
    case Figure::SusStroke:
      name =
          QCoreApplication::translate("potelan::SensitivityPage", "ｻｽｽﾄﾛｰｸ mm", "column heading");
      break;
  }
  return name + QLatin1Char('\n') +
         QCoreApplication::translate("potelan::SensitivityPage", "+1mm あたり", "column heading");
}
// Decimals each figure's change is shown with.
constexpr std::array<int, 5> kFigureDecimals = {5, 5, 5, 3, 3};

// The cell of one figure's change per unit.
QTableWidgetItem* ChangeCell(const assist::DimensionSensitivity& row, SensitivityPage::Figure f,
                             double step) {
  if (!row.Assembles) {
    const QString unit = TableText(InfoOf(row.Dim).Unit);
    QTableWidgetItem* cell =
        ReadOnlyItem(QCoreApplication::translate("potelan::SensitivityPage", "±%1%2で成立せず")
                         .arg(step)
                         .arg(unit));
    cell->setForeground(QColor(96, 96, 96));
    return cell;
  }
  const double v = SensitivityPage::FigureOf(row.PerUnit, f);
  const int decimals = kFigureDecimals[static_cast<std::size_t>(f)];
  QString text = Fixed(v, decimals);
  // The sign is always written, so colour is never the only cue.
  if (v > 0) text.prepend(QLatin1Char('+'));
  if (text.toDouble() == 0) text = Fixed(0, decimals);
  QTableWidgetItem* cell = ReadOnlyItem(text);
  if (v > 0 && text.toDouble() != 0) cell->setForeground(QColor(0, 0, 200));
  if (v < 0 && text.toDouble() != 0) cell->setForeground(QColor(200, 0, 0));
  return cell;
}

}  // namespace

double SensitivityPage::FigureOf(const assist::KeyFigures& figures, Figure f) {
  switch (f) {
    case Figure::RatioAtZero:
      return figures.RatioAtZero;
    case Figure::RatioAtHalf:
      return figures.RatioAtHalf;
    case Figure::RatioAtMax:
      return figures.RatioAtMax;
    case Figure::Progression:
      return figures.ProgressionPercent;
    case Figure::SusStroke:
      return figures.SusStrokeAtMax;
  }
  return 0;
}

SensitivityPage::SensitivityPage(const AppState& state, QWidget* parent)
    : QWidget(parent), state_(state) {
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout();
  figureChoice_ = new QComboBox(this);
  figureChoice_->setObjectName("Combo_Sensitivity");
  for (int f = 0; f < kFigureCount; ++f) {
    figureChoice_->addItem(FigureName(static_cast<Figure>(f), state_.MaxStroke));
  }
  row->addWidget(Buddy(tr("並べる基準:"), figureChoice_, this));
  row->addWidget(figureChoice_);
  row->addStretch(1);
  layout->addLayout(row);
  noteLabel_ = new QLabel(this);
  noteLabel_->setObjectName("Label_Sensitivity");
  noteLabel_->setAccessibleName(tr("感度の説明"));
  noteLabel_->setWordWrap(true);
  layout->addWidget(noteLabel_);

  sensitivityTable_ = new QTableWidget(this);
  sensitivityTable_->setObjectName("Table_Sensitivity");
  sensitivityTable_->setAccessibleName(tr("感度"));
  sensitivityTable_->setColumnCount(kFigureCount + 1);
  sensitivityTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sensitivityTable_->verticalHeader()->setVisible(false);
  // The figures' columns as wide as their headings, in any language.
  sensitivityTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  sensitivityTable_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  layout->addWidget(sensitivityTable_, 1);
  connect(figureChoice_, &QComboBox::currentIndexChanged, this, [this] { Fill(); });
}

std::vector<Dimension> SensitivityPage::Order() const {
  std::vector<Dimension> order;
  for (int r = 0; r < sensitivityTable_->rowCount(); ++r) {
    const QTableWidgetItem* item = sensitivityTable_->item(r, 0);
    if (item != nullptr) order.push_back(static_cast<Dimension>(item->data(Qt::UserRole).toInt()));
  }
  return order;
}

void SensitivityPage::Recompute() {
  sensitivity_ = assist::ComputeSensitivity(state_.Set[kChangedSet], state_.MaxStroke);
  Fill();
}

void SensitivityPage::Fill() {
  const assist::Sensitivity& s = sensitivity_;
  const auto figure = static_cast<Figure>(std::max(0, figureChoice_->currentIndex()));
  QStringList headers = {tr("寸法")};
  for (int f = 0; f < kFigureCount; ++f) {
    headers << HeaderOf(static_cast<Figure>(f), state_.MaxStroke);
    figureChoice_->setItemText(f, FigureName(static_cast<Figure>(f), state_.MaxStroke));
  }
  sensitivityTable_->setHorizontalHeaderLabels(headers);
  if (!s.Ok) {
    noteLabel_->setText(tr("変更データがストローク全体で成立しません: ") +
                        SweepFailure(s.Message, s.FailedStroke));
    sensitivityTable_->setRowCount(0);
    return;
  }
  // The units of a length and of the spring rate, as the table gives them.
  noteLabel_->setText(tr("変更データの寸法 +1%1 あたりの変化 (%2は +1%3)。"
                         "中央差分 ±%4%1。＋は青、－は赤。")
                          .arg(TableText(InfoOf(Dimension::LinkUp).Unit),
                               DimensionCaption(Dimension::SpringRate),
                               TableText(InfoOf(Dimension::SpringRate).Unit))
                          .arg(s.Step));
  // Rows by influence on the chosen figure, largest first; rows that do not
  // assemble at their steps go last, in file order.
  std::vector<assist::DimensionSensitivity> rows = s.Rows;
  std::stable_sort(
      rows.begin(), rows.end(),
      [&](const assist::DimensionSensitivity& a, const assist::DimensionSensitivity& b) {
        if (a.Assembles != b.Assembles) return a.Assembles;
        if (!a.Assembles) return false;
        return std::fabs(FigureOf(a.PerUnit, figure)) > std::fabs(FigureOf(b.PerUnit, figure));
      });
  sensitivityTable_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const assist::DimensionSensitivity& row = rows[static_cast<std::size_t>(r)];
    QTableWidgetItem* name = ReadOnlyItem(DimensionCaption(row.Dim));
    name->setData(Qt::UserRole, static_cast<int>(row.Dim));
    sensitivityTable_->setItem(r, 0, name);
    for (int f = 0; f < kFigureCount; ++f) {
      QTableWidgetItem* cell = ChangeCell(row, static_cast<Figure>(f), s.Step);
      cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (f == static_cast<int>(figure)) {
        QFont bold = cell->font();
        bold.setBold(true);
        cell->setFont(bold);
      }
      sensitivityTable_->setItem(r, f + 1, cell);
    }
  }
}

}  // namespace potelan
