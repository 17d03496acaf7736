// The gradient pictures as pixels: the shapes are painted in list order into a
// small raster and the rows and columns are compared with values worked out by
// hand for the sizes and colours the program's windows use.
#include "widgets/Gradient.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "widgets/GradientPanel.h"

namespace keytide::widgets {
namespace {

constexpr Color kUnpainted = 0xFF000000;  // no 0x00BBGGRR value looks like this

struct Raster {
    int width;
    int height;
    std::vector<Color> pixels;

    Raster(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, kUnpainted) {}

    static Raster Of(const std::vector<FilledShape>& shapes, int w, int h) {
        Raster raster(w, h);
        for (const FilledShape& shape : shapes) {
            const Rect& r = shape.bounds;
            EXPECT_TRUE(0 <= r.left && r.left < r.right && r.right <= w && 0 <= r.top && r.top < r.bottom &&
                        r.bottom <= h)
                << "shape outside the area or empty: " << r.left << "," << r.top << " " << r.right << "," << r.bottom;
            for (int y = std::max(r.top, 0); y < std::min(r.bottom, h); ++y) {
                for (int x = std::max(r.left, 0); x < std::min(r.right, w); ++x) raster.pixels[y * w + x] = shape.color;
            }
        }
        return raster;
    }
    Color At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool RowIs(int y, Color color) const {
        for (int x = 0; x < width; ++x) {
            if (At(x, y) != color) return false;
        }
        return true;
    }
    bool ColumnIs(int x, Color color) const {
        for (int y = 0; y < height; ++y) {
            if (At(x, y) != color) return false;
        }
        return true;
    }
};

const Color kEditorBegin = Rgb(0x00, 0x98, 0xE1);  // the editor's and settings dialog's background
const Color kEditorEnd = Rgb(0xC4, 0xEC, 0xFF);

TEST(GradientScaleTest, ProductIn64BitsDivisionTruncatesTowardZero) {
    struct Case {
        std::int64_t i, range, n;
        int expected;
    };
    const Case cases[] = {
        {0, 252, 256, 0},
        {1, 252, 256, 0},
        {2, 252, 256, 1},
        {255, 252, 256, 251},
        {256, 252, 256, 252},
        {254, 196, 255, 195},
        {1, -196, 255, 0},  // -0.77 truncates to 0, not -1
        {254, -30, 255, -29},
        {127, 255, 127, 255},
        {5, 100, 0, 0},                                                // no bands: no offset
        {2'000'000'000, 2'000'000'000, 4'000'000'000, 1'000'000'000},  // would overflow in 32 bits
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScaleStep(c.i, c.range, c.n), c.expected) << c.i << " * " << c.range << " / " << c.n;
    }
}

TEST(GradientScaleTest, BandColoursBlendEachChannelAndEndExactly) {
    struct Case {
        Color begin, end;
        std::int64_t band, bands;
        Color expected;
    };
    const Case cases[] = {
        {kEditorBegin, kEditorEnd, 0, 255, kEditorBegin},
        {kEditorBegin, kEditorEnd, 255, 255, kEditorEnd},
        {kEditorBegin, kEditorEnd, 129, 255, Rgb(0x63, 0xC2, 0xF0)},
        {kEditorBegin, kEditorEnd, 254, 255, Rgb(0xC3, 0xEB, 0xFE)},
        // Falling channels truncate toward zero too: 196 - 195, 236 - 83, 255 - 29.
        {kEditorEnd, kEditorBegin, 254, 255, Rgb(0x01, 0x99, 0xE2)},
        {kEditorEnd, kEditorBegin, 1, 255, kEditorEnd},
        {kBlack, kWhite, 1, 127, Rgb(2, 2, 2)},
        {kNavy, kAqua, 7, 0, kNavy},  // no bands: the first colour
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BandColor(c.begin, c.end, c.band, c.bands), c.expected)
            << std::hex << c.begin << " -> " << c.end << std::dec << " band " << c.band << " of " << c.bands;
    }
}

