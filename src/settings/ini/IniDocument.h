#pragma once
// The text of one INI file in memory: read once, written into with the
// profile-string rules of IniText, and turned back into the file's bytes in
// its own encoding, so that a load or a save touches the file only once.
//
// Values go in and come out as UTF-8. A file without a byte-order mark keeps
// its text in the system's ANSI code page, so its values are converted on the
// way in and out; a value that the code page cannot hold is not written.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/CodePage.h"
#include "settings/ini/TextEncoding.h"

namespace keytide::ini {

class IniDocument {
public:
    // An empty text in the ANSI code page: what a missing file reads as.
    explicit IniDocument(const platform::CodePage& codePage);

    // The document of a file's bytes, in the encoding its mark announces.
    static IniDocument FromBytes(std::string_view bytes, const platform::CodePage& codePage);

    TextEncoding Encoding() const { return file_.encoding; }

    // As IniText's ReadString, in UTF-8; a value cut at the length limit does
    // not end inside a character.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // The value as an integer (IniText's ParseInteger), or defaultValue.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    // An integer that is not zero.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // As IniText's WriteString. False, with the text unchanged, when the
    // file's encoding cannot hold the value.
    [[nodiscard]] bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // The file's bytes: the text in its encoding, with its mark.
    std::string ToBytes() const { return EncodeFileText(file_); }

private:
    IniDocument(FileText file, const platform::CodePage& codePage);

    FileText file_;
    const platform::CodePage* codePage_;
};

}  // namespace keytide::ini
