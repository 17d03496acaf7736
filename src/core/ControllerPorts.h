#pragma once
// What the main controller asks of the windows around it. Each is implemented
// by a window of the program and by a recording double in the unit tests.

namespace keytide {

// The tray icon and the check marks of its menu.
class TrayControl {
public:
    virtual ~TrayControl() = default;
    virtual void SetActiveCheck(bool checked) = 0;     // menu item "Active"
    virtual void SetOsdEnabledCheck(bool checked) = 0; // menu item "OSD Enabled"
    virtual void SetCycleIcons(bool cycling) = 0;      // the active animation
    virtual void SetIconIndex(int index) = 0;          // a still picture
    virtual void SetIconVisible(bool visible) = 0;
};

// Start-up steps that belong to other windows: the settings dialog's font list
// and settings load, and the welcome screen.
class StartupSteps {
public:
    virtual ~StartupSteps() = default;
    virtual void FillFontList() = 0;
    virtual void LoadSettings() = 0;
    // Shows the welcome screen and blocks for its display time.
    virtual void ShowWelcomeScreen() = 0;
    virtual void HideWelcomeScreen() = 0;
};

}  // namespace keytide
