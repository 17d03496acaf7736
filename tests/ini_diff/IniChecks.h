#pragma once
// Checks on INI text edits shared by the unit tests, the differential test
// under Wine and the fuzz target: the shape a single write may give a file,
// and a table of writes with their byte-exact results.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace keytide::testing {

// The lines of a text, each with its own line end (CR LF, LF or a lone CR);
// the last one may have none.
inline std::vector<std::string_view> SplitLinesKeepingEnds(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t pos = begin;
        while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') ++pos;
        if (pos < text.size()) {
            if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
            ++pos;
        }
        lines.push_back(text.substr(begin, pos - begin));
        begin = pos;
    }
    return lines;
}

inline bool IsLineEnd(std::string_view text) { return text == "\r\n" || text == "\n" || text == "\r"; }

// Empty when `after` differs from `before` the way one write may change a
// file: nothing changed; or one key line changed behind its "=" and nothing
// else; or one or two lines inserted (a key line, or a section line and a key
// line), where an unterminated last line may have gained a line end. Every
// other line must be kept byte for byte. Otherwise a description of what is
// wrong.
inline std::string CheckSingleEdit(std::string_view before, std::string_view after) {
    const auto oldLines = SplitLinesKeepingEnds(before);
    const auto newLines = SplitLinesKeepingEnds(after);
    std::size_t prefix = 0;
    while (prefix < oldLines.size() && prefix < newLines.size() && oldLines[prefix] == newLines[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < oldLines.size() - prefix && suffix < newLines.size() - prefix &&
           oldLines[oldLines.size() - 1 - suffix] == newLines[newLines.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::size_t removed = oldLines.size() - prefix - suffix;
    const std::size_t added = newLines.size() - prefix - suffix;
    if (removed == 0 && added <= 2) return {};
    if (removed == 1 && added == 1) {
        const std::string_view oldLine = oldLines[prefix];
        const std::string_view newLine = newLines[prefix];
        const auto equals = oldLine.find('=');
        if (equals == std::string_view::npos) return "a line without \"=\" was changed";
        if (newLine.substr(0, equals + 1) != oldLine.substr(0, equals + 1)) {
            return "a changed line differs before its \"=\"";
        }
        auto lineEndOf = [](std::string_view line) {
            std::size_t content = line.size();
            while (content > 0 && (line[content - 1] == '\r' || line[content - 1] == '\n')) --content;
            return line.substr(content);
        };
        if (lineEndOf(oldLine) != lineEndOf(newLine)) return "a changed line has another line end";
        return {};
    }
    if (removed == 1 && added >= 2 && added <= 3 && prefix + 1 == oldLines.size()) {
        // The last line had no line end and new lines follow it now.
        const std::string_view oldLast = oldLines[prefix];
        const std::string_view newLast = newLines[prefix];
        if (newLast.substr(0, oldLast.size()) == oldLast && IsLineEnd(newLast.substr(oldLast.size()))) return {};
        return "the unterminated last line was changed";
    }
    return "expected one changed key line or up to two added lines, found " + std::to_string(removed) +
           " line(s) replaced by " + std::to_string(added);
}

// One write with the exact text it must give.
struct WriteCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    std::string value;
    std::string expected;
};

inline std::vector<WriteCase> ByteExactWriteCases() {
    return {
        {"replaces the value in place", "[a]\r\nx=1\r\nk=old\r\ny=2\r\n", "a", "k", "new",
         "[a]\r\nx=1\r\nk=new\r\ny=2\r\n"},
        {"keeps the key's own spelling and blanks before the value", "[A]\r\n  Key = \"old\"  \r\n", "a", "KEY", "v",
         "[A]\r\n  Key = v\r\n"},
        {"writes an empty value", "[a]\r\nk=old\r\n", "a", "k", "", "[a]\r\nk=\r\n"},
        {"lets a value with leading blanks replace the blanks after the equals sign", "[a]\r\nk =  old\r\n", "a",
         "k", " v", "[a]\r\nk = v\r\n"},
        {"adds a key before the blank lines ending its section", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n", "a", "k", "v",
         "[a]\r\nx=1\r\nk=v\r\n\r\n[b]\r\ny=2\r\n"},
        {"counts blank-only lines as blank", "[a]\r\nx=1\r\n \t \r\n[b]\r\n", "a", "k", "v",
         "[a]\r\nx=1\r\nk=v\r\n \t \r\n[b]\r\n"},
        {"adds a key after a comment at the end of its section", "[a]\r\nx=1\r\n; note\r\n\r\n[b]\r\n", "a", "k", "v",
         "[a]\r\nx=1\r\n; note\r\nk=v\r\n\r\n[b]\r\n"},
        {"adds a key to an empty section", "[a]\r\n\r\n[b]\r\n", "a", "k", "v", "[a]\r\nk=v\r\n\r\n[b]\r\n"},
        {"adds a key at the end of the last section", "[a]\r\nx=1\r\n", "a", "k", "v", "[a]\r\nx=1\r\nk=v\r\n"},
        {"appends a missing section at the end", "[a]\r\nx=1\r\n\r\n", "b", "k", "v",
         "[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n"},
        {"creates the text of an empty file", "", "NumPadKey0", "OSDLabel", "Run", "[NumPadKey0]\r\nOSDLabel=Run\r\n"},
        {"ends an unterminated last line before a new section", "[a]\r\nx=1", "b", "k", "v",
         "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        {"ends an unterminated last line before a new key", "[a]\r\nx=1", "a", "k", "v", "[a]\r\nx=1\r\nk=v\r\n"},
        {"ends an unterminated section line before a new key", "[a]", "a", "k", "v", "[a]\r\nk=v\r\n"},
        {"replaces an unterminated last line without adding a line end", "[a]\r\nk=1", "a", "k", "2", "[a]\r\nk=2"},
        {"keeps LF line ends", "[a]\nx=1\n\n[b]\n", "a", "k", "v", "[a]\nx=1\nk=v\n\n[b]\n"},
        {"appends a section with LF line ends", "[a]\nx=1\n", "c", "k", "v", "[a]\nx=1\n[c]\nk=v\n"},
        {"keeps CR line ends", "[a]\rx=1\r", "a", "k", "v", "[a]\rx=1\rk=v\r"},
        {"uses the first line's line end in a mixed file", "[a]\nx=1\r\n", "a", "k", "v", "[a]\nx=1\r\nk=v\n"},
        {"keeps a lone CR from merging with a following LF", "[a]\rk=1\n\n[b]\r", "a", "j", "2",
         "[a]\rk=1\nj=2\r\n\n[b]\r"},
        {"keeps other lines' own line ends when replacing", "[a]\r\nx=1\ny=2\r\n", "a", "x", "3",
         "[a]\r\nx=3\ny=2\r\n"},
        {"writes into the first of two sections of one name", "[a]\r\nx=1\r\n[b]\r\n[A]\r\nk=old\r\n", "a", "k", "new",
         "[a]\r\nx=1\r\nk=new\r\n[b]\r\n[A]\r\nk=old\r\n"},
        {"replaces the first of two lines of one key", "[a]\r\nk=1\r\nK=2\r\n", "a", "k", "3", "[a]\r\nk=3\r\nK=2\r\n"},
        {"does not take a line without \"=\" for the key", "[a]\r\nk\r\n", "a", "k", "v", "[a]\r\nk\r\nk=v\r\n"},
        {"leaves keys before the first section alone", "k=0\r\n[a]\r\n", "a", "k", "v", "k=0\r\n[a]\r\nk=v\r\n"},
        {"matches a section line with text after its \"]\"", "[NumPadKey1] ; slot 1\r\nosdlabel=Mute\r\n",
         "NumPadKey1", "OSDLabel", "Vol+", "[NumPadKey1] ; slot 1\r\nosdlabel=Vol+\r\n"},
        {"ends a section name at its first \"]\"", "[a]b]\r\nk=1\r\n", "a", "k", "2", "[a]b]\r\nk=2\r\n"},
        {"does not take a \"[\" line without \"]\" for a section", "[a\r\nk=1\r\n", "a", "k", "v",
         "[a\r\nk=1\r\n[a]\r\nk=v\r\n"},
        {"matches a section name written with blanks inside its brackets", "[ a ]\r\nk=1\r\n", "a", "k", "2",
         "[ a ]\r\nk=2\r\n"},
        {"keeps a 1023-character value written back", "[a]\r\nk=" + std::string(1500, 'x') + "\r\n", "a", "k",
         std::string(1023, 'x'), "[a]\r\nk=" + std::string(1023, 'x') + "\r\n"},
    };
}

}  // namespace keytide::testing
