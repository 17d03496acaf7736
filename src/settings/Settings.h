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

struct Settings {
    // Check boxes. Until the settings are loaded they hold what a missing
    // [Settings] key gives.
    bool AutoLoadChk = true;
    bool WelcomeScrChk = true;
    bool UseScrollLockChk = true;
    bool AnimateSystrayChk = true;
    bool BoldChk = true;
    bool ItalicChk = false;

    // FontListBox: the installed screen fonts and the selected entry (-1: none).
    std::vector<std::string> FontListBox;
    int FontIndex = -1;

    // Drop-down list indices, -1 for no selection.
    int SizeListBox = 1;              // 0 "Small", 1 "Normal", 2 "Large"
    int ProgressBarStyleListBox = 1;  // 0 "Normal", 1 "Rounded"
    int TimeOutListBox = 2;           // 0..9 for "1".."10" seconds

    ColorValue ColorPanel = kColorLime;

    // The selected font's face name, empty without a selection.
    std::string FontName() const {
        return FontIndex >= 0 && FontIndex < static_cast<int>(FontListBox.size())
                   ? FontListBox[static_cast<std::size_t>(FontIndex)]
                   : std::string();
    }
};

}  // namespace keytide
