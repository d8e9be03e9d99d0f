#include "ui/MdiPlacement.hpp"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <algorithm>

namespace potelan {

void CentreFrameInArea(QWidget& view) {
  auto* frame = qobject_cast<QMdiSubWindow*>(view.parentWidget());
  if (frame == nullptr) return;
  frame->adjustSize();
  if (QMdiArea* area = frame->mdiArea()) {
    const QSize room = area->viewport()->size();
    frame->move(std::max(0, (room.width() - frame->width()) / 2),
                std::max(0, (room.height() - frame->height()) / 4));
  }
}

bool GrowToScreen(QWidget& window, const QRect& available) {
  if (available.isEmpty()) return false;
  const QRect inner = window.geometry();
  const QRect outer = window.frameGeometry();
  // The window manager's frame around the window takes its part of the area.
  const QRect target =
      available.adjusted(inner.left() - outer.left(), inner.top() - outer.top(),
                         inner.right() - outer.right(), inner.bottom() - outer.bottom());
  const bool wider = target.width() > inner.width();
  const bool taller = target.height() > inner.height();
  if (!wider && !taller) return false;
  window.setGeometry(wider ? target.x() : inner.x(), taller ? target.y() : inner.y(),
                     wider ? target.width() : inner.width(),
                     taller ? target.height() : inner.height());
  return true;
}

QRect AvailableArea(const QWidget& window) {
  const QScreen* screen = window.screen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

std::optional<QRect> PlaceBeside(QSize room, const QRect& keep, QSize minimum, QSize preferred) {
  const QRect area(QPoint(), room);
  const QRect k = keep.intersected(area);
  if (k.isEmpty()) return QRect(QPoint(), preferred.expandedTo(minimum).boundedTo(room));
  // Each strip and whether the window stands across it (left or right of
  // `keep`) or along it (above or below).
  struct Strip {
    QRect Room;
    bool Across;
  };
  const Strip strips[] = {
      {QRect(area.left(), area.top(), k.left() - area.left(), area.height()), true},
      {QRect(k.right() + 1, area.top(), area.right() - k.right(), area.height()), true},
      {QRect(area.left(), area.top(), area.width(), k.top() - area.top()), false},
      {QRect(area.left(), k.bottom() + 1, area.width(), area.bottom() - k.bottom()), false}};
  std::optional<QRect> best;
  long long bestArea = -1;
  for (const Strip& strip : strips) {
    const QRect& r = strip.Room;
    if (r.width() < minimum.width() || r.height() < minimum.height()) continue;
    const int w = std::clamp(preferred.width(), minimum.width(), r.width());
    const int h = r.height();
    // Next to `keep`: at the strip's edge that touches it.
    const int x = r.right() + 1 == k.left() ? r.right() + 1 - w : r.left();
    const QRect place(strip.Across ? x : std::clamp(k.left(), r.left(), r.right() + 1 - w), r.top(),
                      w, h);
    const long long size = static_cast<long long>(w) * h;
    if (size > bestArea) {
      best = place;
      bestArea = size;
    }
  }
  return best;
}

void PlaceFrameBeside(QWidget& view, const QWidget* keep, std::optional<QRect> screen) {
  auto* frame = qobject_cast<QMdiSubWindow*>(view.parentWidget());
  auto* keepFrame = keep != nullptr ? qobject_cast<QMdiSubWindow*>(keep->parentWidget()) : nullptr;
  if (frame == nullptr || keepFrame == nullptr || frame->mdiArea() == nullptr ||
      frame->mdiArea() != keepFrame->mdiArea()) {
    return;
  }
  QMdiArea& area = *frame->mdiArea();
  const QSize minimum = frame->minimumSizeHint().expandedTo(frame->minimumSize());
  const QSize preferred = frame->size().expandedTo(minimum);
  QSize room = area.viewport()->size();
  std::optional<QRect> place = PlaceBeside(room, keepFrame->geometry(), minimum, preferred);
  if (!place) {
    // The viewport takes all the main window grows by.
    QWidget& window = *area.window();
    const QSize before = window.size();
    if (GrowToScreen(window, screen.value_or(AvailableArea(window)))) {
      room += window.size() - before;
      place = PlaceBeside(room, keepFrame->geometry(), minimum, preferred);
    }
  }
  if (!place) {
    const QSize size = preferred.boundedTo(room).expandedTo(minimum);
    place = QRect(QPoint(std::max(0, room.width() - size.width()), 0), size);
  }
  frame->setGeometry(*place);
}

}  // namespace potelan
