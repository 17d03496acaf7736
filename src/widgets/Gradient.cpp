#include "widgets/Gradient.h"

#include <algorithm>

namespace keytide::widgets {

namespace {

struct Band {
    std::int64_t index;
    int start;
    int end;
};

// The bands of `bands` (at least 1) nearly equal parts of [0, extent) that
// cover at least one pixel. With more bands than pixels most are empty; they
// are skipped in one jump each, so huge step counts cost no more than pixels.
std::vector<Band> NonEmptyBands(int extent, std::int64_t bands) {
    std::vector<Band> result;
    std::int64_t i = 0;
    while (i < bands) {
        const int start = ScaleStep(i, extent, bands);
        const int end = ScaleStep(i + 1, extent, bands);
        if (end > start) {
            result.push_back({i, start, end});
            ++i;
            continue;
        }
        if (start >= extent) break;
        // The last band that starts at or before `start` is the one that covers it.
        const std::int64_t covering = ((static_cast<std::int64_t>(start) + 1) * bands - 1) / extent;
        i = std::max(i + 1, covering);
    }
    return result;
}

unsigned Channel(unsigned begin, unsigned end, std::int64_t band, std::int64_t bands) {
    const std::int64_t delta = static_cast<std::int64_t>(end) - static_cast<std::int64_t>(begin);
    const std::int64_t value = static_cast<std::int64_t>(begin) + ScaleStep(band, delta, bands);
    return static_cast<unsigned>(value & 0xFF);
}

class ShapeList {
public:
    ShapeList(int width, int height) : width_(width), height_(height) {}

    // Clipped to the area; nothing when nothing is left.
    void Fill(Rect rect, Color color) {
        rect.left = std::max(rect.left, 0);
        rect.top = std::max(rect.top, 0);
        rect.right = std::min(rect.right, width_);
        rect.bottom = std::min(rect.bottom, height_);
        if (rect.left < rect.right && rect.top < rect.bottom) shapes_.push_back({rect, color});
    }
    std::vector<FilledShape> Take() { return std::move(shapes_); }

private:
    int width_;
    int height_;
    std::vector<FilledShape> shapes_;
};

// Horizontal bands from the top down.
void Banded(const GradientLook& gradient, int width, int height, ShapeList& out) {
    if (gradient.steps < 0) return;
    const std::int64_t bands = static_cast<std::int64_t>(gradient.steps) + 1;
    for (const Band& band : NonEmptyBands(height, bands)) {
        const Color color = BandColor(gradient.begin, gradient.end, band.index, gradient.steps);
        out.Fill(Rect{0, band.start, width, band.end}, color);
    }
}

// One-pixel columns from both edges toward the middle; the pass at the middle
// paints last, so the middle columns end with the end colour.
void Mirrored(const GradientLook& gradient, int width, int height, ShapeList& out) {
    const int half = width / 2;
    for (int i = 0; i <= half; ++i) {
        const Color color = BandColor(gradient.begin, gradient.end, i, half);
        const int mirror = width - 1 - i;
        out.Fill(Rect{i, 0, i + 1, height}, color);
        if (mirror != i) out.Fill(Rect{mirror, 0, mirror + 1, height}, color);
    }
}

}  // namespace

int ScaleStep(std::int64_t i, std::int64_t range, std::int64_t n) {
    if (n == 0) return 0;
    return static_cast<int>((i * range) / n);
}

Color BandColor(Color begin, Color end, std::int64_t band, std::int64_t bands) {
    return Rgb(Channel(RedOf(begin), RedOf(end), band, bands), Channel(GreenOf(begin), GreenOf(end), band, bands),
               Channel(BlueOf(begin), BlueOf(end), band, bands));
}

std::vector<FilledShape> GradientShapes(const GradientLook& gradient, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    ShapeList out(width, height);
    switch (gradient.style) {
    case GradientStyle::Vertical:
        Banded(gradient, width, height, out);
        break;
    case GradientStyle::HorizontalCenter:
        Mirrored(gradient, width, height, out);
        break;
    }
    return out.Take();
}

std::vector<FilledShape> EdgeRingShapes(int width, int height, int inset, Color topLeft, Color bottomRight) {
    const int left = inset;
    const int top = inset;
    const int right = width - inset;
    const int bottom = height - inset;
    if (inset < 0 || right <= left || bottom <= top) return {};
    ShapeList out(width, height);
    out.Fill({left, top, right - 1, top + 1}, topLeft);
    out.Fill({left, top, left + 1, bottom - 1}, topLeft);
    out.Fill({right - 1, top, right, bottom}, bottomRight);
    out.Fill({left, bottom - 1, right, bottom}, bottomRight);
    return out.Take();
}

std::vector<FilledShape> SunkenFrameShapes(int width, int height) {
    std::vector<FilledShape> shapes = EdgeRingShapes(width, height, 0, kGray, kWhite);
    std::vector<FilledShape> inner = EdgeRingShapes(width, height, 1, kBlack, kSilver);
    shapes.insert(shapes.end(), inner.begin(), inner.end());
    return shapes;
}

}  // namespace keytide::widgets
