// How targets reach the shell: short names by name, long ones never by name.
#include "platform/ShellTarget.h"

#include <gtest/gtest.h>

namespace keytide::platform {
namespace {

TEST(UrlScheme, IsTheLettersBeforeTheColonButNotADrive) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"http://example.com", "http"},   {"HTTPS://x", "HTTPS"},   {"mailto:me@example.com", "mailto"},
        {"svn+ssh://host", "svn+ssh"},    {"C:\\tools\\x.exe", {}}, {"c:relative", {}},
        {"\\\\server\\share", {}},        {"example.com/page", {}}, {"1http://x", {}},
        {"ht tp://x", {}},                {"", {}},
    };
    for (const auto& [target, scheme] : cases) EXPECT_EQ(UrlScheme(target), scheme) << target;
}

TEST(Utf16Length, CountsUnitsNotBytes) {
    EXPECT_EQ(Utf16Length("abc"), 3u);
    EXPECT_EQ(Utf16Length("\xD0\x9F\xE6\xB5\x8B"), 2u);  // Cyrillic, CJK: one unit each
    EXPECT_EQ(Utf16Length("\xF0\x9F\x98\x80"), 2u);      // beyond the basic plane: a surrogate pair
}

TEST(PlanShellOpen, LongNamesNeverReachTheLookupByName) {
    const std::string longUrl = "http://example.com/" + std::string(1004, 'a');
    std::string cyrillic200;  // two bytes, one unit each
    for (int i = 0; i < 200; ++i) cyrillic200 += "\xD0\x9F";
    const std::pair<std::string, std::optional<ShellOpenPlan>> cases[] = {
        {"C:\\tools\\x.exe", ShellOpenPlan{"C:\\tools\\x.exe", ""}},
        {"C:\\" + std::string(256, 'x'), ShellOpenPlan{"C:\\" + std::string(256, 'x'), ""}},  // 259 units
        {"C:\\" + std::string(257, 'x'), std::nullopt},                                         // 260 units
        {cyrillic200, ShellOpenPlan{cyrillic200, ""}},
        {longUrl, ShellOpenPlan{longUrl, "http"}},
        {"MAILTO:" + std::string(300, 'm'), ShellOpenPlan{"MAILTO:" + std::string(300, 'm'), "MAILTO"}},
        {"C:" + std::string(300, 'x'), std::nullopt},  // a drive, no scheme
    };
    for (const auto& [target, plan] : cases) EXPECT_EQ(PlanShellOpen(target), plan) << target.substr(0, 20);
    EXPECT_TRUE(FitsMaxPath(std::string(259, 'p')));
    EXPECT_FALSE(FitsMaxPath(std::string(260, 'p')));
}

}  // namespace
}  // namespace keytide::platform
