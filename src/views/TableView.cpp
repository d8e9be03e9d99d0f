#include "views/TableView.hpp"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "files/TableExport.hpp"
#include "model/StrokeSweep.hpp"
#include "ui/Fonts.hpp"
#include "ui/Prompts.hpp"
#include "ui/Texts.hpp"
#include "ui/Units.hpp"
#include "views/GraphView.hpp"
#include "views/ResultTableModel.hpp"

namespace potelan {
namespace {

// The text in the language the program speaks.
QString Tr(const char* text) { return QCoreApplication::translate("potelan::TableView", text); }

const char* const kCaption = QT_TRANSLATE_NOOP("potelan::TableView", "数値表示");
const char* const kItemsMenu = QT_TRANSLATE_NOOP("potelan::TableView", "表示項目を選択");
const char* const kOutputMenu = QT_TRANSLATE_NOOP("potelan::TableView", "数値表示を出力");
const char* const kPrintMenu = QT_TRANSLATE_NOOP("potelan::TableView", "プリンタへ出力");
const char* const kPdfMenu = QT_TRANSLATE_NOOP("potelan::TableView", "PDFに保存");
const char* const kPreviewMenu = QT_TRANSLATE_NOOP("potelan::TableView", "印刷プレビュー");
const char* const kCsvMenu = QT_TRANSLATE_NOOP("potelan::TableView", "CSVﾌｧｲﾙへ保存");
const char* const kCsvTitle = QT_TRANSLATE_NOOP("potelan::TableView", "保存ﾌｧｲﾙ選択");
const char* const kCsvFilter = QT_TRANSLATE_NOOP("potelan::TableView", "csvﾌｧｲﾙ(*.csv)|*.csv");
const QString kCsvExtension = QStringLiteral("*.csv");
const char* const kCsvNotSaved =
    QT_TRANSLATE_NOOP("potelan::TableView", "CSVﾌｧｲﾙに保存できませんでした");
const char* const kPdfFilter = QT_TRANSLATE_NOOP("potelan::TableView", "pdfﾌｧｲﾙ(*.pdf)|*.pdf");
const QString kPdfExtension = QStringLiteral("*.pdf");
const char* const kPdfNotSaved =
    QT_TRANSLATE_NOOP("potelan::TableView", "PDFﾌｧｲﾙに保存できませんでした");
const char* const kNotPrinted =
    QT_TRANSLATE_NOOP("potelan::TableView", "プリンタへ出力できませんでした");

const QStringList kRatioLabels = {"0.30", "0.40", "0.50", "0.60", "0.70"};
const QStringList kInverseLabels = {"1.00", "1.50", "2.00", "2.50", "3.00"};

constexpr double kGridPointSize = 9;
// Grid width beyond the columns: 20 twips per shown item and 30 for the frame;
// the window is 90 twips wider than the grid.
constexpr int kGridExtraPerItem = 20;
constexpr int kGridExtra = 30;
constexpr int kWindowExtra = 90;
// Row height of the grid; taller when the font needs it.
constexpr int kRowTwips = 240;
// The grid at its full size shows the stroke rows 0..150 mm without
// scrolling.
constexpr int kVisibleStrokeRows = kGridRows - ResultTableModel::kHeaderRows;

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Width of the widest line without its trailing blanks.
double WidestLine(const QFontMetricsF& metrics, const QStringList& lines) {
  double widest = 0;
  for (const QString& line : lines) {
    qsizetype end = line.size();
    while (end > 0 && line.at(end - 1).isSpace()) --end;
    widest = std::max(widest, metrics.horizontalAdvance(line.left(end)));
  }
  return widest;
}

// Grid1's fixed header: the two header rows of the grid drawn as two lines of
// header cells that stay in place while the stroke rows scroll. On the first
// line a text spans the columns to its right whose first line is empty, so an
// item's name stands over its "基準" and "変更" columns.
class GridHeader final : public QHeaderView {
 public:
  explicit GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setHighlightSections(false);
  }

  void SetLineHeight(int height) {
    lineHeight_ = height;
    setFixedHeight(2 * lineHeight_);
    updateGeometry();
  }

  QSize sizeHint() const override { return {QHeaderView::sizeHint().width(), 2 * lineHeight_}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    const auto* grid = qobject_cast<const ResultTableModel*>(model());
    if (grid == nullptr) return;
    QPainter painter(viewport());
    const int columns = count();
    int right = 0;
    for (int column = 0; column < columns; ++column) {
      const QRect cell(sectionViewportPosition(column), lineHeight_, sectionSize(column),
                       lineHeight_);
      PaintCell(painter, cell, grid->ShownHeaderLine(1, column));
      right = std::max(right, cell.right() + 1);
    }
    for (int column = 0; column < columns;) {
      int end = column + 1;
      while (end < columns && grid->HeaderLine(0, end).isEmpty()) ++end;
      const int left = sectionViewportPosition(column);
      const int width = sectionViewportPosition(end - 1) + sectionSize(end - 1) - left;
      PaintCell(painter, QRect(left, 0, width, lineHeight_), grid->ShownHeaderLine(0, column));
      column = end;
    }
    // The header ends with the last column, as the grid's cells do.
    if (right < viewport()->width()) {
      painter.fillRect(QRect(right, 0, viewport()->width() - right, height()),
                       palette().brush(QPalette::Window));
    }
  }

