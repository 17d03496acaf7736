#pragma once
// An ANSI code page for unit tests: Latin-1, whose 256 bytes are the first 256
// Unicode characters. Anything beyond U+00FF (Cyrillic, CJK) has no place in it.
#include "platform/CodePage.h"

namespace keytide::fakes {

class Latin1CodePage : public platform::CodePage {
public:
    std::string AnsiToUtf8(std::string_view ansi) const override {
        std::string utf8;
        for (unsigned char c : ansi) {
            if (c < 0x80) {
                utf8 += static_cast<char>(c);
            } else {
                utf8 += static_cast<char>(0xC0 | (c >> 6));
                utf8 += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return utf8;
    }

    std::optional<std::string> Utf8ToAnsi(std::string_view utf8) const override {
        std::string ansi;
        for (std::size_t at = 0; at < utf8.size(); ++at) {
            const auto c = static_cast<unsigned char>(utf8[at]);
            if (c < 0x80) {
                ansi += static_cast<char>(c);
            } else if ((c == 0xC2 || c == 0xC3) && at + 1 < utf8.size() &&
                       (static_cast<unsigned char>(utf8[at + 1]) & 0xC0) == 0x80) {
                ansi += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++at]) & 0x3F));
            } else {
                return std::nullopt;
            }
        }
        return ansi;
    }
};

}  // namespace keytide::fakes
