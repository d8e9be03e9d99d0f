#include "app/WindowArrangement.hpp"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

#include "views/TableView.hpp"

namespace potelan {
namespace {

enum class Rest { ToLast, Evenly };

// Lengths along one direction that fill `room`: every entry starts at its
// minimum; what is left goes first toward the preferred lengths (in
// proportion to what each still wants), then, as `rest` says, to the last
// entry that can grow or evenly to all that can. No entry passes its maximum.
std::vector<int> Share(int room, const std::vector<int>& minimum, const std::vector<int>& preferred,
                       const std::vector<int>& maximum, Rest rest) {
  const std::size_t n = minimum.size();
  std::vector<int> length(minimum);
  long long used = 0;
  for (int m : minimum) used += m;
  long long extra = room - used;
  if (extra <= 0) return length;

  std::vector<long long> wants(n);
  long long wanted = 0;
  for (std::size_t i = 0; i < n; ++i) {
    wants[i] = std::max(0, std::min(preferred[i], maximum[i]) - minimum[i]);
    wanted += wants[i];
  }
  if (wanted >= extra) {
    long long given = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const long long share = extra * wants[i] / wanted;
      length[i] += static_cast<int>(share);
      given += share;
    }
    // What the rounding kept back, a pixel each to those that want more.
    for (std::size_t i = 0; i < n && given < extra; ++i) {
      if (length[i] - minimum[i] < wants[i]) {
        ++length[i];
        ++given;
      }
    }
    return length;
  }
  for (std::size_t i = 0; i < n; ++i) length[i] += static_cast<int>(wants[i]);
  extra -= wanted;

  if (rest == Rest::ToLast) {
    for (std::size_t i = n; i-- > 0 && extra > 0;) {
      const long long add = std::min<long long>(extra, maximum[i] - length[i]);
      length[i] += static_cast<int>(add);
      extra -= add;
    }
    return length;
  }
  while (extra > 0) {
    std::vector<std::size_t> growing;
    for (std::size_t i = 0; i < n; ++i) {
      if (length[i] < maximum[i]) growing.push_back(i);
    }
    if (growing.empty()) break;
    const long long each = std::max<long long>(1, extra / static_cast<long long>(growing.size()));
    for (std::size_t i : growing) {
      const long long add = std::min({each, extra, static_cast<long long>(maximum[i] - length[i])});
      length[i] += static_cast<int>(add);
      extra -= add;
      if (extra == 0) break;
    }
  }
  return length;
}

// The frame's title bar and borders around the window's contents.
QSize FrameOf(const QMdiSubWindow& window) {
  const QMargins m = window.contentsMargins();
  return {m.left() + m.right(), m.top() + m.bottom()};
}

TileRequest RequestOf(const QMdiSubWindow& window) {
  const QSize minimum = window.minimumSizeHint().expandedTo(window.minimumSize());
  // A window of fixed size (the table) is not stretched: a larger frame
  // would only stand empty around it.
  QSize maximum = window.maximumSize();
  if (const QWidget* contents = window.widget()) {
    maximum = maximum.boundedTo(contents->maximumSize() + FrameOf(window));
  }
  maximum = maximum.expandedTo(minimum);
  const QSize preferred = window.sizeHint().expandedTo(minimum).boundedTo(maximum);
  TileRequest request{minimum, preferred, maximum};
  // The table can be shorter than all its rows; it then scrolls, and its
  // maximum width holds the scroll bar.
  if (const auto* table = qobject_cast<const TableView*>(window.widget())) {
    request.ScrollBar = table->ScrollBarWidth();
  }
  return request;
}

bool Arrangeable(const QMdiSubWindow* window) {
  return window != nullptr && !window->isHidden() && !window->isMinimized();
}

// Grows the main window around `area` to the screen's area and returns the
// size the area's viewport has then. The viewport takes all the main window
// grows by (the menu bar, toolbar and status bar keep their height), so the
// size is known before the main window has laid itself out again.
QSize GrowArea(QMdiArea& area, const std::optional<QRect>& screen) {
  const QSize room = area.viewport()->size();
  QWidget& window = *area.window();
  const QSize before = window.size();
  if (!GrowToScreen(window, screen.value_or(AvailableArea(window)))) return room;
  return room + (window.size() - before);
}

}  // namespace

