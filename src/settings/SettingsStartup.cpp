#include "settings/SettingsStartup.h"

#include "platform/Error.h"
#include "platform/Names.h"

namespace keytide {

SettingsStartup::SettingsStartup(Settings& settings, SettingsStore& store, platform::FontSource& fonts,
                                 platform::UserMessages& messages)
    : settings_(settings), store_(store), fonts_(fonts), messages_(messages) {}

void SettingsStartup::ResetToDesignState() {
    ResetToDesignValues(settings_);
    store_.RemoveExecutableRunValue();
}

void SettingsStartup::FillFontList() {
    settings_.fontNames = FontListEntries(fonts_);
    settings_.fontIndex = kNoSelection;
}

void SettingsStartup::LoadSettings() {
    try {
        store_.Load();
    } catch (const KeytideError& error) {
        messages_.ShowError(names::kProgramTitle, ErrorBoxText(error.what()));
    }
}

}  // namespace keytide
