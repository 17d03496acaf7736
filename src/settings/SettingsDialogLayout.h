#pragma once
// The settings dialog's window: sizes, places at 96 DPI, control ids,
// captions and hints, the controls in tab order. The Win32 window builds
// itself from this table; the end-to-end driver finds the controls by the
// same ids and places.
#include <array>

#include "settings/SettingsDialog.h"
#include "widgets/Gradient.h"

namespace keytide::settings_dialog {

// In window client coordinates at 96 DPI; right and bottom exclusive.
inline constexpr int kWindowWidth = 354;
inline constexpr int kWindowHeight = 344;
inline constexpr widgets::Rect kTitleBar{2, 2, 352, 26};
inline constexpr widgets::Rect kCloseButtonOnTitleBar{329, 4, 346, 20};  // in the title bar
inline constexpr widgets::Rect kGroupPanel{8, 34, 346, 304};
inline constexpr widgets::Rect kPreviewButton{256, 274, 336, 299};
inline constexpr widgets::Rect kOkButton{208, 311, 273, 336};
inline constexpr widgets::Rect kCancelButton{281, 311, 346, 336};
// A drop-down list's height with its list open.
inline constexpr int kDropDownHeight = 220;

enum DialogControl : int {
    kCloseId = 100,
    kFirstSettingId = 200,  // + the SettingsControl's position
    kPreviewId = 300,
    kOkId,
    kCancelId,
};

constexpr int IdOf(SettingsControl control) { return kFirstSettingId + static_cast<int>(control); }

struct ControlPlace {
    SettingsControl control;
    widgets::Rect bounds;  // a drop-down list's closed height comes from its font
    const char* caption;   // the check box's text, or the label left of the control
    const char* hint;
};

// In tab order; "Preview", "Ok" and "Cancel" follow.
inline constexpr std::array<ControlPlace, 11> kControls = {{
    {SettingsControl::AutoLoad, {24, 56, 338, 73}, "Auto-Load on Windows startup", "Start Keytide at Windows startup"},
    {SettingsControl::WelcomeScreen, {24, 74, 338, 91}, "Enable Welcome Screen", "Show welcome screen at startup"},
    {SettingsControl::UseScrollLock, {24, 92, 338, 109}, "Use Scroll Lock to activate/deactivate Keytide",
     "Use Scroll Lock key to activate/deactivate Keytide at any time"},
    {SettingsControl::AnimateTray, {24, 110, 338, 127}, "Animate systray icon when Keytide is active",
     "Enable/disable systray icon animation"},
    {SettingsControl::Font, {136, 152, 336, 173}, "Font:", "Select OSD (On Screen Display) font"},
    {SettingsControl::Bold, {136, 178, 192, 195}, "Bold", "Bold OSD (On Screen Display) font"},
    {SettingsControl::Italic, {204, 178, 264, 195}, "Italic", "Italic OSD (On Screen Display) font"},
    {SettingsControl::Size, {136, 200, 226, 221}, "Size:", "Select OSD (On Screen Display) size"},
    {SettingsControl::Color, {136, 226, 169, 246}, "Color:", "Select OSD (On Screen Display) color"},
    {SettingsControl::BarStyle, {136, 251, 226, 272}, "ProgressBar Style :",
     "Select OSD (On Screen Display) progressbar type"},
    {SettingsControl::TimeOut, {136, 276, 186, 297}, "Timeout:", "Select OSD (On Screen Display) timeout"},
}};

struct Heading {
    int left;
    int top;
    const char* text;
};
inline constexpr std::array<Heading, 2> kHeadings = {{{16, 38, "General:"}, {16, 134, "OnScreen Display:"}}};

inline constexpr char kPreviewHint[] = "OSD (On Screen Display) Preview";
inline constexpr char kSaveHint[] = "Closes this window, and saves any changes you have made";
inline constexpr char kDiscardHint[] = "Closes this window, without saving any changes you have made";

inline constexpr std::array<const char*, 3> kSizeEntries = {"Small", "Normal", "Large"};
inline constexpr std::array<const char*, 2> kBarStyleEntries = {"Normal", "Rounded"};
inline constexpr std::array<const char*, 10> kTimeOutEntries = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};

}  // namespace keytide::settings_dialog
