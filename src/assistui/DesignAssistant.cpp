#include "assistui/DesignAssistant.hpp"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "entry/BoxNames.hpp"
#include "entry/InputForm.hpp"
#include "model/NumberFormat.hpp"
#include "model/ResultTable.hpp"
#include "model/StrokeSweep.hpp"
#include "ui/Prompts.hpp"
#include "ui/Texts.hpp"
#include "views/GraphView.hpp"

namespace potelan {
namespace {

using assist::Dimension;

const QString kTitle = QStringLiteral("設計支援");
const QString kBaseColumn = QStringLiteral("基準");
const QString kChangedColumn = QStringLiteral("変更");
const QString kNotFormed = QStringLiteral("成立せず");
const QString kNone = QStringLiteral("―");
constexpr int kPollMs = 250;

// Texts of the figures on the sensitivity page, in the order of Figure.
const std::array<QString, 5> kFigureNames = {
    QStringLiteral("ﾘﾝｸﾚｼｵ 0mm"), QStringLiteral("ﾘﾝｸﾚｼｵ 中間"), QStringLiteral("ﾘﾝｸﾚｼｵ 最大"),
    QStringLiteral("進行率"), QStringLiteral("ｻｽｽﾄﾛｰｸ")};
// Decimals each figure's change is shown with.
constexpr std::array<int, 5> kFigureDecimals = {5, 5, 5, 3, 3};

struct DimensionText {
  Dimension Dim;
  const char* Caption;
  const QString* Box;
};
const DimensionText kDimensionTexts[] = {
    {Dimension::SusUpX, "サス上部取付位置Ｘ座標", &box::SusUpX},
    {Dimension::SusUpY, "サス上部取付位置Ｙ座標", &box::SusUpY},
    {Dimension::SusUpLength, "サス上部取付長", &box::SusUpLength},
    {Dimension::SusUpOffset, "サス上部取付オフセット", &box::SusUpOffset},
    {Dimension::ForkLength, "リアフォーク長", &box::ForkLength},
    {Dimension::ForkLinkLength, "フォークリンク取付位置", &box::ForkLinkLength},
    {Dimension::ForkLinkOffset, "リンク取付オフセット量", &box::ForkLinkOffset},
    {Dimension::AxleStartPos, "リアアクスル初期位置", &box::AxleStartPos},
    {Dimension::SpringRate, "スプリングレート", &box::Spring},
    {Dimension::Preload, "プリロード", &box::Preload},
    {Dimension::FrameLinkX, "フレーム側リンク取付位置Ｘ座標", &box::FrameLinkX},
    {Dimension::FrameLinkY, "フレーム側リンク取付位置Ｙ座標", &box::FrameLinkY},
    {Dimension::LinkUp, "リンクプレート上辺", &box::LinkUp},
    {Dimension::LinkFr, "リンクプレート前辺", &box::LinkFr},
    {Dimension::LinkRr, "リンクプレート後辺", &box::LinkRr},
    {Dimension::TenRodLength, "テンションロッド長", &box::TenRod},
};
const DimensionText& TextOf(Dimension d) {
  for (const DimensionText& t : kDimensionTexts) {
    if (t.Dim == d) return t;
  }
  return kDimensionTexts[0];
}
QString Caption(Dimension d) { return QString::fromUtf8(TextOf(d).Caption); }

QString LoadName(assist::LoadItem item) {
  switch (item) {
    case assist::LoadItem::Sus: return QStringLiteral("サス荷重");
    case assist::LoadItem::Axle: return QStringLiteral("ｱｸｽﾙ荷重");
    case assist::LoadItem::TenRod: return QStringLiteral("ﾃﾝｼｮﾝﾛｯﾄﾞ荷重");
    case assist::LoadItem::Pivot: return QStringLiteral("ピボット荷重");
    case assist::LoadItem::FrameLink: return QStringLiteral("ﾌﾚｰﾑﾘﾝｸ取付位置荷重");
    case assist::LoadItem::ForkLink: return QStringLiteral("ﾌｫｰｸﾘﾝｸ取付位置荷重");
  }
  return {};
}

// The entered values of two sets are the same (type, position, pivot move
// and every dimension).
bool SameEntered(const ConfigSet& a, const ConfigSet& b) {
  if (a.SusType != b.SusType || a.SusPos != b.SusPos || a.PivotMoveX != b.PivotMoveX ||
      a.PivotMoveY != b.PivotMoveY) {
    return false;
  }
  return std::all_of(std::begin(kDimensionTexts), std::end(kDimensionTexts),
                     [&](const DimensionText& t) {
                       return assist::ValueOf(a, t.Dim) == assist::ValueOf(b, t.Dim);
                     });
}

QString Fixed(double value, int decimals) { return QString::number(value, 'f', decimals); }

QLabel* Buddy(const QString& caption, QWidget* control, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setBuddy(control);
  QString name = caption;
  name.remove(QLatin1Char(':'));
  control->setAccessibleName(name);
  return label;
}

QPushButton* Button(const QString& caption, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAccessibleName(caption);
  return button;
}

QTableWidgetItem* ReadOnlyItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}

}  // namespace

