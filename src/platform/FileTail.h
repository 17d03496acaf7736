#pragma once
// The end of a file, read without loading the whole file (a media file's tag
// sits in its last bytes).
#include <cstddef>
#include <optional>
#include <string>

namespace keytide::platform {

class FileTailReader {
public:
    virtual ~FileTailReader() = default;
    // The file's last `count` bytes, or all of it when it is shorter; nothing
    // when it cannot be opened (other programs may hold it open) or read.
    virtual std::optional<std::string> ReadTail(const std::string& path, std::size_t count) = 0;
};

}  // namespace keytide::platform
