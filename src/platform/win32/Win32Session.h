#pragma once
// The session requests through ExitWindowsEx and SetSystemPowerState. Shut
// down, restart and suspend first enable the shutdown privilege of the
// program's own process; log off needs none.
#include "platform/Session.h"

namespace keytide::win32 {

class Win32SessionControl final : public platform::SessionControl {
public:
    bool Request(platform::SessionRequest request) override;
};

}  // namespace keytide::win32
