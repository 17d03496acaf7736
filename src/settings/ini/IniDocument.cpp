#include "settings/ini/IniDocument.h"

#include <utility>

#include "settings/ini/IniText.h"

namespace keytide::ini {

IniDocument::IniDocument(const platform::CodePage& codePage) : codePage_(&codePage) {}

IniDocument::IniDocument(FileText file, const platform::CodePage& codePage)
    : file_(std::move(file)), codePage_(&codePage) {}

IniDocument IniDocument::FromBytes(std::string_view bytes, const platform::CodePage& codePage) {
    return IniDocument(DecodeFileText(bytes), codePage);
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    if (file_.encoding == TextEncoding::Ansi) {
        const auto ansiDefault = codePage_->Utf8ToAnsi(defaultValue);
        return codePage_->AnsiToUtf8(
            ini::ReadString(file_.text, section, key, ansiDefault ? *ansiDefault : std::string()));
    }
    return std::string(WithoutCutSequence(ini::ReadString(file_.text, section, key, defaultValue)));
}

std::int32_t IniDocument::ReadInteger(std::string_view section, std::string_view key,
                                      std::int32_t defaultValue) const {
    // Digits and signs are the same bytes in every encoding: no conversion.
    return ParseInteger(ini::ReadString(file_.text, section, key, "")).value_or(defaultValue);
}

bool IniDocument::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniDocument::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (file_.encoding == TextEncoding::Ansi) {
        const auto ansi = codePage_->Utf8ToAnsi(value);
        if (!ansi) return false;
        file_.text = ini::WriteString(file_.text, section, key, *ansi);
    } else {
        file_.text = ini::WriteString(file_.text, section, key, value);
    }
    return true;
}

void IniDocument::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    file_.text = ini::WriteString(file_.text, section, key, std::to_string(value));
}

void IniDocument::WriteBool(std::string_view section, std::string_view key, bool value) {
    file_.text = ini::WriteString(file_.text, section, key, value ? "1" : "0");
}

}  // namespace keytide::ini
