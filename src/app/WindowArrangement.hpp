// The ウィンドウ menu's arrangements of the child windows: side by side in
// columns (並べて表示) and one over the other (重ねて表示). Unlike the MDI
// area's own tiling, no window is made smaller than its minimum size (the
// change-input form stays readable) and a window gets the size it asks for
// (the table all its rows) wherever the area has the room. Where it has not
// (800 x 600), the table is made shorter and scrolls, so that the graph and
// the real-motion view below it keep a size they can be read at. Where the
// working area is too small even for the windows' minimum sizes (the start-up
// size with the design assistant open), the main window first grows to the
// screen's available area, so that every window lies whole inside it.
#pragma once

#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

#include "ui/MdiPlacement.hpp"  // GrowToScreen, AvailableArea

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace potelan {

// What a window asks of an arrangement.
struct TileRequest {
  QSize Minimum;    // never made smaller
  QSize Preferred;  // given where the room allows
  QSize Maximum;    // never made larger
  // The width a window takes more when it is given less than its preferred
  // height: its vertical scroll bar, beside its contents.
  int ScrollBar = 0;
};

// The places of the windows of `columns` (left to right; each column top to
// bottom) in an area of size `room`, in the same order. A column is as wide
// as its widest minimum; width and height left over go first to the windows
// that want more than their minimum, then to the last column that can grow
// (and, within a column, to every window that can). A window given less than
// its preferred height is given its ScrollBar width more. When the columns
// are too wide for the area side by side, the last column goes under the
// column with the most height to spare, while its windows fit there. The windows
// never overlap; when even the minimum sizes do not fit, the columns run past
// the area's right or bottom edge rather than over one another.
std::vector<std::vector<QRect>> TileColumns(QSize room,
                                            const std::vector<std::vector<TileRequest>>& columns);

// Tiles the sub-windows of `columns` over the area's viewport. Hidden and
// minimized windows and empty columns are left out; a maximized window is
// shown normal first. Where the windows at their minimum sizes would not lie
// whole in the viewport, the main window grows first to `screen` (by default
// the available area of its own screen).
void TileSubWindows(QMdiArea& area, const std::vector<std::vector<QMdiSubWindow*>>& columns,
                    std::optional<QRect> screen = std::nullopt);

// Cascades the shown sub-windows, the first at the top left and each next
// one a title bar lower and further right, on top of the one before. A
// window keeps its preferred size as far as the area allows, never below its
// minimum; the last one is active. Where a window at its minimum size would
// not lie whole in the viewport at its place, the main window grows first
// as for tiling; a window that still does not fit moves back up and left as
// far as that brings it inside.
void CascadeSubWindows(QMdiArea& area, const std::vector<QMdiSubWindow*>& windows,
                       std::optional<QRect> screen = std::nullopt);

}  // namespace potelan
