// Form_Graph "グラフ表示": link ratio (or its inverse) and axle load of the
// base and the changed set against axle stroke. The plotted points live in a
// retained image, so covering or resizing the window loses nothing.
#pragma once

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "model/AppState.hpp"
#include "model/ResultTable.hpp"
#include "model/StrokeSweep.hpp"
#include "views/GraphPainter.hpp"

class QAction;
class QCloseEvent;
class QLabel;
class QMenuBar;
class QPainter;

namespace potelan {

class Prompts;

class GraphView final : public QWidget, public PlotSink {
  Q_OBJECT
 public:
  // `table` carries the check marks of the table window's item menus: the
  // graph plots the link ratio when "ﾘﾝｸﾚｼｵ" is shown, else its inverse.
  GraphView(AppState& state, const ResultTable& table, QWidget* parent = nullptr);
  ~GraphView() override;

  // PlotSink: one point in plot coordinates (x 0..1500, y 0..4000 upward).
  void Plot(double x, double y, PlotColour colour) override;
  void Clear() override;

  // D_Graph: the detail drawing at GraphDetailPitch ("NEW": base only;
  // "CHANGE": both sets, unless the base side is hidden; else nothing).
  void DetailDrawing();
  // The detail drawing at a pitch, GraphDetailPitch kept as it was
  // ("詳細表示" and the toolbar's graph command use 0.2 mm).
  void DetailDrawingAt(float pitch);
  // "詳細表示": the detail drawing at kDetailDisplayPitch.
  static constexpr float kDetailDisplayPitch = 0.2f;
  void DetailDisplay() { DetailDrawingAt(kDetailDisplayPitch); }
  // The left-axis labels Label1(0..4), from the bottom up.
  void SetRatioAxisLabels(const QStringList& labels);
  QStringList RatioAxisLabels() const;

  // The retained picture of the plot, in plot pixels.
  const QImage& Picture() const;

  // The retained picture has one column per plot unit of x (0..1500) and
  // one row per four units of y (4000 at the top row, 0 at the bottom row).
  static constexpr int kPictureWidth = 1501;
  static constexpr int kPictureHeight = 1001;
  // The pixel of the retained picture a plot point falls on; nothing when
  // the point lies outside the plot.
  static std::optional<QPoint> PixelOf(double x, double y);
  // Plot calls of a colour since the picture was last cleared, clipped
  // points included (a detail drawing starts with a clear).
  int PlotCount(PlotColour colour) const;

  // The pitch written on the checked item of "表示ピッチ変更"; nothing when
  // no item is checked.
  std::optional<float> CheckedPitch() const;

  // The user cannot close the window; the main window can.
  void AllowClose() { closeAllowed_ = true; }

  // The mouse on Picture1, in plot units: the crosshair, the click read-out
  // and its release.
  void PlotMouseMove(double x, double y);
  void PlotMouseDown(double x, double y);
  void PlotMouseUp();

  // Picture1 and the client area below the menu bar.
  QWidget* PictureBox() const { return picture_; }
  QWidget* Client() const { return client_; }
  // Picture1's place in twips of the client area, as the layout set it.
  QRect PictureTwips() const { return pictureTwips_; }
  // Plot units of a pixel position in Picture1, and back.
  QPointF ToPlot(const QPointF& pixel) const;
  QPointF ToPixel(const QPointF& plot) const;

  // A line on the plot: Line_tate, Line_yoko, Line_load(0..1) and
  // Line_stroke(0..1), in plot units.
  struct PlotLine {
    QString Name;
    int Index = 0;
    QLineF At;
    QColor Colour;
    Qt::PenStyle Style = Qt::SolidLine;
    bool Visible = false;
  };
  std::optional<PlotLine> Line(const QString& name, int index) const;

  // An axis tick of the client area: Line1(0..4), Line2(0..3), Line3(0..15),
  // in twips.
  struct AxisTick {
    QString Name;
    int Index = 0;
    QLineF Twips;
    bool Visible = true;
  };
  std::optional<AxisTick> Tick(const QString& name, int index) const;

  QSize sizeHint() const override;
  // The smallest size at which the view still lays itself out: Picture1 is
  // then kMinPictureWidth x kMinPictureHeight pixels, with every axis label
  // in its place. Smaller, the layout stays as it was and the window would
  // show only a cut-off part of it.
  QSize minimumSizeHint() const override;
  static constexpr int kMinPictureWidth = 280;
  static constexpr int kMinPictureHeight = 140;

  // The curves of the last detail drawing, joined point to point; empty
  // after a clear.
  const std::vector<GraphCurve>& Curves() const { return curves_; }
  // The scale the plot shows: the fixed one, or with "自動スケール" checked
  // one fitted to the curves (the fixed one while there are none).
  GraphScale Scale() const;
  // Where the curves shown leave the scale.
  std::vector<OffScaleMark> OffScaleMarksShown() const;
  // What a saved picture shows.
  GraphFigure Figure() const;

  // File names and the picture size are asked through `prompts`; until this
  // is called, the desktop's own dialogs are used.
  void SetPrompts(Prompts& prompts) { prompts_ = &prompts; }
  // "画像として保存(PNG)..." and "SVGとして保存...": the size (PNG only),
  // then the file; a file that cannot be written is told.
  void SaveAsPng();
  void SaveAsSvg();
  // The picture written at `size`; false with `error` set when the file
  // cannot be written.
  bool WritePng(const QString& path, const QSize& size, QString& error) const;
  bool WriteSvg(const QString& path, const QSize& size, QString& error) const;
  // The size a saved picture has unless another is chosen: the window's.
  QSize DefaultPictureSize() const;

