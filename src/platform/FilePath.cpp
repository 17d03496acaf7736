#include "platform/FilePath.h"

#include <algorithm>
#include <cctype>

namespace keytide::platform {

namespace {
constexpr std::string_view kSeparators = "\\/:";
}  // namespace

std::string_view DirectoryOf(std::string_view path) {
    const std::size_t separator = path.find_last_of(kSeparators);
    return separator == std::string_view::npos ? std::string_view{} : path.substr(0, separator + 1);
}

std::string_view FileNameOf(std::string_view path) { return path.substr(DirectoryOf(path).size()); }

bool SamePath(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace keytide::platform
