#include "settings/ini/IniText.h"

#include <limits>

// How the text is read, following the Windows profile functions:
//
// - Lines end in CR LF, LF or a lone CR. Blanks (space, tab) at either end of
//   a line do not count.
// - A line whose first non-blank character is "[" and that holds a "]" starts
//   a section; the name lies between the "[" and the first "]", blanks around
//   it removed, and anything after the "]" is ignored. A "[" line without "]"
//   is no section line.
// - Any other line holding "=" is a key line: the name is the text before the
//   first "=", the value the text after it, each without surrounding blanks.
//   Lines without "=" (comments, stray words) are not keys. There is no
//   comment syntax: ";name=value" is a key whose name begins with ";".
// - Lines before the first section line belong to no section.
// - Names match whatever their ASCII letter case. Only the first section of a
//   name is looked at, and in it only the first line of a key.
// - A value enclosed in a matching pair of quotes (' or ") loses the pair.
//
// Writing changes at most one key line, or adds lines, and keeps every other
// byte of the text:
//
// - An existing key line keeps everything up to its first "=" and the blanks
//   after it (those only when the new value does not begin with a blank); the
//   rest of the line, the old value, becomes the new value.
// - A new key line goes directly after the last non-blank line of its
//   section, so blank lines that separate the section from the next one stay
//   where they are.
// - A missing section is added with its key at the end of the text.
// - Added lines end like the first line of the text (CR LF, LF or CR); CR LF
//   when the text has no line end yet. A last line without a line end gets one
//   before anything is added after it.

namespace keytide::ini {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool NamesMatch(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

// One line of the text as byte offsets: [begin, end) is its content,
// [end, next) its line end (empty for a last line without one).
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;

    bool HasLineEnd() const { return next > end; }
};

Line LineAt(std::string_view text, std::size_t begin) {
    Line line;
    line.begin = begin;
    std::size_t pos = begin;
    while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') ++pos;
    line.end = pos;
    if (pos < text.size()) {
        ++pos;
        if (text[pos - 1] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    }
    line.next = pos;
    return line;
}

enum class LineKind { Blank, Section, Key, Other };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;   // section or key name
    std::string_view value;  // key lines: the value without surrounding blanks
    std::size_t equalsEnd = 0;   // key lines: offset in the text just after the "="
    std::size_t valueBegin = 0;  // key lines: offset in the text of the value (after the blanks following "=")
};

ParsedLine Parse(std::string_view text, const Line& line) {
    ParsedLine parsed;
    const std::string_view content = text.substr(line.begin, line.end - line.begin);
    const std::string_view trimmed = TrimBlanks(content);
    if (trimmed.empty()) {
        parsed.kind = LineKind::Blank;
        return parsed;
    }
    if (trimmed.front() == '[') {
        if (auto close = trimmed.find(']'); close != std::string_view::npos) {
            parsed.kind = LineKind::Section;
            parsed.name = TrimBlanks(trimmed.substr(1, close - 1));
            return parsed;
        }
    }
    const auto equals = content.find('=');
    if (equals == std::string_view::npos) return parsed;  // LineKind::Other
    parsed.kind = LineKind::Key;
    parsed.name = TrimBlanks(content.substr(0, equals));
    parsed.equalsEnd = line.begin + equals + 1;
    std::size_t valueBegin = equals + 1;
    while (valueBegin < content.size() && IsBlank(content[valueBegin])) ++valueBegin;
    parsed.valueBegin = line.begin + valueBegin;
    parsed.value = TrimBlanks(content.substr(valueBegin));
    return parsed;
}

std::string_view StripEnclosingQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::string CutToMaxLength(std::string_view text) { return std::string(text.substr(0, kMaxValueLength)); }

// The line end of the text's first line; CR LF when it has none.
std::string_view LineEndOf(std::string_view text) {
    const auto pos = text.find_first_of("\r\n");
    if (pos == std::string_view::npos) return "\r\n";
    if (text[pos] == '\n') return "\n";
    if (pos + 1 < text.size() && text[pos + 1] == '\n') return "\r\n";
    return "\r";
}

bool EndsWithLineEnd(std::string_view text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

}  // namespace

std::string ReadString(std::string_view fileText, std::string_view section, std::string_view key,
                       std::string_view defaultValue) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    bool inSection = false;
    bool sectionSeen = false;
    for (std::size_t pos = 0; pos < fileText.size();) {
        const Line line = LineAt(fileText, pos);
        pos = line.next;
        const ParsedLine parsed = Parse(fileText, line);
        if (parsed.kind == LineKind::Section) {
            if (sectionSeen) break;  // a later section of the same name is never looked at
            inSection = NamesMatch(parsed.name, section);
            sectionSeen = inSection;
        } else if (inSection && parsed.kind == LineKind::Key && NamesMatch(parsed.name, key)) {
            return CutToMaxLength(StripEnclosingQuotes(parsed.value));
        }
    }
    // Windows drops trailing blanks from the default as well.
    while (!defaultValue.empty() && IsBlank(defaultValue.back())) defaultValue.remove_suffix(1);
    return CutToMaxLength(defaultValue);
}

