#include "osd/InkRegion.h"

#include <algorithm>

namespace keytide {

namespace {

// Appends the runs of row y; returns how many.
std::size_t AppendRowRuns(const PixelView& bitmap, int y, int width, std::vector<PixelRect>& out) {
    const std::size_t before = out.size();
    int x = 0;
    while (x < width) {
        while (x < width && !IsInk(bitmap.At(x, y))) ++x;
        if (x == width) break;
        const int start = x;
        while (x < width && IsInk(bitmap.At(x, y))) ++x;
        out.push_back(PixelRect{start, y, x, y + 1});
    }
    return out.size() - before;
}

bool SameSpans(const PixelRect* a, const PixelRect* b, std::size_t count) {
    return std::equal(a, a + count, b,
                      [](const PixelRect& p, const PixelRect& q) { return p.left == q.left && p.right == q.right; });
}

}  // namespace

std::vector<PixelRect> InkBands(const PixelView& bitmap, int cellWidth, int cellHeight) {
    const int width = std::clamp(cellWidth, 0, bitmap.width);
    const int height = std::clamp(cellHeight, 0, bitmap.height);
    std::vector<PixelRect> bands;
    std::size_t bandStart = 0;  // first rectangle of the last band
    std::size_t bandCount = 0;  // its rectangles
    for (int y = 0; y < height; ++y) {
        const std::size_t rowStart = bands.size();
        const std::size_t rowCount = AppendRowRuns(bitmap, y, width, bands);
        if (rowCount == 0) {
            bandCount = 0;  // an empty row separates bands
            continue;
        }
        const bool extendsLastBand = bandCount == rowCount && bands[bandStart].bottom == y &&
                                     SameSpans(&bands[bandStart], &bands[rowStart], rowCount);
        if (extendsLastBand) {
            bands.resize(rowStart);
            for (std::size_t i = bandStart; i < rowStart; ++i) bands[i].bottom = y + 1;
        } else {
            bandStart = rowStart;
            bandCount = rowCount;
        }
    }
    return bands;
}

}  // namespace keytide
