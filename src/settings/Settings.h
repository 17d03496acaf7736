#pragma once
// The settings in force. The settings dialog's controls show exactly these
// fields; every part of the program reads a setting here at the moment of use.
#include <cstdint>
#include <string>
#include <vector>

namespace keytide {

struct Settings {
    // Check boxes. Until the settings are loaded they hold what a missing
    // [Settings] key gives.
    bool AutoLoadChk = true;
    bool WelcomeScrChk = true;
    bool UseScrollLockChk = true;
    bool AnimateSystrayChk = true;
};

}  // namespace keytide
