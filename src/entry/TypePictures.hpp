// The pictures of the five link layouts, 320 x 200 pixels, drawn from the
// SVG files of the resources.
#pragma once

#include <QPixmap>

namespace potelan {

inline constexpr int kTypePictureWidth = 320;
inline constexpr int kTypePictureHeight = 200;

// The picture of link type 2..6 (bitmap resource 2001..2005 in the design);
// a null pixmap for any other type.
QPixmap TypePicture(int susType);

}  // namespace potelan
