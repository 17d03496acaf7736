#pragma once
// The on-screen display's geometry and counting rules: the OSD font, where the
// two windows go, the segments of the volume bar, the volume steps, the
// time-out ticks and the preview's wait. All integer division truncates.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "media/MasterVolume.h"
#include "model/Settings.h"
#include "platform/Monitors.h"

namespace keytide {

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// The monitor the OSD shows on: the one that holds the foreground window,
// else the primary one. Positions and sizes come from its rectangle as they
// would from a single screen's, offset by its top left corner.
platform::MonitorRect OsdScreen(const platform::MonitorLayout& layout);
inline ScreenSize SizeOf(const platform::MonitorRect& screen) { return ScreenSize{screen.width, screen.height}; }

struct WindowBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowBounds&) const = default;
};

// The OSD font, built afresh for each showing from the settings.
struct OsdFont {
    std::string faceName;
    bool bold = false;
    bool italic = false;
    int pointSize = 0;  // 0: the platform's default height
    bool operator==(const OsdFont&) const = default;
};

// (screen height div 40) x 1, 2 or 3 points for small, normal and large; 0
// without a size.
int OsdFontPointSize(int screenHeight, std::optional<OsdSize> size);
// The label's character height in pixels: its points at 96 pixels per inch
// whatever the monitor's scaling, so that the label keeps the same share of
// the screen (the screen height is in pixels already). Rounded to the nearest
// pixel, halves away from zero; 0 stays 0 (the platform's default height).
int OsdFontPixelHeight(int pointSize);
OsdFont OsdFontFor(const Settings& settings, ScreenSize screen);

// Near the top left corner, reaching the screen's right edge.
WindowBounds TextWindowBounds(const platform::MonitorRect& screen);

// The progress window keeps the height it was designed with.
inline constexpr int kProgressWindowHeight = 367;
inline constexpr int kTextWindowDesignWidth = 536;
inline constexpr int kTextWindowDesignHeight = 348;

struct ProgressGeometry {
    int barHeight = 0;
    int segmentWidth = 0;  // also the corner ellipse's width and height
    int pitch = 0;         // from one segment's left edge to the next one's
};
int ProgressBarHeight(ScreenSize screen);
ProgressGeometry ProgressGeometryFor(int barHeight);

// Left edges of the segments: at least one, then one more while the next
// still ends inside the screen width.
std::vector<int> SegmentLefts(int barHeight, int screenWidth);

enum class SegmentShape { None, Rectangle, RoundedRectangle };
// Without a style no segment is drawn.
SegmentShape SegmentShapeFor(std::optional<BarStyle> barStyle);

// The bar window at the bottom left, as wide as the given width.
WindowBounds ProgressWindowBounds(const platform::MonitorRect& screen, int width);

// (left + right) div 3276: 0 to 40 on the 0..65535 scale, 0 without a mixer.
int VolumeSteps(const VolumeLevels& volume);
int VolumeBarWidth(ScreenSize screen, int volumeSteps);

// The label window's text, which a screen reader speaks: after a volume key
// the label and the volume in percent ("Vol+ 60 %", the mean of the
// channels), or the label alone without a reading.
std::string SpokenVolume(const std::string& label, const VolumeLevels& volume);

// The OSD hides once ticks exceeds this: ten per second of the time-out, 0
// without one.
int TickLimit(std::optional<int> timeOutSeconds);
// The preview's wait in milliseconds: the time-out, 0 without one.
int PreviewWaitMs(std::optional<int> timeOutSeconds);

// A colour value as an RGB colour (0x00BBGGRR): system colour n is looked up,
// anything else keeps its low three bytes.
using SystemColorLookup = std::uint32_t (*)(int index);
std::uint32_t ColorToRgb(ColorValue color, SystemColorLookup systemColor);

}  // namespace keytide
