#pragma once
// The on-screen display: the label and volume bar shown after a key press,
// their time-out, their topmost stacking and the settings preview.
#include <string>

#include "media/MasterVolume.h"
#include "model/Settings.h"
#include "osd/OsdDisplay.h"
#include "osd/OsdPorts.h"
#include "platform/IntervalTimer.h"
#include "platform/Monitors.h"

namespace keytide {

inline constexpr char kPreviewText[] = "OSD Test";

struct OsdServices {
    OsdWindows& windows;
    platform::IntervalTimer& timer;  // the time-out's, and the preview's
    MasterVolume& volume;
    platform::Monitors& monitors;
};

class OsdController final : public OsdDisplay {
public:
    // settings: the settings in force, read at each use.
    OsdController(OsdServices services, const Settings& settings);

    void ShowKeyLabel(int slot, const std::string& label) override;
    void ShowVolumeBar() override;
    void HideVolumeBar() override;
    void KeyDone(int slot) override;

    // Builds, places and shows the label on the screen in use and starts the
    // time-out.
    void ShowLabel(const std::string& label);

    // The settings dialog's Preview button, with the dialog's current
    // controls: both windows show for the chosen time-out, then hide. The
    // call returns at once; a label shown meanwhile takes the timer over.
    void Preview(const Settings& dialogControls);

    // The time-out counts ten ticks a second.
    static constexpr unsigned kTickMs = 100;

private:
    void OnTimeOutTick();
    void EndPreview();
    platform::MonitorRect ScreenInUse();
    void ShowLabelOn(const platform::MonitorRect& screen, const std::string& label);

    OsdServices services_;
    const Settings& settings_;
    int ticks_ = 0;     // time-out ticks since the label was shown
    int lastSlot_ = 0;  // the key pressed last
    std::string label_;  // the label shown last
    // Where the label and the bar were last built: a press that finds the
    // screen in use changed builds them anew there.
    platform::MonitorRect labelScreen_;
    platform::MonitorRect barScreen_;
};

}  // namespace keytide
