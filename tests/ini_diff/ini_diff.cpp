// Differential test of the INI engine against the system's own profile
// functions (GetPrivateProfileStringA), run on Windows or under Wine.
//
// Reads: every file of the corpus below is queried for each pair of the
// section and key names found in it (and the same names in other letter
// cases, and missing ones); our ReadString must give what
// GetPrivateProfileStringA gives with a buffer of 1024 characters, and what it
// gives with 4096 characters cut after the 1023rd.
//
// Writes: Wine rewrites a whole file on every write (dropping blank lines and
// comments' places, normalising "key = value"), so its files are not compared
// with ours. Our writes are checked against the in-place rules instead: the
// byte-exact cases of IniChecks.h, one edit per write with every other line
// kept, ten identical writes giving one text, and then the system's reader
// must find the written value in our file and every other value unchanged.
//
// Files with a byte-order mark: every corpus file also as UTF-8 with its mark
// and as UTF-16LE with its mark (as Notepad saves them), and a file of
// Cyrillic, CJK and emoji values. The program reads them through its document
// (IniDocument) as UTF-8; the system's reader here is GetPrivateProfileStringW,
// whose answer is compared in UTF-8. Our writes into them must keep the mark
// and the encoding, and the system's reader must find the written value.
//
// The ANSI code page: every byte converts to UTF-8 and back unchanged (in a
// single-byte code page), and a character it lacks is reported as such.
//
// Prints one line per failed comparison and ends with
// "ini-diff: N passed, M failed"; the exit code is 1 when anything failed.
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "ini_diff/IniChecks.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32CodePage.h"
#include "settings/ini/IniDocument.h"
#include "settings/ini/IniText.h"

