// The ウィンドウ menu: tiling keeps every window at least at its minimum
// size and never lays one over another, so the change-input form, the table,
// the graph and the real-motion view can all be seen at once; cascading keeps
// every window in view.
#include "app/WindowArrangement.hpp"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include "ProgramFixture.hpp"
#include "app/MainWindow.hpp"
#include "app/ResultViews.hpp"
#include "model/ResultTable.hpp"
#include "ui/ScriptedPrompts.hpp"
#include "ui/Units.hpp"
#include "views/GraphView.hpp"
#include "views/RealView.hpp"
#include "views/ResultTableModel.hpp"
#include "views/TableView.hpp"

namespace potelan {
namespace {

constexpr int kUnbounded = QWIDGETSIZE_MAX;

TileRequest Ask(QSize minimum, QSize preferred, QSize maximum = {kUnbounded, kUnbounded}) {
  return {minimum, preferred, maximum};
}

// Checks the promises of every tiling: each place within its window's
// minimum and maximum, and no two places overlapping.
void ExpectSoundTiling(const std::vector<std::vector<TileRequest>>& asks,
                       const std::vector<std::vector<QRect>>& places) {
  ASSERT_EQ(asks.size(), places.size());
  std::vector<QRect> all;
  for (std::size_t c = 0; c < asks.size(); ++c) {
    ASSERT_EQ(asks[c].size(), places[c].size());
    for (std::size_t i = 0; i < asks[c].size(); ++i) {
      const QRect& r = places[c][i];
      EXPECT_GE(r.width(), asks[c][i].Minimum.width()) << c << "," << i;
      EXPECT_GE(r.height(), asks[c][i].Minimum.height()) << c << "," << i;
      EXPECT_LE(r.width(), asks[c][i].Maximum.width()) << c << "," << i;
      EXPECT_LE(r.height(), asks[c][i].Maximum.height()) << c << "," << i;
      EXPECT_GE(r.x(), 0);
      EXPECT_GE(r.y(), 0);
      all.push_back(r);
    }
  }
  for (std::size_t a = 0; a < all.size(); ++a) {
    for (std::size_t b = a + 1; b < all.size(); ++b) {
      EXPECT_FALSE(all[a].intersects(all[b])) << a << " and " << b;
    }
  }
}

TEST(TileColumnsTest, RoomEnoughGivesEveryWindowWhatItAsksAndTheRestToTheLastColumn) {
  // A form of fixed width, a table of fixed size, two views that can grow.
  const std::vector<std::vector<TileRequest>> asks = {
      {Ask({300, 500}, {320, 520}, {kUnbounded, kUnbounded})},
      {Ask({400, 650}, {400, 650}, {400, 650})},
      {Ask({100, 80}, {470, 320}), Ask({100, 80}, {600, 460})}};
  const QSize room(1600, 1000);
  const auto places = TileColumns(room, asks);
  ExpectSoundTiling(asks, places);
  EXPECT_EQ(places[0][0].size(), QSize(320, 1000));  // its column's full height
  EXPECT_EQ(places[1][0], QRect(320, 0, 400, 650));
  // The last column takes the width left over and shares the height.
  EXPECT_EQ(places[2][0].x(), 720);
  EXPECT_EQ(places[2][0].width(), 1600 - 720);
  EXPECT_EQ(places[2][0].height() + places[2][1].height(), 1000);
  EXPECT_GE(places[2][0].height(), 320);
  EXPECT_GE(places[2][1].height(), 460);
}

TEST(TileColumnsTest, ColumnsTooWideSideBySideGoUnderTheColumnWithRoomToSpare) {
  // The form and the table take nearly all the width: the views go under
  // the form, where there is height to spare, not past the right edge.
  const std::vector<std::vector<TileRequest>> asks = {
      {Ask({368, 511}, {368, 511})},
      {Ask({411, 577}, {411, 577}, {411, 577})},
      {Ask({84, 28}, {475, 346}), Ask({84, 28}, {602, 481})}};
  const auto places = TileColumns({800, 600}, asks);
  ExpectSoundTiling(asks, places);
  for (const auto& column : places) {
    for (const QRect& r : column) EXPECT_TRUE(QRect(0, 0, 800, 600).contains(r)) << r.x() << "," << r.y();
  }
  EXPECT_EQ(places[0][0].topLeft(), QPoint(0, 0));
  EXPECT_GE(places[0][0].height(), 511);
  // The table keeps its fixed size; the spare width goes to the column
  // that can grow.
  EXPECT_EQ(places[1][0], QRect(389, 0, 411, 577));
  EXPECT_EQ(places[2][0].x(), 0);
  EXPECT_GE(places[2][0].y(), 511);
  EXPECT_EQ(places[2][1].y(), places[2][0].bottom() + 1);
  EXPECT_EQ(places[2][1].bottom(), 599);
}

// A window that can scroll (the table) once asked for all its rows as its
// minimum: on 800 x 600 the graph and the real-motion view, put under the
// form, got a title-bar strip each. Now the table's minimum is a few rows;
// the views go under it, each at least at its least useful size, and the
// table, made shorter, gets the width of its scroll bar.
TEST(TileColumnsTest, AShortenedWindowScrollsAndGetsItsScrollBarsWidth) {
  const int bar = 14;
  TileRequest table = Ask({411, 129}, {411, 577}, {411 + bar, 577});
  table.ScrollBar = bar;
  const std::vector<std::vector<TileRequest>> asks = {
      {Ask({356, 511}, {356, 511})},
      {table},
      {Ask({336, 222}, {475, 346}), Ask({268, 247}, {602, 481})}};
  const auto places = TileColumns({800, 600}, asks);
  ExpectSoundTiling(asks, places);
  for (const auto& column : places) {
    for (const QRect& r : column)
      EXPECT_TRUE(QRect(0, 0, 800, 600).contains(r)) << r.x() << "," << r.y();
  }
  // The views under the table, in the column beside the form.
  EXPECT_EQ(places[1][0].topLeft(), QPoint(places[0][0].right() + 1, 0));
  EXPECT_EQ(places[2][0].x(), places[1][0].x());
  EXPECT_EQ(places[2][0].y(), places[1][0].bottom() + 1);
  EXPECT_EQ(places[2][1].y(), places[2][0].bottom() + 1);
  EXPECT_LT(places[1][0].height(), 577);
  EXPECT_EQ(places[1][0].width(), 411 + bar);

  // Where the table has its full height, it has no scroll bar and no width
  // for one.
  const auto roomy = TileColumns({1600, 1100}, asks);
  ExpectSoundTiling(asks, roomy);
  EXPECT_EQ(roomy[1][0].size(), QSize(411, 577));

  // A column too tall for the area even with the table at its minimum stays
  // beside the others (past the right edge), never over them.
  const auto cramped = TileColumns({800, 590}, asks);
  ExpectSoundTiling(asks, cramped);
  EXPECT_GE(cramped[2][0].x(), cramped[1][0].right() + 1);
}

class WindowMenuTest : public testing::ProgramTest {
 protected:
  // The editing stage of the Type 4 example, the main window at `size`.
  MainWindow& Editing(QSize size) {
    window = std::make_unique<MainWindow>(state, prompts, false);
    window->resize(size);
    window->show();
    window->OpenAtStart(QStringLiteral(POTELAN_EXAMPLES "/type4.lin"));
    window->ClickButton(kButtonNext);
    EXPECT_EQ(state.Mode, EditMode::New);
    return *window;
  }
  std::vector<QMdiSubWindow*> Shown() const {
    std::vector<QMdiSubWindow*> shown;
    for (QMdiSubWindow* sub : window->Area()->subWindowList()) {
      if (sub->isVisible()) shown.push_back(sub);
    }
    return shown;
  }
  QAction* Item(const char* name) const { return window->findChild<QAction*>(name); }

