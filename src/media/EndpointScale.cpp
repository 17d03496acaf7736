#include "media/EndpointScale.h"

#include <algorithm>
#include <cmath>

namespace keytide {

std::uint32_t LevelFromScalar(float scalar) {
    if (!(scalar > 0.0f)) return 0;  // NaN too
    if (scalar >= 1.0f) return kEndpointLevelMaximum;
    // A level written as a float comes back within 0.004 steps of itself: rounding finds it again.
    return static_cast<std::uint32_t>(std::lround(static_cast<double>(scalar) * kEndpointLevelMaximum));
}

float ScalarFromLevel(std::uint32_t level) {
    const std::uint32_t held = std::min(level, kEndpointLevelMaximum);
    return static_cast<float>(static_cast<double>(held) / kEndpointLevelMaximum);
}

VolumeLevels LevelsFromScalars(const std::vector<float>& channelScalars) {
    VolumeLevels levels;
    if (!channelScalars.empty()) levels.left = static_cast<int>(LevelFromScalar(channelScalars[0]));
    if (channelScalars.size() > 1) levels.right = static_cast<int>(LevelFromScalar(channelScalars[1]));
    return levels;
}

std::vector<float> ScalarsFromLevels(const VolumeLevels& levels, std::size_t channels) {
    if (levels.left < 0 || channels == 0) return {};
    const int right = levels.right < 0 ? levels.left : levels.right;
    std::vector<float> scalars(channels, ScalarFromLevel(static_cast<std::uint32_t>(right)));
    scalars[0] = ScalarFromLevel(static_cast<std::uint32_t>(levels.left));
    return scalars;
}

}  // namespace keytide
