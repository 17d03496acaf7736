#pragma once
// The file operations the program asks of the system: whole-file reads and
// writes of ktd.ini and the existence test of launched files.
#include <optional>
#include <string>
#include <string_view>

namespace keytide::platform {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The file's bytes, or nothing when it does not exist or cannot be read.
    virtual std::optional<std::string> ReadFile(const std::string& path) const = 0;

    // Replaces (or creates) the file with exactly these bytes; false on failure.
    virtual bool WriteFile(const std::string& path, std::string_view contents) = 0;

    // True when the path names an existing entry that is not a directory.
    virtual bool FileExists(const std::string& path) const = 0;
};

}  // namespace keytide::platform
