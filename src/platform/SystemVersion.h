#pragma once
// Which Windows the program runs on.

namespace keytide::platform {

struct WindowsVersion {
    int major = 0;
    int minor = 0;
};

class SystemVersion {
public:
    virtual ~SystemVersion() = default;
    // The version Windows itself reports, whatever the program's manifest
    // declares; 0.0 when it cannot be read.
    virtual WindowsVersion Windows() = 0;
};

}  // namespace keytide::platform
