#pragma once
// The master line of the first mixer device: volume and mute.

namespace keytide {

// Per channel on the scale 0..65535; -1 for no value (no mixer, or a line
// with one channel gives right = -1).
struct LineVolume {
    int left = -1;
    int right = -1;
};

class MasterVolume {
public:
    virtual ~MasterVolume() = default;
    virtual void ToggleMute() = 0;
    virtual void VolumeDown() = 0;
    virtual void VolumeUp() = 0;
    virtual LineVolume ReadMasterVolume() = 0;
};

}  // namespace keytide
