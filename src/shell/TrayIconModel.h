#pragma once
// What the tray icon and its menu show: the check marks, the picture or the
// animation, and whether the icon is up. The tray icon window draws from it.
#include "core/ControllerPorts.h"

namespace keytide {

class TrayIconModel : public TrayControl {
public:
    void SetActiveCheck(bool checked) override { activeChecked = checked; }
    void SetOsdEnabledCheck(bool checked) override { osdEnabledChecked = checked; }
    void SetCycleIcons(bool cycling) override { cycleIcons = cycling; }
    void SetIconIndex(int index) override { iconIndex = index; }
    void SetIconVisible(bool visible) override { iconVisible = visible; }

    bool activeChecked = false;
    bool osdEnabledChecked = false;
    bool cycleIcons = false;
    int iconIndex = 0;
    bool iconVisible = false;
};

}  // namespace keytide
