#pragma once
// The settings dialog's part in the program's start: its controls at
// creation, the font list and the first load at the deferred start.
#include "core/ControllerPorts.h"
#include "platform/UserMessages.h"
#include "settings/FontList.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"

namespace keytide {

class SettingsStartup final : public StartupSteps {
public:
    SettingsStartup(Settings& settings, SettingsStore& store, FontSource& fonts, platform::UserMessages& messages);

    // The dialog is created: its controls take their design values and the
    // Run value named after the executable goes.
    void OnCreate();

    void FillFontList() override;

    // Load. Its error ends the load but not the start: the message is shown
    // here, and the hot keys and the tray icon still come up afterwards.
    void LoadSettings() override;

    // The welcome screen is not part of the settings; nothing to show yet.
    void ShowWelcomeScreen() override {}
    void HideWelcomeScreen() override {}

private:
    Settings& settings_;
    SettingsStore& store_;
    FontSource& fonts_;
    platform::UserMessages& messages_;
};

}  // namespace keytide
