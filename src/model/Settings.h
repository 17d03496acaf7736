#pragma once
// The settings in force: what each option means. Every part of the program
// reads a setting here at the moment of use; the settings dialog and ktd.ini's
// [Settings] section each map their own form to and from it.
#include <cstdint>
#include <optional>
#include <string>

namespace keytide {

// A colour value: 0x00BBGGRR for an RGB colour, 0x80000000 + n for system
// colour n, 0x1FFFFFFF for no colour.
using ColorValue = std::uint32_t;
inline constexpr ColorValue kColorLime = 0x0000FF00;

inline constexpr char kDefaultFontName[] = "Arial";

// The label's size: its height is one, two or three fortieths of the screen.
enum class OsdSize { Small, Normal, Large };

// The segments of the volume bar.
enum class BarStyle { Normal, Rounded };

inline constexpr int kLongestTimeOutSeconds = 10;

// The values are those of an empty [Settings] section. A setting without a
// value ("no selection") comes from a file that names none.
struct Settings {
    bool autoLoad = true;
    bool welcomeScreen = true;
    bool useScrollLock = true;  // Scroll Lock switches the program; Num Lock is held while active
    bool animateTray = true;

    std::string fontName = kDefaultFontName;  // the OSD font's face; empty for none
    bool bold = true;
    bool italic = false;
    std::optional<OsdSize> osdSize = OsdSize::Normal;
    ColorValue osdColor = kColorLime;
    std::optional<BarStyle> barStyle = BarStyle::Rounded;
    std::optional<int> timeOutSeconds = 3;  // 1 .. 10

    bool operator==(const Settings&) const = default;
};

}  // namespace keytide
