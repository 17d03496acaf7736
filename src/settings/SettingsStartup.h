#pragma once
// The settings' part in the program's deferred start: the font list and the
// first load.
#include <string>
#include <vector>

#include "platform/UserMessages.h"
#include "settings/FontList.h"
#include "settings/SettingsStore.h"

namespace keytide {

class SettingsStartup {
public:
    SettingsStartup(std::vector<std::string>& installedFonts, SettingsStore& store, platform::FontSource& fonts,
                    platform::UserMessages& messages);

    void FillFontList();

    // Load. Each of its problems is shown here, one box after the other; the
    // hot keys and the tray icon still come up afterwards.
    void LoadSettings();

private:
    std::vector<std::string>& installedFonts_;
    SettingsStore& store_;
    platform::FontSource& fonts_;
    platform::UserMessages& messages_;
};

}  // namespace keytide