  // Curves drawn over the plot in their own colour (kPreviewColour, dashed)
  // until cleared: the design assistant's fitted set before it is applied.
  // Points are (stroke mm, value) of their quantity, placed on the scale the
  // plot shows; a detail drawing keeps them.
  static inline const QColor kPreviewColour{255, 160, 0};
  void SetPreviewCurves(std::vector<GraphCurve> curves);
  void ClearPreview();
  const std::vector<GraphCurve>& PreviewCurves() const { return preview_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Where the last click read-out put its lines, kept so that the labels
  // can be placed again when the window changes size.
  struct ReadOut {
    bool Active = false;
    double X = 0, Y = 0;             // the click
    std::array<bool, 2> LoadMode{};  // per set: load read at the clicked stroke
    std::array<double, 2> LineX{};   // stroke of each set, plot units
    std::array<double, 2> LineY{};   // axle load of each set, plot units
    // Per set: false when the clicked load is not reached within the stroke.
    std::array<bool, 2> Reached{true, true};
    bool DifferenceShown = true;  // false when a set has no stroke to compare
  };

  void BuildMenus();
  void BuildControls();
  QLabel* AddLabel(QWidget* parent, const QString& name, int index, const QString& text);
  void AddTick(const QString& name, int index, bool visible);
  AxisTick* FindTick(const QString& name, int index);
  PlotLine* FindLine(const QString& name, int index);
  void AddLine(const QString& name, int index, const QColor& colour, Qt::PenStyle style);

  // Form_Resize: Picture1, the axis ticks and their labels.
  void LayoutView();
  // One sweep of the detail drawing on working set w from source set src.
  void SweepSet(int w, int src, PlotColour ratioColour, PlotColour loadColour);
  // Stroke mode of the read-out: walks working set k + 2 from the clicked
  // stroke, first by `step` mm, until its axle load is `load`. False when the
  // walk leaves 0..MaxStroke, or meets a stroke where the set cannot be
  // formed, without passing that load.
  bool SearchStroke(int k, double clicked, double load, double step);
  // Places Label_detail(0..3) for the current read-out, none over another.
  void PlaceReadOutLabels();
  // A label's rectangle in Picture1 at plot units (left, top), inside it.
  QRect RectInPlot(const QLabel* label, double left, double top) const;
  // `wanted`, or the nearest place in Picture1 that overlaps none of `taken`.
  QRect FreePlace(const QRect& wanted, const std::vector<QRect>& taken) const;
  double UnitsWide(const QLabel* label) const;
  double UnitsHigh(const QLabel* label) const;

  void ClickPitch(int index);
  // The edges of the plot in plot units of stroke (x 0..1500 on the fixed
  // scale) and load (y 0..4000 on the fixed scale).
  struct PlotWindow {
    double X0 = 0, X1 = 1500, Y0 = 0, Y1 = 4000;
  };
  PlotWindow Viewport() const;
  // The axis texts of the scale shown, and the plot repainted.
  void ApplyScale();
  Prompts& UsedPrompts();
  void PaintClient(QPainter& painter) const;
  void PaintPicture(QPainter& painter);
  // The retained picture scaled to Picture1 with every point kept.
  void RenderScaled(const QSize& size);

  AppState& state_;
  const ResultTable& table_;

  QMenuBar* menuBar_ = nullptr;
  QAction* menuDetail_ = nullptr;
  std::array<QAction*, 7> menuPitch_{};
  QAction* menuViewLoad_ = nullptr;
  QAction* menuViewRatio_ = nullptr;
  QAction* menuViewNoOrg_ = nullptr;
  QAction* menuAutoScale_ = nullptr;
  QAction* menuSavePng_ = nullptr;
  QAction* menuSaveSvg_ = nullptr;
  Prompts* prompts_ = nullptr;
  std::unique_ptr<Prompts> ownPrompts_;  // the desktop's dialogs, when none were given

  QWidget* client_ = nullptr;
  QWidget* picture_ = nullptr;
  std::array<QLabel*, 5> ratioLabels_{};    // Label1(0..4)
  std::array<QLabel*, 16> strokeLabels_{};  // Label2(0..15)
  std::array<QLabel*, 4> loadLabels_{};     // Label3(0..3)
  std::array<QLabel*, 4> detailLabels_{};   // Label_detail(0..3)
  std::vector<AxisTick> ticks_;
  std::vector<PlotLine> lines_;
  QRect pictureTwips_;

  QImage image_;
  std::vector<bool> rowUsed_;  // rows of image_ holding any point
  std::array<int, 16> plotCounts_{};
  std::vector<GraphCurve> curves_;
  // The left-axis texts the table view wrote, shown under the fixed scale.
  QStringList fixedRatioTexts_;
  QImage scaled_;
  bool scaledDirty_ = true;
  bool repaintPending_ = false;

  ReadOut readOut_;
  bool closeAllowed_ = false;
  bool placedOnce_ = false;

  void PaintPreview(QPainter& painter) const;
  std::vector<GraphCurve> preview_;
};

}  // namespace potelan
