#include "media/EndpointMasterVolume.h"

#include "media/EndpointScale.h"

namespace keytide {

VolumeLevels EndpointMasterVolume::Read() {
    VolumeLevels levels = LevelsFromScalars(endpoint_.ChannelLevels().value_or(std::vector<float>{}));
    if (const std::optional<bool> muted = endpoint_.Muted()) levels.mute = *muted ? 1 : 0;
    return levels;
}

void EndpointMasterVolume::Write(const VolumeLevels& levels) {
    if (levels.left >= 0) {
        // The channels of the output that is the default now: the user may
        // have switched to headphones since the last read.
        if (const auto current = endpoint_.ChannelLevels()) {
            const std::vector<float> scalars = ScalarsFromLevels(levels, current->size());
            if (!scalars.empty()) endpoint_.SetChannelLevels(scalars);
        }
    }
    if (levels.mute >= 0) endpoint_.SetMuted(levels.mute != 0);
}

}  // namespace keytide
