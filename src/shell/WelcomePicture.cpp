#include "shell/WelcomePicture.h"

#include <cmath>
#include <utility>

#include "shell/ProductInfo.h"

namespace keytide::welcome {

namespace {

using widgets::Rgb;

const Color kGroundTop = Rgb(0xF4, 0xF5, 0xF7);
const Color kGroundBottom = Rgb(0xD9, 0xDD, 0xE2);
const Color kTitle = Rgb(0x0B, 0x5E, 0x8E);
const Color kTitleShadow = Rgb(0xC3, 0xCA, 0xD2);
const Color kTagline = Rgb(0x5A, 0x6B, 0x7B);
const Color kVersionTop = Rgb(0xCF, 0xEE, 0xFD);
const Color kVersionBottom = Rgb(0xA6, 0xDC, 0xF7);
const Color kVersionEdge = Rgb(0x5F, 0xB4, 0xE2);
const Color kBodyTop = Rgb(0xCC, 0xD3, 0xDB);
const Color kBodyBottom = Rgb(0xAD, 0xB6, 0xC0);
const Color kBodyEdge = Rgb(0x8A, 0x96, 0xA3);
const Color kKeyTop = widgets::kWhite;
const Color kKeyBottom = Rgb(0xE2, 0xE7, 0xEC);
const Color kKeyEdge = Rgb(0x8C, 0x98, 0xA4);
const Color kKeyText = Rgb(0x3C, 0x4A, 0x57);
const Color kDotted = Rgb(0x5C, 0x8F, 0xB8);
const Color kBlueDot = Rgb(0x1C, 0x7C, 0xC7);
const Color kIconTop = Rgb(0x36, 0xA6, 0xE3);
const Color kIconBottom = Rgb(0x0B, 0x6A, 0xAB);
const Color kGlyph = widgets::kWhite;
const Color kGlyphDetail = Rgb(0x0B, 0x6A, 0xAB);
const Color kBand = Rgb(0x8E, 0xD1, 0xF4);

// The keypad: keys of 24 with gaps of 4, its top left key at (180, 54).
constexpr double kKeyPitch = 28;
constexpr double kKeySize = 24;
constexpr double kKeypadLeft = 180;
constexpr double kKeypadTop = 54;
constexpr double kDotSpacing = 4;

Shape Fill(ShapeKind kind, Box box, Color top, Color bottom) {
    Shape shape;
    shape.kind = kind;
    shape.box = box;
    shape.fillTop = top;
    shape.fillBottom = bottom;
    return shape;
}

Shape Outlined(Shape shape, Color outline, double width) {
    shape.outline = outline;
    shape.outlineWidth = width;
    return shape;
}

Shape Rounded(Shape shape, double radius) {
    shape.cornerRadius = radius;
    return shape;
}

Shape Text(std::string text, Box box, double height, bool bold, Color color, bool centred = false) {
    Shape shape = Fill(ShapeKind::Text, box, color, color);
    shape.text = std::move(text);
    shape.textHeight = height;
    shape.bold = bold;
    shape.centred = centred;
    return shape;
}

Shape Polygon(std::vector<Point> points, Color color) {
    Shape shape = Fill(ShapeKind::Polygon, {}, color, color);
    shape.points = std::move(points);
    return shape;
}

Shape Polyline(std::vector<Point> points, Color color, double width) {
    Shape shape;
    shape.kind = ShapeKind::Polyline;
    shape.filled = false;
    shape.points = std::move(points);
    shape.outline = color;
    shape.outlineWidth = width;
    return shape;
}

Shape Circle(Point centre, double radius, Color top, Color bottom) {
    return Fill(ShapeKind::Ellipse, {centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius}, top,
                bottom);
}

Box KeyBox(int column, int row, int columns = 1, int rows = 1) {
    const double left = kKeypadLeft + column * kKeyPitch;
    const double top = kKeypadTop + row * kKeyPitch;
    return {left, top, left + kKeySize + (columns - 1) * kKeyPitch, top + kKeySize + (rows - 1) * kKeyPitch};
}

std::vector<Key> Keypad() {
    return {
        {"Num", KeyBox(0, 0)},       {"/", KeyBox(1, 0)},  {"*", KeyBox(2, 0)}, {"-", KeyBox(3, 0)},
        {"7", KeyBox(0, 1)},         {"8", KeyBox(1, 1)},  {"9", KeyBox(2, 1)}, {"+", KeyBox(3, 1, 1, 2)},
        {"4", KeyBox(0, 2)},         {"5", KeyBox(1, 2)},  {"6", KeyBox(2, 2)}, {"1", KeyBox(0, 3)},
        {"2", KeyBox(1, 3)},         {"3", KeyBox(2, 3)},  {"Enter", KeyBox(3, 3, 1, 2)},
        {"0", KeyBox(0, 4, 2, 1)},   {".", KeyBox(2, 4)},
    };
}

// The glyph of each icon in white, drawn over its blue disc.
void AddGlyph(std::vector<Shape>& shapes, const Icon& icon) {
    const double x = icon.centre.x;
    const double y = icon.centre.y;
    switch (icon.kind) {
    case IconKind::Playback:
        shapes.push_back(Polygon({{x - 6, y - 5}, {x - 6, y + 5}, {x, y}}, kGlyph));
        shapes.push_back(Polygon({{x, y - 5}, {x, y + 5}, {x + 6, y}}, kGlyph));
        break;
    case IconKind::Envelope:
        shapes.push_back(Fill(ShapeKind::RoundRect, {x - 7, y - 5, x + 7, y + 5}, kGlyph, kGlyph));
        shapes.push_back(Polyline({{x - 7, y - 5}, {x, y + 1}, {x + 7, y - 5}}, kGlyphDetail, 1.2));
        break;
    case IconKind::Document:
        shapes.push_back(Polygon({{x - 5, y - 7}, {x + 2, y - 7}, {x + 5, y - 4}, {x + 5, y + 7}, {x - 5, y + 7}},
                                 kGlyph));
        for (const double line : {-2.5, 0.5, 3.5}) {
            shapes.push_back(Polyline({{x - 3, y + line}, {x + 3, y + line}}, kGlyphDetail, 1));
        }
        break;
    case IconKind::Person:
        shapes.push_back(Circle({x, y - 4}, 3.2, kGlyph, kGlyph));
        shapes.push_back(Rounded(Fill(ShapeKind::RoundRect, {x - 6.5, y + 0.5, x + 6.5, y + 9}, kGlyph, kGlyph), 5));
        break;
    case IconKind::Pointer:
        shapes.push_back(Polygon({{x - 4, y - 7.5},
                                  {x - 4, y + 5},
                                  {x - 1, y + 2},
                                  {x + 1.5, y + 7.5},
                                  {x + 3.8, y + 6.5},
                                  {x + 1.3, y + 1.2},
                                  {x + 5, y + 1.2}},
                                 kGlyph));
        break;
    }
}

}  // namespace

Picture WelcomePicture() {
    Picture picture;
    std::vector<Shape>& shapes = picture.shapes;
    shapes.push_back(Fill(ShapeKind::RoundRect, {0, 0, kCanvasWidth, kCanvasHeight}, kGroundTop, kGroundBottom));

    // The name, large, with a soft shadow, and what the program is.
    picture.titleBox = {14, 6, 150, 40};
    Box shadow = picture.titleBox;
    shadow.left += 1.5;
    shadow.top += 1.5;
    shapes.push_back(Text(product::kName, shadow, 31, true, kTitleShadow));
    shapes.push_back(Text(product::kName, picture.titleBox, 31, true, kTitle));
    shapes.push_back(Text("numeric keypad shortcuts", {17, 39, 150, 51}, 10, false, kTagline));

    // The version box; the window writes the version into it.
    picture.versionBox = {258, 19, 296, 41};
    shapes.push_back(Outlined(Rounded(Fill(ShapeKind::RoundRect, picture.versionBox, kVersionTop, kVersionBottom), 3),
                              kVersionEdge, 1));

    // The keypad.
    shapes.push_back(Outlined(Rounded(Fill(ShapeKind::RoundRect, {173, 47, 295, 197}, kBodyTop, kBodyBottom), 7),
                              kBodyEdge, 1));
    picture.keys = Keypad();
    for (const Key& key : picture.keys) {
        shapes.push_back(Outlined(Rounded(Fill(ShapeKind::RoundRect, key.box, kKeyTop, kKeyBottom), 4), kKeyEdge, 1));
        // Words small; the thin operator signs larger than the digits.
        const bool word = key.label.size() > 1;
        const bool digit = !word && key.label[0] >= '0' && key.label[0] <= '9';
        const double height = word ? 7 : digit ? 11 : 14;
        shapes.push_back(Text(key.label, key.box, height, true, kKeyText, true));
    }

    // The icons down the left, in a gentle arc, each tied to a key of the
    // keypad's left column (Num Lock, 7, 4, 1, 0).
    const IconKind kinds[] = {IconKind::Playback, IconKind::Envelope, IconKind::Document, IconKind::Person,
                              IconKind::Pointer};
    const double arc[] = {0, 12, 17, 12, 0};
    const int leftColumn[] = {0, 4, 8, 11, 15};
    for (int i = 0; i < 5; ++i) {
        picture.icons.push_back({kinds[i], {30 + arc[i], 64 + 28.5 * i}, 12});
    }
    for (int i = 0; i < 5; ++i) {
        const Icon& icon = picture.icons[static_cast<std::size_t>(i)];
        const Box& key = picture.keys[static_cast<std::size_t>(leftColumn[i])].box;
        const Point to{key.left, key.Centre().y};
        const double dx = to.x - icon.centre.x;
        const double dy = to.y - icon.centre.y;
        const double length = std::hypot(dx, dy);
        const double rim = icon.radius + 3;
        const Point from{icon.centre.x + dx / length * rim, icon.centre.y + dy / length * rim};
        picture.connectors.push_back({i, leftColumn[i], from, to});

        // Dots from the rim up to the blue dot.
        const double run = length - rim - 4;
        const int dots = static_cast<int>(run / kDotSpacing);
        for (int dot = 0; dot <= dots; ++dot) {
            const double along = rim + dot * kDotSpacing;
            shapes.push_back(Circle({icon.centre.x + dx / length * along, icon.centre.y + dy / length * along}, 0.9,
                                    kDotted, kDotted));
        }
        shapes.push_back(Outlined(Circle(to, 3, kBlueDot, kBlueDot), widgets::kWhite, 1));
    }
    for (const Icon& icon : picture.icons) {
        shapes.push_back(Outlined(Circle(icon.centre, icon.radius, kIconTop, kIconBottom), widgets::kWhite, 1.5));
        AddGlyph(shapes, icon);
    }

    // The band over the lower half, with a light edge along its top.
    picture.band = {0, kCanvasHeight / 2, kCanvasWidth, kCanvasHeight};
    Shape band = Fill(ShapeKind::RoundRect, picture.band, kBand, kBand);
    band.opacity = 80;
    shapes.push_back(band);
    Shape edge = Fill(ShapeKind::RoundRect, {0, kCanvasHeight / 2, kCanvasWidth, kCanvasHeight / 2 + 1},
                      widgets::kWhite, widgets::kWhite);
    edge.opacity = 160;
    shapes.push_back(edge);
    return picture;
}

}  // namespace keytide::welcome
