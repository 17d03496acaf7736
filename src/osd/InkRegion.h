#pragma once
// The label's shape as rectangles: every pixel of the drawn text that is not
// pure white, as rows of horizontal runs, with runs of identical neighbouring
// rows merged into one band. The rectangles come in the order a region's data
// takes them (top to bottom, then left to right) and never overlap or touch
// within a band, so that they can be handed to the system in one piece.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace keytide {

// Right and bottom are exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

// A top-down bitmap of 32-bit pixels 0x??RRGGBB, row after row, `stride`
// pixels apart; the top byte is ignored.
struct PixelView {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    std::uint32_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride) + static_cast<std::size_t>(x)];
    }
};

inline constexpr std::uint32_t kWhite = 0x00FFFFFF;
inline bool IsInk(std::uint32_t pixel) { return (pixel & 0x00FFFFFF) != kWhite; }

// The ink of the cell (0, 0)-(cellWidth, cellHeight), clipped to the bitmap:
// a pixel outside the bitmap is no part of the shape.
std::vector<PixelRect> InkBands(const PixelView& bitmap, int cellWidth, int cellHeight);

}  // namespace keytide
