#pragma once
// The settings dialog's part in the program's start: its controls at
// creation, the font list and the first load at the deferred start.
#include "platform/UserMessages.h"
#include "settings/FontList.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"

namespace keytide {

class SettingsStartup {
public:
    SettingsStartup(Settings& settings, SettingsStore& store, platform::FontSource& fonts, platform::UserMessages& messages);

    // The dialog is created: its controls take their design values and the
    // Run value named after the executable goes.
    void ResetToDesignState();

    void FillFontList();

    // Load. Each of its problems is shown here, one box after the other; the
    // hot keys and the tray icon still come up afterwards.
    void LoadSettings();

private:
    Settings& settings_;
    SettingsStore& store_;
    platform::FontSource& fonts_;
    platform::UserMessages& messages_;
};

}  // namespace keytide
