// The Japanese fonts of the windows. "ＭＳ ゴシック" is not on Linux: it
// falls back to a monospaced Japanese gothic that is installed.
#pragma once

#include <QFont>

namespace potelan {

inline constexpr char kGothicFamily[] = "ＭＳ ゴシック";

// Registers the substitutes of "ＭＳ ゴシック"; call once after the
// application object exists. With `latinFirst` (the English windows) a Latin
// monospaced face comes first: the Japanese gothics draw the decimal point of
// a small figure as a slanted stroke that reads as a comma to an English eye,
// and Japanese text still falls back to them.
void InstallFontSubstitutes(bool latinFirst = false);

// "ＭＳ ゴシック" at the given point size, with its substitutes.
QFont GothicFont(double pointSize);

}  // namespace potelan
