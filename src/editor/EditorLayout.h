#pragma once
// The assignment editor's controls: ids, captions, hints and places at 96 DPI,
// listed in tab order. The Win32 view builds its window from this table; the
// end-to-end driver finds the controls by the same ids and places.
#include <array>
#include <optional>

#include "widgets/Gradient.h"

namespace keytide::editor {

// Sizes at 96 DPI.
inline constexpr int kWindowWidth = 521;
inline constexpr int kWindowHeight = 280;

// Areas that hold controls; a control's place is inside its area.
enum class Area { Window, TitleBar, Keypad, Assignment };

// In window client coordinates at 96 DPI; right and bottom exclusive.
inline constexpr widgets::Rect kTitleBar{2, 2, 2 + 517, 2 + 24};
// The gradient below the title bar, inside the window's own 2-pixel edge.
inline constexpr widgets::Rect kBackground{2, 26, 2 + 517, 26 + 252};
// The keypad panel has a one-pixel border: its keys are placed inside it.
inline constexpr widgets::Rect kKeypadPanel{8, 32, 8 + 179, 32 + 241};
inline constexpr int kKeypadBorder = 1;
// The assignment panel's border is drawn on its face: places start at its edge.
inline constexpr widgets::Rect kAssignmentPanel{192, 32, 192 + 321, 32 + 209};

enum ControlId : int {
    kKeyFirst = 100,  // the fifteen keys, slot order: kKeyFirst + slot
    kKeyLast = kKeyFirst + 14,
    kHelpButton = 200,
    kMinimizeButton,
    kCloseButton,
    kNumLockLabel,
    kEnterLabel,
    kActiveButton,
    kOsdButton,
    kActionOption,
    kActionList,
    kRunFileOption,
    kRunFileField,
    kRunFileButton,
    kAddressOption,
    kAddressField,
    kLabelCaption,
    kLabelField,
    kSettingsButton,
    kOkButton,
    kCancelButton,
};

struct ControlPlace {
    int id;
    Area area;
    int left, top, width, height;  // in the area, at 96 DPI
    const char* caption;
    const char* hint;  // nullptr: none
};

inline constexpr char kKeyHint[] = "Select the destination key";
inline constexpr char kActionHint[] = "Choose from a set of pre-defined actions";
inline constexpr char kFileHint[] = "Select a file on your computer";
inline constexpr char kAddressHint[] = "Type in a Web site address";
inline constexpr char kCloseHint[] = "Closes this window, without saving any changes you have made";

// The keypad in reading order, Num Lock and Enter being the inert labels.
inline constexpr std::array<ControlPlace, 22> kControls{{
    {kHelpButton, Area::TitleBar, 460, 4, 17, 16, "?", "Help menu"},
    {kMinimizeButton, Area::TitleBar, 478, 4, 17, 16, "-", "Minimize"},
    {kCloseButton, Area::TitleBar, 496, 4, 17, 16, "X", kCloseHint},
    {kNumLockLabel, Area::Keypad, 8, 8, 41, 41, "NL", nullptr},
    {kKeyFirst + 0, Area::Keypad, 48, 8, 41, 41, "/", kKeyHint},
    {kKeyFirst + 1, Area::Keypad, 88, 8, 41, 41, "*", kKeyHint},
    {kKeyFirst + 2, Area::Keypad, 128, 8, 41, 41, "-", kKeyHint},
    {kKeyFirst + 3, Area::Keypad, 8, 48, 41, 41, "7", kKeyHint},
    {kKeyFirst + 4, Area::Keypad, 48, 48, 41, 41, "8", kKeyHint},
    {kKeyFirst + 5, Area::Keypad, 88, 48, 41, 41, "9", kKeyHint},
    {kKeyFirst + 6, Area::Keypad, 128, 48, 41, 81, "+", kKeyHint},
    {kKeyFirst + 7, Area::Keypad, 8, 88, 41, 41, "4", kKeyHint},
    {kKeyFirst + 8, Area::Keypad, 48, 88, 41, 41, "5", kKeyHint},
    {kKeyFirst + 9, Area::Keypad, 88, 88, 41, 41, "6", kKeyHint},
    {kKeyFirst + 10, Area::Keypad, 8, 128, 41, 41, "1", kKeyHint},
    {kKeyFirst + 11, Area::Keypad, 48, 128, 41, 41, "2", kKeyHint},
    {kKeyFirst + 12, Area::Keypad, 88, 128, 41, 41, "3", kKeyHint},
    {kEnterLabel, Area::Keypad, 128, 128, 41, 81, "Enter", nullptr},
    {kKeyFirst + 13, Area::Keypad, 8, 168, 81, 41, "0", kKeyHint},
    {kKeyFirst + 14, Area::Keypad, 88, 168, 41, 41, ".", kKeyHint},
    {kActiveButton, Area::Keypad, 8, 214, 81, 19, "Active", "Activate/Deactivate Keytide"},
    {kOsdButton, Area::Keypad, 88, 214, 81, 19, "OSD",
     "Activate/Deactivate OSD (On Screen Display)"},
}};

inline constexpr std::array<ControlPlace, 12> kAssignmentControls{{
    // The option buttons are one pixel less high than in the design, where
    // they cover the top line of the field under them.
    {kActionOption, Area::Assignment, 8, 8, 57, 16, "Action", kActionHint},
    {kActionList, Area::Assignment, 8, 24, 305, 22, "", kActionHint},
    {kRunFileOption, Area::Assignment, 8, 64, 65, 16, "Run file", kFileHint},
    {kRunFileField, Area::Assignment, 8, 80, 281, 20, "", kFileHint},
    {kRunFileButton, Area::Assignment, 296, 80, 17, 20, "...", kFileHint},
    {kAddressOption, Area::Assignment, 8, 112, 97, 16, "Go to adress", kAddressHint},
    {kAddressField, Area::Assignment, 8, 128, 305, 20, "", kAddressHint},
    {kLabelCaption, Area::Assignment, 8, 171, 60, 14, "OSD Label:", nullptr},
    {kLabelField, Area::Assignment, 72, 168, 241, 20, "", "OSD (On Screen Display) label"},
    {kSettingsButton, Area::Window, 192, 248, 73, 25, "Settings...", "Keytide settings"},
    {kOkButton, Area::Window, 376, 248, 65, 25, "Ok",
     "Closes this window, and saves any changes you have made"},
    {kCancelButton, Area::Window, 448, 248, 65, 25, "Cancel", kCloseHint},
}};

// Typing in the label field stops at this many characters.
inline constexpr int kLabelTypingLimit = 8;

// The control with this id from either table; nothing for an unknown id.
std::optional<ControlPlace> FindControl(int id);

// The control's place relative to its area's origin (the title bar's for
// title-bar buttons, the window's for the rest), at 96 DPI.
widgets::Rect PlaceInParent(const ControlPlace& control);
// The control's place in the window's client area at 96 DPI.
widgets::Rect PlaceInWindow(const ControlPlace& control);

// An area at 96 DPI at `dpi`: each edge is scaled and rounded, so that areas
// that touch at 96 DPI still touch.
widgets::Rect ScaleRect(const widgets::Rect& rect, int dpi);
// A control at 96 DPI at `dpi`: its first and its last pixel are scaled, so
// that keys sharing a one-pixel border line at 96 DPI share exactly one line
// at any DPI.
widgets::Rect ScaleControl(const widgets::Rect& rect, int dpi);

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};
Size WindowSize(int dpi);

// The slot of a key button's id, or nothing for any other control.
std::optional<int> SlotOfControl(int id);

// The action list's hint with that entry chosen: the entry's own where it has
// one, the list's otherwise.
const char* ActionListHint(int actionIndex);

}  // namespace keytide::editor