namespace {

using keytide::ini::kMaxValueLength;

// Places where Wine's profile functions are known to differ from Windows'.
// The engine follows Windows; a comparison in one of these places counts as
// passed whatever Wine answers. Each place is a corpus file (or a byte-exact
// write case, "write: <name>"), a section and a key (nullptr: any key) and a
// buffer size (0: any). A place that no longer differs is reported, so that
// the list stays short.
const char* const kLastBracket =
    "Wine ends a section name at the last \"]\" of its line, Windows at the first: on Windows \"[a]b]\" "
    "names section \"a\" and \"[c] [d]\" section \"c\"";
const char* const kValuelessLine =
    "Wine keeps a line without \"=\" as a key without a value and stops at it when looking a key up; on Windows "
    "such a line is no key at all (Wine's own test: \"name2 is a key while name3 is not\"), so a later "
    "\"name3=...\" line is the key";
const char* const kQuoteCut =
    "Wine copies a quoted value into the caller's buffer before it removes the closing quote; when the text "
    "inside the quotes is exactly as long as the buffer holds (1023) it removes the last real character instead";

struct WineDifference {
    const char* id;
    const char* reason;
    const char* file;
    const char* section;  // compared whatever the letter case
    const char* key;      // nullptr: any key
    DWORD buffer;         // 0: any buffer size
    int hits = 0;
};

WineDifference gWineDifferences[] = {
    {"wine-last-bracket", kLastBracket, "extra-bracket", "a", nullptr, 0},
    {"wine-last-bracket", kLastBracket, "text-after-bracket", "c", nullptr, 0},
    {"wine-last-bracket", kLastBracket, "text-after-bracket", "e", nullptr, 0},
    {"wine-last-bracket", kLastBracket, "write: ends a section name at its first \"]\"", "a", "k", 0},
    {"wine-valueless-line-is-key", kValuelessLine, "lines-without-equals", "a", "name3", 0},
    {"wine-valueless-line-is-key", kValuelessLine, "lines-without-equals", "a", "just some words", 0},
    {"wine-valueless-line-is-key", kValuelessLine, "lines-without-equals", "b", "name3", 0},
    {"wine-valueless-line-is-key", kValuelessLine, "write: does not take a line without \"=\" for the key", "a",
     "k", 0},
    {"wine-quote-cut", kQuoteCut, "long-values", "long", "quoted1023", 1024},
};

// Letter case as the engine folds it: ASCII letters only.
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

WineDifference* KnownDifference(std::string_view file, std::string_view section, std::string_view key,
                                DWORD buffer) {
    // The Unicode forms of a corpus file differ where the file itself does.
    for (std::string_view encoding : {"utf8:", "utf16:"}) {
        if (file.starts_with(encoding)) file.remove_prefix(encoding.size());
    }
    for (WineDifference& d : gWineDifferences) {
        if (file == d.file && SameName(section, d.section) && (d.key == nullptr || SameName(key, d.key)) &&
            (d.buffer == 0 || d.buffer == buffer)) {
            return &d;
        }
    }
    return nullptr;
}

int gPassed = 0;
int gFailed = 0;

std::string Shown(std::string_view text) {
    std::string shown;
    for (unsigned char c : text.substr(0, 60)) {
        if (c == '\r') {
            shown += "\\r";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (c < 0x20 || c >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            shown += hex;
        } else {
            shown += static_cast<char>(c);
        }
    }
    if (text.size() > 60) shown += "...(" + std::to_string(text.size()) + " chars)";
    return "\"" + shown + "\"";
}

void Check(bool ok, const std::string& what) {
    if (ok) {
        ++gPassed;
    } else {
        ++gFailed;
        std::printf("FAIL %s\n", what.c_str());
    }
}

// A comparison with the system's answer, subject to the known differences.
void Compare(const std::string& file, std::string_view section, std::string_view key, DWORD buffer,
             const std::string& ours, const std::string& system, const char* what) {
    if (ours == system) {
        ++gPassed;
        return;
    }
    if (WineDifference* known = KnownDifference(file, section, key, buffer)) {
        ++known->hits;
        ++gPassed;
        return;
    }
    Check(false, file + " [" + std::string(section) + "] " + std::string(key) + " (" + what + ", buffer " +
                     std::to_string(buffer) + "): ours " + Shown(ours) + ", system " + Shown(system));
}

class TempFiles {
public:
    TempFiles() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "keytide-ini-diff-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(dir_.c_str(), nullptr);
    }
    ~TempFiles() {
        for (const std::string& path : paths_) DeleteFileA(path.c_str());
        RemoveDirectoryA(dir_.c_str());
    }

    // A new file with exactly these bytes; every call gets a new name so that
    // no cached copy of an earlier file can answer.
    std::string Create(std::string_view bytes) {
        std::string path = dir_ + "f" + std::to_string(paths_.size()) + ".ini";
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        DWORD written = 0;
        if (file == INVALID_HANDLE_VALUE ||
            !WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size()) {
            std::printf("FAIL cannot write %s\n", path.c_str());
            ++gFailed;
        }
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        paths_.push_back(path);
        return path;
    }

private:
    std::string dir_;
    std::vector<std::string> paths_;
};

std::string SystemRead(const std::string& path, const std::string& section, const std::string& key, DWORD buffer) {
    std::string out(buffer, '\0');
    const DWORD length =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), "DEF", out.data(), buffer, path.c_str());
    out.resize(length);
    return out;
}

std::string OurRead(std::string_view text, const std::string& section, const std::string& key) {
    return keytide::ini::ReadString(text, section, key, "DEF");
}

using keytide::fakes::AwkwardFiles;
using keytide::fakes::CorpusFile;

std::string Repeat(std::size_t count, char c) { return std::string(count, c); }

