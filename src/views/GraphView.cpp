#include "views/GraphView.hpp"

#include <QAction>
#include <QBuffer>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <string>

#include "model/NumberFormat.hpp"
#include "model/Solver.hpp"
#include "ui/Controls.hpp"
#include "ui/Fonts.hpp"
#include "ui/MdiPlacement.hpp"
#include "ui/Prompts.hpp"
#include "ui/QtPrompts.hpp"
#include "ui/Units.hpp"

namespace potelan {
namespace {

// Captions and menu texts.
const QString kCaption = QStringLiteral("グラフ表示");
const QString kDrawingCaption = QStringLiteral("詳細表示描画中");
const QString kMoveStroke = QStringLiteral("グラフ表示 ストローク:");
const QString kMoveLoad = QStringLiteral("mm  荷重:");
const QString kKgf = QStringLiteral("kgf");
const QString kMm = QStringLiteral("mm");
const QString kMenuSwitch = QStringLiteral("グラフ表示切り替え");
const QString kMenuDetail = QStringLiteral("詳細表示");
const QString kMenuPitch = QStringLiteral("表示ピッチ変更");
const std::array<QString, 7> kPitchCaptions = {
    QStringLiteral("10mm"),  QStringLiteral("5mm"),   QStringLiteral("2mm"),  QStringLiteral("1mm"),
    QStringLiteral("0.5mm"), QStringLiteral("0.2mm"), QStringLiteral("0.1mm")};
constexpr int kPitchCheckedAtStart = 1;  // "5mm"
const QString kMenuItems = QStringLiteral("表示項目");
const QString kMenuViewLoad = QStringLiteral("アクスル荷重表示");
const QString kMenuViewRatio = QStringLiteral("リンクレシオ表示");
const QString kMenuNoOrg = QStringLiteral("基準側を非表示に");
const QString kMenuAutoScale = QStringLiteral("自動スケール");
const QString kMenuSavePng = QStringLiteral("画像として保存(PNG)...");
const QString kMenuSaveSvg = QStringLiteral("SVGとして保存...");

// Saving the graph.
const QString kSavePngTitle = QStringLiteral("画像として保存");
const QString kSavePngFilter = QStringLiteral("PNG画像(*.png)|*.png");
const QString kSaveSvgTitle = QStringLiteral("SVGとして保存");
const QString kSaveSvgFilter = QStringLiteral("SVG画像(*.svg)|*.svg");
const QString kSaveFailed = QStringLiteral("グラフを保存できません");
const QString kSvgDescription =
    QStringLiteral("ﾘﾝｸﾚｼｵとアクスル荷重のアクスルストロークに対するグラフ");

// Read-out texts.
const std::array<QString, 2> kPrefix = {QStringLiteral("基準:"), QStringLiteral("変更:")};
const QString kStrokeIs = QStringLiteral("ストローク:");
const QString kLoadIs = QStringLiteral("荷重:");
const QString kDifference = QStringLiteral("差:");
const QString kKgfTrail = QStringLiteral("kgf  ");
// A clicked load that the set does not reach anywhere in 0..MaxStroke.
const QString kNotReached = QStringLiteral("ストローク内で到達しません");

// Axis labels.
const std::array<QString, 5> kRatioTexts = {QStringLiteral("0.30"), QStringLiteral("0.40"),
                                            QStringLiteral("0.50"), QStringLiteral("0.60"),
                                            QStringLiteral("0.70")};
const std::array<QString, 4> kLoadTexts = {QStringLiteral("-200"), QStringLiteral("0"),
                                           QStringLiteral("200"), QStringLiteral("400")};

// Control names.
const QString kLine1 = QStringLiteral("Line1");
const QString kLine2 = QStringLiteral("Line2");
const QString kLine3 = QStringLiteral("Line3");
const QString kLineTate = QStringLiteral("Line_tate");
const QString kLineYoko = QStringLiteral("Line_yoko");
const QString kLineLoad = QStringLiteral("Line_load");
const QString kLineStroke = QStringLiteral("Line_stroke");

// Plot units of Picture1: x 0..1500 to the right, y 0..4000 upward.
constexpr double kPlotWidth = 1500;
constexpr double kPlotHeight = 4000;
constexpr double kUnitsPerPixelRow = kPlotHeight / (GraphView::kPictureHeight - 1);

// Layout figures in twips. The layout rules speak of the outer window; the
// frame around the client area is taken as fixed, so that the client area of
// 7005 x 4485 gives Picture1 its design size of 6300 x 3980.
constexpr int kClientWidth = 7005;
constexpr int kClientHeight = 4485;
constexpr int kFrameWidth = 90;
constexpr int kFrameHeight = 375;
constexpr int kMinWindowWidth = 5000;
constexpr int kMinWindowHeight = 3000;
constexpr int kPictureLeft = 380;
constexpr int kPictureTop = 60;
constexpr int kDesignPictureWidth = 6300;
constexpr int kDesignPictureHeight = 3980;
constexpr int kPictureWidthMargin = 795;
constexpr int kPictureHeightMargin = 880;
constexpr int kLeftTick = 300;
constexpr int kRightTick = 380;
constexpr int kBottomTick = 240;
constexpr int kTickLabelGap = 20;
constexpr int kRightLabelGap = 5;
constexpr int kRatioLabelWidth = 375;

// The stroke-mode search ends at the latest after this many solves.
constexpr int kMaxSearchSolves = 2000;
constexpr double kSearchStartStep = 5.0;
constexpr double kLoadTolerance = 0.01;

const QRgb kBlack = qRgb(0, 0, 0);

QRgb ColourOf(PlotColour colour) {
  switch (colour) {
    case PlotColour::Grey:
      return qRgb(192, 192, 192);
    case PlotColour::Blue:
      return qRgb(0, 0, 255);
    case PlotColour::Cyan:
      return qRgb(0, 255, 255);
    case PlotColour::Red:
      return qRgb(255, 0, 0);
    case PlotColour::Magenta:
      return qRgb(255, 0, 255);
    case PlotColour::White:
      break;
  }
  return qRgb(255, 255, 255);
}

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
      table_(table),
      image_(kPictureWidth, kPictureHeight, QImage::Format_RGB32),
      rowUsed_(kPictureHeight, false) {
  setObjectName(QStringLiteral("Form_Graph"));
  setWindowTitle(kCaption);
  image_.fill(kBlack);
  pictureTwips_ = QRect(kPictureLeft, kPictureTop, kDesignPictureWidth, kDesignPictureHeight);
  BuildMenus();
  BuildControls();
  resize(sizeHint());
  const int menuHeight = menuBar_->sizeHint().height();
  menuBar_->setGeometry(0, 0, width(), menuHeight);
  client_->setGeometry(0, menuHeight, width(), height() - menuHeight);
  LayoutView();
}

GraphView::~GraphView() = default;

QSize GraphView::sizeHint() const {
  return {Px(kClientWidth), Px(kClientHeight) + menuBar_->sizeHint().height()};
}

QSize GraphView::minimumSizeHint() const {
  // The least client area that meets the layout rule's window size.
  const auto least = [](int windowTwips, int frameTwips) {
    return (windowTwips - frameTwips + kTwipsPerPixel - 1) / kTwipsPerPixel;
  };
  return {least(kMinWindowWidth, kFrameWidth),
          least(kMinWindowHeight, kFrameHeight) + menuBar_->sizeHint().height()};
}

// ---- Controls ------------------------------------------------------------

void GraphView::BuildMenus() {
  menuBar_ = new QMenuBar(this);
  menuBar_->setNativeMenuBar(false);

  QMenu* graphMenu = menuBar_->addMenu(kMenuSwitch);
  graphMenu->setObjectName(QStringLiteral("menu_dummy2"));
  menuDetail_ = graphMenu->addAction(kMenuDetail);
  menuDetail_->setObjectName(QStringLiteral("menu_detail"));
  connect(menuDetail_, &QAction::triggered, this, [this] { DetailDisplay(); });

  QMenu* pitchMenu = graphMenu->addMenu(kMenuPitch);
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
  menuSavePng_ = graphMenu->addAction(kMenuSavePng);
  menuSavePng_->setObjectName(QStringLiteral("menu_save_png"));
  connect(menuSavePng_, &QAction::triggered, this, [this] { SaveAsPng(); });
  menuSaveSvg_ = graphMenu->addAction(kMenuSaveSvg);
  menuSaveSvg_->setObjectName(QStringLiteral("menu_save_svg"));
  connect(menuSaveSvg_, &QAction::triggered, this, [this] { SaveAsSvg(); });

  QMenu* itemMenu = menuBar_->addMenu(kMenuItems);
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
  menuViewLoad_ = addToggle(QStringLiteral("menu_view_load"), kMenuViewLoad, true);
  menuViewRatio_ = addToggle(QStringLiteral("menu_view_ratio"), kMenuViewRatio, true);
  itemMenu->addSeparator()->setObjectName(QStringLiteral("menu_dummy"));
  menuViewNoOrg_ = addToggle(QStringLiteral("menu_view_no_org"), kMenuNoOrg, false);
  // Off at start: the fixed scales are what a user sees first.
  menuAutoScale_ = itemMenu->addAction(kMenuAutoScale);
  menuAutoScale_->setObjectName(QStringLiteral("menu_view_auto_scale"));
  menuAutoScale_->setCheckable(true);
  menuAutoScale_->setChecked(false);
  connect(menuAutoScale_, &QAction::triggered, this, [this] { ApplyScale(); });
}

QLabel* GraphView::AddLabel(QWidget* parent, const QString& name, int index, const QString& text) {
  auto* label = new QLabel(text, parent);
  SetControlIndex(*label, name, index);
  label->setMargin(0);
  label->setIndent(0);
  return label;
}

void GraphView::AddTick(const QString& name, int index, bool visible) {
  AxisTick tick;
  tick.Name = name;
  tick.Index = index;
  tick.Visible = visible;
  ticks_.push_back(tick);
}

void GraphView::AddLine(const QString& name, int index, const QColor& colour, Qt::PenStyle style) {
  PlotLine line;
  line.Name = name;
  line.Index = index;
  line.Colour = colour;
  line.Style = style;
  lines_.push_back(line);
}

void GraphView::BuildControls() {
  client_ = new QWidget(this);
  client_->installEventFilter(this);

  picture_ = new QWidget(client_);
  picture_->setObjectName(QStringLiteral("Picture1"));
  picture_->setAttribute(Qt::WA_OpaquePaintEvent);
  picture_->setMouseTracking(true);
  picture_->installEventFilter(this);

  QFont axisFont = font();
  axisFont.setPointSizeF(7.5);
  const int axisHeight = QFontMetrics(axisFont).height();

  for (int i = 0; i < 5; ++i) {
    QLabel* label =
        AddLabel(client_, QStringLiteral("Label1"), i, kRatioTexts[static_cast<std::size_t>(i)]);
    label->setFont(axisFont);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->setGeometry(0, 0, Px(kRatioLabelWidth), axisHeight);
    ratioLabels_[static_cast<std::size_t>(i)] = label;
    fixedRatioTexts_ << label->text();
    AddTick(kLine1, i, true);
  }
  // The "-200" tick and label of a -200..400 kgf scale stay hidden: every
  // load on this plot is drawn as y = F x 10, 0..400 kgf.
  for (int i = 0; i < 4; ++i) {
    QLabel* label =
        AddLabel(client_, QStringLiteral("Label3"), i, kLoadTexts[static_cast<std::size_t>(i)]);
    label->setFont(axisFont);
    label->adjustSize();
    label->setVisible(i != 0);
    loadLabels_[static_cast<std::size_t>(i)] = label;
    AddTick(kLine2, i, i != 0);
  }
  for (int k = 0; k < 16; ++k) {
    QLabel* label = AddLabel(client_, QStringLiteral("Label2"), k, QString::number(k * 10));
    label->setFont(axisFont);
    label->adjustSize();
    strokeLabels_[static_cast<std::size_t>(k)] = label;
    AddTick(kLine3, k, true);
  }

  const QColor crosshair(64, 64, 64);
  AddLine(kLineTate, 0, crosshair, Qt::DotLine);
  AddLine(kLineYoko, 0, crosshair, Qt::DotLine);
  const std::array<QColor, 2> readOutLines = {QColor(0, 128, 128), QColor(128, 0, 128)};
  for (int k = 0; k < 2; ++k) {
    AddLine(kLineLoad, k, readOutLines[static_cast<std::size_t>(k)], Qt::SolidLine);
    AddLine(kLineStroke, k, readOutLines[static_cast<std::size_t>(k)], Qt::SolidLine);
  }

  const std::array<QColor, 4> detailColours = {QColor(0, 192, 192), QColor(192, 0, 192),
                                               QColor(255, 255, 255), QColor(255, 255, 255)};
  for (int i = 0; i < 4; ++i) {
    QLabel* label = AddLabel(picture_, QStringLiteral("Label_detail"), i, QString());
    label->setFont(GothicFont(9));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, detailColours[static_cast<std::size_t>(i)]);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->hide();
    detailLabels_[static_cast<std::size_t>(i)] = label;
  }
}

GraphView::AxisTick* GraphView::FindTick(const QString& name, int index) {
  for (AxisTick& tick : ticks_) {
    if (tick.Index == index && tick.Name == name) return &tick;
  }
  return nullptr;
}

std::optional<GraphView::AxisTick> GraphView::Tick(const QString& name, int index) const {
  for (const AxisTick& tick : ticks_) {
    if (tick.Index == index && tick.Name == name) return tick;
  }
  return std::nullopt;
}

GraphView::PlotLine* GraphView::FindLine(const QString& name, int index) {
  for (PlotLine& line : lines_) {
    if (line.Index == index && line.Name == name) return &line;
  }
  return nullptr;
}

std::optional<GraphView::PlotLine> GraphView::Line(const QString& name, int index) const {
  for (const PlotLine& line : lines_) {
    if (line.Index == index && line.Name == name) return line;
  }
  return std::nullopt;
}

void GraphView::SetRatioAxisLabels(const QStringList& labels) {
  const int n = std::min(static_cast<int>(labels.size()), static_cast<int>(ratioLabels_.size()));
  for (int i = 0; i < n; ++i) fixedRatioTexts_[i] = labels[i];
  if (!Scale().Fitted) {
    for (int i = 0; i < n; ++i) ratioLabels_[static_cast<std::size_t>(i)]->setText(labels[i]);
  }
}

QStringList GraphView::RatioAxisLabels() const {
  QStringList texts;
  for (const QLabel* label : ratioLabels_) texts << label->text();
  return texts;
}

std::optional<float> GraphView::CheckedPitch() const {
  for (const QAction* item : menuPitch_) {
    if (item->isChecked()) return PitchOfCaption(item->text());
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
  const int windowWidth = client_->width() * kTwipsPerPixel + kFrameWidth;
  const int windowHeight = client_->height() * kTwipsPerPixel + kFrameHeight;
  if (windowWidth < kMinWindowWidth || windowHeight < kMinWindowHeight) return;

  const int left = pictureTwips_.left();
  const int top = pictureTwips_.top();
  const int width = windowWidth - kPictureWidthMargin;
  const int height = windowHeight - kPictureHeightMargin;
  pictureTwips_ = QRect(left, top, width, height);
  picture_->setGeometry(Px(left), Px(top), Px(width), Px(height));
  const double right = left + width;
  const double bottom = top + height;

  for (int i = 0; i < 5; ++i) {
    const double y = top + (4 - i) * static_cast<double>(height) / 4;
    FindTick(kLine1, i)->Twips = QLineF(left - kLeftTick, y, left, y);
    QLabel* label = ratioLabels_[static_cast<std::size_t>(i)];
    label->move(label->x(), static_cast<int>(PxF(y + kTickLabelGap)));
  }
  for (int i = 1; i <= 3; ++i) {
    const double y = top + (3 - i) * static_cast<double>(height) / 2;
    FindTick(kLine2, i)->Twips = QLineF(right, y, right + kRightTick, y);
    loadLabels_[static_cast<std::size_t>(i)]->move(static_cast<int>(PxF(right + kRightLabelGap)),
                                                   static_cast<int>(PxF(y + kTickLabelGap)));
  }
  for (int i = 0; i <= 15; ++i) {
    const double x = left + (15 - i) * static_cast<double>(width) / 15;
    FindTick(kLine3, i)->Twips = QLineF(x, bottom, x, bottom + kBottomTick);
    QLabel* label = strokeLabels_[static_cast<std::size_t>(15 - i)];
    label->move(static_cast<int>(std::lround(PxF(x) - label->width() / 2.0)),
                static_cast<int>(PxF(bottom + kBottomTick)));
  }
  // The hidden "-200" keeps its place at the bottom of the scale.
  AxisTick* minus = FindTick(kLine2, 0);
  if (minus->Twips.isNull()) {
    minus->Twips = QLineF(right, bottom, right + kRightTick, bottom);
    loadLabels_[0]->move(static_cast<int>(PxF(right + kRightLabelGap)),
                         static_cast<int>(PxF(bottom + kTickLabelGap)));
  }

  if (readOut_.Active) PlaceReadOutLabels();
  client_->update();
}

// ---- The retained picture ------------------------------------------------

std::optional<QPoint> GraphView::PixelOf(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
  const double column = std::round(x);
  const double row = std::round((kPlotHeight - y) / kUnitsPerPixelRow);
  if (column < 0 || column > kPictureWidth - 1 || row < 0 || row > kPictureHeight - 1) {
    return std::nullopt;
  }
  return QPoint(static_cast<int>(column), static_cast<int>(row));
}

void GraphView::Plot(double x, double y, PlotColour colour) {
  ++plotCounts_[static_cast<std::size_t>(static_cast<int>(colour) & 15)];
  const std::optional<QPoint> pixel = PixelOf(x, y);
  if (!pixel) return;
  reinterpret_cast<QRgb*>(image_.scanLine(pixel->y()))[pixel->x()] = ColourOf(colour);
  rowUsed_[static_cast<std::size_t>(pixel->y())] = true;
  scaledDirty_ = true;
  if (!repaintPending_) {
    repaintPending_ = true;
    picture_->update();
  }
}

void GraphView::Clear() {
  image_.fill(kBlack);
  std::fill(rowUsed_.begin(), rowUsed_.end(), false);
  plotCounts_.fill(0);
  const bool hadCurves = !curves_.empty();
  curves_.clear();
  scaledDirty_ = true;
  repaintPending_ = true;
  if (hadCurves && menuAutoScale_->isChecked()) ApplyScale();
  picture_->update();
}

const QImage& GraphView::Picture() const { return image_; }

int GraphView::PlotCount(PlotColour colour) const {
  return plotCounts_[static_cast<std::size_t>(static_cast<int>(colour) & 15)];
}

QPointF GraphView::ToPlot(const QPointF& pixel) const {
  const double w = std::max(1, picture_->width());
  const double h = std::max(1, picture_->height());
  const PlotWindow v = Viewport();
  return {v.X0 + pixel.x() * (v.X1 - v.X0) / w, v.Y1 - pixel.y() * (v.Y1 - v.Y0) / h};
}

QPointF GraphView::ToPixel(const QPointF& plot) const {
  const PlotWindow v = Viewport();
  return {(plot.x() - v.X0) * picture_->width() / (v.X1 - v.X0),
          (v.Y1 - plot.y()) * picture_->height() / (v.Y1 - v.Y0)};
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

GraphView::PlotWindow GraphView::Viewport() const {
  const GraphScale scale = Scale();
  PlotWindow v;
  v.X0 = GraphX(scale.StrokeMin);
  v.X1 = GraphX(scale.StrokeMax);
  v.Y0 = GraphLoadY(scale.LoadMin);
  v.Y1 = GraphLoadY(scale.LoadMax);
  return v;
}

void GraphView::ApplyScale() {
  const GraphScale scale = Scale();
  const QStringList ratio = scale.Fitted ? RatioTickTexts(scale) : fixedRatioTexts_;
  for (std::size_t i = 0; i < ratioLabels_.size(); ++i) {
    ratioLabels_[i]->setText(ratio[static_cast<qsizetype>(i)]);
  }
  const QStringList load = LoadTickTexts(scale);
  for (std::size_t i = 1; i < loadLabels_.size(); ++i) {
    loadLabels_[i]->setText(scale.Fitted ? load[static_cast<qsizetype>(i - 1)] : kLoadTexts[i]);
    loadLabels_[i]->adjustSize();
  }
  const QStringList stroke = StrokeTickTexts(scale);
  for (std::size_t k = 0; k < strokeLabels_.size(); ++k) {
    strokeLabels_[k]->setText(scale.Fitted ? stroke[static_cast<qsizetype>(k)]
                                           : QString::number(k * 10));
    strokeLabels_[k]->adjustSize();
  }
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

GraphFigure GraphView::Figure() const {
  GraphFigure figure;
  figure.Scale = Scale();
  figure.Curves = curves_;
  figure.Points = image_;
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
  QImage picture(size, QImage::Format_RGB32);
  if (picture.isNull()) {  // an empty size, or no memory for it
    error = QStringLiteral("no picture of %1 x %2 pixels").arg(size.width()).arg(size.height());
    return false;
  }
  {
    QPainter painter(&picture);
    PaintFigure(painter, size, Figure());
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}

bool GraphView::WriteSvg(const QString& path, const QSize& size, QString& error) const {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);  // CSS pixels: the picture opens at its size
    svg.setTitle(kCaption);
    svg.setDescription(kSvgDescription);
    QPainter painter(&svg);
    PaintFigure(painter, size, Figure());
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(buffer.data()) != buffer.size() ||
      !file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}

Prompts& GraphView::UsedPrompts() {
  if (prompts_ == nullptr) {
    ownPrompts_ = std::make_unique<QtPrompts>();
    prompts_ = ownPrompts_.get();
  }
  return *prompts_;
}

void GraphView::SaveAsPng() {
  Prompts& prompts = UsedPrompts();
  const std::optional<QSize> size = prompts.ChooseImageSize(this, DefaultPictureSize());
  if (!size) return;
  const std::optional<QString> path =
      prompts.SaveFile(this, {kSavePngTitle, kSavePngFilter, QStringLiteral("png"), QString()});
  if (!path) return;
  QString error;
  if (!WritePng(*path, *size, error)) TellFileFailure(prompts, this, kSaveFailed, *path, error);
}

void GraphView::SaveAsSvg() {
  Prompts& prompts = UsedPrompts();
  const std::optional<QString> path =
      prompts.SaveFile(this, {kSaveSvgTitle, kSaveSvgFilter, QStringLiteral("svg"), QString()});
  if (!path) return;
  QString error;
  if (!WriteSvg(*path, DefaultPictureSize(), error)) {
    TellFileFailure(prompts, this, kSaveFailed, *path, error);
  }
}

void GraphView::RenderScaled(const QSize& size) {
  if (scaled_.size() != size) scaled_ = QImage(size, QImage::Format_RGB32);
  ScaleKeepingPoints(image_, &rowUsed_, scaled_);
}

// ---- Painting ------------------------------------------------------------

void GraphView::PaintClient(QPainter& painter) const {
  painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
  for (const AxisTick& tick : ticks_) {
    if (!tick.Visible || tick.Twips.isNull()) continue;
    painter.drawLine(QLineF(PxF(tick.Twips.x1()), PxF(tick.Twips.y1()), PxF(tick.Twips.x2()),
                            PxF(tick.Twips.y2())));
  }
}

void GraphView::PaintPicture(QPainter& painter) {
  repaintPending_ = false;
  if (scaledDirty_ || scaled_.size() != picture_->size()) {
    RenderScaled(picture_->size());
    scaledDirty_ = false;
  }
  const GraphFigure figure = Figure();
  const QRectF plot(picture_->rect());
  // A fitted scale shows the joined curves alone: the retained points lie
  // on the fixed scale.
  if (figure.Scale.Fitted) {
    painter.fillRect(plot, QColor(kBlack));
  } else {
    painter.drawImage(0, 0, scaled_);
  }
  PaintCurves(painter, plot, figure, 1.0);
  QFont overlay = font();
  overlay.setPointSizeF(9);
  const std::vector<QRectF> titles = PaintTitlesInside(painter, plot, figure, overlay);
  PaintLegend(painter, plot, figure, overlay, titles);
  for (const PlotLine& line : lines_) {
    if (!line.Visible) continue;
    painter.setPen(QPen(line.Colour, 1, line.Style));
    painter.drawLine(QLineF(ToPixel(line.At.p1()), ToPixel(line.At.p2())));
  }
  PaintPreview(painter);
}

bool GraphView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Paint) {
    QPainter painter(client_);
    PaintClient(painter);
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

void GraphView::SweepSet(int w, int src, PlotColour ratioColour, PlotColour loadColour) {
  ConfigSet& work = state_.Set[static_cast<std::size_t>(w)];
  const ConfigSet& source = state_.Set[static_cast<std::size_t>(src)];
  const bool showRatio = menuViewRatio_->isChecked();
  const bool showLoad = menuViewLoad_->isChecked();
  const bool linkRatio = table_.IsShown(ResultItem::LinkRatio);
  const float pitch = state_.GraphDetailPitch;
  const float last = state_.MaxStroke;
  const int set = src == kBaseSet ? 0 : 1;
  GraphCurve ratioCurve{set, linkRatio ? GraphQuantity::Ratio : GraphQuantity::InverseRatio,
                        QColor(ColourOf(ratioColour)), {{}}};
  GraphCurve loadCurve{set, GraphQuantity::Load, QColor(ColourOf(loadColour)), {{}}};
  // A point joins the run before it; a stroke where the set cannot be formed
  // ends the run, so that no line is drawn across the gap.
  const auto addPoint = [](GraphCurve& curve, bool formed, double stroke, double value) {
    if (formed && std::isfinite(value)) {
      curve.Runs.back().emplace_back(stroke, value);
    } else if (!curve.Runs.back().empty()) {
      curve.Runs.emplace_back();
    }
  };
  // The stroke counter is single precision, as the pitch is.
  for (float s = 0; s <= last;) {
    work.AxleStartPos = source.AxleStartPos - s;
    const bool formed = !NotFormed(SolveLinkage(state_, w, work.SusPos));
    const double x = GraphX(s);
    if (showRatio) {
      Plot(x, linkRatio ? GraphRatioY(work.LinkRatio) : GraphInvRatioY(work.InvLinkRatio),
           ratioColour);
      addPoint(ratioCurve, formed, s, linkRatio ? work.LinkRatio : work.InvLinkRatio);
    }
    if (showLoad) {
      Plot(x, GraphLoadY(work.AxleLoad.Magnitude), loadColour);
      addPoint(loadCurve, formed, s, work.AxleLoad.Magnitude);
    }
    const float next = s + pitch;
    if (!(next > s)) break;  // a pitch too small to move the counter on
    s = next;
  }
  for (GraphCurve* curve : {&ratioCurve, &loadCurve}) {
    if (curve->Runs.back().empty()) curve->Runs.pop_back();
    if (!curve->Runs.empty()) curves_.push_back(std::move(*curve));
  }
}

void GraphView::DetailDrawing() {
  if (state_.Mode != EditMode::New && state_.Mode != EditMode::Change) return;
  if (!(state_.GraphDetailPitch > 0) || !std::isfinite(state_.GraphDetailPitch)) return;
  setWindowTitle(kDrawingCaption);
  Clear();

  const bool drawBase = state_.Mode == EditMode::New || !menuViewNoOrg_->isChecked();
  if (drawBase) SweepSet(kBaseWork, kBaseSet, PlotColour::Blue, PlotColour::Cyan);
  state_.Set[kBaseWork].AxleStartPos = state_.Set[kBaseSet].AxleStartPos;

  if (state_.Mode == EditMode::Change) {
    state_.Set[kChangedWork].SusLength0 = 0;
    SweepSet(kChangedWork, kChangedSet, PlotColour::Red, PlotColour::Magenta);
    state_.Set[kChangedWork].AxleStartPos = state_.Set[kChangedSet].AxleStartPos;
  }
  setWindowTitle(kCaption);
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
          PitchOfCaption(menuPitch_[static_cast<std::size_t>(index)]->text())) {
    state_.GraphDetailPitch = *pitch;
  }
  DetailDrawing();
}

// ---- Crosshair and read-out ----------------------------------------------

void GraphView::PlotMouseMove(double x, double y) {
  PlotLine* tate = FindLine(kLineTate, 0);
  const PlotWindow v = Viewport();
  tate->At = QLineF(x, v.Y1, x, v.Y0);
  tate->Visible = true;
  PlotLine* yoko = FindLine(kLineYoko, 0);
  yoko->At = QLineF(v.X0, y, v.X1, y);
  yoko->Visible = true;
  setWindowTitle(kMoveStroke + Format(x / 10, "###.0") + kMoveLoad + Format(y / 10, "###.0") +
                 kKgf);
  picture_->update();
}

bool GraphView::SearchStroke(int k, double clicked, double load, double step) {
  const int w = k + 2;
  ConfigSet& work = state_.Set[static_cast<std::size_t>(w)];
  const double start = state_.Set[static_cast<std::size_t>(k)].AxleStartPos;
  const double maxStroke = std::max(0, static_cast<int>(state_.MaxStroke));
  // One solve at a stroke of the range; false when the set cannot be formed
  // there (a set that has not been judged yet).
  const auto solveAt = [&](double stroke) {
    work.AxleStartPos = start - stroke;
    return !NotFormed(SolveLinkage(state_, w, work.SusPos));
  };
  double stroke = std::clamp(clicked, 0.0, maxStroke);
  if (!solveAt(stroke)) return false;
  if (std::abs(work.AxleLoad.Magnitude - load) <= kLoadTolerance) return true;
  bool above = work.AxleLoad.Magnitude > load;
  // The load is walked towards from the clicked stroke; each time it is
  // passed, the walk turns back at a fifth of the step, so that once passed
  // it is known to lie within the last step. A walk that comes to the end
  // of 0..MaxStroke without passing it has not found it.
  bool passedOnce = false;
  for (int solves = 0; solves < kMaxSearchSolves && step != 0; ++solves) {
    const double next = stroke + step;
    const bool atEnd = next < 0 || next > maxStroke;
    stroke = std::clamp(next, 0.0, maxStroke);
    if (!solveAt(stroke)) return passedOnce;
    const double reached = work.AxleLoad.Magnitude;
    if (std::abs(reached - load) <= kLoadTolerance) return true;
    if ((reached > load) != above) {
      above = !above;
      passedOnce = true;
      step = -step / 5;
    } else if (atEnd) {
      return false;
    }
  }
  // The load lies between the last two strokes walked, nearer than the
  // tolerance can tell.
  return passedOnce;
}

void GraphView::PlotMouseDown(double x, double y) {
  for (PlotLine& line : lines_) {
    if (line.Name == kLineLoad || line.Name == kLineStroke) line.Visible = false;
  }
  readOut_ = ReadOut{};
  readOut_.X = x;
  readOut_.Y = y;
  const PlotWindow v = Viewport();
  const double right = v.X1;
  const double bottom = v.Y0;
  for (int k = 0; k < 2; ++k) {
    const auto ks = static_cast<std::size_t>(k);
    const int w = k + 2;
    ConfigSet& work = state_.Set[static_cast<std::size_t>(w)];
    const double start = state_.Set[ks].AxleStartPos;
    work.AxleStartPos = start - x / 10;
    // A failure leaves the set's last values, which the read-out shows.
    static_cast<void>(SolveLinkage(state_, w, work.SusPos));
    const double lineY = GraphLoadY(work.AxleLoad.Magnitude);
    PlotLine* loadLine = FindLine(kLineLoad, k);
    loadLine->At = QLineF(x, lineY, right, lineY);
    QLabel* value = detailLabels_[ks];
    if (lineY >= y) {
      readOut_.LoadMode[ks] = true;
      loadLine->Visible = true;
      value->setText(kPrefix[ks] + Format(work.AxleLoad.Magnitude, "##0.0") + kKgf);
      detailLabels_[2]->setText(kStrokeIs + Format(x / 10, "##0.0") + kMm);
    } else {
      // Towards longer strokes first, where a rising load is reached; then
      // towards shorter ones, for a load that falls along the stroke.
      const bool reached = SearchStroke(k, x / 10, y / 10, kSearchStartStep) ||
                           SearchStroke(k, x / 10, y / 10, -kSearchStartStep);
      readOut_.Reached[ks] = reached;
      if (reached) {
        const double stroke = start - work.AxleStartPos;
        PlotLine* strokeLine = FindLine(kLineStroke, k);
        strokeLine->At = QLineF(GraphX(stroke), y, GraphX(stroke), bottom);
        strokeLine->Visible = true;
        value->setText(kPrefix[ks] + Format(stroke, "##0.0") + kMm);
      } else {
        value->setText(kPrefix[ks] + kNotReached);
      }
      detailLabels_[2]->setText(kLoadIs + Format(y / 10, "##0.0") + kKgf);
    }
    // The set's stroke line: the clicked stroke in load mode, the stroke
    // found for the clicked load in stroke mode. Its load line stays at the
    // set's load at the clicked stroke in both modes: the load-mode labels
    // and the load difference are read from the two load lines.
    readOut_.LineX[ks] = GraphX(start - work.AxleStartPos);
    readOut_.LineY[ks] = lineY;
  }
  if (readOut_.LoadMode[0]) {
    const double difference = std::abs(readOut_.LineY[0] - readOut_.LineY[1]) / 10;
    detailLabels_[3]->setText(kDifference + Format(difference, "##.0") + kKgfTrail);
  } else {
    const double difference = std::abs(readOut_.LineX[1] - readOut_.LineX[0]) / 10;
    detailLabels_[3]->setText(kDifference + Format(difference, "##.0") + kMm);
  }
  // Strokes are compared only when both sets reach the clicked load.
  readOut_.DifferenceShown =
      readOut_.LoadMode[0] || (readOut_.Reached[0] && readOut_.Reached[1]);
  readOut_.Active = true;
  PlaceReadOutLabels();
  picture_->update();
}

double GraphView::UnitsWide(const QLabel* label) const {
  const PlotWindow v = Viewport();
  return label->width() * (v.X1 - v.X0) / std::max(1, picture_->width());
}

double GraphView::UnitsHigh(const QLabel* label) const {
  const PlotWindow v = Viewport();
  return label->height() * (v.Y1 - v.Y0) / std::max(1, picture_->height());
}

QRect GraphView::RectInPlot(const QLabel* label, double left, double top) const {
  // A label that would stick out of the plot is moved back into it, so that
  // its text is never cut off at an edge.
  const QPointF at = ToPixel({left, top});
  const int maxX = std::max(0, picture_->width() - label->width());
  const int maxY = std::max(0, picture_->height() - label->height());
  return {QPoint(std::clamp(static_cast<int>(std::lround(at.x())), 0, maxX),
                 std::clamp(static_cast<int>(std::lround(at.y())), 0, maxY)),
          label->size()};
}

QRect GraphView::FreePlace(const QRect& wanted, const std::vector<QRect>& taken) const {
  const auto isFree = [&](const QRect& rect) {
    if (!picture_->rect().contains(rect)) return false;
    return std::none_of(taken.begin(), taken.end(),
                        [&](const QRect& other) { return rect.intersects(other); });
  };
  if (isFree(wanted)) return wanted;
  // The nearest free place above or below, else to the left or right.
  const int most = std::max(picture_->width(), picture_->height());
  for (int d = 1; d <= most; ++d) {
    for (const QPoint shift : {QPoint(0, -d), QPoint(0, d), QPoint(-d, 0), QPoint(d, 0)}) {
      const QRect moved = wanted.translated(shift);
      if (isFree(moved)) return moved;
    }
  }
  return wanted;  // no room anywhere: a plot smaller than its labels
}

void GraphView::PlaceReadOutLabels() {
  const PlotWindow v = Viewport();
  std::array<double, 4> wide{};
  std::array<double, 4> high{};
  for (std::size_t i = 0; i < 4; ++i) {
    detailLabels_[i]->adjustSize();
    wide[i] = UnitsWide(detailLabels_[i]);
    high[i] = UnitsHigh(detailLabels_[i]);
  }
  // Left and top edges in plot units (y upward: a top edge lies above the
  // label's body).
  std::array<double, 4> left{};
  std::array<double, 4> top{};
  const auto& lineX = readOut_.LineX;
  const auto& lineY = readOut_.LineY;
  const auto& reached = readOut_.Reached;
  if (readOut_.LoadMode[0]) {
    left[0] = v.X1 - wide[0];
    left[1] = v.X1 - wide[1];
    if (lineY[0] > lineY[1]) {
      top[0] = lineY[0] + high[0];
      top[1] = lineY[1] - high[1];
    } else {
      top[0] = lineY[0] - high[0];
      top[1] = lineY[1] + high[1];
    }
    left[2] = readOut_.X;
    top[2] = v.Y0 + high[2];
    left[3] = left[0] - wide[3];
    top[3] = (top[0] + top[1]) / 2;
  } else {
    top[0] = v.Y0 + high[0];
    top[1] = v.Y0 + high[1];
    // A set that does not reach the load has no line: its label stands at
    // the end of the stroke, beyond every line.
    const bool changedRight = !reached[1] || (reached[0] && lineX[1] >= lineX[0]);
    if (changedRight) {
      left[0] = lineX[0] - wide[0];
      left[1] = lineX[1];
    } else {
      left[0] = lineX[0];
      left[1] = lineX[1] - wide[1];
    }
    for (std::size_t k = 0; k < 2; ++k) {
      if (!reached[k]) left[k] = v.X1 - wide[k];
    }
    left[2] = v.X1 - wide[2];
    top[2] = readOut_.Y;
    left[3] = (left[0] + left[1]) / 2;
    top[3] = top[0] + 2 * high[3];
  }
  // Each label where its rule puts it, unless an earlier one is there: then
  // at the nearest free place, so that no two texts print over each other.
  std::vector<QRect> taken;
  for (std::size_t i = 0; i < 4; ++i) {
    QLabel* label = detailLabels_[i];
    if (i == 3 && !readOut_.DifferenceShown) {
      label->hide();
      continue;
    }
    const QRect at = FreePlace(RectInPlot(label, left[i], top[i]), taken);
    label->move(at.topLeft());
    label->show();
    taken.push_back(at);
  }
}

void GraphView::PlotMouseUp() {
  for (PlotLine& line : lines_) {
    if (line.Name == kLineLoad || line.Name == kLineStroke) line.Visible = false;
  }
  state_.Set[kBaseWork].AxleStartPos = state_.Set[kBaseSet].AxleStartPos;
  state_.Set[kChangedWork].AxleStartPos = state_.Set[kChangedSet].AxleStartPos;
  for (QLabel* label : detailLabels_) label->hide();
  readOut_.Active = false;
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
                   QStringLiteral("- - 目標に合わせた結果 (適用前)"));
  painter.restore();
}

}  // namespace potelan
