#include "media/VolumeKeys.h"

#include <algorithm>

namespace keytide {

namespace {

// A channel without a value stays without one: stepping it would write a
// made-up level over a control whose value could not be read.
int Stepped(int level, int step) {
    if (level == -1) return -1;
    return std::clamp(level + step, kVolumeMinimum, kVolumeMaximum);
}

}  // namespace

void MasterVolumeKeys::ToggleMute() {
    VolumeLevels levels = volume_.Read();
    // Only a volume known to be muted is switched on again.
    levels.mute = levels.mute == 1 ? 0 : 1;
    volume_.Write(levels);
}

void MasterVolumeKeys::VolumeDown() { StepVolume(-kVolumeStep); }

void MasterVolumeKeys::VolumeUp() { StepVolume(kVolumeStep); }

void MasterVolumeKeys::StepVolume(int step) {
    VolumeLevels levels = volume_.Read();
    levels.left = Stepped(levels.left, step);
    levels.right = Stepped(levels.right, step);
    volume_.Write(levels);
}

}  // namespace keytide
