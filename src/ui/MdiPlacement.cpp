#include "ui/MdiPlacement.hpp"

#include <QMdiArea>
#include <QMdiSubWindow>
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

}  // namespace potelan