std::vector<std::vector<QRect>> TileColumns(QSize room,
                                            const std::vector<std::vector<TileRequest>>& columns) {
  // Each window by its column and place in the caller's order.
  struct Slot {
    std::size_t Column, Index;
  };
  std::vector<std::vector<Slot>> plan;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    std::vector<Slot> column;
    for (std::size_t i = 0; i < columns[c].size(); ++i) column.push_back({c, i});
    if (!column.empty()) plan.push_back(std::move(column));
  }
  auto ask = [&](const Slot& s) -> const TileRequest& { return columns[s.Column][s.Index]; };
  // The least width of a window; `scrolling`: when it may be shorter than
  // it asks, and so needs its scroll bar beside its contents.
  auto leastWidth = [&](const Slot& s, bool scrolling) {
    const TileRequest& r = ask(s);
    if (!scrolling || r.ScrollBar <= 0) return r.Minimum.width();
    return std::max(r.Minimum.width(),
                    std::min(r.Minimum.width() + r.ScrollBar, r.Maximum.width()));
  };
  auto mayScroll = [&](const Slot& s) {
    return ask(s).Minimum.height() < ask(s).Preferred.height();
  };
  auto minWidth = [&](const std::vector<Slot>& column) {
    int width = 0;
    for (const Slot& s : column) width = std::max(width, leastWidth(s, mayScroll(s)));
    return width;
  };
  auto minHeight = [&](const std::vector<Slot>& column) {
    int height = 0;
    for (const Slot& s : column) height += ask(s).Minimum.height();
    return height;
  };

  // Too narrow for the columns side by side: the last column goes under the
  // column with the most height to spare, as long as its windows fit there.
  for (;;) {
    int wanted = 0;
    for (const std::vector<Slot>& column : plan) wanted += minWidth(column);
    if (plan.size() < 2 || wanted <= room.width()) break;
    const std::vector<Slot>& last = plan.back();
    std::size_t roomiest = 0;
    for (std::size_t c = 1; c + 1 < plan.size(); ++c) {
      if (minHeight(plan[c]) < minHeight(plan[roomiest])) roomiest = c;
    }
    if (room.height() - minHeight(plan[roomiest]) < minHeight(last)) break;
    std::vector<Slot> moved = last;
    plan.pop_back();
    plan[roomiest].insert(plan[roomiest].end(), moved.begin(), moved.end());
  }

  // The heights in each column; a window shorter than it asks scrolls.
  std::vector<std::vector<int>> heights;
  for (const std::vector<Slot>& column : plan) {
    std::vector<int> mn, pf, mx;
    for (const Slot& s : column) {
      mn.push_back(ask(s).Minimum.height());
      pf.push_back(ask(s).Preferred.height());
      mx.push_back(ask(s).Maximum.height());
    }
    heights.push_back(Share(room.height(), mn, pf, mx, Rest::Evenly));
  }
  auto scrolls = [&](std::size_t c, std::size_t i) {
    return heights[c][i] < ask(plan[c][i]).Preferred.height();
  };

  std::vector<int> minWidths, prefWidths, maxWidths;
  for (std::size_t c = 0; c < plan.size(); ++c) {
    int mn = 0, pf = 0, mx = 0;
    for (std::size_t i = 0; i < plan[c].size(); ++i) {
      const TileRequest& r = ask(plan[c][i]);
      const int least = leastWidth(plan[c][i], scrolls(c, i));
      mn = std::max(mn, least);
      pf = std::max(pf, std::max(r.Preferred.width(), least));
      mx = std::max(mx, r.Maximum.width());
    }
    minWidths.push_back(mn);
    prefWidths.push_back(pf);
    maxWidths.push_back(std::max(mx, mn));
  }
  const std::vector<int> widths =
      Share(room.width(), minWidths, prefWidths, maxWidths, Rest::ToLast);

  std::vector<std::vector<QRect>> places(columns.size());
  for (std::size_t c = 0; c < columns.size(); ++c) places[c].resize(columns[c].size());
  int x = 0;
  for (std::size_t c = 0; c < plan.size(); ++c) {
    int y = 0;
    for (std::size_t i = 0; i < plan[c].size(); ++i) {
      const Slot& s = plan[c][i];
      const int width = std::clamp(widths[c], leastWidth(s, scrolls(c, i)), ask(s).Maximum.width());
      places[s.Column][s.Index] = QRect(x, y, width, heights[c][i]);
      y += heights[c][i];
    }
    x += widths[c];
  }
  return places;
}

