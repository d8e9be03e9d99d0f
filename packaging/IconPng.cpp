// potelan-icon-png: draws the program's SVG icon at the sizes of the hicolor
// icon theme, as OUTDIR/NxN/apps/NAME.png, at build time.
// Usage: potelan-icon-png ICON.svg OUTDIR NAME SIZE...
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: potelan-icon-png ICON.svg OUTDIR NAME SIZE...\n");
    return 2;
  }
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid()) {
    std::fprintf(stderr, "potelan-icon-png: cannot read the SVG file %s\n", argv[1]);
    return 1;
  }
  const QString outDir = QString::fromLocal8Bit(argv[2]);
  const QString name = QString::fromLocal8Bit(argv[3]);
  for (int i = 4; i < argc; ++i) {
    char* end = nullptr;
    const long size = std::strtol(argv[i], &end, 10);
    if (end == argv[i] || *end != '\0' || size < 1 || size > 1024) {
      std::fprintf(stderr, "potelan-icon-png: '%s' is not an icon size from 1 to 1024\n", argv[i]);
      return 2;
    }
    const int n = static_cast<int>(size);
    QImage image(n, n, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(n);
    const QString file = QStringLiteral("%1/%2.png").arg(dir, name);
    if (!QDir().mkpath(dir) || !image.save(file, "PNG")) {
      std::fprintf(stderr, "potelan-icon-png: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