double DesignAssistant::FigureOf(const assist::KeyFigures& figures, Figure f) {
  switch (f) {
    case Figure::RatioAtZero: return figures.RatioAtZero;
    case Figure::RatioAtHalf: return figures.RatioAtHalf;
    case Figure::RatioAtMax: return figures.RatioAtMax;
    case Figure::Progression: return figures.ProgressionPercent;
    case Figure::SusStroke: return figures.SusStrokeAtMax;
  }
  return 0;
}

DesignAssistant::DesignAssistant(AppState& state, Prompts& prompts, AssistantHost host,
                                 QWidget* parent)
    : QWidget(parent), state_(state), prompts_(prompts), host_(std::move(host)) {
  setObjectName("Form_Assist");
  setWindowTitle(kTitle);
  setAccessibleName(kTitle);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  pages_ = new QTabWidget(this);
  pages_->setObjectName("Tab_Assist");
  pages_->setAccessibleName(kTitle);
  pages_->addTab(BuildCharacteristicsPage(), QStringLiteral("特性"));
  pages_->addTab(BuildSensitivityPage(), QStringLiteral("感度"));
  pages_->addTab(BuildFitPage(), QStringLiteral("目標に合わせる"));
  layout->addWidget(pages_);
  resize(940, 620);

  poll_ = new QTimer(this);
  poll_->setInterval(kPollMs);
  connect(poll_, &QTimer::timeout, this, &DesignAssistant::PollState);
  poll_->start();
  Refresh();
  TakeTargetFrom(kChangedSet);
  UpdateButtons();
}

DesignAssistant::~DesignAssistant() {
  StopFit();
  ClearPreview();
}

void DesignAssistant::closeEvent(QCloseEvent* event) {
  StopFit();
  ClearPreview();
  QWidget::closeEvent(event);
}

// ---- 特性 ---------------------------------------------------------------------

QWidget* DesignAssistant::BuildCharacteristicsPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  auto* loadRow = new QHBoxLayout();
  staticLoad_ = new QDoubleSpinBox(page);
  staticLoad_->setObjectName("Spin_Static_Load");
  staticLoad_->setRange(0, 99999.9);
  staticLoad_->setDecimals(1);
  staticLoad_->setSuffix(QStringLiteral(" kgf"));
  staticLoad_->setSpecialValueText(QStringLiteral("なし"));
  loadRow->addWidget(Buddy(QStringLiteral("静的ｱｸｽﾙ荷重:"), staticLoad_, page));
  loadRow->addWidget(staticLoad_);
  loadRow->addStretch(1);
  layout->addLayout(loadRow);

  characteristics_ = new QTableWidget(page);
  characteristics_->setObjectName("Table_Characteristics");
  characteristics_->setAccessibleName(QStringLiteral("特性"));
  characteristics_->setColumnCount(2);
  characteristics_->setHorizontalHeaderLabels({kBaseColumn, kChangedColumn});
  characteristics_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  characteristics_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  layout->addWidget(characteristics_, 1);
  connect(staticLoad_, &QDoubleSpinBox::valueChanged, this, [this] { FillCharacteristics(); });
  return page;
}

void DesignAssistant::FillCharacteristics() {
  const std::optional<double> load =
      staticLoad_->value() > 0 ? std::optional<double>(staticLoad_->value()) : std::nullopt;
  for (int k = 0; k < 2; ++k) {
    shown_[static_cast<std::size_t>(k)] = assist::Characterise(state_.Set[k], state_.MaxStroke, load);
  }
  QStringList rows = {QStringLiteral("ﾘﾝｸﾚｼｵ 0mm"),
                      QStringLiteral("ﾘﾝｸﾚｼｵ %1mm").arg(state_.MaxStroke),
                      QStringLiteral("進行率 %"),
                      QStringLiteral("ｻｽｽﾄﾛｰｸ %1mm").arg(state_.MaxStroke),
                      QStringLiteral("ﾎｲｰﾙﾚｰﾄ 0mm kgf/mm"),
                      QStringLiteral("ﾎｲｰﾙﾚｰﾄ %1mm kgf/mm").arg(state_.MaxStroke),
                      QStringLiteral("サグ mm")};
  for (assist::LoadItem item : assist::kLoadItems) {
    rows << LoadName(item) + QStringLiteral(" 最大 kgf")
         << LoadName(item) + QStringLiteral(" 最大位置 mm");
  }
  characteristics_->setRowCount(static_cast<int>(rows.size()));
  characteristics_->setVerticalHeaderLabels(rows);
  for (int k = 0; k < 2; ++k) {
    const assist::Characteristics& c = shown_[static_cast<std::size_t>(k)];
    QStringList cells;
    if (!c.Swept.Ok || c.Swept.Points.empty()) {
      for (int r = 0; r < rows.size(); ++r) cells << kNotFormed;
    } else {
      const assist::CurvePoint& first = c.Swept.Points.front();
      const assist::CurvePoint& last = c.Swept.Points.back();
      cells << Fixed(first.LinkRatio, 4) << Fixed(last.LinkRatio, 4)
            << Fixed(c.ProgressionPercent, 2) << Fixed(last.SusStroke, 2)
            << Fixed(first.WheelRate, 3) << Fixed(last.WheelRate, 3);
      if (!c.StaticSag) {
        cells << kNone;
      } else {
        switch (c.StaticSag->Outcome) {
          case assist::SagOutcome::Reached: cells << Fixed(c.StaticSag->Stroke, 3); break;
          case assist::SagOutcome::HeldByPreload:
            cells << QStringLiteral("0 (ﾌﾟﾘﾛｰﾄﾞで支持)");
            break;
          case assist::SagOutcome::NotReached: cells << QStringLiteral("届かず"); break;
          case assist::SagOutcome::NotFormed: cells << kNotFormed; break;
        }
      }
      for (assist::LoadItem item : assist::kLoadItems) {
        const auto peak = std::find_if(c.Peaks.begin(), c.Peaks.end(),
                                       [&](const assist::LoadPeak& p) { return p.Item == item; });
        if (peak == c.Peaks.end()) {
          cells << kNone << kNone;
        } else {
          cells << Fixed(peak->Value, 1) << Fixed(peak->Stroke, 0);
        }
      }
    }
    for (int r = 0; r < rows.size(); ++r) {
      QTableWidgetItem* item = ReadOnlyItem(cells[r]);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (!c.Swept.Ok) item->setToolTip(QString::fromStdString(c.Swept.Message));
      characteristics_->setItem(r, k, item);
    }
  }
}