  // The main window sized so that its working area (the MDI area's
  // viewport) is `area`.
  void SetWorkingArea(QSize area) {
    QApplication::processEvents();
    const QSize viewport = window->Area()->viewport()->size();
    window->resize(window->size() + (area - viewport));
    QApplication::processEvents();
    ASSERT_EQ(window->Area()->viewport()->size(), area);
  }
  // Every one of `count` windows whole in the area (`inArea`), at least at
  // its minimum size, and (`apart`) none over another.
  void ExpectTiled(bool inArea = true, std::size_t count = 4, bool apart = true) {
    const std::vector<QMdiSubWindow*> shown = Shown();
    ASSERT_EQ(shown.size(), count);
    const QRect room = window->Area()->viewport()->rect();
    for (std::size_t a = 0; a < shown.size(); ++a) {
      const QMdiSubWindow* sub = shown[a];
      const QString name = sub->widget()->objectName();
      EXPECT_GE(sub->width(), sub->minimumSizeHint().width()) << name.toStdString();
      EXPECT_GE(sub->height(), sub->minimumSizeHint().height()) << name.toStdString();
      EXPECT_TRUE(!inArea || room.contains(sub->geometry()))
          << name.toStdString() << " " << sub->geometry().x() << "," << sub->geometry().y()
          << " " << sub->width() << "x" << sub->height() << " in " << room.width() << "x"
          << room.height();
      for (std::size_t b = a + 1; apart && b < shown.size(); ++b) {
        EXPECT_FALSE(sub->geometry().intersects(shown[b]->geometry()))
            << name.toStdString() << " over " << shown[b]->widget()->objectName().toStdString();
      }
    }
    // The change-input form keeps its size: every row stands in view.
    const QMdiSubWindow* input = window->SubWindowOf(window->Input());
    EXPECT_GE(input->widget()->height(), window->Input()->minimumSizeHint().height());
  }

