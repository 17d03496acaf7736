#include "settings/ini/IniFile.h"

#include <utility>

#include "platform/Error.h"
#include "settings/ini/IniText.h"

namespace keytide::ini {

IniFile::IniFile(platform::FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    // A missing or unreadable file reads like an empty one: every value is its default.
    const std::string text = files_.ReadFile(path_).value_or(std::string());
    return ini::ReadString(text, section, key, defaultValue);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const {
    return ParseInteger(ReadString(section, key, "")).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string text = files_.ReadFile(path_).value_or(std::string());
    if (!files_.WriteFile(path_, ini::WriteString(text, section, key, value))) {
        throw KeytideError(FormatMessage("Unable to write to %s", path_));
    }
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

}  // namespace keytide::ini
