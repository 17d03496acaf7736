// Colour text of ktd.ini: the name table, case folding on reading, the table
// spelling and "$" form on writing, integers, and the invalid-value message.
#include "settings/ColorCodec.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <vector>

#include "model/Error.h"

namespace keytide {
namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}
std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

TEST(ColorCodecTest, TableHoldsTheFixedColoursAndTheSystemColoursInOrder) {
    const std::map<std::string_view, ColorValue> fixed = {
        {"clBlack", 0x000000},  {"clMaroon", 0x000080},  {"clGreen", 0x008000}, {"clOlive", 0x008080},
        {"clNavy", 0x800000},   {"clPurple", 0x800080},  {"clTeal", 0x808000},  {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},     {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},  {"clWhite", 0xFFFFFF},
        {"clNone", 0x1FFFFFFF}};
    const std::vector<std::string_view> system = {
        "clScrollBar",    "clBackground",     "clActiveCaption", "clInactiveCaption", "clMenu",
        "clWindow",       "clWindowFrame",    "clMenuText",      "clWindowText",      "clCaptionText",
        "clActiveBorder", "clInactiveBorder", "clAppWorkSpace",  "clHighlight",       "clHighlightText",
        "clBtnFace",      "clBtnShadow",      "clGrayText",      "clBtnText",         "clInactiveCaptionText",
        "clBtnHighlight", "cl3DDkShadow",     "cl3DLight",       "clInfoText",        "clInfoBk"};
    ASSERT_EQ(kColorNames.size(), fixed.size() + system.size());

    std::set<ColorValue> values;
    for (const ColorName& entry : kColorNames) {
        EXPECT_TRUE(values.insert(entry.value).second) << entry.name << " shares its value with another name";
    }
    for (const auto& [name, value] : fixed) {
        EXPECT_EQ(ColorFromName(name), value) << name;
    }
    for (std::size_t n = 0; n < system.size(); ++n) {
        EXPECT_EQ(ColorFromName(system[n]), 0x80000000u + n) << system[n];
    }
}

TEST(ColorCodecTest, EveryNameReadsInAnyCaseAndIsWrittenInTheTableSpelling) {
    for (const ColorName& entry : kColorNames) {
        for (const std::string& spelling : {std::string(entry.name), Lower(entry.name), Upper(entry.name)}) {
            EXPECT_EQ(StringToColor(spelling), entry.value) << spelling;
        }
        EXPECT_EQ(ColorToString(entry.value), entry.name);
    }
}

TEST(ColorCodecTest, ValuesWithoutANameAreWrittenAsDollarAndEightUpperCaseDigits) {
    const std::vector<std::pair<ColorValue, std::string>> cases = {
        {0x00FF8000, "$00FF8000"},  // RGB (0, 128, 255)
        {0x00000001, "$00000001"}, {0x00ABCDEF, "$00ABCDEF"},
        {0x80000019, "$80000019"},  // one past the last system colour
        {0xFFFFFFFF, "$FFFFFFFF"}, {0x1FFFFFFE, "$1FFFFFFE"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(ColorToString(value), text);
        EXPECT_EQ(StringToColor(text), value) << text;
    }
}

TEST(ColorCodecTest, IntegersReadInDecimalAndHexadecimal) {
    const std::vector<std::pair<std::string, ColorValue>> cases = {
        {"65280", kColorLime},      {"0", 0x000000},        {"+255", 0x0000FF},
        {"-1", 0xFFFFFFFF},         {"$ff00", kColorLime},  {"$80000005", 0x80000005},
        {"0x00FF8000", 0x00FF8000}, {"16777215", 0xFFFFFF}, {"-2147483648", 0x80000000},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(StringToColor(text), value) << text;
    // A decimal lime comes back as its name.
    EXPECT_EQ(ColorToString(StringToColor("65280")), "clLime");
}

TEST(ColorCodecTest, AnythingElseIsNotAValidIntegerValue) {
    for (const std::string text :
         {"bogus", "", "$", "12abc", "clLimey", " cl Lime", "4294967296", "$100000000", "0x", "lime"}) {
        try {
            StringToColor(text);
            ADD_FAILURE() << "'" << text << "' was accepted";
        } catch (const KeytideError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + text + "' is not a valid integer value");
        }
    }
}

}  // namespace
}  // namespace keytide
