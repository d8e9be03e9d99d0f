#include "views/GraphView.hpp"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>

#include "model/DetailCurves.hpp"
#include "model/NumberFormat.hpp"
#include "model/StrokeReadOut.hpp"
#include "ui/Controls.hpp"
#include "ui/MdiPlacement.hpp"
#include "ui/Prompts.hpp"
#include "ui/QtPrompts.hpp"
#include "ui/Units.hpp"
#include "views/GraphExport.hpp"

namespace potelan {
namespace {

// Captions and menu texts.
const char* const kDrawingCaption = QT_TRANSLATE_NOOP("potelan::GraphView", "詳細表示描画中");
const char* const kMenuSwitch = QT_TRANSLATE_NOOP("potelan::GraphView", "グラフ表示切り替え");
const char* const kMenuDetail = QT_TRANSLATE_NOOP("potelan::GraphView", "詳細表示");
const char* const kMenuPitch = QT_TRANSLATE_NOOP("potelan::GraphView", "表示ピッチ変更");
const std::array<QString, 7> kPitchCaptions = {
    QStringLiteral("10mm"),  QStringLiteral("5mm"),   QStringLiteral("2mm"),  QStringLiteral("1mm"),
    QStringLiteral("0.5mm"), QStringLiteral("0.2mm"), QStringLiteral("0.1mm")};
constexpr int kPitchCheckedAtStart = 1;  // "5mm"
const char* const kMenuItems = QT_TRANSLATE_NOOP("potelan::GraphView", "表示項目");
const char* const kMenuViewLoad = QT_TRANSLATE_NOOP("potelan::GraphView", "アクスル荷重表示");
const char* const kMenuViewRatio = QT_TRANSLATE_NOOP("potelan::GraphView", "リンクレシオ表示");
const char* const kMenuNoOrg = QT_TRANSLATE_NOOP("potelan::GraphView", "基準側を非表示に");
const char* const kMenuAutoScale = QT_TRANSLATE_NOOP("potelan::GraphView", "自動スケール");
const char* const kMenuSavePng = QT_TRANSLATE_NOOP("potelan::GraphView", "画像として保存(PNG)...");
const char* const kMenuSaveSvg = QT_TRANSLATE_NOOP("potelan::GraphView", "SVGとして保存...");

// The client area's design size in twips.
constexpr int kClientWidth = 7005;
constexpr int kClientHeight = 4485;
const QRgb kBlack = qRgb(0, 0, 0);

QString Format(double value, const char* pattern) {
  return QString::fromStdString(FormatNumber(value, pattern));
}

// "0.5mm" gives 0.5: the number written before the first "m".
std::optional<float> PitchOfCaption(const QString& caption) {
  const qsizetype m = caption.indexOf(QLatin1Char('m'));
  const QString number = m < 0 ? caption : caption.left(m);
  return ParseSingle(number.toStdString());
}

}  // namespace

GraphView::GraphView(AppState& state, const ResultTable& table, QWidget* parent)
    : QWidget(parent),
      state_(state),
      table_(table) {
  setObjectName(QStringLiteral("Form_Graph"));
  setWindowTitle(Caption());
  BuildMenus();
  BuildControls();
  resize(sizeHint());
  const int menuHeight = menuBar_->sizeHint().height();
  menuBar_->setGeometry(0, 0, width(), menuHeight);
  client_->setGeometry(0, menuHeight, width(), height() - menuHeight);
  LayoutView();
}

GraphView::~GraphView() = default;

QString GraphView::Caption() { return tr("グラフ表示"); }

QSize GraphView::sizeHint() const {
  return {Px(kClientWidth), Px(kClientHeight) + menuBar_->sizeHint().height()};
}

QSize GraphView::minimumSizeHint() const {
  // The least client area that meets the layout rule's window size.
  const QSize client = GraphAxes::LeastClient();
  return {client.width(), client.height() + menuBar_->sizeHint().height()};
}

// ---- Controls ------------------------------------------------------------

void GraphView::BuildMenus() {
  menuBar_ = new QMenuBar(this);
  menuBar_->setNativeMenuBar(false);

  QMenu* graphMenu = menuBar_->addMenu(tr(kMenuSwitch));
  graphMenu->setObjectName(QStringLiteral("menu_dummy2"));
  menuDetail_ = graphMenu->addAction(tr(kMenuDetail));
  menuDetail_->setObjectName(QStringLiteral("menu_detail"));
  connect(menuDetail_, &QAction::triggered, this, [this] { DetailDisplay(); });

  QMenu* pitchMenu = graphMenu->addMenu(tr(kMenuPitch));
  pitchMenu->setObjectName(QStringLiteral("menu_dummy1"));
  for (int i = 0; i < static_cast<int>(kPitchCaptions.size()); ++i) {
    QAction* item = pitchMenu->addAction(kPitchCaptions[static_cast<std::size_t>(i)]);
    SetControlIndex(*item, QStringLiteral("menu_detail_pitch"), i);
    item->setCheckable(true);
    item->setChecked(i == kPitchCheckedAtStart);
    connect(item, &QAction::triggered, this, [this, i] { ClickPitch(i); });
    menuPitch_[static_cast<std::size_t>(i)] = item;
  }
  graphMenu->addSeparator();
  menuSavePng_ = graphMenu->addAction(tr(kMenuSavePng));
  menuSavePng_->setObjectName(QStringLiteral("menu_save_png"));
  connect(menuSavePng_, &QAction::triggered, this, [this] { SaveAsPng(); });
  menuSaveSvg_ = graphMenu->addAction(tr(kMenuSaveSvg));
  menuSaveSvg_->setObjectName(QStringLiteral("menu_save_svg"));
  connect(menuSaveSvg_, &QAction::triggered, this, [this] { SaveAsSvg(); });

  QMenu* itemMenu = menuBar_->addMenu(tr(kMenuItems));
  itemMenu->setObjectName(QStringLiteral("menu_dummy_3"));
  const auto addToggle = [this, itemMenu](const QString& name, const QString& caption,
                                          bool checked) {
    QAction* item = itemMenu->addAction(caption);
    item->setObjectName(name);
    item->setCheckable(true);
    item->setChecked(checked);
    // Qt has already inverted the check mark when `triggered` arrives.
    connect(item, &QAction::triggered, this, [this] { DetailDrawing(); });
    return item;
  };
  menuViewLoad_ = addToggle(QStringLiteral("menu_view_load"), tr(kMenuViewLoad), true);
  menuViewRatio_ = addToggle(QStringLiteral("menu_view_ratio"), tr(kMenuViewRatio), true);
  itemMenu->addSeparator()->setObjectName(QStringLiteral("menu_dummy"));
  menuViewNoOrg_ = addToggle(QStringLiteral("menu_view_no_org"), tr(kMenuNoOrg), false);
  // Off at start: the fixed scales are what a user sees first.
  menuAutoScale_ = itemMenu->addAction(tr(kMenuAutoScale));
  menuAutoScale_->setObjectName(QStringLiteral("menu_view_auto_scale"));
  menuAutoScale_->setCheckable(true);
  menuAutoScale_->setChecked(false);
  connect(menuAutoScale_, &QAction::triggered, this, [this] { ApplyScale(); });
}

void GraphView::BuildControls() {
  client_ = new QWidget(this);
  client_->installEventFilter(this);

  picture_ = new QWidget(client_);
  picture_->setObjectName(QStringLiteral("Picture1"));
  picture_->setAccessibleName(Caption());
  picture_->setAttribute(Qt::WA_OpaquePaintEvent);
  picture_->setMouseTracking(true);
  picture_->installEventFilter(this);

  axes_ = std::make_unique<GraphAxes>(client_, picture_, font());
  readOut_ = std::make_unique<GraphReadOut>(picture_, [this] { return Viewport(); });
  readOut_->KeepClearOf([this] {
    std::vector<QRect> titles;
    for (const QRectF& r : TitleRectsInside(QRectF(picture_->rect()), Figure(), OverlayFont())) {
      titles.push_back(r.toAlignedRect());
    }
    return titles;
  });
}

std::optional<GraphView::AxisTick> GraphView::Tick(const QString& name, int index) const {
  return axes_->Tick(name, index);
}

std::optional<GraphView::PlotLine> GraphView::Line(const QString& name, int index) const {
  return readOut_->Line(name, index);
}

void GraphView::SetRatioAxisLabels(const QStringList& labels) {
  axes_->SetFixedRatioTexts(labels, !Scale().Fitted);
}

QStringList GraphView::RatioAxisLabels() const { return axes_->RatioTexts(); }

std::optional<float> GraphView::CheckedPitch() const {
  for (std::size_t i = 0; i < menuPitch_.size(); ++i) {
    if (menuPitch_[i]->isChecked()) return PitchOfCaption(kPitchCaptions[i]);
  }
  return std::nullopt;
}

// ---- Window --------------------------------------------------------------

void GraphView::closeEvent(QCloseEvent* event) {
  if (closeAllowed_) {
    event->accept();
  } else {
    event->ignore();
  }
}

void GraphView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placedOnce_) return;
  placedOnce_ = true;
  CentreFrameInArea(*this);
}

