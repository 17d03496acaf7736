#pragma once
// The master volume through the winmm mixer: one open mixer device with a
// snapshot of its lines and their controls taken when it opens, and the volume
// and mute of a destination line read and written through that snapshot. The
// master line is the first destination line of device 0, whatever kind it is.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "media/MasterVolume.h"
#include "platform/MixerDevice.h"

namespace keytide {

// All controls of one line, in the order the system returned them. Empty when
// they could not be fetched.
struct MixerControlList {
    std::vector<platform::MixerControl> items;
};

// A source line of a destination.
struct MixerSourceLine {
    platform::MixerLine line;
    MixerControlList controls;
};
using MixerSourceLines = std::vector<MixerSourceLine>;

struct MixerDestination {
    platform::MixerLine line;
    MixerControlList controls;
    MixerSourceLines connections;
};

// One entry per destination whose description could be read; an unreadable
// one is left out, so later destinations move up.
using MixerDestinations = std::vector<MixerDestination>;

// Per channel 0..65535; mute 0 (sound on) or 1; -1 for no value.
struct LineVolumeValues {
    bool found = false;
    std::int32_t left = -1;
    std::int32_t right = -1;
    std::int32_t mute = -1;
};

class WinmmMixer final : public MasterVolume {
public:
    // Opens device 0.
    explicit WinmmMixer(platform::MixerDevice& device);
    ~WinmmMixer() override;
    WinmmMixer(const WinmmMixer&) = delete;
    WinmmMixer& operator=(const WinmmMixer&) = delete;

    // -1 while no device is open. Assigning opens that device (the last one
    // for a larger index) after closing the open one; a negative index only closes.
    std::int32_t MixerId() const { return mixerId_; }
    void SetMixerId(std::int32_t id);

    void CloseMixer();

    // The destination line's own volume and mute: the first readable volume
    // control and the first readable mute control. found is false without an
    // open device or without that destination.
    LineVolumeValues ReadLineVolume(std::int32_t destination);

    // Writes volume (unless left is -1) and mute (unless -1) into the first
    // volume and the first mute control of the line; right -1 writes left to
    // both channels. False without an open device or that destination.
    bool WriteLineVolume(std::int32_t destination, std::int32_t left, std::int32_t right, std::int32_t mute);


    // The snapshot of the open device; nothing while closed.
    const std::optional<MixerDestinations>& Destinations() const { return destinations_; }

    // The master line.
    VolumeLevels Read() override;
    void Write(const VolumeLevels& levels) override;

private:
    void BuildDestinations();
    MixerControlList FetchControls(const platform::MixerLine& line);
    const MixerDestination* Destination(std::int32_t index) const;

    platform::MixerDevice& device_;
    std::uint32_t deviceCount_ = 0;
    std::int32_t mixerId_ = -1;
    std::int32_t destinationCount_ = 0;  // as the device's capabilities tell
    std::optional<MixerDestinations> destinations_;
};

}  // namespace keytide