TEST(GradientStyleTest, VerticalOnTheEditorBackgroundBlendsPerPixelRow) {
    const GradientLook gradient{kEditorBegin, kEditorEnd, GradientStyle::Vertical, 255};
    const std::vector<FilledShape> shapes = GradientShapes(gradient, 517, 252);
    const Raster raster = Raster::Of(shapes, 517, 252);

    // 256 bands over 252 rows: each band 0 or 1 rows high, so 4 bands are empty.
    for (std::int64_t i = 0; i < 256; ++i) {
        const int height = ScaleStep(i + 1, 252, 256) - ScaleStep(i, 252, 256);
        EXPECT_TRUE(height == 0 || height == 1) << "band " << i;
    }
    EXPECT_EQ(shapes.size(), 252u);

    struct Row {
        int y;
        Color color;
    };
    const Row rows[] = {
        {0, kEditorBegin},             // band 0 is empty; band 1 still has the first colour
        {1, Rgb(0x01, 0x98, 0xE1)},    // band 2
        {2, Rgb(0x02, 0x98, 0xE1)},    // band 3
        {63, Rgb(0x31, 0xAD, 0xE8)},   // band 65
        {126, Rgb(0x63, 0xC2, 0xF0)},  // band 129
        {200, Rgb(0x9C, 0xDB, 0xF9)},  // band 204
        {250, Rgb(0xC3, 0xEB, 0xFE)},  // band 254
        {251, kEditorEnd},             // band 255
    };
    for (const Row& row : rows) {
        EXPECT_TRUE(raster.RowIs(row.y, row.color)) << "row " << row.y << " is " << std::hex << raster.At(0, row.y);
    }
    for (int y = 0; y < 252; ++y) EXPECT_NE(raster.At(516, y), kUnpainted) << "row " << y << " left unpainted";
}

TEST(GradientStyleTest, HorizontalCenterMirrorsFromBothEdgesToTheMiddle) {
    struct Column {
        int x;
        Color color;
    };
    struct Case {
        Color begin, end;
        std::vector<Column> columns;
    };
    // 254 wide: half is 127; column i and its mirror 253 - i have band i of 127.
    const Case cases[] = {
        {kBlack,
         kWhite,
         {{0, kBlack},
          {253, kBlack},
          {1, Rgb(2, 2, 2)},
          {252, Rgb(2, 2, 2)},
          {2, Rgb(4, 4, 4)},
          {63, Rgb(0x7E, 0x7E, 0x7E)},
          {190, Rgb(0x7E, 0x7E, 0x7E)},
          {126, kWhite},
          {127, kWhite}}},
        {kEditorBegin,
         kEditorEnd,
         {{0, kEditorBegin},
          {253, kEditorBegin},
          {1, Rgb(0x01, 0x98, 0xE1)},
          {252, Rgb(0x01, 0x98, 0xE1)},
          {125, Rgb(0xC0, 0xEA, 0xFE)},
          {128, Rgb(0xC0, 0xEA, 0xFE)},
          {126, kEditorEnd},
          {127, kEditorEnd}}},
    };
    for (const Case& c : cases) {
        const GradientLook gradient{c.begin, c.end, GradientStyle::HorizontalCenter, 255};
        const std::vector<FilledShape> shapes = GradientShapes(gradient, 254, 33);
        EXPECT_LE(shapes.size(), 254u + 2u);
        const Raster raster = Raster::Of(shapes, 254, 33);
        for (const Column& column : c.columns) {
            EXPECT_TRUE(raster.ColumnIs(column.x, column.color))
                << "column " << column.x << " is " << std::hex << raster.At(column.x, 0);
        }
    }
}

