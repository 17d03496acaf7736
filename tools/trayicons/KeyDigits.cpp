#include "KeyDigits.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>

namespace keytide::trayicons {
namespace {

// Points along a circle from `fromDegrees` to `toDegrees`, clockwise on the
// screen (y down), appended to `stroke`.
void AddArc(Stroke& stroke, double cx, double cy, double r, double fromDegrees, double toDegrees) {
    constexpr int kSteps = 16;
    for (int i = 0; i <= kSteps; ++i) {
        const double degrees = fromDegrees + (toDegrees - fromDegrees) * i / kSteps;
        const double radians = degrees * std::numbers::pi / 180;
        stroke.push_back({cx + r * std::cos(radians), cy + r * std::sin(radians)});
    }
}

Stroke Arc(double cx, double cy, double r, double fromDegrees, double toDegrees) {
    Stroke stroke;
    AddArc(stroke, cx, cy, r, fromDegrees, toDegrees);
    return stroke;
}

std::array<std::vector<Stroke>, 9> MakeDigits() {
    std::array<std::vector<Stroke>, 9> digits;
    digits[0] = {{{0.12, 0.2}, {0.34, 0.0}, {0.34, 1.0}}};

    Stroke two = Arc(0.3, 0.27, 0.27, 195, 380);
    two.insert(two.end(), {{0.02, 1.0}, {0.6, 1.0}});
    digits[1] = {two};

    Stroke three = Arc(0.3, 0.25, 0.24, 205, 450);
    AddArc(three, 0.3, 0.72, 0.28, 270, 515);
    digits[2] = {three};

    digits[3] = {{{0.46, 1.0}, {0.46, 0.0}, {0.0, 0.68}, {0.6, 0.68}}};

    Stroke five{{0.56, 0.0}, {0.1, 0.0}, {0.06, 0.46}};
    AddArc(five, 0.3, 0.7, 0.29, 235, 495);
    digits[4] = {five};

    digits[5] = {Arc(0.3, 0.71, 0.28, 0, 360), {{0.04, 0.64}, {0.42, 0.0}}};
    digits[6] = {{{0.0, 0.0}, {0.6, 0.0}, {0.2, 1.0}}};
    digits[7] = {Arc(0.3, 0.25, 0.23, 0, 360), Arc(0.3, 0.72, 0.28, 0, 360)};
    digits[8] = {Arc(0.3, 0.29, 0.28, 0, 360), {{0.56, 0.36}, {0.18, 1.0}}};
    return digits;
}

double DistanceToSegment(Point a, Point b, double x, double y) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    const double t = lengthSquared == 0 ? 0 : std::clamp(((x - a.x) * dx + (y - a.y) * dy) / lengthSquared, 0.0, 1.0);
    return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

}  // namespace

const std::vector<Stroke>& DigitStrokes(int digit) {
    static const std::array<std::vector<Stroke>, 9> digits = MakeDigits();
    if (digit < 1 || digit > 9) throw std::invalid_argument("key caps carry the digits 1 to 9");
    return digits[digit - 1];
}

double DistanceToStrokes(const std::vector<Stroke>& strokes, double x, double y) {
    double nearest = std::numeric_limits<double>::infinity();
    for (const Stroke& stroke : strokes) {
        for (std::size_t i = 0; i + 1 < stroke.size(); ++i) {
            nearest = std::min(nearest, DistanceToSegment(stroke[i], stroke[i + 1], x, y));
        }
    }
    return nearest;
}

}  // namespace keytide::trayicons