 private:
  void PaintCell(QPainter& painter, const QRect& rect, const QString& text) const {
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.text = text;
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::Middle;
    option.section = 0;
    // A text wider than its cell (a longer language) is drawn smaller.
    QFont font = this->font();
    const int room =
        rect.width() - 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, &option, this);
    while (font.pointSizeF() > 5 && QFontMetricsF(font).horizontalAdvance(text) > room) {
      font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    painter.save();
    painter.setFont(font);
    style()->drawControl(QStyle::CE_Header, &option, &painter, this);
    painter.restore();
  }

  int lineHeight_ = Px(kRowTwips);
};

}  // namespace

TableView::TableView(AppState& state, ResultTable& table, GraphView& graph, Prompts& prompts,
                     QWidget* parent)
    : QWidget(parent),
      state_(state),
      table_(table),
      graph_(graph),
      prompts_(prompts),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setObjectName(QStringLiteral("Form_Value"));
  setWindowTitle(Tr(kCaption));

  for (const ResultItemInfo& info : ResultItems()) table_.SetShown(info.Item, info.ShownAtStart);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  menuBar_ = new QMenuBar(this);
  layout->setMenuBar(menuBar_);
  BuildMenus();

  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("Grid1"));
  grid_->setAccessibleName(Tr(kCaption));
  const QFont font = GothicFont(kGridPointSize);
  grid_->setFont(font);
  auto* header = new GridHeader(grid_);
  header->setFont(font);
  grid_->setHorizontalHeader(header);
  model_ = new ResultTableModel(table_, this);
  grid_->setModel(model_);
  grid_->verticalHeader()->hide();
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  grid_->setWordWrap(false);
  grid_->setCornerButtonEnabled(false);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  grid_->setTextElideMode(Qt::ElideNone);
  grid_->installEventFilter(this);

  const int rowHeight = std::max(Px(kRowTwips), QFontMetrics(font).height() + 2);
  QHeaderView* rows = grid_->verticalHeader();
  rows->setMinimumSectionSize(1);
  rows->setDefaultSectionSize(rowHeight);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  header->SetLineHeight(rowHeight);
  header->setMinimumSectionSize(1);
  header->setDefaultSectionSize(Px(kColumnTwips));
  header->setSectionResizeMode(QHeaderView::Fixed);
  header->setStretchLastSection(false);
  layout->addWidget(grid_, 0, Qt::AlignLeft | Qt::AlignTop);

  BuildTableLayout();
}

TableView::~TableView() = default;

void TableView::BuildMenus() {
  QMenu* items = menuBar_->addMenu(Tr(kItemsMenu));
  items->setObjectName(QStringLiteral("menu_dummy2"));
  for (const ResultItemInfo& info : ResultItems()) {
    QAction* action =
        items->addAction(QCoreApplication::translate("potelan::ResultItems", info.Caption.data()));
    action->setObjectName(Text(info.MenuName));
    action->setCheckable(true);
    const ResultItem item = info.Item;
    connect(action, &QAction::triggered, this, [this, item] { ClickItem(item); });
    itemMenus_[static_cast<std::size_t>(item)] = action;
  }
  SyncItemMenus();

  QMenu* output = menuBar_->addMenu(Tr(kOutputMenu));
  output->setObjectName(QStringLiteral("menu_dummy1"));
  QAction* print = output->addAction(Tr(kPrintMenu));
  print->setObjectName(QStringLiteral("menu_print"));
  connect(print, &QAction::triggered, this, &TableView::Print);
  QAction* pdf = output->addAction(Tr(kPdfMenu));
  pdf->setObjectName(QStringLiteral("menu_file_pdf"));
  connect(pdf, &QAction::triggered, this, &TableView::SavePdf);
  QAction* preview = output->addAction(Tr(kPreviewMenu));
  preview->setObjectName(QStringLiteral("menu_print_preview"));
  connect(preview, &QAction::triggered, this, &TableView::PreviewReport);
  QAction* csv = output->addAction(Tr(kCsvMenu));
  csv->setObjectName(QStringLiteral("menu_file_csv"));
  connect(csv, &QAction::triggered, this, &TableView::SaveCsv);
}

QAction* TableView::ItemMenu(ResultItem item) const {
  return itemMenus_[static_cast<std::size_t>(item)];
}

