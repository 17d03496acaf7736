#pragma once
#include "platform/Monitors.h"

namespace keytide::win32 {

// The display monitors as the window system lists them; the foreground
// window's monitor is the one it overlaps most.
class Win32Monitors final : public platform::Monitors {
public:
    platform::MonitorLayout Layout() override;
};

}  // namespace keytide::win32
