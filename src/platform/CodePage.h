#pragma once
// The system's ANSI code page, in which ktd.ini keeps its text unless the file
// carries a byte-order mark. The program itself holds text as UTF-8.
#include <optional>
#include <string>
#include <string_view>

namespace keytide::platform {

class CodePage {
public:
    virtual ~CodePage() = default;

    // ANSI text as UTF-8. In the single-byte code pages every byte has a
    // character, so any text converts and comes back unchanged.
    virtual std::string AnsiToUtf8(std::string_view ansi) const = 0;

    // UTF-8 text in the ANSI code page; nothing when a character has no exact
    // counterpart there (a best fit or a question mark would name another file).
    virtual std::optional<std::string> Utf8ToAnsi(std::string_view utf8) const = 0;
};

}  // namespace keytide::platform
