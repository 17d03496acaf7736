#pragma once
// "Mute", "Volume Down" and "Volume Up" on the master line: the first
// destination line of the mixer component's device. Every press reads the
// line afresh, so changes made by other programs are respected.
#include "media/MasterVolume.h"
#include "media/WinmmMixer.h"

namespace keytide {

inline constexpr std::int32_t kVolumeStep = 1000;
inline constexpr std::int32_t kVolumeMinimum = 0;
inline constexpr std::int32_t kVolumeMaximum = 65535;
inline constexpr std::int32_t kMasterLine = 0;

class MasterVolumeActions final : public MasterVolume {
public:
    explicit MasterVolumeActions(WinmmMixer& mixer) : mixer_(mixer) {}

    // Mute switches; the level is written back as read.
    void ToggleMute() override;
    // Both channels move by one step within 0..65535; mute stays as it was.
    void VolumeDown() override;
    void VolumeUp() override;
    LineVolume ReadMasterVolume() override;

private:
    void StepVolume(std::int32_t step);

    WinmmMixer& mixer_;
};

}  // namespace keytide