// ---- 感度 ---------------------------------------------------------------------

QWidget* DesignAssistant::BuildSensitivityPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  auto* row = new QHBoxLayout();
  sensitivityFigure_ = new QComboBox(page);
  sensitivityFigure_->setObjectName("Combo_Sensitivity");
  for (const QString& name : kFigureNames) sensitivityFigure_->addItem(name);
  row->addWidget(Buddy(QStringLiteral("並べる基準:"), sensitivityFigure_, page));
  row->addWidget(sensitivityFigure_);
  row->addStretch(1);
  layout->addLayout(row);
  sensitivityNote_ = new QLabel(page);
  sensitivityNote_->setObjectName("Label_Sensitivity");
  sensitivityNote_->setWordWrap(true);
  layout->addWidget(sensitivityNote_);

  sensitivity_ = new QTableWidget(page);
  sensitivity_->setObjectName("Table_Sensitivity");
  sensitivity_->setAccessibleName(QStringLiteral("感度"));
  sensitivity_->setColumnCount(static_cast<int>(kFigureNames.size()) + 1);
  QStringList headers = {QStringLiteral("寸法")};
  for (const QString& name : kFigureNames) headers << name;
  sensitivity_->setHorizontalHeaderLabels(headers);
  sensitivity_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sensitivity_->verticalHeader()->setVisible(false);
  sensitivity_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  layout->addWidget(sensitivity_, 1);
  connect(sensitivityFigure_, &QComboBox::currentIndexChanged, this, [this] { FillSensitivity(); });
  return page;
}

std::vector<Dimension> DesignAssistant::SensitivityOrder() const {
  std::vector<Dimension> order;
  for (int r = 0; r < sensitivity_->rowCount(); ++r) {
    const QTableWidgetItem* item = sensitivity_->item(r, 0);
    if (item != nullptr) order.push_back(static_cast<Dimension>(item->data(Qt::UserRole).toInt()));
  }
  return order;
}

void DesignAssistant::FillSensitivity() {
  const assist::Sensitivity& s = sensitivityData_;
  const auto figure = static_cast<Figure>(std::max(0, sensitivityFigure_->currentIndex()));
  if (!s.Ok) {
    sensitivityNote_->setText(QStringLiteral("変更データがストローク全体で成立しません: ") +
                              QString::fromStdString(s.Message));
    sensitivity_->setRowCount(0);
    return;
  }
  sensitivityNote_->setText(
      QStringLiteral("変更データの寸法 +1mm あたりの変化 (スプリングレートは +1kgf/mm)。"
                     "中央差分 ±%1。＋は青、－は赤。")
          .arg(s.Step));
  // Rows by influence on the chosen figure, largest first; rows that do not
  // assemble at their steps go last, in file order.
  std::vector<assist::DimensionSensitivity> rows = s.Rows;
  std::stable_sort(rows.begin(), rows.end(),
                   [&](const assist::DimensionSensitivity& a, const assist::DimensionSensitivity& b) {
                     if (a.Assembles != b.Assembles) return a.Assembles;
                     if (!a.Assembles) return false;
                     return std::fabs(FigureOf(a.PerUnit, figure)) >
                            std::fabs(FigureOf(b.PerUnit, figure));
                   });
  sensitivity_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const assist::DimensionSensitivity& row = rows[static_cast<std::size_t>(r)];
    QTableWidgetItem* name = ReadOnlyItem(Caption(row.Dim));
    name->setData(Qt::UserRole, static_cast<int>(row.Dim));
    sensitivity_->setItem(r, 0, name);
    for (int f = 0; f < static_cast<int>(kFigureNames.size()); ++f) {
      QTableWidgetItem* cell;
      if (!row.Assembles) {
        cell = ReadOnlyItem(QStringLiteral("±%1で成立せず").arg(s.Step));
        cell->setForeground(QColor(96, 96, 96));
      } else {
        const double v = FigureOf(row.PerUnit, static_cast<Figure>(f));
        const int decimals = kFigureDecimals[static_cast<std::size_t>(f)];
        QString text = Fixed(v, decimals);
        // The sign is always written, so colour is never the only cue.
        if (v > 0) text.prepend(QLatin1Char('+'));
        if (text.toDouble() == 0) text = Fixed(0, decimals);
        cell = ReadOnlyItem(text);
        if (v > 0 && text.toDouble() != 0) cell->setForeground(QColor(0, 0, 200));
        if (v < 0 && text.toDouble() != 0) cell->setForeground(QColor(200, 0, 0));
      }
      cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (f == static_cast<int>(figure)) {
        QFont bold = cell->font();
        bold.setBold(true);
        cell->setFont(bold);
      }
      sensitivity_->setItem(r, f + 1, cell);
    }
  }
}

