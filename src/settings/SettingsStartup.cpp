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
    for (const std::string& problem : store_.Load()) {
        messages_.ShowError(names::kProgramTitle, ErrorBoxText(problem));
    }
}

}  // namespace keytide
