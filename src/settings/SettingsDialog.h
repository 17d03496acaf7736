#pragma once
// The settings dialog's behaviour. Its controls show the settings in force:
// a change in a control changes the shared Settings at once, unsaved, so the
// on-screen display and the hot-key logic, which read Settings at each use,
// see what the dialog shows. OK saves them; Cancel, the title bar's X and
// closing the window read them back from the file. The controls' own states
// (check marks, list positions) are mapped here and go no further.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Settings.h"
#include "platform/UserMessages.h"
#include "settings/SettingsStore.h"

namespace keytide {

// The controls that hold a setting, in tab order.
enum class SettingsControl {
    AutoLoad,
    WelcomeScreen,
    UseScrollLock,
    AnimateTray,
    Font,
    Bold,
    Italic,
    Size,
    Color,
    BarStyle,
    TimeOut,
};

inline constexpr std::array<SettingsControl, 11> kSettingsControls = {
    SettingsControl::AutoLoad, SettingsControl::WelcomeScreen, SettingsControl::UseScrollLock,
    SettingsControl::AnimateTray, SettingsControl::Font, SettingsControl::Bold,
    SettingsControl::Italic, SettingsControl::Size, SettingsControl::Color,
    SettingsControl::BarStyle, SettingsControl::TimeOut,
};

enum class ControlKind { CheckBox, DropDownList, ColorSwatch };

ControlKind KindOf(SettingsControl control);

// What a control shows: a check box 0 or 1, a list its position (-1 for no
// selection), the swatch its colour value.
using ControlValue = std::int64_t;

// The font list's entries are the installed fonts.
ControlValue ValueOf(const Settings& settings, SettingsControl control, const std::vector<std::string>& fonts);
// A position outside the list leaves the setting without a value.
void AssignValue(Settings& settings, SettingsControl control, ControlValue value,
                 const std::vector<std::string>& fonts);

// The dialog window.
class SettingsDialogView {
public:
    virtual ~SettingsDialogView() = default;
    // Every control from the settings, the font list with these entries.
    virtual void ShowValues(const Settings& settings, const std::vector<std::string>& fonts) = 0;
    // Shows the window in front with the focus on "Italic".
    virtual void Show() = 0;
    virtual void Hide() = 0;
};

// The program around the dialog: the assignment editor that opened it, and
// the rest, which hears that the settings in force have changed.
class SettingsDialogHost {
public:
    virtual ~SettingsDialogHost() = default;
    virtual void EnableEditor(bool enabled) = 0;
    virtual void SettingsChanged() = 0;
};

// The system's colour dialog: the colour the user confirmed, nothing when
// the user cancelled.
class ColorChooser {
public:
    virtual ~ColorChooser() = default;
    virtual std::optional<ColorValue> Choose(ColorValue initial) = 0;
};

// Shows the on-screen display's sample with the given settings for their
// time-out, then hides it.
class OsdPreview {
public:
    virtual ~OsdPreview() = default;
    virtual void Preview(const Settings& settings) = 0;
};

struct SettingsDialogServices {
    SettingsDialogView& view;
    SettingsDialogHost& host;
    ColorChooser& colors;
    OsdPreview& preview;
    platform::UserMessages& messages;  // what the reload from the file found wrong
};

class SettingsDialog {
public:
    SettingsDialog(Settings& settings, const std::vector<std::string>& installedFonts, SettingsStore& store,
                   SettingsDialogServices services);

    // The editor's "Settings..." button: the editor is disabled and the
    // dialog shown, not modal.
    void Open();

    // The user changed a control.
    void Change(SettingsControl control, ControlValue value);

    // A click on the colour swatch.
    void ChooseOsdColor();

    // "Preview": the sample with the controls as they are now, saved or not.
    void Preview();

    // "Ok": saves, and the program hears of the change. Failures of the save
    // or of the start-with-Windows entry end it where they happen (KeytideError).
    void Confirm();

    // "Cancel", the title bar's "X" and any other close of the window. What
    // the reload finds wrong in the file is shown, one box each.
    void Dismiss();

    const Settings& Current() const { return settings_; }

private:
    Settings& settings_;
    const std::vector<std::string>& installedFonts_;
    SettingsStore& store_;
    SettingsDialogServices services_;
};

}  // namespace keytide