void AddName(std::vector<std::string>& names, std::string name) {
    if (name.empty() || name.size() > 64) return;
    if (name.find_first_of("[]=\r\n") != std::string::npos) return;
    if (name.front() == ' ' || name.front() == '\t' || name.back() == ' ' || name.back() == '\t') return;
    for (const std::string& known : names) {
        if (known == name) return;
    }
    names.push_back(std::move(name));
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The section and key names of a text, found loosely, and each also in
// capitals and in small letters (ASCII letters only: the engine does not fold
// other letters); plus names that are nowhere.
void NamesIn(std::string_view text, std::vector<std::string>& sections, std::vector<std::string>& keys) {
    for (std::string_view line : keytide::fakes::SplitLinesKeepingEnds(text)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
        const std::string_view trimmed = Trimmed(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            const auto close = trimmed.find(']');
            if (close != std::string_view::npos) AddName(sections, std::string(Trimmed(trimmed.substr(1, close - 1))));
            continue;
        }
        const auto equals = line.find('=');
        AddName(keys, std::string(Trimmed(equals == std::string_view::npos ? line : line.substr(0, equals))));
    }
    for (auto* names : {&sections, &keys}) {
        const std::size_t count = names->size();
        for (std::size_t i = 0; i < count; ++i) {
            std::string upper = (*names)[i];
            std::string lower = (*names)[i];
            for (char& c : upper) c = AsciiUpper(c);
            for (char& c : lower) c = AsciiLower(c);
            AddName(*names, upper);
            AddName(*names, lower);
        }
    }
    AddName(sections, "Missing");
    AddName(keys, "Missing");
}

struct Query {
    std::string section;
    std::string key;
};

std::vector<Query> QueriesFor(std::string_view text) {
    std::vector<std::string> sections;
    std::vector<std::string> keys;
    NamesIn(text, sections, keys);
    std::vector<Query> queries;
    for (const std::string& section : sections) {
        for (const std::string& key : keys) queries.push_back({section, key});
    }
    return queries;
}

void CompareReads(TempFiles& temp, const CorpusFile& file) {
    const std::string path = temp.Create(file.text);
    for (const Query& q : QueriesFor(file.text)) {
        const std::string ours = OurRead(file.text, q.section, q.key);
        Compare(file.name, q.section, q.key, 1024, ours, SystemRead(path, q.section, q.key, 1024), "read");
        Compare(file.name, q.section, q.key, 4096, ours,
                SystemRead(path, q.section, q.key, 4096).substr(0, kMaxValueLength), "read");
    }
}

// Our write, checked by the rules and then by the system's reader.
void CheckWrite(TempFiles& temp, const std::string& label, const std::string& before, const std::string& section,
                const std::string& key, const std::string& value, const std::vector<Query>& otherQueries) {
    const std::string after = keytide::ini::WriteString(before, section, key, value);
    const std::string where = label + " [" + section + "] " + key + "=" + Shown(value);

    const std::string shape = keytide::fakes::CheckSingleEdit(before, after);
    Check(shape.empty(), where + ": " + shape);
    std::string again = after;
    for (int save = 0; save < 9; ++save) again = keytide::ini::WriteString(again, section, key, value);
    Check(again == after, where + ": ten identical writes do not give one text");

    const std::string beforePath = temp.Create(before);
    const std::string afterPath = temp.Create(after);
    Compare(label, section, key, 1024, value.substr(0, kMaxValueLength), SystemRead(afterPath, section, key, 1024),
            "system reads our written value");
    for (const Query& q : otherQueries) {
        if (SameName(q.section, section) && SameName(q.key, key)) continue;
        Compare(label, q.section, q.key, 1024, SystemRead(beforePath, q.section, q.key, 1024),
                SystemRead(afterPath, q.section, q.key, 1024), "other value unchanged by our write");
    }
}

void CheckWrites(TempFiles& temp, const CorpusFile& file) {
    std::vector<std::string> sections;
    std::vector<std::string> keys;
    NamesIn(file.text, sections, keys);
    const std::vector<Query> queries = QueriesFor(file.text);
    int number = 0;
    // Each original section (capitals and small letters left out) with each
    // key; the lists end with "Missing", which adds a key or a section.
    const std::size_t sectionCount = sections.size() < 6 ? sections.size() : 6;
    for (std::size_t s = 0; s < sectionCount; ++s) {
        for (std::size_t k = 0; k < keys.size() && k < 8; ++k) {
            CheckWrite(temp, file.name, file.text, sections[s], keys[k], "new value " + std::to_string(++number),
                       queries);
        }
    }
    CheckWrite(temp, file.name, file.text, sections.front(), keys.front(), "", queries);
    CheckWrite(temp, file.name, file.text, sections.front(), keys.front(), Repeat(1023, 'w'), queries);
    CheckWrite(temp, file.name, file.text, "NumPadKey0", "OSDLabel", "Calc", queries);
}

void CheckByteExactWrites(TempFiles& temp) {
    for (const keytide::fakes::WriteCase& c : keytide::fakes::ByteExactWriteCases()) {
        const std::string after = keytide::ini::WriteString(c.before, c.section, c.key, c.value);
        Check(after == c.expected, std::string("write: ") + c.name + ": got " + Shown(after) + ", expected " +
                                       Shown(c.expected));
        const bool blankPadded = !c.value.empty() && (c.value.front() == ' ' || c.value.back() == ' ');
        if (blankPadded) continue;
        const std::string path = temp.Create(c.expected);
        Compare(std::string("write: ") + c.name, c.section, c.key, 1024, c.value.substr(0, kMaxValueLength),
                SystemRead(path, c.section, c.key, 1024), "system reads the expected file");
    }
}


// --- files with a byte-order mark

using keytide::ini::IniDocument;
using keytide::win32::Narrow;
using keytide::win32::Widen;

const keytide::win32::Win32CodePage gCodePage;

std::string SystemReadWide(const std::string& path, const std::string& section, const std::string& key,
                           DWORD buffer) {
    std::wstring out(buffer, L'\0');
    const DWORD length = GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), L"DEF", out.data(),
                                                  buffer, Widen(path).c_str());
    out.resize(length);
    return Narrow(out);
}

