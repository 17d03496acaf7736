#include "KeypadArt.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "KeyDigits.h"

namespace keytide::trayicons {
namespace {

struct Colour {
    double r = 0;
    double g = 0;
    double b = 0;
};

constexpr Colour Hex(unsigned rgb) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

Colour Mix(Colour from, Colour to, double t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t};
}

Colour Scale(Colour c, double factor) { return {c.r * factor, c.g * factor, c.b * factor}; }

// One palette per state; the active keys also pass through the tide colours.
struct Palette {
    Colour bodyTop;
    Colour bodyBottom;
    Colour rim;
    Colour keyTop;
    Colour keyBottom;
    Colour ink;
};

constexpr Palette kActive{Hex(0x24406A), Hex(0x101C30), Hex(0x5D86BC), Hex(0x9DB8DC), Hex(0x6F8FBA), Hex(0x16294A)};
constexpr Palette kInactive{Hex(0x4A4A4A), Hex(0x343434), Hex(0x6A6A6A), Hex(0x8E8E8E), Hex(0x767676), Hex(0x3A3A3A)};
constexpr Colour kTideColour = Hex(0x2EE0F2);
constexpr Colour kCrestColour = Hex(0xEFFFFF);
constexpr Colour kBodyGlowColour = Hex(0x1A7C9C);

// Whole-pixel geometry per size, so that key edges stay crisp: the keys start
// at `keyStart` and are `key` pixels square with `gap` pixels between them.
struct Layout {
    int size;
    int keyStart;
    int key;
    int gap;
};

// Keys this large carry their digit (the application icon's larger sizes).
constexpr int kSmallestKeyWithDigit = 12;

constexpr Layout kLayouts[] = {
    {16, 1, 4, 1},  {20, 2, 4, 2},  {24, 2, 6, 1},  {32, 2, 8, 2},
    {40, 3, 10, 2}, {48, 3, 12, 3}, {64, 4, 16, 4}, {256, 16, 64, 16},
};

const Layout& LayoutFor(int size) {
    for (const Layout& layout : kLayouts) {
        if (layout.size == size) return layout;
    }
    throw std::invalid_argument("no keypad layout for this icon size");
}

// Signed distance from (x, y) to a rounded rectangle: negative inside.
double RoundRectDistance(double x, double y, double left, double top, double width, double height, double radius) {
    const double halfW = width / 2;
    const double halfH = height / 2;
    const double qx = std::abs(x - (left + halfW)) - (halfW - radius);
    const double qy = std::abs(y - (top + halfH)) - (halfH - radius);
    const double ox = std::max(qx, 0.0);
    const double oy = std::max(qy, 0.0);
    const double outside = std::sqrt(ox * ox + oy * oy);
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// The tide: a crest of light on the diagonal that runs from 0 at the bottom-left
// corner to 1 at the top-right. Each of the kSweepsPerCycle sweeps in the 88
// steps of the cycle carries the crest across the keypad in kMovingSteps steps,
// from wholly below it to wholly above it, and then rests with the keypad
// unlit. The resting pictures are all alike, so the tray is not asked to show
// a new picture on every step; and the step from picture 88 back to picture 1,
// both at rest, is like every other.
constexpr int kCycleSteps = kLastAnimationPicture;
constexpr int kSweepsPerCycle = 2;
constexpr int kSweepSteps = kCycleSteps / kSweepsPerCycle;
constexpr int kMovingSteps = 10;
constexpr double kCrestHalfWidth = 0.38;
constexpr double kCrestStart = -0.4;  // beyond the half width from every point of the keypad
constexpr double kCrestEnd = 1.4;
static_assert(kCycleSteps % kSweepsPerCycle == 0 && kMovingSteps < kSweepSteps);
static_assert(-kCrestStart > kCrestHalfWidth && kCrestEnd - 1 > kCrestHalfWidth);

// Picture 0 is only seen once, before picture 1: it shows the step before 1,
// the same as picture 88.
int CycleStep(int picture) { return (picture + kCycleSteps - 1) % kCycleSteps; }

double CrestPosition(int picture) {
    // Shifted so that the still active picture has the crest across the middle diagonal.
    constexpr int middleStep = kMovingSteps / 2;
    const int shift = middleStep - CycleStep(kStillActivePicture) % kSweepSteps + kSweepSteps;
    const int step = (CycleStep(picture) + shift) % kSweepSteps;
    if (step >= kMovingSteps) return kCrestStart;
    return kCrestStart + (kCrestEnd - kCrestStart) * step / kMovingSteps;
}

// Light of the crest at diagonal position `along`: 1 on the crest, 0 beyond its half width.
double TideLight(double along, double crest) {
    const double distance = along - crest;
    if (std::abs(distance) >= kCrestHalfWidth) return 0;
    return 0.5 * (1 + std::cos(std::numbers::pi * distance / kCrestHalfWidth));
}

double Diagonal(double x, double y, int size) { return (x / size + (1 - y / size)) / 2; }

struct Sample {
    Colour colour;
    bool covered = false;
};

class KeypadPainter {
public:
    KeypadPainter(int size, bool active, double crest)
        : size_(size),
          layout_(LayoutFor(size)),
          palette_(active ? kActive : kInactive),
          active_(active),
          crest_(crest),
          bodyRadius_(size * 3.0 / 16),
          rim_(std::max(1.0, std::round(size / 32.0))),
          keyRadius_(std::max(1.0, layout_.key / 4.0)),
          lip_(std::max(1.0, std::round(layout_.key / 5.0))),
          shine_(layout_.key > 4 ? std::max(1.0, std::round(layout_.key / 16.0)) : 0) {}

    Sample At(double x, double y) const {
        if (RoundRectDistance(x, y, 0, 0, size_, size_, bodyRadius_) > 0) return {};
        // Only the key whose cell (the key and the gap after it) holds the point can cover it.
        const double pitch = layout_.key + layout_.gap;
        const int column = std::clamp(static_cast<int>(std::floor((x - layout_.keyStart) / pitch)), 0, 2);
        const int row = std::clamp(static_cast<int>(std::floor((y - layout_.keyStart) / pitch)), 0, 2);
        const double left = layout_.keyStart + column * pitch;
        const double top = layout_.keyStart + row * pitch;
        if (RoundRectDistance(x, y, left, top, layout_.key, layout_.key, keyRadius_) <= 0) {
            return {Key(x, y, left, top, 7 - 3 * row + column), true};  // digits as on a keypad: 7 8 9 on top
        }
        return {Body(x, y), true};
    }

private:
    Colour Body(double x, double y) const {
        // The lighter rim keeps the housing's outline on dark taskbars, where
        // there is room for it beside the keys.
        if (layout_.keyStart > rim_ && RoundRectDistance(x, y, 0, 0, size_, size_, bodyRadius_) > -rim_) {
            return palette_.rim;
        }
        Colour colour = Mix(palette_.bodyTop, palette_.bodyBottom, y / size_);
        if (active_) colour = Mix(colour, kBodyGlowColour, 0.55 * TideLight(Diagonal(x, y, size_), crest_));
        return colour;
    }

    // A key lights as a whole, from its centre's place on the diagonal; its
    // bottom rows are the darker side of the key cap.
    Colour Key(double x, double y, double left, double top, int digit) const {
        Colour face = Mix(palette_.keyTop, palette_.keyBottom, (y - top) / layout_.key);
        if (active_) {
            const double light = TideLight(Diagonal(left + layout_.key / 2.0, top + layout_.key / 2.0, size_), crest_);
            face = light < 0.5 ? Mix(face, kTideColour, light * 2) : Mix(kTideColour, kCrestColour, light * 2 - 1);
        }
        if (y >= top + layout_.key - lip_) return Scale(face, 0.78);
        if (y < top + shine_) return Mix(face, Hex(0xFFFFFF), 0.25);
        if (layout_.key >= kSmallestKeyWithDigit && InDigit(x, y, left, top, digit)) {
            return Mix(face, palette_.ink, 0.8);
        }
        return face;
    }

    // The digit stands in the middle of the key's top face, half its height.
    bool InDigit(double x, double y, double left, double top, int digit) const {
        const double faceHeight = layout_.key - lip_;
        const double height = faceHeight / 2;
        const double glyphLeft = left + (layout_.key - 0.6 * height) / 2;
        const double glyphTop = top + (faceHeight - height) / 2;
        const double distance =
            DistanceToStrokes(DigitStrokes(digit), (x - glyphLeft) / height, (y - glyphTop) / height);
        return distance <= std::max(0.08, 0.55 / height);  // at least about a pixel wide
    }

    int size_;
    const Layout& layout_;
    Palette palette_;
    bool active_;
    double crest_;
    double bodyRadius_;
    double rim_;
    double keyRadius_;
    double lip_;
    double shine_;
};

std::uint8_t ToByte(double value) { return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255)); }

}  // namespace

RgbaImage DrawTrayPicture(int picture, int size) {
    if (picture < 0 || picture > kInactivePicture) throw std::invalid_argument("tray pictures are 0 to 89");
    const bool active = picture != kInactivePicture;
    const KeypadPainter painter(size, active, active ? CrestPosition(picture) : 0);

    // Each pixel averages a grid of samples: smooth round corners, while the
    // straight key edges fall on whole pixels and stay sharp.
    const int grid = size > 64 ? 4 : 8;
    RgbaImage image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double r = 0;
            double g = 0;
            double b = 0;
            int covered = 0;
            for (int sy = 0; sy < grid; ++sy) {
                for (int sx = 0; sx < grid; ++sx) {
                    const Sample s = painter.At(x + (sx + 0.5) / grid, y + (sy + 0.5) / grid);
                    if (!s.covered) continue;
                    r += s.colour.r;
                    g += s.colour.g;
                    b += s.colour.b;
                    ++covered;
                }
            }
            if (covered == 0) continue;
            image.At(x, y) = {ToByte(r / covered), ToByte(g / covered), ToByte(b / covered),
                              ToByte(static_cast<double>(covered) / (grid * grid))};
        }
    }
    return image;
}

}  // namespace keytide::trayicons