void GraphView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int menuHeight = menuBar_->sizeHint().height();
  menuBar_->setGeometry(0, 0, width(), menuHeight);
  client_->setGeometry(0, menuHeight, width(), std::max(0, height() - menuHeight));
  LayoutView();
}

void GraphView::LayoutView() {
  if (!axes_->Layout()) return;
  readOut_->PlaceAgain();
  client_->update();
}

// ---- The retained picture ------------------------------------------------

std::optional<QPoint> GraphView::PixelOf(double x, double y) {
  return RetainedPlot::PixelOf(x, y);
}

void GraphView::Plot(double x, double y, PlotColour colour) {
  if (!retained_.Plot(x, y, colour)) return;
  if (!repaintPending_) {
    repaintPending_ = true;
    picture_->update();
  }
}

void GraphView::Clear() {
  retained_.Clear();
  const bool hadCurves = !curves_.empty();
  curves_.clear();
  repaintPending_ = true;
  if (hadCurves && menuAutoScale_->isChecked()) ApplyScale();
  picture_->update();
}

const QImage& GraphView::Picture() const { return retained_.Image(); }

int GraphView::PlotCount(PlotColour colour) const { return retained_.Count(colour); }

QPointF GraphView::ToPlot(const QPointF& pixel) const {
  return PixelToPlot(Viewport(), picture_->size(), pixel);
}