// ---- 目標に合わせる -------------------------------------------------------------

QWidget* DesignAssistant::BuildFitPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  auto* top = new QHBoxLayout();
  layout->addLayout(top, 1);

  // The target on the left.
  auto* left = new QVBoxLayout();
  top->addLayout(left, 2);
  auto* quantityRow = new QHBoxLayout();
  quantity_ = new QComboBox(page);
  quantity_->setObjectName("Combo_Quantity");
  quantity_->addItems({QStringLiteral("ﾘﾝｸﾚｼｵ"), QStringLiteral("ﾘﾝｸﾚｼｵ(逆数)"),
                       QStringLiteral("ｱｸｽﾙ荷重")});
  quantityRow->addWidget(Buddy(QStringLiteral("合わせる値:"), quantity_, page));
  quantityRow->addWidget(quantity_, 1);
  left->addLayout(quantityRow);

  target_ = new QTableWidget(0, 2, page);
  target_->setObjectName("Table_Target");
  target_->setAccessibleName(QStringLiteral("目標点"));
  target_->setHorizontalHeaderLabels({QStringLiteral("ｽﾄﾛｰｸ mm"), QStringLiteral("目標値")});
  target_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  target_->verticalHeader()->setVisible(false);
  left->addWidget(target_, 1);

  auto* rowButtons = new QGridLayout();
  QPushButton* addRow = Button(QStringLiteral("行追加"), "Command_Add_Row", page);
  QPushButton* removeRow = Button(QStringLiteral("行削除"), "Command_Remove_Row", page);
  QPushButton* fromBase = Button(QStringLiteral("基準から"), "Command_From_Base", page);
  QPushButton* fromChanged = Button(QStringLiteral("変更から"), "Command_From_Changed", page);
  rowButtons->addWidget(addRow, 0, 0);
  rowButtons->addWidget(removeRow, 0, 1);
  rowButtons->addWidget(fromBase, 1, 0);
  rowButtons->addWidget(fromChanged, 1, 1);
  amount_ = new QDoubleSpinBox(page);
  amount_->setObjectName("Spin_Amount");
  amount_->setRange(-1000, 1000);
  amount_->setDecimals(3);
  amount_->setValue(10);
  rowButtons->addWidget(Buddy(QStringLiteral("変化量:"), amount_, page), 2, 0);
  rowButtons->addWidget(amount_, 2, 1);
  QPushButton* progression = Button(QStringLiteral("進行率 +変化量 %"), "Command_Progression", page);
  QPushButton* scale = Button(QStringLiteral("値 ×(1+変化量 %)"), "Command_Scale", page);
  QPushButton* shift = Button(QStringLiteral("値 +変化量"), "Command_Shift", page);
  rowButtons->addWidget(progression, 3, 0, 1, 2);
  rowButtons->addWidget(scale, 4, 0);
  rowButtons->addWidget(shift, 4, 1);
  left->addLayout(rowButtons);
  connect(addRow, &QPushButton::clicked, this, [this] {
    const int r = target_->rowCount();
    target_->insertRow(r);
    target_->setItem(r, 0, new QTableWidgetItem());
    target_->setItem(r, 1, new QTableWidgetItem());
  });
  connect(removeRow, &QPushButton::clicked, this, [this] {
    const int r = target_->currentRow();
    if (r >= 0) target_->removeRow(r);
  });
  connect(fromBase, &QPushButton::clicked, this, [this] { TakeTargetFrom(kBaseSet); });
  connect(fromChanged, &QPushButton::clicked, this, [this] { TakeTargetFrom(kChangedSet); });
  connect(progression, &QPushButton::clicked, this, [this] { ChangeTarget(TargetChange::AddProgression); });
  connect(scale, &QPushButton::clicked, this, [this] { ChangeTarget(TargetChange::Scale); });
  connect(shift, &QPushButton::clicked, this, [this] { ChangeTarget(TargetChange::Shift); });
  connect(quantity_, &QComboBox::currentIndexChanged, this,
          [this] { TakeTargetFrom(kChangedSet); });

  // The dimensions on the right.
  auto* right = new QVBoxLayout();
  top->addLayout(right, 3);
  right->addWidget(new QLabel(QStringLiteral("変える寸法と範囲:"), page));
  dimensionScroll_ = new QScrollArea(page);
  dimensionScroll_->setWidgetResizable(true);
  dimensionHolder_ = new QWidget(dimensionScroll_);
  new QGridLayout(dimensionHolder_);
  dimensionScroll_->setWidget(dimensionHolder_);
  right->addWidget(dimensionScroll_, 1);

  // Run, Cancel, Apply and the result below.
  auto* commands = new QHBoxLayout();
  run_ = Button(QStringLiteral("実行"), "Command_Run", page);
  cancel_ = Button(QStringLiteral("中止"), "Command_Cancel", page);
  apply_ = Button(QStringLiteral("適用"), "Command_Apply", page);
  progress_ = new QLabel(page);
  progress_->setObjectName("Label_Progress");
  commands->addWidget(run_);
  commands->addWidget(cancel_);
  commands->addWidget(apply_);
  commands->addWidget(progress_, 1);
  layout->addLayout(commands);
  resultText_ = new QLabel(page);
  resultText_->setObjectName("Label_Result");
  resultText_->setWordWrap(true);
  layout->addWidget(resultText_);
  resultValues_ = new QTableWidget(0, 3, page);
  resultValues_->setObjectName("Table_Result");
  resultValues_->setAccessibleName(QStringLiteral("結果"));
  resultValues_->setHorizontalHeaderLabels(
      {QStringLiteral("寸法"), QStringLiteral("現在"), QStringLiteral("合わせた値")});
  resultValues_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  resultValues_->verticalHeader()->setVisible(false);
  resultValues_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  resultValues_->setMaximumHeight(120);
  layout->addWidget(resultValues_);
  connect(run_, &QPushButton::clicked, this, [this] { Run(); });
  connect(cancel_, &QPushButton::clicked, this, &DesignAssistant::Cancel);
  connect(apply_, &QPushButton::clicked, this, [this] { Apply(); });
  return page;
}

