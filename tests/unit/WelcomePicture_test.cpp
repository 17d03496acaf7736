// The welcome picture's composition: everything on the canvas, the keypad's
// keys apart and inside its body, each dotted line running from its icon's
// rim to a key's edge without crossing another key or icon, one icon of each
// kind, the band over the lower half painted over everything else, and the
// title and version box clear of the keypad.
#include "shell/WelcomePicture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace keytide::welcome {
namespace {

bool Overlap(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Whether the segment from p to q passes through the box (sampled finely).
bool Crosses(Point p, Point q, const Box& box) {
    for (int step = 1; step < 200; ++step) {
        const double share = step / 200.0;
        const Point at{p.x + (q.x - p.x) * share, p.y + (q.y - p.y) * share};
        if (at.x > box.left + 0.5 && at.x < box.right - 0.5 && at.y > box.top + 0.5 && at.y < box.bottom - 0.5)
            return true;
    }
    return false;
}

Box BoundsOf(const Shape& shape) {
    if (shape.points.empty()) return shape.box;
    Box box{shape.points[0].x, shape.points[0].y, shape.points[0].x, shape.points[0].y};
    for (const Point& point : shape.points) {
        box.left = std::min(box.left, point.x);
        box.top = std::min(box.top, point.y);
        box.right = std::max(box.right, point.x);
        box.bottom = std::max(box.bottom, point.y);
    }
    return box;
}

TEST(WelcomePictureTest, EveryShapeLiesOnTheCanvas) {
    const Picture picture = WelcomePicture();
    ASSERT_FALSE(picture.shapes.empty());
    for (const Shape& shape : picture.shapes) {
        const Box box = BoundsOf(shape);
        EXPECT_GE(box.left, 0) << shape.text;
        EXPECT_GE(box.top, 0) << shape.text;
        EXPECT_LE(box.right, kCanvasWidth) << shape.text;
        EXPECT_LE(box.bottom, kCanvasHeight) << shape.text;
        // Only plain rectangles can be see-through.
        if (shape.opacity < 255) {
            EXPECT_EQ(shape.kind, ShapeKind::RoundRect);
            EXPECT_EQ(shape.cornerRadius, 0);
        }
    }
    // The first shape is the ground, covering everything.
    const Box ground = picture.shapes.front().box;
    EXPECT_EQ(ground.Width(), kCanvasWidth);
    EXPECT_EQ(ground.Height(), kCanvasHeight);
}

TEST(WelcomePictureTest, TheKeypadsKeysStandApartOnTheRight) {
    const Picture picture = WelcomePicture();
    ASSERT_EQ(picture.keys.size(), 17u);  // Num Lock, the fifteen keys and Enter
    for (std::size_t a = 0; a < picture.keys.size(); ++a) {
        EXPECT_GT(picture.keys[a].box.left, kCanvasWidth / 2) << picture.keys[a].label;
        for (std::size_t b = a + 1; b < picture.keys.size(); ++b) {
            EXPECT_FALSE(Overlap(picture.keys[a].box, picture.keys[b].box))
                << picture.keys[a].label << " and " << picture.keys[b].label;
        }
    }
    EXPECT_FALSE(Overlap(picture.titleBox, picture.versionBox));
    for (const Key& key : picture.keys) {
        EXPECT_FALSE(Overlap(picture.titleBox, key.box)) << key.label;
        EXPECT_FALSE(Overlap(picture.versionBox, key.box)) << key.label;
    }
    // The version box is at the top right and holds the version label's place.
    const Box label{264, 24, 291, 38};
    EXPECT_LE(picture.versionBox.left, label.left);
    EXPECT_LE(picture.versionBox.top, label.top);
    EXPECT_GE(picture.versionBox.right, label.right);
    EXPECT_GE(picture.versionBox.bottom, label.bottom);
}

TEST(WelcomePictureTest, DottedLinesRunFromEachIconToAKeyWithoutCrossingOthers) {
    const Picture picture = WelcomePicture();
    ASSERT_EQ(picture.icons.size(), 5u);
    std::set<IconKind> kinds;
    for (const Icon& icon : picture.icons) {
        kinds.insert(icon.kind);
        EXPECT_LT(icon.centre.x + icon.radius, kCanvasWidth / 2);  // on the left
    }
    EXPECT_EQ(kinds.size(), 5u);

    ASSERT_EQ(picture.connectors.size(), picture.icons.size());
    std::set<int> keysUsed;
    for (const Connector& line : picture.connectors) {
        const Icon& icon = picture.icons.at(static_cast<std::size_t>(line.icon));
        const Key& key = picture.keys.at(static_cast<std::size_t>(line.key));
        keysUsed.insert(line.key);
        // From just outside the icon's rim to the middle of the key's left edge.
        const double fromCentre = std::hypot(line.from.x - icon.centre.x, line.from.y - icon.centre.y);
        EXPECT_GT(fromCentre, icon.radius);
        EXPECT_LT(fromCentre, icon.radius + 5);
        EXPECT_DOUBLE_EQ(line.to.x, key.box.left);
        EXPECT_DOUBLE_EQ(line.to.y, key.box.Centre().y);
        for (std::size_t other = 0; other < picture.keys.size(); ++other) {
            EXPECT_FALSE(Crosses(line.from, line.to, picture.keys[other].box))
                << "line to " << key.label << " crosses " << picture.keys[other].label;
        }
        for (std::size_t other = 0; other < picture.icons.size(); ++other) {
            const Icon& next = picture.icons[other];
            const Box disc{next.centre.x - next.radius, next.centre.y - next.radius, next.centre.x + next.radius,
                           next.centre.y + next.radius};
            EXPECT_FALSE(Crosses(line.from, line.to, disc)) << "line " << line.icon << " crosses icon " << other;
        }
        // Its blue dot sits on the key's edge.
        bool dot = false;
        for (const Shape& shape : picture.shapes) {
            dot = dot || (shape.kind == ShapeKind::Ellipse && shape.box.Contains(line.to) &&
                          std::abs(shape.box.Centre().x - line.to.x) < 0.01 && shape.box.Width() >= 5);
        }
        EXPECT_TRUE(dot) << "no blue dot at the key " << key.label;
    }
    EXPECT_EQ(keysUsed.size(), picture.connectors.size());  // one key each
}

TEST(WelcomePictureTest, TheTranslucentBandCoversTheLowerHalfOverEverything) {
    const Picture picture = WelcomePicture();
    EXPECT_EQ(picture.band.top, kCanvasHeight / 2);
    EXPECT_EQ(picture.band.bottom, kCanvasHeight);
    EXPECT_EQ(picture.band.left, 0);
    EXPECT_EQ(picture.band.right, kCanvasWidth);
    std::size_t bandAt = picture.shapes.size();
    std::size_t lastOpaque = 0;
    for (std::size_t i = 0; i < picture.shapes.size(); ++i) {
        const Shape& shape = picture.shapes[i];
        if (shape.opacity < 255 && shape.box.top == picture.band.top && shape.box.bottom == picture.band.bottom) {
            bandAt = std::min(bandAt, i);
            EXPECT_GT(shape.opacity, 0);
        }
        if (shape.opacity == 255) lastOpaque = i;
    }
    ASSERT_LT(bandAt, picture.shapes.size()) << "no translucent band";
    EXPECT_GT(bandAt, lastOpaque) << "something is painted over the band";
}

}  // namespace
}  // namespace keytide::welcome
