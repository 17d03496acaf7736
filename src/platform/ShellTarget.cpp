#include "platform/ShellTarget.h"

namespace keytide::platform {

namespace {
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::optional<std::string> UrlScheme(std::string_view target) {
    const auto colon = target.find(':');
    if (colon == std::string_view::npos || colon < 2 || !IsAsciiLetter(target.front())) return std::nullopt;
    for (char c : target.substr(0, colon)) {
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.') return std::nullopt;
    }
    return std::string(target.substr(0, colon));
}

std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80) ++units;  // one unit per character...
        if (c >= 0xF0) ++units;           // ...two beyond the basic plane
    }
    return units;
}

bool FitsMaxPath(std::string_view path) { return Utf16Length(path) < kMaxPathUnits; }

std::optional<ShellOpenPlan> PlanShellOpen(std::string_view target) {
    if (FitsMaxPath(target)) return ShellOpenPlan{std::string(target), {}};
    if (auto scheme = UrlScheme(target)) return ShellOpenPlan{std::string(target), *scheme};
    return std::nullopt;
}

}  // namespace keytide::platform
