#pragma once
// The Windows profile-string semantics on the text of one INI file, without
// any file access: reading a value and producing the text after a write.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace keytide::ini {

// Longest value a read returns; a longer value is cut after this many characters.
inline constexpr std::size_t kMaxValueLength = 1023;

// The value of key in section (names matched whatever their letter case),
// blanks around it and one pair of enclosing quotes removed, at most
// kMaxValueLength characters; defaultValue when the section or key is missing.
std::string ReadString(std::string_view fileText, std::string_view section, std::string_view key,
                       std::string_view defaultValue);

// The file text after writing key=value into section: the key's line replaced
// where it stands, or added at the end of its section, or the section added at
// the end of the file; every other line kept byte for byte.
std::string WriteString(std::string_view fileText, std::string_view section, std::string_view key,
                        std::string_view value);

// An integer as the settings and key sections store it: decimal with an
// optional sign, "0x"/"0X" (value longer than two characters) or "$" for
// hexadecimal; nothing for an empty value, trailing characters or anything else.
std::optional<std::int32_t> ParseInteger(std::string_view text);

}  // namespace keytide::ini
