#pragma once
// The settings in force. The settings dialog's controls show exactly these
// fields (named after those controls); every part of the program reads a
// setting here at the moment of use.
#include <cstdint>
#include <string>
#include <vector>

namespace keytide {

// A colour value: 0x00BBGGRR for an RGB colour, 0x80000000 + n for system
// colour n, 0x1FFFFFFF for no colour.
using ColorValue = std::uint32_t;
inline constexpr ColorValue kColorLime = 0x0000FF00;

// Entries of the drop-down lists.
inline constexpr int kSizeListCount = 3;              // "Small", "Normal", "Large"
inline constexpr int kProgressBarStyleListCount = 2;  // "Normal", "Rounded"
inline constexpr int kTimeOutListCount = 10;          // "1" .. "10" seconds
inline constexpr int kNoSelection = -1;

struct Settings {
    // Check boxes. The member values here are what an empty [Settings] section
    // loads as; the program's dialog starts from ResetToDesignValues() instead.
    bool autoLoad = true;
    bool welcomeScreen = true;
    bool useScrollLock = true;
    bool animateTray = true;
    bool bold = true;
    bool italic = false;

    // fontNames: the installed screen fonts and the selected entry (-1: none).
    std::vector<std::string> fontNames;
    int fontIndex = kNoSelection;

    // Drop-down list indices, -1 for no selection.
    int osdSize = 1;              // 0 "Small", 1 "Normal", 2 "Large"
    int barStyle = 1;  // 0 "Normal", 1 "Rounded"
    int timeOutIndex = 2;           // 0..9 for "1".."10" seconds

    ColorValue osdColor = kColorLime;

    // The selected font's face name, empty without a selection.
    std::string fontName() const {
        return fontIndex >= 0 && fontIndex < static_cast<int>(fontNames.size())
                   ? fontNames[static_cast<std::size_t>(fontIndex)]
                   : std::string();
    }
};

// The controls as the settings dialog is created, before the first load: all
// check boxes clear, no list selections, colour clLime. The font entries
// themselves are kept.
inline void ResetToDesignValues(Settings& settings) {
    settings.autoLoad = false;
    settings.welcomeScreen = false;
    settings.useScrollLock = false;
    settings.animateTray = false;
    settings.bold = false;
    settings.italic = false;
    settings.fontIndex = kNoSelection;
    settings.osdSize = kNoSelection;
    settings.barStyle = kNoSelection;
    settings.timeOutIndex = kNoSelection;
    settings.osdColor = kColorLime;
}

}  // namespace keytide
