#pragma once
// In-memory file system for unit tests: files are a path -> bytes map. A path
// can be made unreadable, read-only or unwritable, and held open by another
// program (then only a write in place gets through), to test each decision.
#include <map>
#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace keytide::fakes {

class MemoryFileSystem : public platform::FileSystem {
public:
    std::map<std::string, std::string> files;
    std::set<std::string> directories;
    std::set<std::string> unreadable;
    std::set<std::string> readOnly;
    std::set<std::string> unwritable;
    std::set<std::string> heldOpen;
    mutable int readCount = 0;
    int writeCount = 0;

    platform::FileRead ReadFile(const std::string& path, std::size_t maxSize) const override {
        ++readCount;
        if (unreadable.count(path) || directories.count(path)) return {platform::FileReadStatus::Unreadable, {}};
        auto found = files.find(path);
        if (found == files.end()) return {platform::FileReadStatus::Missing, {}};
        if (found->second.size() > maxSize) return {platform::FileReadStatus::TooLarge, {}};
        return {platform::FileReadStatus::Read, found->second};
    }

    std::optional<platform::FileAttributes> Attributes(const std::string& path) const override {
        if (directories.count(path)) return platform::FileAttributes{false, true};
        if (!files.count(path)) return std::nullopt;
        return platform::FileAttributes{readOnly.count(path) != 0, false};
    }

    // Like the system: replacing does not care for the read-only mark (the
    // caller must), but fails on a file another program holds open.
    bool WriteReplacing(const std::string& path, std::string_view bytes) override {
        ++writeCount;
        if (unwritable.count(path) || heldOpen.count(path) || directories.count(path)) return false;
        files[path] = std::string(bytes);
        return true;
    }

    bool WriteInPlace(const std::string& path, std::string_view bytes) override {
        ++writeCount;
        if (unwritable.count(path) || readOnly.count(path) || !files.count(path)) return false;
        files[path] = std::string(bytes);
        return true;
    }

    bool FileExists(const std::string& path) const override {
        return files.count(path) != 0 && directories.count(path) == 0;
    }
};

}  // namespace keytide::fakes