QPointF GraphView::ToPixel(const QPointF& plot) const {
  return PlotToPixel(Viewport(), picture_->size(), plot);
}

// ---- Scale, curves and saved pictures ------------------------------------

GraphScale GraphView::Scale() const {
  bool anyRatio = false;
  bool inverse = false;
  for (const GraphCurve& curve : curves_) {
    if (curve.Quantity == GraphQuantity::Load) continue;
    anyRatio = true;
    inverse = curve.Quantity == GraphQuantity::InverseRatio;
  }
  if (!anyRatio) inverse = !table_.IsShown(ResultItem::LinkRatio);
  if (menuAutoScale_->isChecked() && !curves_.empty()) return FittedScale(curves_, inverse);
  return FixedScale(inverse);
}

PlotWindow GraphView::Viewport() const {
  const GraphScale scale = Scale();
  PlotWindow v;
  v.X0 = GraphX(scale.StrokeMin);
  v.X1 = GraphX(scale.StrokeMax);
  v.Y0 = GraphLoadY(scale.LoadMin);
  v.Y1 = GraphLoadY(scale.LoadMax);
  return v;
}

void GraphView::ApplyScale() {
  axes_->ShowScale(Scale());
  LayoutView();
  picture_->update();
}

std::vector<OffScaleMark> GraphView::OffScaleMarksShown() const {
  const GraphScale scale = Scale();
  std::vector<OffScaleMark> marks;
  for (const GraphCurve& curve : curves_) {
    const std::vector<OffScaleMark> more = OffScaleMarks(curve, scale);
    marks.insert(marks.end(), more.begin(), more.end());
  }
  return marks;
}

QFont GraphView::OverlayFont() const {
  QFont overlay = font();
  overlay.setPointSizeF(9);
  return overlay;
}

