// The label's shape as bands of runs must be exactly the set of non-white
// pixels of the text cell (the per-pixel rule), in the banded order a region's
// data takes, with runs and bands as large as they can be.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "osd/InkRegion.h"

namespace keytide {
namespace {

using PixelSet = std::set<std::pair<int, int>>;  // (y, x)

struct Bitmap {
    std::vector<std::uint32_t> pixels;
    int width = 0;
    int height = 0;
    int stride = 0;
    PixelView View() const { return PixelView{pixels.data(), width, height, stride}; }
};

// '.' white, 'w' white with the unused top byte set, '#' black, 'g' grey,
// 'n' one step off white, 'r' red. Rows may be padded to a wider stride.
Bitmap FromArt(const std::vector<std::string>& rows, int padding = 0) {
    Bitmap bitmap;
    bitmap.height = static_cast<int>(rows.size());
    bitmap.width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    bitmap.stride = bitmap.width + padding;
    bitmap.pixels.assign(static_cast<std::size_t>(bitmap.stride * bitmap.height), 0x00000000);  // padding is ink
    for (int y = 0; y < bitmap.height; ++y) {
        for (int x = 0; x < bitmap.width; ++x) {
            std::uint32_t pixel = 0;
            switch (rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]) {
            case '.': pixel = 0x00FFFFFF; break;
            case 'w': pixel = 0xFFFFFFFF; break;
            case 'g': pixel = 0x00808080; break;
            case 'n': pixel = 0x00FFFEFF; break;
            case 'r': pixel = 0x00FF0000; break;
            default: pixel = 0x00000000; break;
            }
            bitmap.pixels[static_cast<std::size_t>(y * bitmap.stride + x)] = pixel;
        }
    }
    return bitmap;
}

// The literal rule: every pixel of the cell that lies on the bitmap and is not
// pure white.
PixelSet PerPixelInk(const Bitmap& bitmap, int cellWidth, int cellHeight) {
    PixelSet ink;
    for (int y = 0; y < cellHeight; ++y)
        for (int x = 0; x < cellWidth; ++x)
            if (x < bitmap.width && y < bitmap.height && IsInk(bitmap.View().At(x, y))) ink.insert({y, x});
    return ink;
}

PixelSet Cover(const std::vector<PixelRect>& rects) {
    PixelSet covered;
    for (const PixelRect& r : rects)
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                EXPECT_TRUE(covered.insert({y, x}).second) << "overlap at " << x << "," << y;
            }
    return covered;
}

// The canonical banded form: bands top to bottom, rectangles of a band share
// top and bottom, left to right without touching, and no band could be merged
// with the band right above it.
void ExpectCanonical(const std::vector<PixelRect>& rects) {
    std::vector<std::pair<std::size_t, std::size_t>> bands;  // [begin, end)
    for (std::size_t i = 0; i < rects.size();) {
        std::size_t end = i + 1;
        while (end < rects.size() && rects[end].top == rects[i].top) ++end;
        bands.push_back({i, end});
        i = end;
    }
    for (std::size_t b = 0; b < bands.size(); ++b) {
        const auto [begin, end] = bands[b];
        for (std::size_t i = begin; i < end; ++i) {
            EXPECT_LT(rects[i].left, rects[i].right);
            EXPECT_EQ(rects[i].bottom, rects[begin].bottom) << "band at y " << rects[begin].top;
            if (i > begin) {
                EXPECT_LT(rects[i - 1].right, rects[i].left) << "runs touch at y " << rects[i].top;
            }
        }
        if (b == 0) continue;
        const auto [prevBegin, prevEnd] = bands[b - 1];
        EXPECT_LE(rects[prevBegin].bottom, rects[begin].top) << "bands out of order";
        const bool sameSpans =
            prevEnd - prevBegin == end - begin &&
            std::equal(rects.begin() + static_cast<long>(prevBegin), rects.begin() + static_cast<long>(prevEnd),
                       rects.begin() + static_cast<long>(begin), [](const PixelRect& p, const PixelRect& q) {
                           return p.left == q.left && p.right == q.right;
                       });
        EXPECT_FALSE(sameSpans && rects[prevBegin].bottom == rects[begin].top)
            << "mergeable bands at y " << rects[begin].top;
    }
}

