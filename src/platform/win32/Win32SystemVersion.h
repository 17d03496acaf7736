#pragma once
#include "platform/SystemVersion.h"

namespace keytide::win32 {

class Win32SystemVersion final : public platform::SystemVersion {
public:
    platform::WindowsVersion Windows() override;
};

}  // namespace keytide::win32
