// The OSD's geometry and counting rules on the screen sizes people use, and at
// the edges: no selection, tiny screens, no mixer.
#include <gtest/gtest.h>

#include "osd/OsdLayout.h"

namespace keytide {
namespace {

constexpr std::optional<OsdSize> kSmall = OsdSize::Small, kNormal = OsdSize::Normal, kLarge = OsdSize::Large,
                                 kNoSize = std::nullopt;

TEST(OsdLayoutTest, FontSizeIsTheScreenHeightDiv40TimesTheSizeStep) {
    struct Case {
        int screenHeight;
        std::optional<OsdSize> size;
        int points;
    };
    const Case cases[] = {
        {768, kSmall, 19},  {768, kNormal, 38},  {768, kLarge, 57},  // 1024 x 768
        {1080, kLarge, 81}, {2160, kLarge, 162}, {799, kSmall, 19},  // truncating division
        {768, kNoSize, 0},                                          // none chosen: the default height
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OsdFontPointSize(c.screenHeight, c.size), c.points) << "height " << c.screenHeight;
    }
}

// A per-monitor aware program sees the screen in pixels at every scaling,
// so the label's pixel height follows the screen alone: points at 96 per
// inch. At 150 % (144 DPI) and 200 % (192 DPI) the monitor's DPI used to
// enlarge the label once more, by 1.5 and 2.
TEST(OsdLayoutTest, LabelPixelHeightIsThePointsAt96PerInchWhateverTheScaling) {
    struct Case {
        int screenHeight;
        std::optional<OsdSize> size;
        int pixels;
    };
    const Case cases[] = {
        {768, kSmall, 25},   {768, kNormal, 51}, {768, kLarge, 76},  // 19, 38, 57 points; 25.3 and 50.7 round
        {1080, kSmall, 36},  {1080, kLarge, 108},                    // a 1080-line panel at 100, 150 or 200 %
        {2160, kSmall, 72},  {2160, kLarge, 216},                    // twice the rows, twice the pixels
        {1440, kNormal, 96},                                         // 72 points are an inch: 96 pixels
        {768, kNoSize, 0},                                           // none chosen: the default height
    };
    for (const Case& c : cases) {
        const int points = OsdFontPointSize(c.screenHeight, c.size);
        EXPECT_EQ(OsdFontPixelHeight(points), c.pixels) << "height " << c.screenHeight;
    }
}

TEST(OsdLayoutTest, FontTakesFaceAndStyleFromTheSettings) {
    Settings settings;
    settings.fontName = "Courier New";
    settings.bold = false;
    settings.italic = true;
    settings.osdSize = OsdSize::Large;
    EXPECT_EQ(OsdFontFor(settings, {1024, 768}), (OsdFont{"Courier New", false, true, 57}));
}

TEST(OsdLayoutTest, TextWindowSitsNearTheTopLeftAndReachesTheRightEdge) {
    EXPECT_EQ(TextWindowBounds({0, 0, 1024, 768}), (WindowBounds{25, 15, 999, 384}));
    EXPECT_EQ(TextWindowBounds({0, 0, 1920, 1080}), (WindowBounds{48, 21, 1872, 540}));
    EXPECT_EQ(TextWindowBounds({0, 0, 3840, 2160}), (WindowBounds{96, 43, 3744, 1080}));
}

// Rectangles are in each monitor's own pixels whatever its scaling: a 150 %
// 4K monitor simply has more of them.
TEST(OsdLayoutTest, OsdGoesToTheForegroundWindowsMonitorElseThePrimary) {
    const platform::MonitorRect primary{0, 0, 1920, 1080}, left{-1280, 0, 1280, 1024},
        above4k{-960, -2160, 3840, 2160};
    struct Case {
        platform::MonitorLayout desk;
        platform::MonitorRect chosen;
    };
    const Case cases[] = {
        {{{primary, left}, 1}, left},                 // two, the other at negative x
        {{{primary, left}, std::nullopt}, primary},   // no foreground window
        {{{primary, left, above4k}, 2}, above4k},     // three, negative x and y, mixed scaling
        {{{primary, above4k, left}, 7}, primary},     // an index that names no monitor
        {{}, {}},                                     // none listed
    };
    for (const Case& c : cases) EXPECT_EQ(OsdScreen(c.desk), c.chosen) << c.desk.monitors.size();
    EXPECT_EQ(TextWindowBounds(left), (WindowBounds{-1248, 20, 1248, 512}));
    EXPECT_EQ(TextWindowBounds(above4k), (WindowBounds{-864, -2117, 3744, 1080}));
    EXPECT_EQ(ProgressWindowBounds(above4k, 3840), (WindowBounds{-960, -308, 3840, kProgressWindowHeight}));
}

TEST(OsdLayoutTest, BarGeometryAt1024x768) {
    EXPECT_EQ(ProgressBarHeight({1024, 768}), 76);
    const ProgressGeometry bar = ProgressGeometryFor(76);
    EXPECT_EQ(bar.segmentWidth, 15);
    EXPECT_EQ(bar.pitch, 25);
    EXPECT_EQ(ProgressWindowBounds({0, 0, 1024, 768}, 250), (WindowBounds{0, 659, 250, kProgressWindowHeight}));
}

TEST(OsdLayoutTest, SegmentsRepeatWhileTheNextEndsInsideTheScreen) {
    const std::vector<int> lefts = SegmentLefts(76, 1024);
    ASSERT_EQ(lefts.size(), 41u);
    for (std::size_t i = 0; i < lefts.size(); ++i) EXPECT_EQ(lefts[i], static_cast<int>(25 * i));
    EXPECT_EQ(lefts.back() + 15, 1015);  // the last one ends inside the width

    struct Case {
        int barHeight;
        int screenWidth;
        std::size_t count;
        int lastLeft;
    };
    const Case cases[] = {
        {108, 1920, 53, 1872},  // 1920 x 1080: w 21, p 36
        {216, 3840, 53, 3744},  // 3840 x 2160: w 43, p 72
        {76, 1015, 41, 1000},   // the last segment ends exactly at the width
        {76, 1014, 40, 975},    // ... or one pixel beyond it, and is left out
        {76, 10, 1, 0},         // narrower than a segment: still one
        {3, 100, 101, 100},     // pitch 1, width 0
        {2, 100, 1, 0},         // pitch 0: one segment instead of an endless loop
        {0, 100, 1, 0},
    };
    for (const Case& c : cases) {
        const std::vector<int> row = SegmentLefts(c.barHeight, c.screenWidth);
        EXPECT_EQ(row.size(), c.count) << "h " << c.barHeight << " width " << c.screenWidth;
        if (!row.empty()) {
            EXPECT_EQ(row.back(), c.lastLeft) << "h " << c.barHeight << " width " << c.screenWidth;
        }
    }
}

TEST(OsdLayoutTest, BarStyleChoosesTheSegmentShape) {
    EXPECT_EQ(SegmentShapeFor(BarStyle::Normal), SegmentShape::Rectangle);
    EXPECT_EQ(SegmentShapeFor(BarStyle::Rounded), SegmentShape::RoundedRectangle);
    EXPECT_EQ(SegmentShapeFor(std::nullopt), SegmentShape::None);
}

TEST(OsdLayoutTest, VolumeStepsAndBarWidth) {
    struct Case {
        VolumeLevels volume;
        int steps;
    };
    const Case cases[] = {
        {{0, 0}, 0},         {{65535, 65535}, 40}, {{3276, 0}, 1},     {{3275, 0}, 0},
        {{1638, 1638}, 1},   {{32768, 32767}, 20}, {{-1, -1}, 0},      // no mixer
        {{65535, -1}, 20},   {{3276, -1}, 0},                          // one channel: right -1 taken as it is
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VolumeSteps(c.volume), c.steps) << c.volume.left << " + " << c.volume.right;
    }
    EXPECT_EQ(VolumeBarWidth({1024, 768}, 7), 175);  // 25 pixels, the pitch, per step
    EXPECT_EQ(VolumeBarWidth({1024, 768}, 40), 1000);
    EXPECT_EQ(VolumeBarWidth({1920, 1080}, 40), 1920);
    EXPECT_EQ(VolumeBarWidth({1024, 768}, 0), 0);
}

