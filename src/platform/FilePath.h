#pragma once
// Paths as the program takes them apart: "\", "/" and a drive's ":" all end
// a folder name.
#include <string_view>

namespace keytide::platform {

// Everything up to and including the last separator; "" for a bare name.
std::string_view DirectoryOf(std::string_view path);

// What follows the last separator.
std::string_view FileNameOf(std::string_view path);

}  // namespace keytide::platform
