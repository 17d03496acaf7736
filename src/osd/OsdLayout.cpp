#include "osd/OsdLayout.h"

#include <algorithm>
#include <cstdlib>

namespace keytide {

namespace {
constexpr int kVolumePerStep = 3276;
constexpr int kTicksPerSecond = 10;
constexpr ColorValue kSystemColorFlag = 0x80000000;
}  // namespace

int OsdFontPointSize(int screenHeight, std::optional<OsdSize> size) {
    const int fortieths = size ? static_cast<int>(*size) + 1 : 0;
    return (screenHeight / 40) * fortieths;
}

int OsdFontPixelHeight(int pointSize) {
    constexpr int kPixelsPerInch = 96;
    constexpr int kPointsPerInch = 72;
    const int magnitude = (std::abs(pointSize) * kPixelsPerInch + kPointsPerInch / 2) / kPointsPerInch;
    return pointSize < 0 ? -magnitude : magnitude;
}

OsdFont OsdFontFor(const Settings& settings, ScreenSize screen) {
    return OsdFont{settings.fontName, settings.bold, settings.italic, OsdFontPointSize(screen.height, settings.osdSize)};
}

platform::MonitorRect OsdScreen(const platform::MonitorLayout& layout) {
    if (layout.foreground && *layout.foreground < layout.monitors.size()) return layout.monitors[*layout.foreground];
    if (!layout.monitors.empty()) return layout.monitors.front();
    return {};
}

WindowBounds TextWindowBounds(const platform::MonitorRect& screen) {
    const int indent = screen.width / 40;
    return WindowBounds{screen.left + indent, screen.top + screen.height / 50, screen.width - indent,
                        screen.height / 2};
}

int ProgressBarHeight(ScreenSize screen) { return screen.height / 10; }

ProgressGeometry ProgressGeometryFor(int barHeight) { return ProgressGeometry{barHeight, barHeight / 5, barHeight / 3}; }

std::vector<int> SegmentLefts(int barHeight, int screenWidth) {
    const ProgressGeometry bar = ProgressGeometryFor(barHeight);
    std::vector<int> lefts;
    for (int i = 0;; ++i) {
        lefts.push_back(bar.pitch * i);
        // A bar under 3 pixels high has pitch 0: every further segment would
        // land on the first one and the loop would never end.
        if (bar.pitch <= 0 || bar.pitch * (i + 1) > screenWidth - bar.segmentWidth) break;
    }
    return lefts;
}

SegmentShape SegmentShapeFor(std::optional<BarStyle> barStyle) {
    if (!barStyle) return SegmentShape::None;
    return *barStyle == BarStyle::Normal ? SegmentShape::Rectangle : SegmentShape::RoundedRectangle;
}

WindowBounds ProgressWindowBounds(const platform::MonitorRect& screen, int width) {
    return WindowBounds{screen.left, screen.top + screen.height - screen.height / 7, width, kProgressWindowHeight};
}

int VolumeSteps(const VolumeLevels& volume) { return (volume.left + volume.right) / kVolumePerStep; }

int VolumeBarWidth(ScreenSize screen, int volumeSteps) {
    // Steps are never negative for readings on the mixer's scale; a window
    // cannot be narrower than nothing.
    return std::max(0, (screen.width / 40) * volumeSteps);
}

std::string SpokenVolume(const std::string& label, const VolumeLevels& volume) {
    if (volume.left < 0) return label;
    const int level = volume.right < 0 ? volume.left : (volume.left + volume.right) / 2;
    return label + " " + std::to_string((level * 100 + 32767) / 65535) + " %";
}

int TickLimit(std::optional<int> timeOutSeconds) { return timeOutSeconds.value_or(0) * kTicksPerSecond; }

int PreviewWaitMs(std::optional<int> timeOutSeconds) { return std::max(0, timeOutSeconds.value_or(0) * 1000); }

std::uint32_t ColorToRgb(ColorValue color, SystemColorLookup systemColor) {
    if ((color & 0xFF000000u) == kSystemColorFlag) return systemColor(static_cast<int>(color & 0xFFu)) & 0x00FFFFFFu;
    return color & 0x00FFFFFFu;
}

}  // namespace keytide
