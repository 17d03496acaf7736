#include "widgets/Gradient.h"

#include <algorithm>
#include <cmath>

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
        if (rect.left < rect.right && rect.top < rect.bottom) shapes_.push_back({rect, color, ShapeKind::Rectangle});
    }
    void FillEllipse(Rect bounds, Color color) {
        if (bounds.left < bounds.right && bounds.top < bounds.bottom) {
            shapes_.push_back({bounds, color, ShapeKind::Ellipse});
        }
    }
    std::vector<FilledShape> Take() { return std::move(shapes_); }

private:
    int width_;
    int height_;
    std::vector<FilledShape> shapes_;
};

int CeilingRoot(std::int64_t value) {
    auto root = static_cast<std::int64_t>(std::sqrt(static_cast<double>(value)));
    while (root * root < value) ++root;
    while (root > 0 && (root - 1) * (root - 1) >= value) --root;
    return static_cast<int>(root);
}

void Banded(const GradientLook& gradient, int width, int height, bool alongY, ShapeList& out) {
    if (gradient.steps < 0) return;
    const std::int64_t bands = static_cast<std::int64_t>(gradient.steps) + 1;
    for (const Band& band : NonEmptyBands(alongY ? height : width, bands)) {
        const Color color = BandColor(gradient.begin, gradient.end, band.index, gradient.steps);
        out.Fill(alongY ? Rect{0, band.start, width, band.end} : Rect{band.start, 0, band.end, height}, color);
    }
}

// One-pixel stripes from both edges toward the middle; the pass at the middle
// paints last, so the middle stripes end with the end colour.
void Mirrored(const GradientLook& gradient, int width, int height, bool rows, ShapeList& out) {
    const int extent = rows ? height : width;
    const int half = extent / 2;
    for (int i = 0; i <= half; ++i) {
        const Color color = BandColor(gradient.begin, gradient.end, i, half);
        const int mirror = extent - 1 - i;
        out.Fill(rows ? Rect{0, i, width, i + 1} : Rect{i, 0, i + 1, height}, color);
        if (mirror != i)
            out.Fill(rows ? Rect{0, mirror, width, mirror + 1} : Rect{mirror, 0, mirror + 1, height}, color);
    }
}

// How many rings a concentric style draws: one per step, but never more
// than there are pixels to step through.
std::int64_t RingCount(int steps, int pixels) {
    return std::min<std::int64_t>(static_cast<std::int64_t>(steps) + 1, pixels);
}

// Concentric rectangles or ellipses shrinking toward the centre, the first
// colour at the edge and the last in the middle.
void Concentric(const GradientLook& gradient, int width, int height, ShapeKind kind, ShapeList& out) {
    if (gradient.steps < 0) return;
    const int halfWidth = (width + 1) / 2;
    const int halfHeight = (height + 1) / 2;
    const std::int64_t rings = RingCount(gradient.steps, std::max(halfWidth, halfHeight));
    if (kind == ShapeKind::Ellipse) out.Fill({0, 0, width, height}, gradient.begin);  // the corners
    for (std::int64_t ring = 0; ring < rings; ++ring) {
        const int dx = ScaleStep(ring, halfWidth, rings);
        const int dy = ScaleStep(ring, halfHeight, rings);
        const Rect bounds{dx, dy, width - dx, height - dy};
        const Color color = BandColor(gradient.begin, gradient.end, ring, rings - 1);
        if (kind == ShapeKind::Ellipse) {
            out.FillEllipse(bounds, color);
        } else {
            out.Fill(bounds, color);
        }
    }
}

// Circles around a centre, from a radius that reaches every corner inward.
void Radial(const GradientLook& gradient, int width, int height, int centerX, int centerY, ShapeList& out) {
    if (gradient.steps < 0) return;
    const std::int64_t reachX = std::max(centerX, width - centerX);
    const std::int64_t reachY = std::max(centerY, height - centerY);
    const int radius = CeilingRoot(reachX * reachX + reachY * reachY);
    const std::int64_t rings = RingCount(gradient.steps, radius);
    out.Fill({0, 0, width, height}, gradient.begin);
    for (std::int64_t ring = 0; ring < rings; ++ring) {
        const int r = radius - ScaleStep(ring, radius, rings);
        const Color color = BandColor(gradient.begin, gradient.end, ring, rings - 1);
        out.FillEllipse({centerX - r, centerY - r, centerX + r, centerY + r}, color);
    }
}

// The corner in the direction of the angle, counted counter-clockwise from
// the right: 0-89 top right, 90-179 top left, 180-269 bottom left, else bottom right.
void CornerRadial(const GradientLook& gradient, int width, int height, ShapeList& out) {
    const int quadrant = ((gradient.startAngle % 360) + 360) % 360 / 90;
    const bool right = quadrant == 0 || quadrant == 3;
    const bool bottom = quadrant >= 2;
    Radial(gradient, width, height, right ? width : 0, bottom ? height : 0, out);
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
    case GradientStyle::Horizontal:
        Banded(gradient, width, height, false, out);
        break;
    case GradientStyle::Vertical:
        Banded(gradient, width, height, true, out);
        break;
    case GradientStyle::Elliptic:
        Concentric(gradient, width, height, ShapeKind::Ellipse, out);
        break;
    case GradientStyle::Rectangle:
        Concentric(gradient, width, height, ShapeKind::Rectangle, out);
        break;
    case GradientStyle::VerticalCenter:
        Mirrored(gradient, width, height, true, out);
        break;
    case GradientStyle::HorizontalCenter:
        Mirrored(gradient, width, height, false, out);
        break;
    case GradientStyle::Radial1:
        Radial(gradient, width, height, width / 2, height / 2, out);
        break;
    case GradientStyle::Radial2:
        CornerRadial(gradient, width, height, out);
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
