#pragma once
#include "platform/Registry.h"

namespace keytide::win32 {

class Win32Registry final : public platform::Registry {
public:
    std::optional<platform::RegistryValue> ReadValue(platform::RegistryRoot root, const std::string& keyPath,
                                                     const std::string& valueName) override;
    bool WriteString(platform::RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                     const std::string& data) override;
    void DeleteValue(platform::RegistryRoot root, const std::string& keyPath, const std::string& valueName) override;
};

}  // namespace keytide::win32
