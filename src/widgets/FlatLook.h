#pragma once
// The flat look shared by the program's windows: the button colours, sizes at
// the window's DPI, and the geometry of the owner-drawn popup menus.
#include <string>
#include <vector>

#include "widgets/Gradient.h"

namespace keytide::widgets {

// The program's blue and its lighter and darker shades.
inline constexpr Color kFlatBlue = Rgb(0x00, 0x80, 0xC0);
inline constexpr Color kFlatBlueFocused = Rgb(0x00, 0x91, 0xD7);
inline constexpr Color kFlatBluePressed = Rgb(0x00, 0x72, 0xA8);
inline constexpr Color kTitleBarBlue = Rgb(0x8C, 0xDA, 0xFF);
inline constexpr Color kPaleBlue = Rgb(0xC4, 0xEC, 0xFF);

struct FlatButtonPalette {
    Color face = kFlatBlue;
    Color focused = kFlatBlueFocused;  // also while the mouse is over the button
    Color pressed = kFlatBluePressed;  // held down, or a toggle that is down
    Color border = kBlack;
    Color text = kWhite;
    Color disabledFace = Rgb(0x7F, 0xA8, 0xC0);
    Color disabledText = Rgb(0xD8, 0xE4, 0xEA);
};

enum class FaceState { Normal, Focused, Pressed, Disabled };

// A disabled button shows nothing else; a pressed (or down) one stays pressed
// when it also has the focus, so the keypad's selected key never looks up.
FaceState FaceStateOf(bool enabled, bool pressedOrDown, bool focused, bool mouseOver);
Color FaceColor(const FlatButtonPalette& palette, FaceState state);

// A size in pixels at 96 DPI, at `dpi`, rounded to the nearest pixel. A DPI
// of 0 or less (not known) counts as 96.
int ScaleToDpi(int pixelsAt96, int dpi);

// Popup menus: a gradient side bar, a column for check marks, the caption.
struct MenuMetrics {
    int sideBarWidth = 0;
    int checkColumnWidth = 0;
    int textRightPadding = 0;
    int itemHeight = 0;
    int separatorHeight = 0;
};

// Sizes at `dpi` for captions whose font is textHeight pixels high.
MenuMetrics MenuMetricsFor(int dpi, int textHeight);

struct MenuEntry {
    bool separator = false;
    int textWidth = 0;
};

struct MenuItemBox {
    int top = 0;  // from the top of the first item
    int height = 0;
    int width = 0;
    bool operator==(const MenuItemBox&) const = default;
};

// The items one under the other, each as wide as its own caption needs. A
// menu shorter than minimumHeight (the side bar's whole caption) shares the
// missing height out among its items, the first ones taking a pixel more.
std::vector<MenuItemBox> LayOutMenu(const std::vector<MenuEntry>& entries, const MenuMetrics& metrics,
                                    int minimumHeight = 0);

}  // namespace keytide::widgets
