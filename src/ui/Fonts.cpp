#include "ui/Fonts.hpp"

#include <QStringList>

namespace potelan {

void InstallFontSubstitutes() {
  QFont::insertSubstitutions(QString::fromUtf8(kGothicFamily),
                             {"IPAGothic", "Noto Sans Mono CJK JP", "VL Gothic",
                              "Noto Sans CJK JP", "DejaVu Sans Mono"});
}

QFont GothicFont(double pointSize) {
  QFont font(QString::fromUtf8(kGothicFamily));
  font.setPointSizeF(pointSize);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace potelan