TEST(OsdLayoutTest, SpokenVolumeIsTheLabelAndTheMeanOfTheChannelsInPercent) {
    const std::pair<VolumeLevels, const char*> cases[] = {
        {{39321, 39321}, "Vol+ 60 %"}, {{65535, 0}, "Vol+ 50 %"},  // the mean
        {{327, 327}, "Vol+ 0 %"},      {{328, 328}, "Vol+ 1 %"},    // rounded
        {{65535, -1}, "Vol+ 100 %"},   {{-1, -1}, "Vol+"},          // one channel; no mixer
    };
    for (const auto& [volume, spoken] : cases) EXPECT_EQ(SpokenVolume("Vol+", volume), spoken) << volume.left;
}

TEST(OsdLayoutTest, TimeOutTicksAndPreviewWait) {
    struct Case {
        std::optional<int> seconds;
        int tickLimit;
        int previewMs;
    };
    const Case cases[] = {{1, 10, 1000}, {10, 100, 10000}, {3, 30, 3000}, {std::nullopt, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(TickLimit(c.seconds), c.tickLimit) << c.seconds.value_or(0);
        EXPECT_EQ(PreviewWaitMs(c.seconds), c.previewMs) << c.seconds.value_or(0);
    }
}

std::uint32_t FakeSystemColor(int index) { return 0xAB000000u + static_cast<std::uint32_t>(index); }

TEST(OsdLayoutTest, ColourValuesBecomeRgb) {
    EXPECT_EQ(ColorToRgb(kColorLime, &FakeSystemColor), 0x0000FF00u);
    EXPECT_EQ(ColorToRgb(0x00123456, &FakeSystemColor), 0x00123456u);
    EXPECT_EQ(ColorToRgb(0x8000000F, &FakeSystemColor), 0x0000000Fu);  // system colour 15, looked up
    EXPECT_EQ(ColorToRgb(0x1FFFFFFF, &FakeSystemColor), 0x00FFFFFFu);  // "no colour"
}

}  // namespace
}  // namespace keytide
