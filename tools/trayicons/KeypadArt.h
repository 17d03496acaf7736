#pragma once
// The program's pictures: a small keypad of three by three keys in a dark
// housing. While the program is active a tide of light runs across the keys
// from the bottom left to the top right; the inactive picture is the same
// keypad in dim greys. The application icon is the still active picture; at
// its larger sizes the keys carry their digits.
#include "RgbaImage.h"

namespace keytide::trayicons {

// Roles of the tray pictures: 0 to 88 are the animation, which the tray shows
// as 0, 1 .. 88, 1 .. 88, ...; 10 is also the still picture for "active"
// without animation; 89 is the picture for "inactive".
inline constexpr int kLastAnimationPicture = 88;
inline constexpr int kStillActivePicture = 10;
inline constexpr int kInactivePicture = 89;

// Sizes drawn for each tray picture: the small-icon size at 100 %, 125 %,
// 150 % and 200 % display scaling.
inline constexpr int kTrayPictureSizes[] = {16, 20, 24, 32};
// Sizes of the application icon: the tray sizes and those of Explorer's views.
inline constexpr int kApplicationIconSizes[] = {16, 20, 24, 32, 40, 48, 64, 256};

// Tray picture `picture` (0 to 89) at `size` pixels square, one of the sizes
// above. Throws std::invalid_argument for any other picture or size.
RgbaImage DrawTrayPicture(int picture, int size);

}  // namespace keytide::trayicons
