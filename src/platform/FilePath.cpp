#include "platform/FilePath.h"

namespace keytide::platform {

namespace {
constexpr std::string_view kSeparators = "\\/:";
}  // namespace

std::string_view DirectoryOf(std::string_view path) {
    const std::size_t separator = path.find_last_of(kSeparators);
    return separator == std::string_view::npos ? std::string_view{} : path.substr(0, separator + 1);
}

std::string_view FileNameOf(std::string_view path) { return path.substr(DirectoryOf(path).size()); }

}  // namespace keytide::platform
