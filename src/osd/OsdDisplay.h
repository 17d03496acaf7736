#pragma once
// The on-screen display as the dispatcher drives it after each key press.
#include <string>

namespace keytide {

class OsdDisplay {
public:
    virtual ~OsdDisplay() = default;

    // Shows the key's label: builds its shape in the OSD font, places, colours
    // and shows the text window, and starts the time-out. The label of the
    // key pressed last is not built again while it is still up.
    virtual void ShowKeyLabel(int slot, const std::string& label) = 0;

    // Shows the volume bar as wide as the master volume now is.
    virtual void ShowVolumeBar() = 0;

    virtual void HideVolumeBar() = 0;

    // The key press is carried out: the time-out starts over and the key
    // counts as the one pressed last.
    virtual void KeyDone(int slot) = 0;
};

}  // namespace keytide
