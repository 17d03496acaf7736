#include "media/MasterVolumeActions.h"

#include <algorithm>

namespace keytide {

namespace {

// A channel without a value (-1) stays without one: stepping it would write
// a made-up level over a control whose value could not be read.
std::int32_t Stepped(std::int32_t level, std::int32_t step) {
    if (level == -1) return -1;
    return std::clamp(level + step, kVolumeMinimum, kVolumeMaximum);
}

}  // namespace

void MasterVolumeActions::ToggleMute() {
    const LineVolumeValues line = mixer_.ReadLineVolume(kMasterLine);
    const std::int32_t mute = line.mute == 0 ? 1 : 0;  // no mute value also becomes 0
    mixer_.WriteLineVolume(kMasterLine, line.left, line.right, mute);
}

void MasterVolumeActions::VolumeDown() { StepVolume(-kVolumeStep); }

void MasterVolumeActions::VolumeUp() { StepVolume(kVolumeStep); }

void MasterVolumeActions::StepVolume(std::int32_t step) {
    const LineVolumeValues line = mixer_.ReadLineVolume(kMasterLine);
    mixer_.WriteLineVolume(kMasterLine, Stepped(line.left, step), Stepped(line.right, step), line.mute);
}

LineVolume MasterVolumeActions::ReadMasterVolume() {
    const LineVolumeValues line = mixer_.ReadLineVolume(kMasterLine);
    return LineVolume{line.left, line.right};
}

}  // namespace keytide