void TileSubWindows(QMdiArea& area, const std::vector<std::vector<QMdiSubWindow*>>& columns,
                    std::optional<QRect> screen) {
  std::vector<std::vector<QMdiSubWindow*>> shown;
  std::vector<std::vector<TileRequest>> requests;
  for (const std::vector<QMdiSubWindow*>& column : columns) {
    std::vector<QMdiSubWindow*> windows;
    std::vector<TileRequest> asks;
    for (QMdiSubWindow* window : column) {
      if (!Arrangeable(window)) continue;
      if (window->isMaximized()) window->showNormal();
      windows.push_back(window);
      asks.push_back(RequestOf(*window));
    }
    if (windows.empty()) continue;
    shown.push_back(std::move(windows));
    requests.push_back(std::move(asks));
  }
  QSize room = area.viewport()->size();
  std::vector<std::vector<QRect>> places = TileColumns(room, requests);
  const bool inside = std::all_of(places.begin(), places.end(), [room](const auto& column) {
    return std::all_of(column.begin(), column.end(),
                       [room](const QRect& r) { return QRect(QPoint(), room).contains(r); });
  });
  if (!inside) {
    const QSize grown = GrowArea(area, screen);
    if (grown != room) places = TileColumns(grown, requests);
  }
  for (std::size_t c = 0; c < shown.size(); ++c) {
    for (std::size_t i = 0; i < shown[c].size(); ++i) shown[c][i]->setGeometry(places[c][i]);
  }
}

void CascadeSubWindows(QMdiArea& area, const std::vector<QMdiSubWindow*>& windows,
                       std::optional<QRect> screen) {
  std::vector<QMdiSubWindow*> shown;
  std::vector<TileRequest> requests;
  std::vector<int> offsets;
  int offset = 0;
  for (QMdiSubWindow* window : windows) {
    if (!Arrangeable(window)) continue;
    if (window->isMaximized()) window->showNormal();
    // One title bar down and across per window.
    if (!shown.empty()) offset += std::max(8, window->contentsMargins().top());
    shown.push_back(window);
    requests.push_back(RequestOf(*window));
    offsets.push_back(offset);
  }
  if (shown.empty()) return;
  QSize room = area.viewport()->size();
  // A window may move back left, but every title bar is to stay on a line
  // of its own: a window too tall for its place wants a larger area.
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (requests[i].Minimum.width() > room.width() ||
        offsets[i] + requests[i].Minimum.height() > room.height()) {
      room = GrowArea(area, screen);
      break;
    }
  }
  QMdiSubWindow* last = shown.back();
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const TileRequest& r = requests[i];
    const QSize free(std::max(0, room.width() - offsets[i]),
                     std::max(0, room.height() - offsets[i]));
    const QSize size = r.Preferred.boundedTo(free).expandedTo(r.Minimum);
    // A window too large for its place moves back left and up as far as
    // that brings it in.
    const int x = std::max(0, std::min(offsets[i], room.width() - size.width()));
    const int y = std::max(0, std::min(offsets[i], room.height() - size.height()));
    shown[i]->setGeometry(x, y, size.width(), size.height());
    shown[i]->raise();
  }
  area.setActiveSubWindow(last);
}

}  // namespace potelan
