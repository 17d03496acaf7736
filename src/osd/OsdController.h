#pragma once
// The on-screen display: the label and volume bar shown after a key press,
// their time-out, their topmost stacking and the settings preview.
#include <functional>
#include <string>

#include "media/MasterVolume.h"
#include "osd/OsdDisplay.h"
#include "osd/OsdPorts.h"
#include "platform/Monitors.h"
#include "settings/Settings.h"

namespace keytide {

inline constexpr char kPreviewText[] = "OSD Test";

struct OsdServices {
    OsdWindows& windows;
    OsdTimer& timer;
    PreviewHost& host;
    MasterVolume& volume;
    platform::Monitors& monitors;
};

class OsdController final : public OsdDisplay {
public:
    // settings: the settings in force, read at each use. isAboutVisible: whether
    // the About window is up (the application window then stays as it is).
    OsdController(OsdServices services, const Settings& settings, std::function<bool()> isAboutVisible);

    void ShowKeyLabel(int slot, const std::string& label) override;
    void ShowVolumeBar() override;
    void HideVolumeBar() override;
    void KeyDone(int slot) override;

    // Builds, places and shows the label on the screen in use and starts the
    // time-out.
    void ShowLabel(const std::string& label);

    // The time-out timer's tick (every 100 ms while started).
    void OnTimeOutTick();
    // The keep-on-top timer's tick (every 500 ms).
    void OnKeepOnTopTick();
    // The settings dialog's Preview button, with the dialog's current controls.
    void Preview(const Settings& dialogControls);

private:
    platform::MonitorRect ScreenInUse();
    void ShowLabelOn(const platform::MonitorRect& screen, const std::string& label);
    void HideApplicationWindowUnlessAboutVisible();

    OsdServices services_;
    const Settings& settings_;
    int ticks_ = 0;     // time-out ticks since the label was shown
    int lastSlot_ = 0;  // the key pressed last
    // Where the label and the bar were last built: a press that finds the
    // screen in use changed builds them anew there.
    platform::MonitorRect labelScreen_;
    platform::MonitorRect barScreen_;
    std::function<bool()> isAboutVisible_;
};

}  // namespace keytide
