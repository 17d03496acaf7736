#pragma once
// The master volume of the sound output, in the program's terms: a level per
// channel on the scale 0..65535 and a mute switch.

namespace keytide {

// -1 in any field: no value when read, leave alone when written.
struct VolumeLevels {
    int left = -1;
    int right = -1;  // also -1 for a volume with a single channel
    int mute = -1;   // 0 sound on, 1 muted
};

class MasterVolume {
public:
    virtual ~MasterVolume() = default;
    // Read afresh at every call: other programs change the volume too.
    virtual VolumeLevels Read() = 0;
    virtual void Write(const VolumeLevels& levels) = 0;
};

}  // namespace keytide