GraphFigure GraphView::Figure() const {
  GraphFigure figure;
  figure.Scale = Scale();
  figure.Curves = curves_;
  figure.Points = retained_.Image();
  if (!curves_.empty()) {
    figure.Legend = LegendOf(curves_);
    return figure;
  }
  // Points without curves (the coarse pass while a value is being
  // changed): the legend names the sets by the colours plotted.
  const GraphQuantity ratio =
      figure.Scale.Inverse ? GraphQuantity::InverseRatio : GraphQuantity::Ratio;
  const std::array<std::tuple<PlotColour, int, GraphQuantity>, 8> kinds = {
      std::tuple{PlotColour::Grey, 0, ratio},
      {PlotColour::White, 0, GraphQuantity::Load},
      {PlotColour::Blue, 0, ratio},
      {PlotColour::Cyan, 0, GraphQuantity::Load},
      {PlotColour::Red, 1, ratio},
      {PlotColour::Magenta, 1, ratio},
      {PlotColour::Magenta, 1, GraphQuantity::Load},
      {PlotColour::Magenta, 1, GraphQuantity::Load}};
  std::vector<GraphCurve> shown;
  for (const auto& [colour, set, quantity] : kinds) {
    if (PlotCount(colour) == 0) continue;
    GraphCurve curve;
    curve.Set = set;
    curve.Quantity = quantity;
    curve.Colour = QColor(ColourOf(colour));
    shown.push_back(curve);
  }
  figure.Legend = LegendOf(shown);
  return figure;
}

QSize GraphView::DefaultPictureSize() const { return client_->size().expandedTo({320, 200}); }

bool GraphView::WritePng(const QString& path, const QSize& size, QString& error) const {
  return WriteFigurePng(Figure(), path, size, error);
}

bool GraphView::WriteSvg(const QString& path, const QSize& size, QString& error) const {
  return WriteFigureSvg(Figure(), path, size, error);
}

Prompts& GraphView::UsedPrompts() {
  if (prompts_ == nullptr) {
    ownPrompts_ = std::make_unique<QtPrompts>();
    prompts_ = ownPrompts_.get();
  }
  return *prompts_;
}

void GraphView::SaveAsPng() {
  SaveGraphPng(UsedPrompts(), this, DefaultPictureSize(),
               [this](const QString& path, const QSize& size, QString& error) {
                 return WritePng(path, size, error);
               });
}

void GraphView::SaveAsSvg() {
  SaveGraphSvg(
      UsedPrompts(), this, [this] { return DefaultPictureSize(); },
      [this](const QString& path, const QSize& size, QString& error) {
        return WriteSvg(path, size, error);
      });
}

// ---- Painting ------------------------------------------------------------

void GraphView::PaintPicture(QPainter& painter) {
  repaintPending_ = false;
  const QImage& scaled = retained_.Scaled(picture_->size());
  const GraphFigure figure = Figure();
  const QRectF plot(picture_->rect());
  // A fitted scale shows the joined curves alone: the retained points lie
  // on the fixed scale.
  if (figure.Scale.Fitted) {
    painter.fillRect(plot, QColor(kBlack));
  } else {
    painter.drawImage(0, 0, scaled);
  }
  PaintCurves(painter, plot, figure, 1.0);
  const QFont overlay = OverlayFont();
  const std::vector<QRectF> titles = PaintTitlesInside(painter, plot, figure, overlay);
  PaintLegend(painter, plot, figure, overlay, titles);
  readOut_->Paint(painter);
  PaintPreview(painter);
}

bool GraphView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Paint) {
    QPainter painter(client_);
    axes_->Paint(painter, palette().color(QPalette::WindowText));
    return true;
  }
  if (watched != picture_) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::Paint: {
      QPainter painter(picture_);
      PaintPicture(painter);
      return true;
    }
    case QEvent::MouseMove: {
      const QPointF at = ToPlot(static_cast<QMouseEvent*>(event)->position());
      PlotMouseMove(at.x(), at.y());
      return true;
    }
    case QEvent::MouseButtonPress: {
      const QPointF at = ToPlot(static_cast<QMouseEvent*>(event)->position());
      PlotMouseDown(at.x(), at.y());
      return true;
    }
    case QEvent::MouseButtonRelease:
      PlotMouseUp();
      return true;
    case QEvent::MouseButtonDblClick:
      DetailDrawing();
      return true;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

// ---- Detail drawing ------------------------------------------------------

