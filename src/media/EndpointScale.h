#pragma once
// The master volume's scale 0..65535 mapped linearly onto an audio endpoint's
// level 0.0..1.0, and the endpoint's channels onto the left and right values.
#include <cstdint>
#include <vector>

#include "media/MasterVolume.h"

namespace keytide {

inline constexpr std::uint32_t kEndpointLevelMaximum = 65535;

// Nearest step of the scale; levels outside 0.0..1.0 (and NaN) are held to
// the scale's ends. LevelFromScalar(ScalarFromLevel(v)) == v for every v in
// 0..65535.
std::uint32_t LevelFromScalar(float scalar);
// A level past 65535 counts as 65535.
float ScalarFromLevel(std::uint32_t level);

// Left from the first channel, right from the second (-1 for a single
// channel); both -1 without channels.
VolumeLevels LevelsFromScalars(const std::vector<float>& channelScalars);

// One scalar per channel for a write of left and right: the first channel
// takes left, every further channel right (left again when right is -1).
// Nothing when left is -1 or there are no channels.
std::vector<float> ScalarsFromLevels(const VolumeLevels& levels, std::size_t channels);

}  // namespace keytide
