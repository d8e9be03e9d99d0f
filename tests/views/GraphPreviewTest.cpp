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
  // A level line at y = 2000 across the plot, and a rising one.
  const std::vector<std::vector<QPointF>> curves = {{{0, 2000}, {1500, 2000}},
                                                    {{0, 0}, {750, 1000}, {1500, 4000}}};
  view->SetPreviewCurves(curves);
  EXPECT_EQ(view->PreviewCurves(), curves);
  EXPECT_GT(PreviewPixels(*view), view->PictureBox()->width());

  // The level line's row, taken from the view's own plot-to-pixel mapping.
  const QImage shot = view->PictureBox()->grab().toImage();
  const int row = static_cast<int>(view->ToPixel({0, 2000}).y());
  int onRow = 0;
  for (int x = 0; x < shot.width(); ++x) {
    for (int dy = -1; dy <= 1; ++dy) {
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
  EXPECT_EQ(view->PreviewCurves(), curves);
  EXPECT_GT(PreviewPixels(*view), 0);

  view->ClearPreview();
  EXPECT_TRUE(view->PreviewCurves().empty());
  EXPECT_EQ(PreviewPixels(*view), 0);
}

}  // namespace
}  // namespace potelan
