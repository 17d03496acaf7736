#pragma once
// The file operations the program asks of the system: whole-file reads and
// writes of ktd.ini, the existence test of launched files. Paths are UTF-8.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace keytide::platform {

enum class FileReadStatus {
    Read,
    Missing,     // nothing at the path (or a folder on the way is missing)
    Unreadable,  // there, but not to be read: access denied, held without read sharing, a folder
    TooLarge,    // larger than the reader's limit; nothing was read
};

struct FileRead {
    FileReadStatus status = FileReadStatus::Missing;
    std::string bytes;  // only with Read
};

struct FileAttributes {
    bool readOnly = false;
    bool directory = false;
};

// No configuration or list file the program reads comes near this; a larger
// one is not what it expects and is not read into memory.
inline constexpr std::size_t kMaxReadSize = 16 * 1024 * 1024;

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The whole file, unless it is larger than maxSize bytes.
    virtual FileRead ReadFile(const std::string& path, std::size_t maxSize) const = 0;

    // The attributes of whatever is at the path; nothing when nothing is.
    virtual std::optional<FileAttributes> Attributes(const std::string& path) const = 0;

    // Writes the bytes to a neighbouring temporary file and moves that over
    // the path (creating the file if need be), so that a failed write never
    // leaves half a file. False on failure; the temporary file is gone then.
    virtual bool WriteReplacing(const std::string& path, std::string_view bytes) = 0;

    // Writes the bytes into the existing file where it stands and ends it
    // there: what works while another program holds the file open.
    virtual bool WriteInPlace(const std::string& path, std::string_view bytes) = 0;

    // True when the path names an existing entry that is not a directory.
    virtual bool FileExists(const std::string& path) const = 0;
};

}  // namespace keytide::platform
