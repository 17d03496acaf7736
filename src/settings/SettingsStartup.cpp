#include "settings/SettingsStartup.h"

#include "model/Error.h"
#include "model/Names.h"

namespace keytide {

SettingsStartup::SettingsStartup(std::vector<std::string>& installedFonts, SettingsStore& store,
                                 platform::FontSource& fonts, platform::UserMessages& messages)
    : installedFonts_(installedFonts), store_(store), fonts_(fonts), messages_(messages) {}

void SettingsStartup::FillFontList() { installedFonts_ = FontListEntries(fonts_); }

void SettingsStartup::LoadSettings() {
    for (const std::string& problem : store_.Load()) {
        messages_.ShowError(names::kProgramTitle, platform::ErrorBoxText(problem));
    }
}

}  // namespace keytide
