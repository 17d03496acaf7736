#include "settings/ColorCodec.h"

#include <algorithm>
#include <cstdio>

#include "model/Error.h"
#include "settings/ini/IniText.h"

namespace keytide {

namespace {

constexpr ColorValue System(ColorValue index) { return kSystemColorBase + index; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

const std::array<ColorName, 42> kColorNames = {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clNone", kColorNone},
    // System colours, n as GetSysColor takes it.
    {"clScrollBar", System(0)},
    {"clBackground", System(1)},
    {"clActiveCaption", System(2)},
    {"clInactiveCaption", System(3)},
    {"clMenu", System(4)},
    {"clWindow", System(5)},
    {"clWindowFrame", System(6)},
    {"clMenuText", System(7)},
    {"clWindowText", System(8)},
    {"clCaptionText", System(9)},
    {"clActiveBorder", System(10)},
    {"clInactiveBorder", System(11)},
    {"clAppWorkSpace", System(12)},
    {"clHighlight", System(13)},
    {"clHighlightText", System(14)},
    {"clBtnFace", System(15)},
    {"clBtnShadow", System(16)},
    {"clGrayText", System(17)},
    {"clBtnText", System(18)},
    {"clInactiveCaptionText", System(19)},
    {"clBtnHighlight", System(20)},
    {"cl3DDkShadow", System(21)},
    {"cl3DLight", System(22)},
    {"clInfoText", System(23)},
    {"clInfoBk", System(24)},
}};

std::optional<ColorValue> ColorFromName(std::string_view name) {
    for (const ColorName& entry : kColorNames) {
        if (EqualIgnoringCase(entry.name, name)) return entry.value;
    }
    return std::nullopt;
}

std::string ColorToString(ColorValue color) {
    for (const ColorName& entry : kColorNames) {
        if (entry.value == color) return std::string(entry.name);
    }
    char text[10];
    std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(color));
    return text;
}

ColorValue StringToColor(std::string_view text) {
    if (auto named = ColorFromName(text)) return *named;
    if (auto number = ini::ParseInteger(text)) return static_cast<ColorValue>(*number);
    throw KeytideError(FillTemplate("'%s' is not a valid integer value", text));
}

}  // namespace keytide
