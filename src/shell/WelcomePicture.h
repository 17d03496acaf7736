#pragma once
// The welcome picture as a list of shapes on a 302 x 200 canvas (pixels at
// 96 DPI): on a light grey ground a numeric keypad with rounded light keys on
// the right, dotted lines from the keys of its left column to five round
// icons on the left (playback, an envelope, a document, a person, a pointer),
// each line ending in a blue dot on its key, a translucent light-blue band
// over the lower half, the product's name large at the top left and a small
// light-blue box for the version at the top right. A painter draws the
// shapes in order at any scale.
#include <string>
#include <vector>

#include "widgets/Gradient.h"

namespace keytide::welcome {

using widgets::Color;

inline constexpr double kCanvasWidth = 302;
inline constexpr double kCanvasHeight = 200;

struct Point {
    double x = 0;
    double y = 0;
};

struct Box {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    Point Centre() const { return {(left + right) / 2, (top + bottom) / 2}; }
    bool Contains(Point p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
};

enum class ShapeKind {
    RoundRect,  // box with corner radius (0: a plain rectangle)
    Ellipse,    // the ellipse inscribed in box
    Polygon,    // points
    Polyline,   // points, drawn with the outline only
    Text,       // text in box: at its top left corner, or centred in it
};

struct Shape {
    ShapeKind kind = ShapeKind::RoundRect;
    Box box;
    double cornerRadius = 0;
    std::vector<Point> points;

    bool filled = true;
    Color fillTop = widgets::kWhite;     // a vertical blend from fillTop
    Color fillBottom = widgets::kWhite;  // to fillBottom
    int opacity = 255;                   // 0-255; below 255 only for plain rectangles

    Color outline = widgets::kBlack;
    double outlineWidth = 0;  // 0: no outline

    std::string text;
    double textHeight = 0;  // character height
    bool bold = false;
    bool centred = false;
};

// What the picture is made of, for the painter and for checking the drawing.
enum class IconKind { Playback, Envelope, Document, Person, Pointer };

struct Key {
    std::string label;
    Box box;
};

struct Icon {
    IconKind kind;
    Point centre;
    double radius = 0;
};

// A dotted line from an icon's rim to a key's left edge.
struct Connector {
    int icon = 0;  // index into icons
    int key = 0;   // index into keys
    Point from;    // on the icon's rim
    Point to;      // the blue dot on the key's edge
};

struct Picture {
    std::vector<Key> keys;  // keypad reading order, Num Lock first
    std::vector<Icon> icons;
    std::vector<Connector> connectors;
    Box band;         // the translucent band
    Box versionBox;   // holds the version text, drawn by the window
    Box titleBox;     // where the product's name stands
    std::vector<Shape> shapes;  // everything, in paint order
};

Picture WelcomePicture();

}  // namespace keytide::welcome
