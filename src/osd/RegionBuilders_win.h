#pragma once
// The OSD's window shapes: the label's pixels as a region, and the row of bar
// segments. Each returns a new region that the caller owns.
#include <windows.h>

#include <string>
#include <vector>

#include "osd/InkRegion.h"
#include "osd/OsdLayout.h"
#include "platform/win32/UniqueHandle.h"

namespace keytide::win32 {

// The OSD font: face and style as given, the size in points at 96 pixels per
// inch (OsdFontPixelHeight).
UniqueHfont CreateOsdFont(const OsdFont& request);

// The set of non-white pixels of the text drawn black on white at (0, 0) in
// the font, within the text's extent and the screen's size. One bitmap read,
// rows of runs, one region built from them. Empty for an empty text.
UniqueHrgn TextToRgn(const std::string& text, HFONT font, ScreenSize screen);

// The same shape the slow way on the primary screen: a screen-sized bitmap,
// one pixel read and one region union per pixel. Kept to prove the shapes
// equal and to measure both.
UniqueHrgn TextToRgnPerPixel(const std::string& text, HFONT font);

// A region made of the given non-overlapping rectangles in banded order.
UniqueHrgn RegionFromBands(const std::vector<PixelRect>& bands);

// The volume bar's segments for bar height h, across the screen width, in the
// bar style (rectangles or rounded rectangles; none without a style).
UniqueHrgn CreateProgressRgn(int barHeight, std::optional<BarStyle> barStyle, int screenWidth);

ScreenSize PrimaryScreenSize();

}  // namespace keytide::win32
