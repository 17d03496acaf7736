#pragma once
// Reads the tails of the files of a MemoryFileSystem, recording each read;
// paths can be made unreadable (held by another program without sharing).
#include <set>
#include <string>
#include <vector>

#include "doubles/MemoryFileSystem.h"
#include "platform/FileTail.h"

namespace keytide::fakes {

class MemoryFileTailReader : public platform::FileTailReader {
public:
    explicit MemoryFileTailReader(const MemoryFileSystem& files) : files_(files) {}

    std::optional<std::string> ReadTail(const std::string& path, std::size_t count) override {
        reads.push_back(path);
        if (unreadable.count(path)) return std::nullopt;
        auto found = files_.files.find(path);
        if (found == files_.files.end()) return std::nullopt;
        const std::string& content = found->second;
        return content.size() > count ? content.substr(content.size() - count) : content;
    }

    std::vector<std::string> reads;
    std::set<std::string> unreadable;

private:
    const MemoryFileSystem& files_;
};

}  // namespace keytide::fakes