TEST(OsdInkRegionTest, SmallShapesGiveTheirBands) {
    struct Case {
        const char* name;
        std::vector<std::string> art;
        std::vector<PixelRect> bands;
    };
    const Case cases[] = {
        {"nothing but white", {"....", ".w.."}, {}},
        {"one pixel", {"....", "..#."}, {{2, 1, 3, 2}}},
        {"a T", {"#####", ".#...", ".#..."}, {{0, 0, 5, 1}, {1, 1, 2, 3}}},
        {"two stems", {"#..#", "#..#", "#..#"}, {{0, 0, 1, 3}, {3, 0, 4, 3}}},
        {"an empty row splits identical rows", {"##.", "...", "##."}, {{0, 0, 2, 1}, {0, 2, 2, 3}}},
        {"grey, red and near-white edges are ink", {"g#n", ".r."}, {{0, 0, 3, 1}, {1, 1, 2, 2}}},
        {"an O", {".##.", "#..#", "#..#", ".##."},
         {{1, 0, 3, 1}, {0, 1, 1, 3}, {3, 1, 4, 3}, {1, 3, 3, 4}}},
    };
    for (const Case& c : cases) {
        const Bitmap bitmap = FromArt(c.art);
        EXPECT_EQ(InkBands(bitmap.View(), bitmap.width, bitmap.height), c.bands) << c.name;
    }
}

TEST(OsdInkRegionTest, OnlyTheTextCellOnTheBitmapCounts) {
    // Stride padding is black: it must never leak into a row's runs.
    const Bitmap bitmap = FromArt({"#..#", "....", "##.."}, 3);
    EXPECT_EQ(InkBands(bitmap.View(), 4, 3), (std::vector<PixelRect>{{0, 0, 1, 1}, {3, 0, 4, 1}, {0, 2, 2, 3}}));
    // A cell larger than the bitmap is cut at the bitmap's edges.
    EXPECT_EQ(InkBands(bitmap.View(), 40, 30), InkBands(bitmap.View(), 4, 3));
    // A smaller cell cuts the shape.
    EXPECT_EQ(InkBands(bitmap.View(), 2, 1), (std::vector<PixelRect>{{0, 0, 1, 1}}));
    EXPECT_TRUE(InkBands(bitmap.View(), 0, 3).empty());
    EXPECT_TRUE(InkBands(bitmap.View(), -5, -5).empty());
    EXPECT_TRUE(InkBands(PixelView{}, 10, 10).empty());
}

// Glyph-like bitmaps: rows repeat for a while (stems) and change now and then,
// with grey fringes, so that both run building and band merging are exercised.
Bitmap RandomGlyphs(std::mt19937& random, int width, int height, int padding) {
    Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.stride = width + padding;
    bitmap.pixels.assign(static_cast<std::size_t>(bitmap.stride * height), 0x00000000);  // padding is ink
    std::uniform_int_distribution<int> percent(0, 99);
    std::vector<std::uint32_t> row(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        if (y == 0 || percent(random) < 30) {
            for (auto& pixel : row) {
                const int p = percent(random);
                pixel = p < 55 ? 0x00FFFFFF : p < 60 ? 0xFFFFFFFF : p < 85 ? 0x00000000 : 0x00C0C0C0 + (p & 7);
            }
        }
        auto target = bitmap.pixels.begin() + static_cast<long>(y * bitmap.stride);
        if (percent(random) < 10) {
            std::fill(target, target + width, 0x00FFFFFF);  // a blank row
        } else {
            std::copy(row.begin(), row.end(), target);
        }
    }
    return bitmap;
}

TEST(OsdInkRegionTest, BandsCoverExactlyTheNonWhitePixels) {
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> size(1, 40);
    for (int round = 0; round < 300; ++round) {
        const Bitmap bitmap = RandomGlyphs(random, size(random), size(random), round % 3);
        const int cellWidth = size(random);
        const int cellHeight = size(random);
        const std::vector<PixelRect> bands = InkBands(bitmap.View(), cellWidth, cellHeight);
        ASSERT_EQ(Cover(bands), PerPixelInk(bitmap, cellWidth, cellHeight))
            << "round " << round << ": " << bitmap.width << "x" << bitmap.height << " cell " << cellWidth << "x"
            << cellHeight;
        ExpectCanonical(bands);
    }
}

}  // namespace
}  // namespace keytide
