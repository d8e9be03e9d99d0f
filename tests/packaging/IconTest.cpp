// The desktop's icon is the program's own: the SVG file that the hicolor PNG
// sizes are drawn from shows what ProgramIcon() paints in the window frames.
// Guards against the two drifting apart when one of them is redrawn.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cstdlib>

#include "app/ToolbarIcons.hpp"

namespace {

QImage RenderSvg(int size) {
  QSvgRenderer renderer(QStringLiteral(POTELAN_ICON_SVG));
  EXPECT_TRUE(renderer.isValid());
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter);
  painter.end();
  return image;
}

int ChannelDistance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                   std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

TEST(ProgramIconTest, SvgFileShowsWhatTheProgramPaints) {
  for (const int size : {32, 48}) {
    SCOPED_TRACE(size);
    const QImage painted =
        potelan::ProgramIcon().pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(painted.size(), QSize(size, size));
    const QImage drawn = RenderSvg(size);
    int differing = 0;
    int opaque = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        // Edges of antialiased strokes may differ a little; a wrong colour or
        // a moved part differs by far more than that.
        if (ChannelDistance(painted.pixel(x, y), drawn.pixel(x, y)) > 80) ++differing;
        if (qAlpha(drawn.pixel(x, y)) == 255) ++opaque;
      }
    }
    EXPECT_GT(opaque, size * size / 2) << "the SVG icon is mostly empty";
    EXPECT_LT(differing, size * size / 50)
        << differing << " of " << size * size << " pixels differ";
  }
}

}  // namespace