void DesignAssistant::RebuildDimensions() {
  auto* grid = static_cast<QGridLayout*>(dimensionHolder_->layout());
  for (auto& [dim, row] : dimensions_) {
    delete row.Check;
    delete row.Current;
    delete row.Lower;
    delete row.Upper;
  }
  for (QLabel* label : dimensionHolder_->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
    delete label;
  }
  dimensions_.clear();
  const ConfigSet& changed = state_.Set[kChangedSet];
  dimensionsType_ = changed.SusType;
  int r = 0;
  for (Dimension d : assist::DimensionsOfType(changed.SusType)) {
    DimensionRow row;
    const QString caption = Caption(d);
    row.Check = new QCheckBox(caption, dimensionHolder_);
    row.Check->setObjectName(QStringLiteral("Check_") + QString::fromUtf8(assist::JsonName(d).data()));
    row.Check->setAccessibleName(caption);
    row.Current = new QLabel(dimensionHolder_);
    const int decimals = assist::EntryDecimals(d);
    auto spin = [&](const QString& which) {
      auto* box = new QDoubleSpinBox(dimensionHolder_);
      box->setRange(-99999.99, 99999.99);
      box->setDecimals(decimals);
      box->setSingleStep(assist::EntryStep(d) * 10);
      box->setAccessibleName(caption + QLatin1Char(' ') + which);
      box->setMaximumWidth(92);
      return box;
    };
    row.Lower = spin(QStringLiteral("下限"));
    row.Upper = spin(QStringLiteral("上限"));
    auto* lowerLabel = new QLabel(QStringLiteral("下限:"), dimensionHolder_);
    lowerLabel->setBuddy(row.Lower);
    auto* upperLabel = new QLabel(QStringLiteral("上限:"), dimensionHolder_);
    upperLabel->setBuddy(row.Upper);
    grid->addWidget(row.Check, r, 0);
    grid->addWidget(row.Current, r, 1);
    grid->addWidget(lowerLabel, r, 2);
    grid->addWidget(row.Lower, r, 3);
    grid->addWidget(upperLabel, r, 4);
    grid->addWidget(row.Upper, r, 5);
    row.Value = std::nan("");  // filled below
    dimensions_[d] = row;
    ++r;
  }
  grid->setRowStretch(r, 1);
  UpdateDimensionValues();
  // Every row in full beside the vertical scroll bar.
  dimensionScroll_->setMinimumWidth(dimensionHolder_->sizeHint().width() +
                                    dimensionScroll_->verticalScrollBar()->sizeHint().width() +
                                    2 * dimensionScroll_->frameWidth());
}

