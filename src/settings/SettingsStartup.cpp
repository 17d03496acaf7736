#include "settings/SettingsStartup.h"

#include "core/Error.h"
#include "core/Names.h"

namespace keytide {

SettingsStartup::SettingsStartup(Settings& settings, SettingsStore& store, FontSource& fonts,
                                 platform::UserMessages& messages)
    : settings_(settings), store_(store), fonts_(fonts), messages_(messages) {}

void SettingsStartup::OnCreate() {
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
