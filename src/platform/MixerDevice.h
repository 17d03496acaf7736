#pragma once
// The audio mixer functions of the system (winmm's mixer*), for one open
// device at a time.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace keytide::platform {

inline constexpr std::uint32_t kMixerControlTypeVolume = 0x50030001;  // MIXERCONTROL_CONTROLTYPE_VOLUME
inline constexpr std::uint32_t kMixerControlTypeMute = 0x20010002;    // MIXERCONTROL_CONTROLTYPE_MUTE
inline constexpr std::uint32_t kMixerControlUniform = 0x1;            // MIXERCONTROL_CONTROLF_UNIFORM
inline constexpr std::uint32_t kMixerControlMultiple = 0x2;           // MIXERCONTROL_CONTROLF_MULTIPLE

// MIXERCAPSA.
struct MixerCaps {
    std::uint16_t manufacturerId = 0;
    std::uint16_t productId = 0;
    std::uint32_t driverVersion = 0;
    std::string productName;
    std::uint32_t support = 0;
    std::uint32_t destinations = 0;
};

// MIXERLINEA as the system returns it.
struct MixerLine {
    std::uint32_t destination = 0;
    std::uint32_t source = 0;
    std::uint32_t lineId = 0;
    std::uint32_t lineFlags = 0;
    std::uint32_t componentType = 0;
    std::uint32_t channels = 0;
    std::uint32_t connections = 0;
    std::uint32_t controls = 0;
    std::string shortName;
    std::string name;
    std::uint32_t targetType = 0;
    std::uint32_t targetDeviceId = 0;
    std::string targetName;
};

// MIXERCONTROLA.
struct MixerControl {
    std::uint32_t controlId = 0;
    std::uint32_t controlType = 0;
    std::uint32_t controlFlags = 0;
    std::uint32_t multipleItems = 0;
    std::string shortName;
    std::string name;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    std::uint32_t steps = 0;
};

class MixerDevice {
public:
    virtual ~MixerDevice() = default;

    // mixerGetNumDevs.
    virtual std::uint32_t DeviceCount() = 0;

    // mixerOpen, without change notifications; false on failure.
    // Every call below works on the device opened here.
    virtual bool Open(std::uint32_t deviceId) = 0;
    // mixerClose of the open device, if any.
    virtual void Close() = 0;

    // mixerGetDevCapsA.
    virtual std::optional<MixerCaps> Caps(std::uint32_t deviceId) = 0;

    // mixerGetLineInfoA by destination index, and by destination and source index.
    virtual std::optional<MixerLine> DestinationLine(std::uint32_t destination) = 0;
    virtual std::optional<MixerLine> SourceLine(std::uint32_t destination, std::uint32_t source) = 0;

    // mixerGetLineControlsA for all `count` controls of a line, in the order
    // the system gives them.
    virtual std::optional<std::vector<MixerControl>> LineControls(std::uint32_t lineId, std::uint32_t count) = 0;

    // mixerGetControlDetailsA / mixerSetControlDetails: one 4-byte value per
    // channel, no multiple items. A read gives at least `channels` values.
    virtual std::optional<std::vector<std::uint32_t>> ControlValues(std::uint32_t controlId,
                                                                    std::uint32_t channels) = 0;
    virtual bool SetControlValues(std::uint32_t controlId, const std::vector<std::uint32_t>& values) = 0;
};

}  // namespace keytide::platform
