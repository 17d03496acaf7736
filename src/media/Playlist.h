#pragma once
// Entries of a playlist file (the player's own list, one file name a line).
#include <optional>
#include <string>
#include <string_view>

namespace keytide {

// The 1-based entry `number` of a playlist text: blanks and line ends before
// each line are passed over, lines beginning with "#" are comments. Nothing
// when the text holds fewer entries or number is below 1.
std::optional<std::string> PlaylistEntry(std::string_view text, int number);

}  // namespace keytide