std::string WriteString(std::string_view fileText, std::string_view section, std::string_view key,
                        std::string_view value) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    const std::string_view lineEnd = LineEndOf(fileText);

    bool inSection = false;
    bool sectionSeen = false;
    Line lastFilled;  // last non-blank line of the section, its header included
    for (std::size_t pos = 0; pos < fileText.size();) {
        const Line line = LineAt(fileText, pos);
        pos = line.next;
        const ParsedLine parsed = Parse(fileText, line);
        if (parsed.kind == LineKind::Section) {
            if (sectionSeen) break;
            inSection = NamesMatch(parsed.name, section);
            sectionSeen = inSection;
            if (inSection) lastFilled = line;
            continue;
        }
        if (!inSection) continue;
        if (parsed.kind == LineKind::Key && NamesMatch(parsed.name, key)) {
            // Blanks between "=" and the old value stay, unless the new value
            // brings its own: a second identical write must change nothing.
            const std::size_t keepUpTo =
                (!value.empty() && IsBlank(value.front())) ? parsed.equalsEnd : parsed.valueBegin;
            std::string result;
            result.reserve(fileText.size() + value.size());
            result.append(fileText.substr(0, keepUpTo));
            result.append(value);
            result.append(fileText.substr(line.end));
            return result;
        }
        if (parsed.kind != LineKind::Blank) lastFilled = line;
    }

    std::string result;
    result.reserve(fileText.size() + section.size() + key.size() + value.size() + 8);
    if (sectionSeen) {
        // New key line right after the section's last non-blank line.
        const std::size_t insertAt = lastFilled.next;
        result.append(fileText.substr(0, insertAt));
        if (!lastFilled.HasLineEnd()) result.append(lineEnd);
        result.append(key).append("=").append(value);
        // A lone CR right before an LF would merge with it into one line end.
        if (lineEnd == "\r" && insertAt < fileText.size() && fileText[insertAt] == '\n') {
            result.append("\r\n");
        } else {
            result.append(lineEnd);
        }
        result.append(fileText.substr(insertAt));
        return result;
    }

    result.append(fileText);
    if (!fileText.empty() && !EndsWithLineEnd(fileText)) result.append(lineEnd);
    result.append("[").append(section).append("]").append(lineEnd);
    result.append(key).append("=").append(value).append(lineEnd);
    return result;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    // Hexadecimal: "$" followed by digits, or "0x"/"0X" followed by digits.
    // Up to 32 bits are taken and read as a signed 32-bit number, so
    // "$FFFFFFFF" is -1; a larger number is not an integer.
    std::string_view hexDigits;
    bool hex = false;
    if (!text.empty() && text.front() == '$') {
        hex = true;
        hexDigits = text.substr(1);
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        hex = true;
        hexDigits = text.substr(2);
    }
    if (hex) {
        if (hexDigits.empty()) return std::nullopt;
        std::uint64_t number = 0;
        for (char c : hexDigits) {
            int digit;
            if (c >= '0' && c <= '9') {
                digit = c - '0';
            } else if (c >= 'a' && c <= 'f') {
                digit = c - 'a' + 10;
            } else if (c >= 'A' && c <= 'F') {
                digit = c - 'A' + 10;
            } else {
                return std::nullopt;
            }
            number = number * 16 + static_cast<std::uint64_t>(digit);
            if (number > 0xFFFFFFFFu) return std::nullopt;
        }
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
    }

    // Decimal with an optional sign, within the signed 32-bit range.
    bool negative = false;
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) return std::nullopt;
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
        if (number > limit) return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -number : number);
}

}  // namespace keytide::ini
