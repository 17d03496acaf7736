#pragma once
// One INI file on disk, read and written one value at a time. The file is
// opened afresh for every value; nothing is cached between calls.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace keytide::ini {

class IniFile {
public:
    IniFile(platform::FileSystem& files, std::string path);

    const std::string& Path() const { return path_; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Each write throws KeytideError "Unable to write to <path>" when the file
    // cannot be written; the values written before it stay written.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

private:
    platform::FileSystem& files_;
    std::string path_;
};

}  // namespace keytide::ini
