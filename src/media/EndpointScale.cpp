#include "media/EndpointScale.h"

#include <algorithm>
#include <cmath>

namespace keytide {

namespace {

constexpr std::uint32_t kLineActive = 0x1;            // MIXERLINE_LINEF_ACTIVE
constexpr std::uint32_t kComponentSpeakers = 0x4;     // MIXERLINE_COMPONENTTYPE_DST_SPEAKERS
constexpr std::uint32_t kTargetWaveOut = 0x1;         // MIXERLINE_TARGETTYPE_WAVEOUT
constexpr std::uint16_t kManufacturerMicrosoft = 1;   // MM_MICROSOFT

std::uint32_t ShownChannels(std::uint32_t endpointChannels) { return std::max<std::uint32_t>(endpointChannels, 1); }

}  // namespace

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

platform::MixerCaps EndpointMixerCaps() {
    platform::MixerCaps caps;
    caps.manufacturerId = kManufacturerMicrosoft;
    caps.productName = "Default audio output";
    caps.destinations = 1;
    return caps;
}

platform::MixerLine EndpointMasterLine(std::uint32_t endpointChannels) {
    platform::MixerLine line;
    line.lineId = kEndpointLineId;
    line.lineFlags = kLineActive;
    line.componentType = kComponentSpeakers;
    line.channels = ShownChannels(endpointChannels);
    line.controls = 2;
    line.shortName = "Master";
    line.name = "Master Volume";
    line.targetType = kTargetWaveOut;
    line.targetName = "Default audio output";
    return line;
}

std::vector<platform::MixerControl> EndpointMasterControls(std::uint32_t endpointChannels) {
    platform::MixerControl volume;
    volume.controlId = kEndpointVolumeControlId;
    volume.controlType = platform::kMixerControlTypeVolume;
    volume.controlFlags = ShownChannels(endpointChannels) == 1 ? platform::kMixerControlUniform : 0;
    volume.shortName = "Volume";
    volume.name = "Master Volume";
    volume.maximum = static_cast<std::int32_t>(kEndpointLevelMaximum);
    volume.steps = kEndpointLevelMaximum + 1;

    platform::MixerControl mute;
    mute.controlId = kEndpointMuteControlId;
    mute.controlType = platform::kMixerControlTypeMute;
    mute.controlFlags = platform::kMixerControlUniform;
    mute.shortName = "Mute";
    mute.name = "Master Mute";
    mute.maximum = 1;
    mute.steps = 2;
    return {volume, mute};
}

std::vector<std::uint32_t> ValuesFromChannelScalars(const std::vector<float>& channelScalars,
                                                    std::uint32_t requested) {
    if (channelScalars.empty()) return {};
    std::vector<std::uint32_t> values(std::max<std::uint32_t>(requested, 1));
    for (std::size_t index = 0; index < values.size(); ++index)
        values[index] = LevelFromScalar(channelScalars[std::min(index, channelScalars.size() - 1)]);
    return values;
}

std::vector<float> ChannelScalarsFromValues(const std::vector<std::uint32_t>& values,
                                            std::uint32_t endpointChannels) {
    if (values.empty()) return {};
    std::vector<float> scalars(endpointChannels);
    for (std::size_t index = 0; index < scalars.size(); ++index)
        scalars[index] = ScalarFromLevel(values[std::min(index, values.size() - 1)]);
    return scalars;
}

}  // namespace keytide
