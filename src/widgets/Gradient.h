#pragma once
// Colour gradients as lists of filled shapes. A painter fills the shapes in
// list order (later ones cover earlier ones) and gets the finished picture;
// nothing here knows how pixels reach the screen. All integer division
// truncates toward zero.
#include <cstdint>
#include <vector>

namespace keytide::widgets {

// 0x00BBGGRR.
using Color = std::uint32_t;

constexpr Color Rgb(unsigned red, unsigned green, unsigned blue) {
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}
constexpr unsigned RedOf(Color color) { return color & 0xFFu; }
constexpr unsigned GreenOf(Color color) { return (color >> 8) & 0xFFu; }
constexpr unsigned BlueOf(Color color) { return (color >> 16) & 0xFFu; }

inline constexpr Color kNavy = 0x800000;
inline constexpr Color kAqua = 0xFFFF00;
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kGray = 0x808080;
inline constexpr Color kSilver = 0xC0C0C0;
inline constexpr Color kWhite = 0xFFFFFF;

enum class GradientStyle {
    Vertical,          // horizontal bands, begin at the top
    HorizontalCenter,  // mirrored columns, begin at left and right
};

// Right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

// A rectangle filled with one colour.
struct FilledShape {
    Rect bounds;
    Color color = 0;
    bool operator==(const FilledShape&) const = default;
};

// (i * range) div n with a 64-bit product. Zero bands give offset 0, so that
// a blend of no steps stays at its first colour.
int ScaleStep(std::int64_t i, std::int64_t range, std::int64_t n);

// Band i of n: each channel is (begin + ScaleStep(i, end - begin, n)) mod 256.
Color BandColor(Color begin, Color end, std::int64_t band, std::int64_t bands);

struct GradientLook {
    Color begin = kNavy;
    Color end = kAqua;
    GradientStyle style = GradientStyle::Vertical;
    int steps = 255;
};

// The gradient over a width x height area in paint order. Empty bands are
// left out; rectangles are clipped to the area. Vertical draws Steps + 1
// bands (nothing for Steps < 0); HorizontalCenter draws one-pixel stripes and
// ignores Steps.
std::vector<FilledShape> GradientShapes(const GradientLook& gradient, int width, int height);

// One ring of an edge, `inset` pixels in from the area's border: the top and
// left sides in one colour, the bottom and right sides in the other; the
// bottom-left and top-right corner pixels belong to the bottom/right side.
// Nothing when the area is too small for the ring.
std::vector<FilledShape> EdgeRingShapes(int width, int height, int inset, Color topLeft, Color bottomRight);

// A sunken edge inside the area's border: the outer ring grey on the top and
// left, white on the bottom and right; the ring inside it black and silver.
std::vector<FilledShape> SunkenFrameShapes(int width, int height);

}  // namespace keytide::widgets