void DesignAssistant::UpdateDimensionValues() {
  const ConfigSet& changed = state_.Set[kChangedSet];
  for (auto& [d, row] : dimensions_) {
    const double value = assist::ValueOf(changed, d);
    if (row.Value == value) continue;
    // The range follows a value that changed; bounds the user set for an
    // unchanged value stay.
    row.Value = value;
    const int decimals = assist::EntryDecimals(d);
    row.Current->setText(Fixed(value, decimals));
    const assist::Bounds b = assist::DefaultBounds(d, value);
    row.Lower->setValue(b.Lower);
    row.Upper->setValue(b.Upper);
  }
}

QCheckBox* DesignAssistant::DimensionCheck(Dimension d) const {
  const auto found = dimensions_.find(d);
  return found == dimensions_.end() ? nullptr : found->second.Check;
}
QDoubleSpinBox* DesignAssistant::LowerBox(Dimension d) const {
  const auto found = dimensions_.find(d);
  return found == dimensions_.end() ? nullptr : found->second.Lower;
}
QDoubleSpinBox* DesignAssistant::UpperBox(Dimension d) const {
  const auto found = dimensions_.find(d);
  return found == dimensions_.end() ? nullptr : found->second.Upper;
}

assist::Quantity DesignAssistant::ChosenQuantity() const {
  switch (quantity_->currentIndex()) {
    case 1: return assist::Quantity::InvLinkRatio;
    case 2: return assist::Quantity::AxleLoad;
    default: return assist::Quantity::LinkRatio;
  }
}

