// The flat look's rules that the drawing code relies on: which face a button
// shows, sizes at other DPIs, the popup menu's item boxes, and the groups of
// which exactly one button is down.
#include "widgets/FlatLook.h"

#include <gtest/gtest.h>

#include "widgets/SelectionGroup.h"

namespace keytide::widgets {
namespace {

TEST(FlatLookTest, FaceShowsDisabledThenPressedThenFocusOrMouse) {
    struct Case {
        bool enabled, pressedOrDown, focused, mouseOver;
        FaceState face;
        Color color;
    };
    const Case cases[] = {
        {true, false, false, false, FaceState::Normal, Rgb(0x00, 0x80, 0xC0)},
        {true, false, true, false, FaceState::Focused, Rgb(0x00, 0x91, 0xD7)},
        {true, false, false, true, FaceState::Focused, Rgb(0x00, 0x91, 0xD7)},
        {true, true, false, false, FaceState::Pressed, Rgb(0x00, 0x72, 0xA8)},
        {true, true, true, true, FaceState::Pressed, Rgb(0x00, 0x72, 0xA8)},  // the selected key with the focus
        {false, true, true, true, FaceState::Disabled, FlatButtonPalette{}.disabledFace},
    };
    for (const Case& c : cases) {
        const FaceState face = FaceStateOf(c.enabled, c.pressedOrDown, c.focused, c.mouseOver);
        EXPECT_EQ(face, c.face) << c.enabled << c.pressedOrDown << c.focused << c.mouseOver;
        EXPECT_EQ(FaceColor(FlatButtonPalette{}, face), c.color) << static_cast<int>(c.face);
    }
}

TEST(FlatLookTest, SizesScaleFrom96DpiToTheNearestPixel) {
    struct Case {
        int pixels, dpi, expected;
    };
    const Case cases[] = {
        {11, 96, 11},  {11, 120, 14}, {11, 144, 17},  // 13.75 and 16.5 round up
        {16, 120, 20}, {13, 192, 26}, {7, 72, 5},     // 5.25 rounds down
        {11, 0, 11},   {11, -5, 11},                  // DPI not known: 96
        {-3, 144, -5},                                // -4.5 rounds away from zero, as MulDiv does
    };
    for (const Case& c : cases) EXPECT_EQ(ScaleToDpi(c.pixels, c.dpi), c.expected) << c.pixels << " at " << c.dpi;
}

TEST(FlatLookTest, MenuItemsStackWithThinSeparatorsAndRoomForBarAndCheck) {
    const MenuMetrics metrics = MenuMetricsFor(96, 15);
    EXPECT_EQ(metrics.itemHeight, 23);  // a 15 px caption and 8 px of air; never under 22
    EXPECT_EQ(MenuMetricsFor(96, 10).itemHeight, 22);
    EXPECT_EQ(MenuMetricsFor(192, 30).sideBarWidth, 48);

    // The tray menu: Show..., -, Active, OSD Enabled, -, Help, About..., -, Exit.
    const std::vector<MenuEntry> entries = {{false, 40}, {true, 0},   {false, 38}, {false, 70}, {true, 0},
                                            {false, 28}, {false, 45}, {true, 0},   {false, 24}};
    const std::vector<MenuItemBox> boxes = LayOutMenu(entries, metrics);
    ASSERT_EQ(boxes.size(), entries.size());
    const int fixed = metrics.sideBarWidth + metrics.checkColumnWidth + metrics.textRightPadding;
    EXPECT_EQ(boxes[0], (MenuItemBox{0, 23, fixed + 40}));
    EXPECT_EQ(boxes[1], (MenuItemBox{23, 7, fixed}));
    EXPECT_EQ(boxes[2], (MenuItemBox{30, 23, fixed + 38}));
    EXPECT_EQ(boxes[8].top, 5 * 23 + 3 * 7);
    EXPECT_EQ(boxes[8].top + boxes[8].height, 6 * 23 + 3 * 7);  // the side bar's height
}

// The help menu's two items alone would cut the side bar's caption.
TEST(FlatLookTest, AMenuShorterThanItsSideBarCaptionSharesTheMissingHeightOut) {
    const MenuMetrics metrics = MenuMetricsFor(96, 15);  // items 23, separators 7
    struct Case {
        std::vector<MenuEntry> entries;
        int minimumHeight;
        std::vector<int> heights;
    };
    const Case cases[] = {
        {{{false, 28}, {false, 45}}, 87, {44, 43}},               // 41 short: the first takes the odd pixel
        {{{false, 28}, {true, 0}, {false, 45}}, 60, {27, 7, 26}},  // a separator keeps its height
        {{{false, 28}, {false, 45}}, 46, {23, 23}},               // tall enough
        {{{true, 0}}, 87, {7}},                                   // no item to grow
    };
    for (const Case& c : cases) {
        std::vector<int> heights;
        for (const MenuItemBox& box : LayOutMenu(c.entries, metrics, c.minimumHeight)) heights.push_back(box.height);
        EXPECT_EQ(heights, c.heights) << c.minimumHeight;
    }
}

TEST(SelectionGroupTest, ExactlyOneStaysDownOnceChosen) {
    SelectionGroup keys;
    for (int i = 0; i < 15; ++i) EXPECT_EQ(keys.Add(), i);
    EXPECT_EQ(keys.Selected(), SelectionGroup::kNone);

    struct Step {
        int choose;
        bool moved;
        int selected;
    };
    const Step steps[] = {
        {0, true, 0},    {0, false, 0},    // choosing the key that is down keeps it down
        {13, true, 13},  {15, false, 13},  // past the end: nothing
        {-1, false, 13}, {14, true, 14},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(keys.Select(step.choose), step.moved) << "choose " << step.choose;
        EXPECT_EQ(keys.Selected(), step.selected) << "choose " << step.choose;
    }
}

TEST(SelectionGroupTest, ArrowKeysGoRoundAtBothEnds) {
    SelectionGroup options;
    for (int i = 0; i < 3; ++i) options.Add();
    EXPECT_EQ(options.Neighbour(0, 1), 1);
    EXPECT_EQ(options.Neighbour(2, 1), 0);
    EXPECT_EQ(options.Neighbour(0, -1), 2);
    EXPECT_EQ(options.Neighbour(1, -4), 0);
    EXPECT_EQ(options.Neighbour(7, 1), 7);  // not a member: stays

    SelectionGroup single;
    single.Add();
    EXPECT_EQ(single.Neighbour(0, 1), 0);
}

}  // namespace
}  // namespace keytide::widgets
