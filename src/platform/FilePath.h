#pragma once
// Paths as the program takes them apart: "\", "/" and a drive's ":" all end
// a folder name.
#include <string_view>

namespace keytide::platform {

// Everything up to and including the last separator; "" for a bare name.
std::string_view DirectoryOf(std::string_view path);

// What follows the last separator.
std::string_view FileNameOf(std::string_view path);

// Whether two paths name the same file as Windows compares them: without
// letter case (ASCII letters; others must match exactly).
bool SamePath(std::string_view a, std::string_view b);

}  // namespace keytide::platform
