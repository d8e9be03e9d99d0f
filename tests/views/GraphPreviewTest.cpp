// The graph's preview of a fitted set: a line in its own colour over the
// plot, drawn where its plot units say, kept by a detail drawing and gone
// when cleared.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "SampleLinkages.hpp"
#include "model/ResultTable.hpp"
#include "views/GraphView.hpp"

namespace potelan {
namespace {

// Pixels of the preview's colour in the picture as the user sees it.
int PreviewPixels(GraphView& view) {
  QCoreApplication::processEvents();
  const QImage shot = view.PictureBox()->grab().toImage();
  int count = 0;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) {
      if (QColor(shot.pixel(x, y)) == GraphView::kPreviewColour) ++count;
    }
  }
  return count;
}

class GraphPreviewTest : public ::testing::Test {
 protected:
  GraphPreviewTest() {
    state.Set[kBaseSet] = testing::SampleSet(4);
    state.Set[kChangedSet] = testing::SampleSet(4);
    state.Mode = EditMode::Change;
    view = std::make_unique<GraphView>(state, table);
    view->resize(600, 400);
    view->show();
  }
  AppState state;
  ResultTable table;
  std::unique_ptr<GraphView> view;
};

TEST_F(GraphPreviewTest, DrawsTheCurveWhereItsPlotUnitsSayUntilCleared) {
  EXPECT_EQ(PreviewPixels(*view), 0);
  // A level ratio of 0.5 across the stroke, and a rising axle load.
  const std::vector<GraphCurve> curves = {
      {1, GraphQuantity::Ratio, GraphView::kPreviewColour, {{{0, 0.5}, {150, 0.5}}}},
      {1, GraphQuantity::Load, GraphView::kPreviewColour, {{{0, 0}, {75, 100}, {150, 400}}}}};
  view->SetPreviewCurves(curves);
  ASSERT_EQ(view->PreviewCurves().size(), 2u);
  EXPECT_EQ(view->PreviewCurves()[0].Runs, curves[0].Runs);
  EXPECT_GT(PreviewPixels(*view), view->PictureBox()->width());

  // The level line's row, taken from the scale the plot shows.
  const QImage shot = view->PictureBox()->grab().toImage();
  const QPointF f = FractionOf(view->Scale(), GraphQuantity::Ratio, {0, 0.5});
  const int row = static_cast<int>((1 - f.y()) * shot.height());
  int onRow = 0;
  for (int x = 0; x < shot.width(); ++x) {
    for (int dy = -2; dy <= 2; ++dy) {
      if (row + dy >= 0 && row + dy < shot.height() &&
          QColor(shot.pixel(x, row + dy)) == GraphView::kPreviewColour) {
        ++onRow;
        break;
      }
    }
  }
  EXPECT_GT(onRow, shot.width() / 3);  // dashed: about half of the columns

  // A detail drawing clears the points, not the preview.
  view->DetailDrawing();
  EXPECT_EQ(view->PreviewCurves().size(), 2u);
  EXPECT_GT(PreviewPixels(*view), 0);

  view->ClearPreview();
  EXPECT_TRUE(view->PreviewCurves().empty());
  EXPECT_EQ(PreviewPixels(*view), 0);
}

}  // namespace
}  // namespace potelan