std::vector<assist::CurveSample> DesignAssistant::Target() const {
  std::vector<assist::CurveSample> samples;
  for (int r = 0; r < target_->rowCount(); ++r) {
    const QTableWidgetItem* s = target_->item(r, 0);
    const QTableWidgetItem* v = target_->item(r, 1);
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

void DesignAssistant::SetTarget(const std::vector<assist::CurveSample>& target) {
  const int decimals = ChosenQuantity() == assist::Quantity::AxleLoad ? 3 : 6;
  target_->setRowCount(static_cast<int>(target.size()));
  for (int r = 0; r < static_cast<int>(target.size()); ++r) {
    const assist::CurveSample& s = target[static_cast<std::size_t>(r)];
    target_->setItem(r, 0, new QTableWidgetItem(QString::number(s.Stroke, 'g', 10)));
    target_->setItem(r, 1, new QTableWidgetItem(Fixed(s.Value, decimals)));
  }
}

void DesignAssistant::TakeTargetFrom(int set) {
  const assist::Curve curve = assist::SweepCurve(state_.Set[set], state_.MaxStroke, false);
  if (!curve.Ok) {
    Tell(QStringLiteral("%1データがストローク全体で成立しないため、目標にできません")
             .arg(set == kBaseSet ? kBaseColumn : kChangedColumn));
    return;
  }
  SetTarget(assist::TargetFromCurve(curve, ChosenQuantity()));
}

void DesignAssistant::ChangeTarget(TargetChange change) {
  std::vector<assist::CurveSample> target = Target();
  const double amount = amount_->value();
  switch (change) {
    case TargetChange::AddProgression:
      target = assist::AddProgression(std::move(target), amount);
      break;
    case TargetChange::Scale: target = assist::ScaleTarget(std::move(target), 1 + amount / 100); break;
    case TargetChange::Shift: target = assist::ShiftTarget(std::move(target), amount); break;
  }
  SetTarget(target);
}

// ---- Running a fit ------------------------------------------------------------

bool DesignAssistant::Run() {
  if (worker_ != nullptr) return false;
  if (state_.Mode != EditMode::New && state_.Mode != EditMode::Change) return false;
  std::vector<Dimension> vary;
  for (const auto& [d, row] : dimensions_) {
    if (row.Check->isChecked()) vary.push_back(d);
  }
  // A row half filled or holding a text that is no number is named, not
  // silently left out of the target.
  for (int r = 0; r < target_->rowCount(); ++r) {
    int filled = 0, numbers = 0;
    for (int c = 0; c < 2; ++c) {
      const QTableWidgetItem* item = target_->item(r, c);
      const QString text = item != nullptr ? item->text().trimmed() : QString();
      bool ok = false;
      const double value = text.toDouble(&ok);
      if (!text.isEmpty()) ++filled;
      if (ok && std::isfinite(value)) ++numbers;
    }
    if (filled > 0 && numbers < 2) {
      Tell(QStringLiteral("目標点の %1 行目が数値ではありません").arg(r + 1));
      return false;
    }
  }
  std::vector<assist::CurveSample> target = Target();
  if (target.empty()) {
    Tell(QStringLiteral("目標点がありません"));
    return false;
  }
  if (vary.empty()) {
    Tell(QStringLiteral("変える寸法を選んでください"));
    return false;
  }
  assist::FitRequest request = assist::MakeFitRequest(state_.Set[kChangedSet], state_.MaxStroke,
                                                      ChosenQuantity(), std::move(target), vary);
  for (assist::VaryingDimension& v : request.Vary) {
    const DimensionRow& row = dimensions_.at(v.Dim);
    v.Range = {row.Lower->value(), row.Upper->value()};
  }
  if (const std::optional<std::string> bad = assist::CheckFitRequest(request)) {
    Tell(QString::fromStdString(*bad));
    return false;
  }

  ClearPreview();
  result_.reset();
  resultValues_->setRowCount(0);
  resultText_->clear();
  request_ = request;
  cancelFlag_ = false;
  {
    std::lock_guard<std::mutex> lock(progressLock_);
    latest_ = {};
    progressPending_ = false;
  }
  progress_->setText(QStringLiteral("実行中..."));
  auto fit = std::make_shared<const assist::CurveFit>(std::move(request));
  auto out = std::make_shared<assist::FitResult>();
  workerResult_ = out;
  // The worker sees only its own copies, the cancel flag and PostProgress,
  // all of which outlive it: the window waits for it before going away.
  worker_ = QThread::create([this, fit, out] {
    *out = fit->Run([this](const assist::FitProgress& p) { PostProgress(p); }, &cancelFlag_);
  });
  worker_->setObjectName("AssistFit");
  connect(worker_, &QThread::finished, this, &DesignAssistant::FitDone);
  worker_->start(QThread::LowPriority);
  UpdateButtons();
  return true;
}

void DesignAssistant::PostProgress(const assist::FitProgress& progress) {
  // Worker thread: keep the latest figures; one pending update at a time.
  bool post = false;
  {
    std::lock_guard<std::mutex> lock(progressLock_);
    latest_ = progress;
    post = !progressPending_;
    progressPending_ = true;
  }
  if (post) QMetaObject::invokeMethod(this, [this] { ShowProgress(); }, Qt::QueuedConnection);
}

void DesignAssistant::ShowProgress() {
  assist::FitProgress p;
  {
    std::lock_guard<std::mutex> lock(progressLock_);
    p = latest_;
    progressPending_ = false;
  }
  if (worker_ == nullptr) return;
  progress_->setText(QStringLiteral("%1最良RMS %2  評価 %3回")
                         .arg(cancelFlag_ ? QStringLiteral("中止しています... ") : QString())
                         .arg(p.BestRms, 0, 'g', 4)
                         .arg(p.Evaluations));
}

void DesignAssistant::Cancel() {
  if (worker_ == nullptr) return;
  cancelFlag_ = true;
  progress_->setText(QStringLiteral("中止しています..."));
}

void DesignAssistant::StopFit() {
  if (worker_ == nullptr) return;
  cancelFlag_ = true;
  worker_->wait();
  delete worker_;
  worker_ = nullptr;
  workerResult_.reset();
  progress_->setText(QStringLiteral("中止しました"));
  UpdateButtons();
}

void DesignAssistant::FitDone() {
  if (worker_ == nullptr) return;  // stopped and joined already
  worker_->wait();
  worker_->deleteLater();
  worker_ = nullptr;
  result_ = *workerResult_;
  workerResult_.reset();
  const assist::FitResult& r = *result_;
  const QString figures = QStringLiteral("RMS %1  最大誤差 %2  評価 %3回  %4秒")
                              .arg(r.Rms, 0, 'g', 4)
                              .arg(r.MaxError, 0, 'g', 4)
                              .arg(r.Evaluations)
                              .arg(r.Seconds, 0, 'f', 2);
  switch (r.Status) {
    case assist::FitStatus::Done:
      progress_->setText(QStringLiteral("完了"));
      resultText_->setText(figures);
      break;
    case assist::FitStatus::Cancelled:
      progress_->setText(QStringLiteral("中止しました"));
      resultText_->setText(QStringLiteral("それまでの最良: ") + figures);
      break;
    case assist::FitStatus::NoAssemblingSet:
    case assist::FitStatus::BadRequest:
      progress_->setText(QStringLiteral("結果なし"));
      resultText_->setText(QString::fromStdString(r.Message));
      break;
  }
  const bool usable = (r.Status == assist::FitStatus::Done ||
                       r.Status == assist::FitStatus::Cancelled) &&
                      r.FittedCurve.Ok && r.Values.size() == request_->Vary.size();
  if (usable) {
    resultValues_->setRowCount(static_cast<int>(r.Values.size()));
    for (std::size_t i = 0; i < r.Values.size(); ++i) {
      const Dimension d = request_->Vary[i].Dim;
      const int decimals = assist::EntryDecimals(d);
      const int row = static_cast<int>(i);
      resultValues_->setItem(row, 0, ReadOnlyItem(Caption(d)));
      resultValues_->setItem(row, 1,
                             ReadOnlyItem(Fixed(assist::ValueOf(request_->Start, d), decimals)));
      resultValues_->setItem(row, 2, ReadOnlyItem(Fixed(r.Values[i], decimals)));
    }
    ShowPreview();
  } else {
    result_.reset();  // nothing that could be applied
  }
  UpdateButtons();
  emit fitFinished();
}

std::vector<GraphCurve> DesignAssistant::PreviewOf(const assist::Curve& curve, bool ratioAxis) {
  GraphCurve ratio{kChangedSet, ratioAxis ? GraphQuantity::Ratio : GraphQuantity::InverseRatio,
                   GraphView::kPreviewColour, {{}}};
  GraphCurve load{kChangedSet, GraphQuantity::Load, GraphView::kPreviewColour, {{}}};
  for (const assist::CurvePoint& p : curve.Points) {
    ratio.Runs.front().emplace_back(p.Stroke, ratioAxis ? p.LinkRatio : p.InvLinkRatio);
    load.Runs.front().emplace_back(
        p.Stroke, p.Loads[static_cast<std::size_t>(assist::LoadItem::Axle)]);
  }
  return {ratio, load};
}

void DesignAssistant::ShowPreview() {
  if (!result_) return;
  GraphView* graph = host_.Graph ? host_.Graph() : nullptr;
  if (graph == nullptr) return;
  previewRatioAxis_ = GraphShowsRatio();
  graph->SetPreviewCurves(PreviewOf(result_->FittedCurve, previewRatioAxis_));
}

bool DesignAssistant::GraphShowsRatio() const {
  const ResultTable* table = host_.Table ? host_.Table() : nullptr;
  return table == nullptr || table->IsShown(ResultItem::LinkRatio);
}

void DesignAssistant::ClearPreview() {
  GraphView* graph = host_.Graph ? host_.Graph() : nullptr;
  if (graph != nullptr) graph->ClearPreview();
}

// ---- 適用 ---------------------------------------------------------------------

bool DesignAssistant::Apply() {
  if (!result_ || !request_ || worker_ != nullptr) return false;
  InputForm* input = host_.Input ? host_.Input() : nullptr;
  if (input == nullptr ||
      (state_.Mode != EditMode::New && state_.Mode != EditMode::Change)) {
    Tell(QStringLiteral("数値入力画面が開いていないため、適用できません"));
    return false;
  }
  // The values belong to the set the fit started from: applied to another,
  // the curve would not be the one previewed.
  if (!SameEntered(state_.Set[kChangedSet], request_->Start)) {
    Tell(QStringLiteral("実行した後に変更データが変わりました。もう一度実行してください"));
    return false;
  }
  const assist::FitResult& r = *result_;
  for (std::size_t i = 0; i < r.Values.size(); ++i) {
    const Dimension d = request_->Vary[i].Dim;
    const char* pattern = assist::IsSpringValue(d) ? "##.#" : "###.##";
    input->Entry().SetBoxText(*TextOf(d).Box,
                              QString::fromStdString(FormatNumber(r.Values[i], pattern)));
  }
  // Committed as Enter in a box commits: read, judged, processed over the
  // whole stroke, or refused and put back.
  input->EnterInBox(box::AxleStartPos);
  bool taken = true;
  for (std::size_t i = 0; i < r.Values.size(); ++i) {
    if (assist::ValueOf(state_.Set[kChangedSet], request_->Vary[i].Dim) != r.Values[i]) {
      taken = false;
    }
  }
  if (taken) {
    ClearPreview();
    result_.reset();
    resultText_->setText(resultText_->text() + QStringLiteral("  (適用しました)"));
  } else {
    resultText_->setText(resultText_->text() + QStringLiteral("  (適用できませんでした)"));
  }
  Refresh();
  UpdateButtons();
  return taken;
}

// ---- Common -------------------------------------------------------------------

void DesignAssistant::UpdateButtons() {
  const bool running = worker_ != nullptr;
  run_->setEnabled(!running);
  cancel_->setEnabled(running);
  apply_->setEnabled(!running && result_.has_value());
}

void DesignAssistant::Refresh() {
  seen_[0] = state_.Set[kBaseSet];
  seen_[1] = state_.Set[kChangedSet];
  seenMaxStroke_ = state_.MaxStroke;
  FillCharacteristics();
  sensitivityData_ = assist::ComputeSensitivity(state_.Set[kChangedSet], state_.MaxStroke);
  FillSensitivity();
  if (dimensionsType_ != state_.Set[kChangedSet].SusType) {
    RebuildDimensions();
  } else {
    UpdateDimensionValues();
  }
}

void DesignAssistant::PollState() {
  // The graph's ratio axis turned to the other kind: the preview follows.
  if (result_ && worker_ == nullptr && GraphShowsRatio() != previewRatioAxis_) ShowPreview();
  // A command part way through leaves the sets as they will not stay.
  if (state_.Mode != EditMode::New && state_.Mode != EditMode::Change) return;
  if (SameEntered(seen_[0], state_.Set[kBaseSet]) &&
      SameEntered(seen_[1], state_.Set[kChangedSet]) && seenMaxStroke_ == state_.MaxStroke) {
    return;
  }
  Refresh();
}

void DesignAssistant::Tell(const QString& text) {
  prompts_.Message(this, text, text::kNoticeTitle, MessageIcon::Warning);
}

}  // namespace potelan
