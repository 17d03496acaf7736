#pragma once
// The monitors of the desk, and the one the user works on.
#include <cstddef>
#include <optional>
#include <vector>

namespace keytide::platform {

// A monitor's rectangle on the desktop, in the monitor's own pixels whatever
// its scaling (the program is per-monitor DPI aware). The primary monitor's
// top left corner is (0, 0); a monitor left of it or above it lies at
// negative coordinates.
struct MonitorRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const MonitorRect&) const = default;
};

struct MonitorLayout {
    std::vector<MonitorRect> monitors;  // the primary one first
    // The monitor that holds the foreground window; none without one, or
    // when it lies on no monitor.
    std::optional<std::size_t> foreground;
};

class Monitors {
public:
    virtual ~Monitors() = default;
    // Read anew at each call: monitors come and go, windows move between them.
    virtual MonitorLayout Layout() = 0;
};

}  // namespace keytide::platform