void GraphView::DetailDrawing() {
  if (!DetailDrawable(state_, state_.GraphDetailPitch)) return;
  setWindowTitle(tr(kDrawingCaption));
  Clear();
  DetailRequest request;
  request.Pitch = state_.GraphDetailPitch;
  request.ShowRatio = menuViewRatio_->isChecked();
  request.ShowLoad = menuViewLoad_->isChecked();
  request.LinkRatio = table_.IsShown(ResultItem::LinkRatio);
  request.HideBase = menuViewNoOrg_->isChecked();
  for (const SweptCurve& swept : DetailCurves(state_, request, *this)) {
    GraphCurve curve{swept.Set, swept.Quantity, QColor(ColourOf(swept.Colour)), {}};
    for (const std::vector<CurvePoint>& run : swept.Runs) {
      std::vector<QPointF>& points = curve.Runs.emplace_back();
      points.reserve(run.size());
      for (const CurvePoint& p : run) points.emplace_back(p.Stroke, p.Value);
    }
    curves_.push_back(std::move(curve));
  }
  setWindowTitle(Caption());
  ApplyScale();
}

void GraphView::DetailDrawingAt(float pitch) {
  const float kept = state_.GraphDetailPitch;
  state_.GraphDetailPitch = pitch;
  DetailDrawing();
  state_.GraphDetailPitch = kept;
}

void GraphView::ClickPitch(int index) {
  for (int i = 0; i < static_cast<int>(menuPitch_.size()); ++i) {
    menuPitch_[static_cast<std::size_t>(i)]->setChecked(i == index);
  }
  if (const std::optional<float> pitch =
          PitchOfCaption(kPitchCaptions[static_cast<std::size_t>(index)])) {
    state_.GraphDetailPitch = *pitch;
  }
  DetailDrawing();
}

// ---- Crosshair and read-out ----------------------------------------------

void GraphView::PlotMouseMove(double x, double y) {
  readOut_->MoveCrosshair(x, y);
  setWindowTitle(tr("グラフ表示 ストローク:%1mm  荷重:%2kgf")
                     .arg(Format(x / 10, "###.0"), Format(y / 10, "###.0")));
  picture_->update();
}

void GraphView::PlotMouseDown(double x, double y) {
  readOut_->Show(x, y, ReadOutAt(state_, x, y));
  picture_->update();
}

void GraphView::PlotMouseUp() {
  EndReadOut(state_);
  readOut_->Hide();
  picture_->update();
}

// ---- Preview of a fitted set ----------------------------------------------

void GraphView::SetPreviewCurves(std::vector<GraphCurve> curves) {
  for (GraphCurve& curve : curves) curve.Colour = kPreviewColour;
  preview_ = std::move(curves);
  picture_->update();
}

void GraphView::ClearPreview() {
  if (preview_.empty()) return;
  preview_.clear();
  picture_->update();
}

void GraphView::PaintPreview(QPainter& painter) const {
  if (preview_.empty()) return;
  const GraphScale scale = Scale();
  const QRectF plot(picture_->rect());
  painter.save();
  painter.setClipRect(plot);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(kPreviewColour, 2, Qt::DashLine));
  for (const GraphCurve& curve : preview_) {
    // A ratio of the other kind than the axis shows has no place on it.
    if (curve.Quantity != GraphQuantity::Load &&
        (curve.Quantity == GraphQuantity::InverseRatio) != scale.Inverse) {
      continue;
    }
    for (const std::vector<QPointF>& run : curve.Runs) {
      QPolygonF line;
      line.reserve(static_cast<qsizetype>(run.size()));
      for (const QPointF& point : run) {
        const QPointF f = FractionOf(scale, curve.Quantity, point);
        line << QPointF(plot.left() + f.x() * plot.width(), plot.bottom() - f.y() * plot.height());
      }
      painter.drawPolyline(line);
    }
  }
  // Named at the top of the plot, in its colour: the legend names the sets.
  QFont caption = font();
  caption.setPointSizeF(9);
  painter.setFont(caption);
  painter.drawText(plot.adjusted(0, 3, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                   tr("- - 目標に合わせた結果 (適用前)"));
  painter.restore();
}

}  // namespace potelan
