#pragma once
// Colour text in ktd.ini: a name from the colour-name table, or "$" and eight
// hexadecimal digits, or any integer.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/Settings.h"

namespace keytide {

struct ColorName {
    std::string_view name;
    ColorValue value;
};

inline constexpr ColorValue kColorNone = 0x1FFFFFFF;
inline constexpr ColorValue kSystemColorBase = 0x80000000;

// The 42 named colours: 17 fixed ones, then system colours 0 to 24.
extern const std::array<ColorName, 42> kColorNames;

// The value of a table name, matched without regard to case.
std::optional<ColorValue> ColorFromName(std::string_view name);

// The table name in its own spelling, or "$" and eight upper-case hex digits.
std::string ColorToString(ColorValue color);

// A table name, or an integer (decimal, "$" or "0x" hexadecimal). Throws
// KeytideError "'<text>' is not a valid integer value" for anything else.
ColorValue StringToColor(std::string_view text);

}  // namespace keytide
