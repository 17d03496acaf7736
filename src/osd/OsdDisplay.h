#pragma once
// The on-screen display as the dispatcher drives it after each key press.
#include <string>

namespace keytide {

// The OSD time-out count and the slot of the last dispatch, shared by the
// dispatcher and the OSD timer.
struct OsdCounters {
    int ticks = 0;
    int lastSlot = 0;
};

class OsdDisplay {
public:
    virtual ~OsdDisplay() = default;

    virtual bool IsTextWindowVisible() const = 0;

    // Builds the label's shape in the OSD font, places, colours and shows the
    // text window, and starts the time-out.
    virtual void ShowLabel(const std::string& label) = 0;

    // Shows the volume bar as wide as the master volume now is.
    virtual void ShowVolumeBar() = 0;

    virtual void HideVolumeBar() = 0;
};

}  // namespace keytide
