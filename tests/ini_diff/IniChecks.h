#pragma once
// Checks on INI text edits shared by the unit tests, the differential test
// under Wine and the fuzz target: the shape a single write may give a file,
// and a table of writes with their byte-exact results.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace keytide::fakes {

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

// One file of the awkward-file corpus.
struct CorpusFile {
    std::string name;
    std::string text;
};

// Files of every shape the profile functions meet: line ends, missing last
// line ends, duplicates, lines without "=", quotes, long values, letter case,
// blanks, text after "]", keys before the first section, ANSI bytes.
inline std::vector<CorpusFile> AwkwardFiles() {
    const std::string keyBlock =
        "[NumPadKey0]\r\nOSDLabel=Run\r\nFileName=\r\nGoToAdress=\r\nAction=8\r\nSelectedFunction=0\r\n\r\n"
        "[NumPadKey1]\r\nOSDLabel=Mute\r\nFileName=C:\\Program Files\\x.exe\r\nGoToAdress=http://a/?b=c\r\n"
        "Action=12\r\nSelectedFunction=0\r\n\r\n"
        "[Settings]\r\nAutoLoad=1\r\nFontName=Arial\r\nOSDColor=clLime\r\n\r\n"
        "[IsActive]\r\nIsKTDActive=1\r\nIsOSDActive=1\r\n";
    auto withLineEnd = [&](const char* lineEnd) {
        std::string text;
        for (char c : keyBlock) {
            if (c == '\r') continue;
            if (c == '\n') {
                text += lineEnd;
            } else {
                text += c;
            }
        }
        return text;
    };
    return {
        {"crlf", keyBlock},
        {"lf-only", withLineEnd("\n")},
        {"cr-only", withLineEnd("\r")},
        {"missing-last-line-end", "[a]\r\nk=1\r\nlast=end"},
        {"missing-last-line-end-section", "[a]\r\nk=1\r\n[b]"},
        {"empty", ""},
        {"blank-lines-only", "\r\n\r\n  \t\r\n"},
        {"duplicate-sections", "[a]\r\nk=1\r\n[b]\r\nk=b\r\n[A]\r\nk=2\r\nj=3\r\n"},
        {"duplicate-keys", "[a]\r\nk=1\r\nK=2\r\nk=3\r\nj=\r\nJ=4\r\n"},
        {"lines-without-equals",
         "[a]\r\nname3\r\nname1=v1\r\njust some words\r\n[b]\r\nname1=b1\r\nname3\r\nname3=late\r\n"},
        {"comments-and-blanks",
         "; top comment\r\n\r\n[a]\r\n; k=commented\r\nk=1\r\n# hash=2\r\n\r\n   \r\n[b]\r\nk=2\r\n;c=3\r\n"},
        {"quotes",
         "[q]\r\ndouble=\"v\"\r\nsingle='v'\r\nunmatched=\"v\r\nmixed=\"v'\r\nmixed2='v\"\r\nlone=\"\r\n"
         "lonesingle='\r\nempty=\"\"\r\nemptysingle=''\r\ninner=a\"b\"c\r\nspaced= \" v \" \r\ntwo=\"a\" \"b\"\r\n"
         "onlyend=v\"\r\ntriple=\"\"\"\r\nnested=\"'v'\"\r\n"},
        {"long-values",
         "[long]\r\nv1022=" + std::string(1022, 'a') + "\r\nv1023=" + std::string(1023, 'b') +
             "\r\nv1024=" + std::string(1024, 'c') + "\r\nv1500=" + std::string(1000, 'd') + std::string(500, 'e') +
             "\r\nv3000=" + std::string(3000, 'f') + "\r\nspaced1500=   " + std::string(1500, 'g') +
             "   \r\ncutAtBlank=" + std::string(1022, 'h') + " " + std::string(10, 'i') + "\r\nquoted1021=\"" +
             std::string(1021, 'j') + "\"\r\nquoted1022=\"" + std::string(1022, 'k') + "\"\r\nquoted1023=\"" +
             std::string(1023, 'l') + "\"\r\nquoted1024=\"" + std::string(1024, 'm') + "\"\r\nquoted1500='" +
             std::string(1500, 'n') + "'\r\nafter=ok\r\n"},
        {"letter-case",
         "[NumPadKey0]\r\nOSDLABEL=Run\r\n[numpadkey1]\r\nosdlabel=Mute\r\n[nUmPaDkEy2]\r\nOsDlAbEl=Vol-\r\n"},
        {"leading-blanks", "   [a]\r\n\t k1 = v1\r\n  k2\t=\tv2\t\r\n [ b ] \r\nk = spaced value \r\n"},
        {"text-after-bracket", "[a] trailing text\r\nk=1\r\n[b];comment\r\nk=2\r\n[c] [d]\r\nk=3\r\n[e]]\r\nk=4\r\n"},
        {"extra-bracket", "[a]b]\r\nk=1\r\n"},
        {"unclosed-section", "[a]\r\nk=1\r\n[b\r\nj=2\r\n[c=d\r\n"},
        {"keys-before-section", "k=0\r\nj=0\r\n[a]\r\nk=1\r\n"},
        {"empty-values", "[a]\r\nk=\r\nj=   \r\nl=\t\r\n"},
        {"equals-in-value", "[a]\r\nk=a=b=c\r\nurl=http://x/?a=1&b=2\r\n =v\r\nk2 == v\r\n"},
        {"ansi-bytes", "[a]\r\nname=Gr\xFC\xDF" "e\r\n\xC4rger=1\r\nk=caf\xE9\r\n"},
        {"names-with-blanks", "[a b]\r\nmy key=1\r\n[a\tb]\r\nk=2\r\n[  spaced  name ]\r\nk=3\r\n"},
        {"mixed-line-ends", "[a]\r\nk=1\nj=2\rl=3\r\n[b]\nk=4\r"},
        {"value-semicolon", "[a]\r\nk=v ; not a comment\r\nj=;v\r\n"},
        {"blank-sections", "[a]\r\n\r\n\r\n[b]\r\n[c]\r\n\r\n"},
    };
}

}  // namespace keytide::fakes