std::string Utf16LeFile(std::string_view utf8) {
    const std::wstring text = Widen(utf8);
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

struct MarkedFile {
    std::string label;
    std::string bytes;
    std::string text;  // the UTF-8 text the queries come from
};

std::vector<MarkedFile> MarkedFiles() {
    std::vector<MarkedFile> files;
    std::vector<CorpusFile> corpus = AwkwardFiles();
    // Values the ANSI code page of most systems lacks; names stay ASCII (the
    // program's names are, and Windows folds other letters in names too).
    corpus.push_back({"unicode-values",
                      "[NumPadKey0]\r\nOSDLabel=\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA\r\n"
                      "FileName=C:\\\xE6\xB5\x8B\xE8\xAF\x95\\\xF0\x9F\x98\x80.exe\r\n"
                      "GoToAdress=\"\xCE\xB1\xCE\xB2\xCE\xB3\"\r\n\r\n"
                      "[Settings]\r\nFontName=\xEF\xBC\xAD\xEF\xBC\xB3 Gothic\r\n"});
    for (const CorpusFile& file : corpus) {
        if (file.name == "ansi-bytes") continue;  // not UTF-8 text
        files.push_back({"utf8:" + file.name, "\xEF\xBB\xBF" + file.text, file.text});
        files.push_back({"utf16:" + file.name, Utf16LeFile(file.text), file.text});
    }
    return files;
}

void CompareMarkedReads(TempFiles& temp, const MarkedFile& file) {
    const std::string path = temp.Create(file.bytes);
    const IniDocument document = IniDocument::FromBytes(file.bytes, gCodePage);
    for (const Query& q : QueriesFor(file.text)) {
        const std::string ours = document.ReadString(q.section, q.key, "DEF");
        Compare(file.label, q.section, q.key, 1024, ours, SystemReadWide(path, q.section, q.key, 1024), "read");
    }
}

void CheckMarkedWrites(TempFiles& temp, const MarkedFile& file) {
    const std::vector<Query> queries = QueriesFor(file.text);
    const std::string beforePath = temp.Create(file.bytes);
    const std::string values[] = {"\xD0\x9D\xD0\xBE\xD0\xB2\xD1\x8B\xD0\xB9 \xE6\x96\xB0", "plain", ""};
    int number = 0;
    for (const Query& target : {queries.front(), Query{"NumPadKey0", "OSDLabel"}, Query{"Missing", "Missing"}}) {
        const std::string& value = values[number++ % 3];
        IniDocument document = IniDocument::FromBytes(file.bytes, gCodePage);
        const std::string where = file.label + " [" + target.section + "] " + target.key + "=" + Shown(value);
        Check(document.WriteString(target.section, target.key, value), where + ": a Unicode file refused a value");
        const std::string after = document.ToBytes();
        Check(after.substr(0, 2) == file.bytes.substr(0, 2), where + ": the mark is gone");
        Check(keytide::fakes::CheckSingleEdit(file.text, keytide::ini::DecodeFileText(after).text).empty(),
              where + ": more than one edit");
        const std::string afterPath = temp.Create(after);
        Compare(file.label, target.section, target.key, 1024, value, SystemReadWide(afterPath, target.section,
                                                                                    target.key, 1024),
                "system reads our written value");
        for (const Query& q : queries) {
            if (SameName(q.section, target.section) && SameName(q.key, target.key)) continue;
            Compare(file.label, q.section, q.key, 1024, SystemReadWide(beforePath, q.section, q.key, 1024),
                    SystemReadWide(afterPath, q.section, q.key, 1024), "other value unchanged by our write");
        }
    }
}

void CheckCodePage() {
    const UINT codePage = GetACP();
    std::printf("ANSI code page %u\n", codePage);
    CPINFO info{};
    if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize != 1) {
        std::printf("  (not a single-byte code page: the byte round trip is not checked)\n");
        return;
    }
    std::string every;
    for (int byte = 0; byte < 256; ++byte) every += static_cast<char>(byte);
    const std::string utf8 = gCodePage.AnsiToUtf8(every);
    Check(gCodePage.Utf8ToAnsi(utf8) == every, "code page: not every byte converts to UTF-8 and back unchanged");
    // Cyrillic, CJK and an emoji: no single-byte code page holds all three.
    Check(!gCodePage.Utf8ToAnsi("\xD0\x9F\xE6\xB5\x8B\xF0\x9F\x98\x80").has_value(),
          "code page: characters it lacks were converted (to question marks?)");
    Check(gCodePage.Utf8ToAnsi("plain ASCII") == std::string("plain ASCII"), "code page: ASCII changed");
}

}  // namespace

int main() {
    TempFiles temp;
    for (const CorpusFile& file : AwkwardFiles()) CompareReads(temp, file);
    for (const CorpusFile& file : AwkwardFiles()) CheckWrites(temp, file);
    for (const MarkedFile& file : MarkedFiles()) CompareMarkedReads(temp, file);
    for (const MarkedFile& file : MarkedFiles()) CheckMarkedWrites(temp, file);
    CheckCodePage();
    CheckByteExactWrites(temp);

    const char* lastReason = nullptr;
    for (const WineDifference& d : gWineDifferences) {
        if (d.reason != lastReason) std::printf("known Wine difference %s: %s\n", d.id, d.reason);
        lastReason = d.reason;
        std::printf("  %s [%s] %s: %s\n", d.file, d.section, d.key ? d.key : "(any key)",
                    d.hits > 0 ? (std::to_string(d.hits) + " comparison(s) differ").c_str()
                               : "no longer differs (note)");
    }
    std::printf("ini-diff: %d passed, %d failed\n", gPassed, gFailed);
    return gFailed == 0 ? 0 : 1;
}
