#pragma once
// "Mute", "Volume Down" and "Volume Up".
#include "media/MasterVolume.h"

namespace keytide {

inline constexpr int kVolumeStep = 1000;
inline constexpr int kVolumeMinimum = 0;
inline constexpr int kVolumeMaximum = 65535;

class VolumeKeys {
public:
    virtual ~VolumeKeys() = default;
    virtual void ToggleMute() = 0;
    virtual void VolumeDown() = 0;
    virtual void VolumeUp() = 0;
};

// Each press reads the master volume, changes one part of it and writes it
// all back as read otherwise: a volume change leaves mute as it is, and mute
// leaves the level as it is.
class MasterVolumeKeys final : public VolumeKeys {
public:
    explicit MasterVolumeKeys(MasterVolume& volume) : volume_(volume) {}

    // An unknown mute state counts as sound on: the press mutes.
    void ToggleMute() override;
    // Both channels move by one step, each held within 0..65535.
    void VolumeDown() override;
    void VolumeUp() override;

private:
    void StepVolume(int step);

    MasterVolume& volume_;
};

}  // namespace keytide
