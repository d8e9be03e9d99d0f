// The Japanese fonts of the windows. "ＭＳ ゴシック" is not on Linux: it
// falls back to a monospaced Japanese gothic that is installed.
#pragma once

#include <QFont>

namespace potelan {

inline constexpr char kGothicFamily[] = "ＭＳ ゴシック";

// Registers the substitutes of "ＭＳ ゴシック"; call once after the
// application object exists.
void InstallFontSubstitutes();

// "ＭＳ ゴシック" at the given point size, with its substitutes.
QFont GothicFont(double pointSize);

}  // namespace potelan
