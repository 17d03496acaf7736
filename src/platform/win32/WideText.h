#pragma once
// The program's UTF-8 text at the edge to the wide-character functions.
#include <string>
#include <string_view>

namespace keytide::win32 {

// UTF-16 of UTF-8 text; invalid bytes become U+FFFD.
std::wstring Widen(std::string_view utf8);

// UTF-8 of UTF-16 text; unpaired surrogates become U+FFFD.
std::string Narrow(std::wstring_view utf16);

}  // namespace keytide::win32