void TableView::SyncItemMenus() {
  for (const ResultItemInfo& info : ResultItems()) {
    ItemMenu(info.Item)->setChecked(table_.IsShown(info.Item));
  }
}

void TableView::ClickItem(ResultItem item) {
  const bool shown = !table_.IsShown(item);
  table_.SetShown(item, shown);
  // Exactly one of the two ratio items is shown.
  if (item == ResultItem::LinkRatio) table_.SetShown(ResultItem::InvLinkRatio, !shown);
  if (item == ResultItem::InvLinkRatio) table_.SetShown(ResultItem::LinkRatio, !shown);
  SyncItemMenus();
  BuildTableLayout();
  emit itemsChanged();
}

void TableView::BuildTableLayout() {
  table_.BuildHeaders();
  if (table_.IsShown(ResultItem::LinkRatio)) graph_.SetRatioAxisLabels(kRatioLabels);
  if (table_.IsShown(ResultItem::InvLinkRatio)) graph_.SetRatioAxisLabels(kInverseLabels);

  const int items = table_.ShownCount();
  gridTwips_ = (2 * items + 1) * kColumnTwips + kGridExtraPerItem * items + kGridExtra;
  windowTwips_ = gridTwips_ + kWindowExtra;

  FitStrokeRows(table_, state_.MaxStroke);
  if (state_.Mode != EditMode::New) {
    BaseRefill(state_, table_, graph_);
    // The working copy back at the base set's axle: the real-motion view's
    // base slider counts its stroke from there.
    state_.Set[kBaseWork].AxleStartPos = state_.Set[kBaseSet].AxleStartPos;
  }
  Refresh();
}

void TableView::MaxStrokeChanged() {
  const int rows = StrokeRows(state_.MaxStroke);
  if (rows >= table_.RowCount()) return;
  table_.SetRowCount(rows);
  Refresh();
}

void TableView::Refresh() {
  model_->Reload();
  FitSizes();
}

int TableView::RowHeight() const { return grid_->verticalHeader()->defaultSectionSize(); }

int TableView::GridChrome() const {
  return 2 * grid_->frameWidth() + grid_->horizontalHeader()->height();
}

int TableView::ScrollBarWidth() const {
  return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid_);
}

QSize TableView::sizeHint() const { return fullSize_; }

void TableView::FitSizes() {
  const int menuHeight = menuBar_->sizeHint().height();
  const int scrollBar = ScrollBarWidth();
  // More rows than the grid shows (a longer stroke range): the scroll bar
  // comes beside the columns rather than over them.
  const bool longRange = model_->rowCount() > kVisibleStrokeRows;
  const int width = Px(windowTwips_) + (longRange ? scrollBar : 0);
  fullSize_ = {width, menuHeight + GridChrome() + kVisibleStrokeRows * RowHeight()};
  setMinimumSize(width, menuHeight + GridChrome() + kMinVisibleStrokeRows * RowHeight());
  setMaximumSize(longRange ? width : width + scrollBar, fullSize_.height());
  updateGeometry();

  // A window made shorter by a tiling keeps its height when the columns or
  // the rows change, and the width its scroll bar needs; otherwise the
  // window takes its full size (also after the working area held it shorter
  // when it opened, and grew since).
  QSize size = fullSize_;
  if (keepHeight_ && isVisible() && height() < fullSize_.height()) {
    size = {maximumWidth(), std::max(height(), minimumHeight())};
  }
  resize(size);
  if (auto* frameWindow = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    if (size == fullSize_) {
      frameWindow->adjustSize();
    } else {
      const QMargins m = frameWindow->contentsMargins();
      frameWindow->resize(size + QSize(m.left() + m.right(), m.top() + m.bottom()));
    }
  }
  LayOutGrid();
}

void TableView::LayOutGrid() {
  if (grid_ == nullptr || model_ == nullptr) return;
  const int menuHeight = menuBar_->sizeHint().height();
  const int fullHeight = GridChrome() + kVisibleStrokeRows * RowHeight();
  const int leastHeight = GridChrome() + kMinVisibleStrokeRows * RowHeight();
  const int height = std::clamp(this->height() - menuHeight, leastHeight, fullHeight);
  const bool scrolls = GridChrome() + model_->rowCount() * RowHeight() > height;
  const int columns = Px(gridTwips_);
  // The scroll bar goes beside the columns where the window has the width;
  // in a narrower one the grid scrolls sideways to its last column.
  const int width =
      scrolls ? std::min(columns + ScrollBarWidth(), std::max(this->width(), columns)) : columns;
  grid_->setFixedSize(width, height);
}

void TableView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOutGrid();
}

