// Window layout figures are given in twips (1/1440 inch); at 96 dpi fifteen
// twips make one pixel. This is the one conversion the windows use.
#pragma once

namespace potelan {

inline constexpr int kTwipsPerPixel = 15;

constexpr int Px(int twips) { return twips / kTwipsPerPixel; }
constexpr double PxF(double twips) { return twips / kTwipsPerPixel; }

}  // namespace potelan
