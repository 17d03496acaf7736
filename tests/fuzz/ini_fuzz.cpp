// Fuzzes the INI text engine. The input is "section\0key\0value\0file text";
// missing parts are empty. Any input must be read and written without a
// crash, and a read never returns more than 1023 characters. When the names
// and the value are ones the program could write and read back unchanged, a
// write must be one in-place edit, read back as the value (cut to 1023), and
// a second identical write must give the same text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../ini_diff/IniChecks.h"
#include "settings/ini/IniText.h"

namespace {

std::string_view NextPart(std::string_view& input) {
    const auto end = input.find('\0');
    if (end == std::string_view::npos) {
        const std::string_view part = input;
        input = {};
        return part;
    }
    const std::string_view part = input.substr(0, end);
    input.remove_prefix(end + 1);
    return part;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

bool BlankPadded(std::string_view text) { return !text.empty() && (IsBlank(text.front()) || IsBlank(text.back())); }

// A name the store could use: one line, no "]" or "=", no blanks around it.
bool SaneName(std::string_view name) {
    return !HasLineBreak(name) && !BlankPadded(name) && name.find_first_of("]=") == std::string_view::npos;
}

// A value that reads back as written.
bool ReadsBackUnchanged(std::string_view value) {
    if (BlankPadded(value)) return false;
    return !(value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front());
}

[[noreturn]] void Fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "ini_fuzz: %s %s\n", what, detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view section = NextPart(input);
    const std::string_view key = NextPart(input);
    const std::string_view value = NextPart(input);
    const std::string_view text = input;
    using keytide::ini::kMaxValueLength;

    if (keytide::ini::ReadString(text, section, key, value).size() > kMaxValueLength) Fail("read too long");
    const std::string after = keytide::ini::WriteString(text, section, key, value);

    const bool saneWrite = SaneName(section) && SaneName(key) && (key.empty() || key.front() != '[') &&
                           !HasLineBreak(value);
    if (!saneWrite) return 0;

    if (const std::string problem = keytide::fakes::CheckSingleEdit(text, after); !problem.empty()) {
        Fail("write is no single in-place edit:", problem);
    }
    if (ReadsBackUnchanged(value)) {
        const std::string readBack = keytide::ini::ReadString(after, section, key, "\x01missing");
        if (readBack != value.substr(0, kMaxValueLength)) Fail("value not read back:", readBack);
    }
    if (keytide::ini::WriteString(after, section, key, value) != after) Fail("second identical write changed the text");
    return 0;
}