void TableView::SaveCsv() {
  const std::optional<QString> path =
      prompts_.SaveFile(this, {Tr(kCsvTitle), Tr(kCsvFilter), kCsvExtension, QString()});
  if (!path) return;
  QString error;
  // A file that could not be written is said, never passed over in silence.
  if (!WriteCsvFile(*path, CsvLines(state_, table_), &error)) {
    TellFileFailure(prompts_, this, Tr(kCsvNotSaved), *path, error);
  }
}

TableView::ReportLayout TableView::LayOutReport(QPrinter& printer, const QStringList& lines) {
  ReportLayout layout;
  const double pageWidth = printer.width();
  QFont font = GothicFont(layout.PointSize);
  const double widest = WidestLine(QFontMetricsF(font, &printer), lines);
  if (pageWidth > 0 && widest > pageWidth) {
    // A line wider than the page (many items shown on a narrow sheet) would
    // lose its right end: the whole report gets a smaller font instead.
    // Advances do not shrink in exact proportion, so step down until the
    // widest line fits.
    layout.PointSize = kReportPointSize * pageWidth / widest;
    for (int step = 0; step < 50; ++step) {
      font.setPointSizeF(layout.PointSize);
      if (WidestLine(QFontMetricsF(font, &printer), lines) <= pageWidth) break;
      layout.PointSize *= 0.98;
    }
  }
  // The report was laid out for a gothic whose line is one em high; the
  // substitutes have far taller lines, which would push the stroke table onto
  // a second page. Lines are set kReportLineEms ems apart.
  const double em = layout.PointSize * printer.logicalDpiY() / 72.0;
  layout.Pitch = kReportLineEms * em;
  layout.LinesPerPage = std::max(1, static_cast<int>(printer.height() / layout.Pitch));
  return layout;
}

bool TableView::PaintReport(QPrinter& printer, const QStringList& lines) {
  const ReportLayout layout = LayOutReport(printer, lines);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.setFont(GothicFont(layout.PointSize));
  // The ink of a Japanese line is centred in its line's height.
  const QFontMetricsF metrics(painter.font(), &printer);
  const QRectF ink = metrics.tightBoundingRect(QStringLiteral("基準値変更後"));
  const double baseline = (layout.Pitch - ink.height()) / 2 - ink.top();
  bool ok = true;
  int onPage = 0;
  for (const QString& line : lines) {
    if (onPage == layout.LinesPerPage) {
      if (!printer.newPage()) {
        ok = false;
        break;
      }
      onPage = 0;
    }
    if (!line.isEmpty()) painter.drawText(QPointF(0, onPage * layout.Pitch + baseline), line);
    ++onPage;
  }
  if (!painter.end()) ok = false;
  return ok;
}

void TableView::Print() {
  if (!prompts_.ChoosePrinter(this, *printer_)) return;
  if (!PaintReport(*printer_, ReportLines(state_, table_))) {
    const QString target =
        printer_->outputFileName().isEmpty() ? printer_->printerName() : printer_->outputFileName();
    prompts_.Message(this, Tr(kNotPrinted) + QLatin1Char('\n') + target, text::kWarningTitle,
                     MessageIcon::Error);
  }
}

void TableView::PreviewReport() {
  const QStringList lines = ReportLines(state_, table_);
  // Printing from the preview can fail as "プリンタへ出力" can.
  bool failed = false;
  prompts_.PreviewPrint(this, *printer_, [&lines, &failed](QPrinter& target) {
    if (!PaintReport(target, lines)) failed = true;
  });
  if (failed) {
    prompts_.Message(this, Tr(kNotPrinted), text::kWarningTitle, MessageIcon::Error);
  }
}

void TableView::SavePdf() {
  const std::optional<QString> path =
      prompts_.SaveFile(this, {Tr(kCsvTitle), Tr(kPdfFilter), kPdfExtension, QString()});
  if (!path) return;
  // Qt's own PDF printer: no system printer is needed. The pages are those
  // of the printer "プリンタへ出力" uses, so the PDF breaks its pages where
  // the printed report does.
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setPageLayout(printer_->pageLayout());
  pdf.setDocName(Tr(kCaption));
  pdf.setOutputFileName(*path);
  if (!PaintReport(pdf, ReportLines(state_, table_))) {
    TellFileFailure(prompts_, this, Tr(kPdfNotSaved), *path,
                    QStringLiteral("cannot write the PDF file %1").arg(*path));
  }
}

void TableView::CopySelection() {
  QModelIndexList cells = grid_->selectionModel()->selectedIndexes();
  if (cells.isEmpty() && grid_->currentIndex().isValid()) cells << grid_->currentIndex();
  const QString text = model_->CopyText(cells);
  if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

bool TableView::eventFilter(QObject* watched, QEvent* event) {
  // The grid's own Ctrl+C copies its current cell alone.
  if (watched == grid_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    CopySelection();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TableView::closeEvent(QCloseEvent* event) {
  if (closeAllowed_) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace potelan
