#include "settings/SettingsStartup.h"

#include "core/Error.h"
#include "core/Names.h"

namespace keytide {

SettingsStartup::SettingsStartup(Settings& settings, SettingsStore& store, FontSource& fonts,
                                 platform::UserMessages& messages)
    : settings_(settings), store_(store), fonts_(fonts), messages_(messages) {}

void SettingsStartup::FormCreate() {
    ResetToDesignValues(settings_);
    store_.RemoveExecutableRunValue();
}

void SettingsStartup::FillFontList() {
    settings_.FontListBox = FontListEntries(fonts_);
    settings_.FontIndex = kNoSelection;
}

void SettingsStartup::LoadSettings() {
    try {
        store_.LoadIni();
    } catch (const KeytideError& error) {
        messages_.ShowError(names::kProgramTitle, ErrorBoxText(error.what()));
    }
}

}  // namespace keytide
