#pragma once
// The master volume through the winmm mixer, where the default output has no
// endpoint volume: the first destination line of mixer device 0, whatever kind
// it is, with its first volume and first mute control. The line's controls
// are looked up once, as the mixer opens.
#include <windows.h>
#include <mmsystem.h>

#include <vector>

#include "media/MasterVolume.h"
#include "platform/win32/UniqueHandle.h"

namespace keytide::win32 {

class WinmmMasterVolume final : public MasterVolume {
public:
    // Opens mixer device 0; without one, every read gives no value and every
    // write does nothing.
    WinmmMasterVolume();

    // The first volume control and the first mute control that answer.
    VolumeLevels Read() override;
    // Into the first volume and the first mute control; a refused write is
    // not tried on another control.
    void Write(const VolumeLevels& levels) override;

private:
    struct Control {
        DWORD id;
        bool volume;      // otherwise the mute switch
        DWORD channels;   // 1 for a control with one value for the whole line
    };

    UniqueHmixer mixer_;
    std::vector<Control> controls_;  // in the order the system gives them
};

}  // namespace keytide::win32
