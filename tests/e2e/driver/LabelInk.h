#pragma once
// The OSD label's shape as the tests expect it, and how to compare shapes.
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "Driver.h"

namespace ktd::e2e {

using PixelSet = std::set<std::pair<int, int>>;  // (x, y)

// Every pixel of a window region (window coordinates).
PixelSet pixelsOf(const WindowRegion& region);

// The label drawn the literal way, black on white at (0, 0) on a
// screen-compatible bitmap: every pixel of the text's extent that is not pure
// white. The font's size is in points at 96 pixels per inch, as the OSD takes it.
PixelSet labelInk(const std::string& label, const char* face, int points, bool bold, bool italic);

// Sizes, boxes, and how many pixels are missing and extra, for a failure message.
std::string describeDifference(const PixelSet& expected, const PixelSet& actual);

// How many of the window pixels (window coordinates) show `color` on the screen.
size_t colorCount(const ScreenShot& shot, POINT origin, const PixelSet& pixels, std::uint32_t color);

}  // namespace ktd::e2e
