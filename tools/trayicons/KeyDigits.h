#pragma once
// Digits for the key caps of the larger pictures, as centre lines of strokes
// so that they can be drawn at any size.
#include <vector>

namespace keytide::trayicons {

struct Point {
    double x = 0;
    double y = 0;
};

using Stroke = std::vector<Point>;  // a polyline

// Digit 1 to 9 in a box 0.6 wide and 1 high, y running down. Throws
// std::invalid_argument for other digits.
const std::vector<Stroke>& DigitStrokes(int digit);

// Distance from (x, y) to the nearest stroke's centre line.
double DistanceToStrokes(const std::vector<Stroke>& strokes, double x, double y);

}  // namespace keytide::trayicons
