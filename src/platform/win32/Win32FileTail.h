#pragma once
#include "platform/FileTail.h"

namespace keytide::win32 {

class Win32FileTailReader final : public platform::FileTailReader {
public:
    std::optional<std::string> ReadTail(const std::string& path, std::size_t count) override;
};

}  // namespace keytide::win32
