#pragma once
// The volume of an audio endpoint (a level from 0.0 to 1.0 per channel, and a
// mute switch) shown as the master line of a mixer device: device 0 with one
// destination line that carries a volume and a mute control, and the mixer's
// volume scale 0..65535 mapped linearly onto the endpoint's level.
#include <cstdint>
#include <vector>

#include "platform/MixerDevice.h"

namespace keytide {

inline constexpr std::uint32_t kEndpointMixerDevices = 1;
inline constexpr std::uint32_t kEndpointLineId = 0xFFFF0000;  // the id a mixer gives destination 0
inline constexpr std::uint32_t kEndpointVolumeControlId = 1;
inline constexpr std::uint32_t kEndpointMuteControlId = 2;
inline constexpr std::uint32_t kEndpointLevelMaximum = 65535;

// Nearest step of the volume scale; levels outside 0.0..1.0 (and NaN) are
// held to the scale's ends. LevelFromScalar(ScalarFromLevel(v)) == v for
// every v in 0..65535.
std::uint32_t LevelFromScalar(float scalar);
// A level past 65535 counts as 65535.
float ScalarFromLevel(std::uint32_t level);

platform::MixerCaps EndpointMixerCaps();
// The destination line of an endpoint with `endpointChannels` channels; an
// endpoint that reports none is shown with one.
platform::MixerLine EndpointMasterLine(std::uint32_t endpointChannels);
// Its controls: the volume, uniform when the endpoint has a single channel,
// then the mute, always uniform.
std::vector<platform::MixerControl> EndpointMasterControls(std::uint32_t endpointChannels);

// A volume read asking for `requested` values (at least one) from the
// endpoint's channel levels: channel i gives value i; values past the
// endpoint's channels repeat its last one. Nothing without channel levels.
std::vector<std::uint32_t> ValuesFromChannelScalars(const std::vector<float>& channelScalars,
                                                    std::uint32_t requested);
// A volume write: one level per endpoint channel; channels past the values
// written follow the last value. Nothing without values.
std::vector<float> ChannelScalarsFromValues(const std::vector<std::uint32_t>& values,
                                            std::uint32_t endpointChannels);

}  // namespace keytide
