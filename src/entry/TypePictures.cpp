#include "entry/TypePictures.hpp"

#include <QPainter>
#include <QPixmapCache>
#include <QString>
#include <QSvgRenderer>

// The resource file is compiled into a static library; registering it by
// name keeps the linker from dropping it. Q_INIT_RESOURCE must be used
// outside any namespace.
static void RegisterTypePictureResources() { Q_INIT_RESOURCE(potelan); }

namespace potelan {
namespace {

QPixmap RenderTypePicture(int susType) {
  QSvgRenderer renderer(QStringLiteral(":/types/type%1.svg").arg(susType));
  if (!renderer.isValid()) return {};
  QPixmap picture(kTypePictureWidth, kTypePictureHeight);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  renderer.render(&painter, QRectF(0, 0, kTypePictureWidth, kTypePictureHeight));
  return picture;
}

}  // namespace

QPixmap TypePicture(int susType) {
  if (susType < 2 || susType > 6) return {};
  static const bool registered = [] {
    RegisterTypePictureResources();
    return true;
  }();
  (void)registered;

  // The pictures are drawn once and then kept by Qt's pixmap cache, which
  // lives and dies with the application object.
  const QString key = QStringLiteral("potelan/type-picture/%1").arg(susType);
  QPixmap picture;
  if (QPixmapCache::find(key, &picture)) return picture;
  picture = RenderTypePicture(susType);
  if (!picture.isNull()) QPixmapCache::insert(key, picture);
  return picture;
}

}  // namespace potelan
