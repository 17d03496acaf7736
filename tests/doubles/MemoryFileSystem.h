#pragma once
// In-memory file system for unit tests: files are a path -> bytes map; a path
// can be made unwritable to test the write-failure paths.
#include <map>
#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace keytide::testing {

class MemoryFileSystem : public platform::FileSystem {
public:
    std::map<std::string, std::string> files;
    std::set<std::string> directories;
    std::set<std::string> unwritable;
    int writeCount = 0;
    // Fails the write with this 1-based number (0: never), to test partial saves.
    int failWriteNumber = 0;

    std::optional<std::string> ReadFile(const std::string& path) const override {
        auto found = files.find(path);
        if (found == files.end()) return std::nullopt;
        return found->second;
    }

    bool WriteFile(const std::string& path, std::string_view contents) override {
        ++writeCount;
        if (unwritable.count(path) || writeCount == failWriteNumber) return false;
        files[path] = std::string(contents);
        return true;
    }

    bool FileExists(const std::string& path) const override {
        return files.count(path) != 0 && directories.count(path) == 0;
    }
};

}  // namespace keytide::testing
