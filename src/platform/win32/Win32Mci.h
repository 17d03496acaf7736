#pragma once
#include "platform/Mci.h"

namespace keytide::win32 {

class Win32Mci final : public platform::Mci {
public:
    void SendString(const std::string& command, platform::WindowId callbackWindow) override;
};

}  // namespace keytide::win32
