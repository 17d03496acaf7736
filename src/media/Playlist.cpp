#include "media/Playlist.h"

namespace keytide {

namespace {
bool IsBlankOrLineEnd(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
}  // namespace

std::optional<std::string> PlaylistEntry(std::string_view text, int number) {
    if (number < 1) return std::nullopt;
    std::size_t position = 0;
    int counted = 0;
    while (true) {
        while (position < text.size() && IsBlankOrLineEnd(text[position])) ++position;
        if (position == text.size()) return std::nullopt;

        const std::size_t lineStart = position;
        while (position < text.size() && !IsLineEnd(text[position])) ++position;
        const std::string_view line = text.substr(lineStart, position - lineStart);
        if (line.front() != '#' && ++counted == number) return std::string(line);
    }
}

}  // namespace keytide
