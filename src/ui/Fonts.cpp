#include "ui/Fonts.hpp"

#include <QStringList>

namespace potelan {

void InstallFontSubstitutes(bool latinFirst) {
  const QString family = QString::fromUtf8(kGothicFamily);
  QFont::removeSubstitutions(family);
  QStringList faces{"IPAGothic", "Noto Sans Mono CJK JP", "VL Gothic", "Noto Sans CJK JP",
                    "DejaVu Sans Mono"};
  if (latinFirst) faces.swapItemsAt(0, 1);
  QFont::insertSubstitutions(family, faces);
}

QFont GothicFont(double pointSize) {
  QFont font(QString::fromUtf8(kGothicFamily));
  font.setPointSizeF(pointSize);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace potelan