TEST(GradientStyleTest, DegenerateStepsAndSizesNeitherDivideByZeroNorLeaveTheArea) {
    const GradientStyle styles[] = {GradientStyle::Vertical, GradientStyle::HorizontalCenter};
    const int sizes[][2] = {{0, 0}, {0, 10}, {10, 0}, {1, 1}, {1, 10}, {10, 1}, {2, 2}, {3, 2}};
    for (const GradientStyle style : styles) {
        for (const int steps : {-5, -1, 0, 1, INT_MAX}) {
            for (const auto& size : sizes) {
                const GradientLook gradient{kNavy, kAqua, style, steps};
                for (const FilledShape& shape : GradientShapes(gradient, size[0], size[1])) {
                    EXPECT_TRUE(shape.bounds.left >= 0 && shape.bounds.right <= size[0] && shape.bounds.top >= 0 &&
                                shape.bounds.bottom <= size[1])
                        << static_cast<int>(style) << " steps " << steps << " size " << size[0] << "x" << size[1];
                }
            }
        }
    }

    // Steps 0: one band of the first colour over everything. Steps < 0: nothing.
    const GradientLook single{kNavy, kAqua, GradientStyle::Vertical, 0};
    EXPECT_EQ(GradientShapes(single, 50, 20), (std::vector<FilledShape>{{{0, 0, 50, 20}, kNavy}}));
    EXPECT_TRUE(GradientShapes({kNavy, kAqua, GradientStyle::Vertical, -1}, 50, 20).empty());
    // One pixel wide: the middle is the edge, in the first colour.
    const GradientLook narrow{kNavy, kAqua, GradientStyle::HorizontalCenter, 255};
    EXPECT_EQ(GradientShapes(narrow, 1, 9), (std::vector<FilledShape>{{{0, 0, 1, 9}, kNavy}}));
    EXPECT_TRUE(GradientShapes(narrow, 0, 9).empty());
}

TEST(GradientStyleTest, HugeStepCountsCostNoMoreThanPixelRows) {
    // More bands than rows: one shape per row, the last row exactly the end colour,
    // and the same rows as a band-by-band reading of the rule.
    struct Case {
        int height;
        int steps;
    };
    for (const Case c : {Case{252, INT_MAX}, Case{252, 1000}, Case{7, 300}, Case{300, 299}, Case{300, 600}}) {
        const GradientLook gradient{kEditorBegin, kEditorEnd, GradientStyle::Vertical, c.steps};
        const std::vector<FilledShape> shapes = GradientShapes(gradient, 3, c.height);
        ASSERT_EQ(shapes.size(), static_cast<std::size_t>(c.height)) << c.steps;
        EXPECT_EQ(shapes.back().color, kEditorEnd);
        if (c.steps > 100000) continue;  // the band-by-band reading would take too long
        const std::int64_t bands = static_cast<std::int64_t>(c.steps) + 1;
        Raster expected(3, c.height);
        for (std::int64_t i = 0; i < bands; ++i) {
            for (int y = ScaleStep(i, c.height, bands); y < ScaleStep(i + 1, c.height, bands); ++y) {
                for (int x = 0; x < 3; ++x) expected.pixels[y * 3 + x] = BandColor(gradient.begin, gradient.end, i, c.steps);
            }
        }
        EXPECT_EQ(Raster::Of(shapes, 3, c.height).pixels, expected.pixels) << c.height << " rows, " << c.steps;
    }
}

TEST(GradientFrameTest, OuterRingGreyAndWhiteInnerRingBlackAndSilver) {
    const Raster raster = Raster::Of(SunkenFrameShapes(7, 6), 7, 6);
    // clang-format off
    const char* expected[] = {
        // G grey, W white, B black, S silver, . untouched
        "GGGGGGW",
        "GBBBBSW",
        "GB...SW",
        "GB...SW",
        "GSSSSSW",
        "WWWWWWW",
    };
    // clang-format on
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 7; ++x) {
            Color want = kUnpainted;
            switch (expected[y][x]) {
            case 'G':
                want = kGray;
                break;
            case 'W':
                want = kWhite;
                break;
            case 'B':
                want = kBlack;
                break;
            case 'S':
                want = kSilver;
                break;
            default:
                break;
            }
            EXPECT_EQ(raster.At(x, y), want) << "pixel " << x << "," << y;
        }
    }
    // Areas too small for two rings still get what fits, inside the area.
    for (const auto& size : {std::pair{0, 0}, std::pair{1, 1}, std::pair{2, 2}, std::pair{3, 1}, std::pair{1, 5}}) {
        const Raster tiny = Raster::Of(SunkenFrameShapes(size.first, size.second), size.first, size.second);
        if (size.first > 0 && size.second > 0) {
            EXPECT_EQ(tiny.At(size.first - 1, size.second - 1), kWhite);
        }
    }
}