  // The graph's plot area and the real-motion view's drawing area at least
  // the least size they are read at.
  void ExpectReadableViews() {
    const auto* plot = window->Views().GraphWindow()->findChild<QWidget*>("Picture1");
    ASSERT_NE(plot, nullptr);
    EXPECT_GE(plot->width(), GraphView::kMinPictureWidth);
    EXPECT_GE(plot->height(), GraphView::kMinPictureHeight);
    const QWidget* drawing = window->Views().RealWindow()->Picture();
    EXPECT_GE(drawing->width(), RealView::kMinPictureWidth);
    EXPECT_GE(drawing->height(), RealView::kMinPictureHeight);
    // And whole in their windows, not cut off by them.
    const std::pair<const QWidget*, const QWidget*> shown[] = {
        {plot, window->Views().GraphWindow()}, {drawing, window->Views().RealWindow()}};
    for (const auto& [area, view] : shown) {
      const QRect inView(area->mapTo(view, QPoint(0, 0)), area->size());
      EXPECT_TRUE(view->rect().contains(inView)) << view->objectName().toStdString();
    }
  }

};

// The MDI area's own tiling squeezes the change-input form into a quarter of
// the area, cutting off its rows and buttons.
TEST_F(WindowMenuTest, TilingAWorkingAreaOf800x600ShowsAllFourWindowsWhole) {
  Editing({Px(12000), Px(9000)});
  SetWorkingArea({800, 600});
  ASSERT_EQ(Item("menu_tile")->text(), "並べて表示");
  Item("menu_tile")->trigger();
  QApplication::processEvents();
  ExpectTiled();
  ExpectReadableViews();
  // The table, shorter than its rows, scrolls to each of them.
  TableView* table = window->Views().TableWindow();
  QTableView* grid = table->Grid();
  QScrollBar* bar = grid->verticalScrollBar();
  EXPECT_LT(table->height(), table->sizeHint().height());
  ASSERT_TRUE(bar->isVisible());
  EXPECT_GE(grid->viewport()->width(), 9 * Px(TableView::kColumnTwips));
  bar->setValue(bar->maximum());
  const int last = table->Model()->rowCount() - 1;
  EXPECT_EQ(ResultTableModel::GridRow(last), ResultTable::RowOfStroke(150));
  EXPECT_TRUE(grid->viewport()->rect().contains(grid->visualRect(table->Model()->index(last, 0))));

  // The sweep after an edit redraws the table and leaves the tiling as it
  // was: the table is not stretched back over the graph.
  const QRect tiled = window->SubWindowOf(table)->geometry();
  table->Refresh();
  QApplication::processEvents();
  EXPECT_EQ(window->SubWindowOf(table)->geometry(), tiled);
  ExpectTiled();
}

TEST_F(WindowMenuTest, TilingAtTheStartSizeLaysNoWindowOverAnother) {
  Editing({Px(12000), Px(9000)});  // 800 x 600 with menus, toolbar and status bar
  Item("menu_tile")->trigger();
  // Too small for the four windows: the main window grows to its screen.
  ExpectTiled();
}

// At the start-up size on a larger screen, tiling put the graph, the
// real-motion view and the design assistant past the working area, and
// cascading pushed two windows past its edges.
TEST_F(WindowMenuTest, BothArrangementsKeepEveryWindowInsideTheWorkingArea) {
  const struct {
    bool Assistant;
    QSize Window;
    QRect Screen;
    bool Grows;
  } rows[] = {{false, {Px(12000), Px(9000)}, {0, 0, 1920, 1080}, true},
              {true, {Px(12000), Px(9000)}, {0, 0, 1920, 1080}, true},
              {true, {Px(12000), Px(9000)}, {40, 30, 1880, 1020}, true},
              {true, {1700, 1100}, {0, 0, 1920, 1080}, false}};
  for (const auto& row : rows) {
    window.reset();
    state = AppState();
    Editing(row.Window);
    if (row.Assistant) Item("menu_assist")->trigger();
    const QRect before = window->frameGeometry();
    window->TileWindows(row.Screen);
    ExpectTiled(true, row.Assistant ? 5 : 4);
    // Grown where it had to, to the screen's area and no further.
    EXPECT_EQ(window->frameGeometry(), row.Grows ? row.Screen : before);
    window->CascadeWindows(row.Screen);
    ExpectTiled(true, row.Assistant ? 5 : 4, false);
  }
}

TEST_F(WindowMenuTest, TilingOnALargeScreenShowsTheWholeTable) {
  Editing({1600, 1100});
  Item("menu_tile")->trigger();
  ExpectTiled();
  // The table, of fixed size, is shown whole and not stretched: a taller
  // frame would only stand empty above and below it.
  const QMdiSubWindow* table = window->SubWindowOf(window->Views().TableWindow());
  EXPECT_EQ(table->size(), table->sizeHint());
  // The views get the width the form and the table leave.
  const QMdiSubWindow* graph = window->SubWindowOf(window->Views().GraphWindow());
  EXPECT_GE(graph->width(), graph->sizeHint().width());
  ExpectReadableViews();
  // Every row in view at once, no scroll bar.
  QApplication::processEvents();
  const TableView* view = window->Views().TableWindow();
  EXPECT_FALSE(view->Grid()->verticalScrollBar()->isVisible());
  EXPECT_GE(view->Grid()->viewport()->height(),
            view->Model()->rowCount() * view->Grid()->verticalHeader()->defaultSectionSize());
}

// Regression: opened in the start-up window, the table was held shorter by
// the working area and stayed short, scrolling, after the main window grew
// and the table was fitted again, as if a tiling had shortened it. Only a
// tiling keeps a shorter table; otherwise each fitting gives its full size.
TEST_F(WindowMenuTest, AFittingAfterTheWindowGrewGivesTheTableItsFullSize) {
  Editing({Px(12000), Px(9000)});
  TableView* view = window->Views().TableWindow();
  window->resize(1600, 1100);
  QApplication::processEvents();
  view->Refresh();
  QApplication::processEvents();
  EXPECT_EQ(view->size(), view->sizeHint());
  EXPECT_FALSE(view->Grid()->verticalScrollBar()->isVisible());

  // Tiled into a small area it keeps its tiled height through a fitting.
  window->resize(window->size() + (QSize(800, 600) - window->Area()->viewport()->size()));
  QApplication::processEvents();
  Item("menu_tile")->trigger();
  const int tiled = view->height();
  ASSERT_LT(tiled, view->sizeHint().height());
  view->Refresh();
  EXPECT_EQ(view->height(), tiled);
}

TEST_F(WindowMenuTest, CascadingKeepsEveryWindowInViewWithTheActiveOneOnTop) {
  Editing({Px(12000), Px(9000)});
  Item("menu_tile")->trigger();
  QMdiSubWindow* graph = window->SubWindowOf(window->Views().GraphWindow());
  window->Area()->setActiveSubWindow(graph);
  ASSERT_EQ(Item("menu_cascade")->text(), "重ねて表示");
  Item("menu_cascade")->trigger();
  const std::vector<QMdiSubWindow*> shown = Shown();
  ASSERT_EQ(shown.size(), 4u);
  const QRect room = window->Area()->viewport()->rect();
  for (const QMdiSubWindow* sub : shown) {
    // Each title bar is in the area, where the user can take the window.
    EXPECT_TRUE(room.contains(sub->geometry().topLeft())) << sub->widget()->objectName().toStdString();
    EXPECT_TRUE(room.contains(sub->geometry().topRight() - QPoint(1, 0)))
        << sub->widget()->objectName().toStdString();
    EXPECT_GE(sub->width(), sub->minimumSizeHint().width());
    EXPECT_GE(sub->height(), sub->minimumSizeHint().height());
  }
  // One title bar apart, in the order they lie. (A window stretched by a
  // tiling once had its contents lower in its frame, and that was taken for
  // the title bar's height, sending the next windows far down the area.)
  int expectedTop = 0;
  for (const QMdiSubWindow* sub : window->Area()->subWindowList(QMdiArea::StackingOrder)) {
    if (!sub->isVisible()) continue;
    EXPECT_EQ(sub->y(), expectedTop) << sub->widget()->objectName().toStdString();
    expectedTop += sub->contentsMargins().top();
  }
  EXPECT_EQ(window->Area()->activeSubWindow(), graph);
  EXPECT_EQ(window->Area()->subWindowList(QMdiArea::StackingOrder).back(), graph);
}

}  // namespace
}  // namespace potelan
