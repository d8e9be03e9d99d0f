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
#include "views/GraphAxes.hpp"
#include "views/GraphPainter.hpp"
#include "views/GraphReadOut.hpp"
#include "views/PlotWindow.hpp"
#include "views/RetainedPlot.hpp"

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
  static constexpr int kPictureWidth = RetainedPlot::kWidth;
  static constexpr int kPictureHeight = RetainedPlot::kHeight;
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
  QRect PictureTwips() const { return axes_->PictureTwips(); }
  // Plot units of a pixel position in Picture1, and back.
  QPointF ToPlot(const QPointF& pixel) const;
  QPointF ToPixel(const QPointF& plot) const;

  // A line on the plot: Line_tate, Line_yoko, Line_load(0..1) and
  // Line_stroke(0..1), in plot units.
  using PlotLine = potelan::PlotLine;
  std::optional<PlotLine> Line(const QString& name, int index) const;

  // An axis tick of the client area: Line1(0..4), Line2(0..3), Line3(0..15),
  // in twips.
  using AxisTick = potelan::AxisTick;
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
  // The font of the texts written over the plot (titles, legend).
  QFont OverlayFont() const;

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
  // The window's caption, also the title of a saved SVG.
  static QString Caption();
  void SetPreviewCurves(std::vector<GraphCurve> curves);
  void ClearPreview();
  const std::vector<GraphCurve>& PreviewCurves() const { return preview_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildControls();

  // Form_Resize: Picture1, the axis ticks and their labels, and the
  // read-out's labels again.
  void LayoutView();
  void ClickPitch(int index);
  PlotWindow Viewport() const;
  // The axis texts of the scale shown, and the plot repainted.
  void ApplyScale();
  Prompts& UsedPrompts();
  void PaintPicture(QPainter& painter);

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
  std::unique_ptr<GraphAxes> axes_;
  std::unique_ptr<GraphReadOut> readOut_;

  RetainedPlot retained_;
  std::vector<GraphCurve> curves_;
  bool repaintPending_ = false;

  bool closeAllowed_ = false;
  bool placedOnce_ = false;

  void PaintPreview(QPainter& painter) const;
  std::vector<GraphCurve> preview_;
};

}  // namespace potelan