TEST(GradientPanelTest, OnlyANewValueOrANewSizeMakesThePictureStale) {
    struct Property {
        const char* name;
        void (*setCurrent)(GradientPanel&);
        void (*setOther)(GradientPanel&);
    };
    const Property properties[] = {
        {"begin", [](GradientPanel& p) { p.SetBeginColor(p.BeginColor()); },
         [](GradientPanel& p) { p.SetBeginColor(kEditorBegin); }},
        {"end", [](GradientPanel& p) { p.SetEndColor(p.EndColor()); },
         [](GradientPanel& p) { p.SetEndColor(kEditorEnd); }},
        {"style", [](GradientPanel& p) { p.SetStyle(p.Style()); },
         [](GradientPanel& p) { p.SetStyle(GradientStyle::HorizontalCenter); }},
        {"frame", [](GradientPanel& p) { p.SetSunkenFrame(p.HasSunkenFrame()); },
         [](GradientPanel& p) { p.SetSunkenFrame(true); }},
    };
    for (const Property& property : properties) {
        int repaints = 0;
        GradientPanel panel([&] { ++repaints; });
        EXPECT_TRUE(panel.NeedsRedraw(517, 252)) << "a fresh panel has no picture yet";
        panel.MarkDrawn(517, 252);

        property.setCurrent(panel);
        EXPECT_FALSE(panel.NeedsRedraw(517, 252)) << property.name;
        EXPECT_EQ(repaints, 0) << property.name;

        property.setOther(panel);
        EXPECT_TRUE(panel.NeedsRedraw(517, 252)) << property.name;
        EXPECT_EQ(repaints, 1) << property.name;
        property.setOther(panel);
        EXPECT_EQ(repaints, 1) << property.name << " set twice to the same new value";

        panel.MarkDrawn(517, 252);
        EXPECT_FALSE(panel.NeedsRedraw(517, 252)) << property.name;
        EXPECT_TRUE(panel.NeedsRedraw(518, 252)) << property.name;
        EXPECT_TRUE(panel.NeedsRedraw(517, 251)) << property.name;
    }
}

TEST(GradientPanelTest, PictureIsTheGradientWithTheFrameOnTop) {
    GradientPanel panel;
    panel.SetBeginColor(kEditorBegin);
    panel.SetEndColor(kEditorEnd);
    panel.SetSunkenFrame(true);
    const Raster raster = Raster::Of(panel.Picture(521, 280), 521, 280);
    EXPECT_EQ(raster.At(0, 0), kGray);
    EXPECT_EQ(raster.At(1, 1), kBlack);
    EXPECT_EQ(raster.At(520, 279), kWhite);
    EXPECT_EQ(raster.At(519, 278), kSilver);
    EXPECT_EQ(raster.At(2, 2), Rgb(0x01, 0x98, 0xE1));      // 280 rows: row 2 is band 2
    EXPECT_EQ(raster.At(260, 277), Rgb(0xC3, 0xEB, 0xFE));  // 280 rows: row 277 is band 254 alone
    for (const Color pixel : raster.pixels) ASSERT_NE(pixel, kUnpainted);

    panel.SetSunkenFrame(false);
    EXPECT_EQ(Raster::Of(panel.Picture(521, 280), 521, 280).At(0, 0), kEditorBegin);
}

}  // namespace
}  // namespace keytide::widgets
