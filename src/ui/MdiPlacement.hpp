// Where a result view's MDI frame stands when the view is first shown, and
// where a window that should leave another visible stands beside it.
#pragma once

#include <QRect>
#include <QSize>
#include <optional>

class QWidget;

namespace potelan {

// The frame around `view` takes the view's size and stands centred across
// its MDI area, a quarter of the free height from the top. Nothing happens
// for a view outside an MDI frame.
void CentreFrameInArea(QWidget& view);

// Grows the top-level `window` (its frame included) to `available`, the
// screen's area it may take, in each direction where it is smaller; never
// shrinks it. Returns whether it grew.
bool GrowToScreen(QWidget& window, const QRect& available);

// The screen's available area (QScreen::availableGeometry) of `window`, or
// an empty rectangle where it has no screen.
QRect AvailableArea(const QWidget& window);

// The place of a window of at least `minimum` and at most `preferred` width
// in an area of size `room`, in one of the free strips left of, right of,
// above and below `keep` (which it is not to cover): the strip where it gets
// the largest size, with the whole height (or width) of the strip, next to
// `keep`. Nothing when no strip holds `minimum`.
std::optional<QRect> PlaceBeside(QSize room, const QRect& keep, QSize minimum, QSize preferred);

// The frame around `view` stands beside the frame around `keep` in their
// MDI area, as PlaceBeside says, the main window first growing to the
// screen's available area (`screen`, by default its own screen's) where no
// strip holds the frame's minimum size. Where even then none does, the frame
// stands at the area's top right, inside it as far as its size allows.
// Nothing happens for a view or a `keep` outside an MDI frame of one area.
void PlaceFrameBeside(QWidget& view, const QWidget* keep,
                      std::optional<QRect> screen = std::nullopt);

}  // namespace potelan
