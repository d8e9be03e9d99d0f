#include "app/ToolbarIcons.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace potelan {
namespace {

void Folder(QPainter& p) {
  p.setBrush(QColor(240, 200, 80));
  p.drawRect(1, 4, 13, 9);
  p.drawRect(1, 2, 5, 2);
}

void Disk(QPainter& p) {
  p.setBrush(QColor(60, 90, 170));
  p.drawRect(1, 1, 13, 13);
  p.setBrush(Qt::white);
  p.drawRect(4, 1, 7, 5);
  p.drawRect(3, 9, 9, 5);
}

void Printer(QPainter& p) {
  p.setBrush(Qt::white);
  p.drawRect(4, 1, 7, 5);
  p.setBrush(QColor(150, 150, 150));
  p.drawRect(1, 6, 13, 6);
  p.setBrush(Qt::white);
  p.drawRect(4, 10, 7, 5);
}

void Graph(QPainter& p) {
  p.setBrush(Qt::black);
  p.drawRect(1, 1, 13, 13);
  p.setPen(QPen(QColor(0, 255, 255), 1.5));
  p.drawPolyline(QPolygonF({{2, 12}, {6, 9}, {9, 6}, {13, 3}}));
  p.setPen(QPen(QColor(255, 0, 255), 1.5));
  p.drawPolyline(QPolygonF({{2, 9}, {6, 8}, {9, 8}, {13, 6}}));
}

void Table(QPainter& p) {
  p.setBrush(Qt::white);
  p.drawRect(1, 1, 13, 13);
  for (int y = 4; y < 14; y += 3) p.drawLine(1, y, 14, y);
  p.drawLine(5, 1, 5, 14);
  p.drawLine(10, 1, 10, 14);
}

void Motion(QPainter& p) {
  p.setPen(QPen(QColor(0, 0, 200), 2));
  p.drawLine(2, 11, 13, 13);
  p.setPen(QPen(QColor(200, 0, 0), 2));
  p.drawLine(7, 12, 10, 2);
  p.setBrush(Qt::white);
  p.setPen(Qt::black);
  p.drawEllipse(QPointF(2, 11), 1.5, 1.5);
  p.drawEllipse(QPointF(10, 2), 1.5, 1.5);
}

void Weight(QPainter& p) {
  p.setBrush(QColor(120, 120, 120));
  p.drawPolygon(QPolygonF({{3, 14}, {13, 14}, {11, 5}, {5, 5}}));
  p.drawEllipse(QPointF(8, 3.5), 2, 2);
}

void Arrow(QPainter& p, bool forward) {
  p.setBrush(QColor(0, 140, 0));
  QPolygonF arrow({{2, 6}, {8, 6}, {8, 2}, {14, 8}, {8, 14}, {8, 10}, {2, 10}});
  if (!forward) {
    for (QPointF& point : arrow) point.setX(16 - point.x());
  }
  p.drawPolygon(arrow);
}

void InputForm(QPainter& p) {
  p.setBrush(QColor(230, 230, 230));
  p.drawRect(1, 1, 13, 13);
  p.setBrush(Qt::white);
  p.drawRect(6, 3, 7, 3);
  p.drawRect(6, 9, 7, 3);
  p.drawLine(2, 4, 4, 4);
  p.drawLine(2, 10, 4, 10);
}

}  // namespace

QIcon ToolbarIcon(int image) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1));
  switch (image) {
    case 1: Folder(p); break;
    case 2: Disk(p); break;
    case 3: Printer(p); break;
    case 4: Graph(p); break;
    case 5: Table(p); break;
    case 6: Motion(p); break;
    case 7: Weight(p); break;
    case 8: Arrow(p, true); break;
    case 9: Arrow(p, false); break;
    case 10: InputForm(p); break;
    default: break;
  }
  p.end();
  return QIcon(pixmap);
}

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(192, 192, 192));
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 5, 5);
    p.setPen(QPen(QColor(0, 0, 160), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 20), QPointF(27, 25));  // swing-arm
    p.setPen(QPen(QColor(200, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14, 22), QPointF(20, 5));  // shock unit
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(5, 20), 3, 3);   // pivot
    p.drawEllipse(QPointF(27, 25), 3, 3);  // axle
    p.drawEllipse(QPointF(20, 5), 2.5, 2.5);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace potelan
