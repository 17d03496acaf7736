#pragma once
// The system's sound outputs (audio endpoints) and the volume of one: a level
// from 0.0 to 1.0 per channel and a mute switch. Since Windows Vista this is
// the volume the taskbar's volume control shows.
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace keytide::platform {

// One output's volume. Once the output has gone (unplugged), every call fails.
class AudioEndpoint {
public:
    virtual ~AudioEndpoint() = default;
    // One level per channel; nothing when the output does not answer.
    virtual std::optional<std::vector<float>> ChannelLevels() = 0;
    // One level per channel; false when the output refuses or its channel
    // count has changed.
    virtual bool SetChannelLevels(const std::vector<float>& levels) = 0;
    virtual std::optional<bool> Muted() = 0;
    virtual bool SetMuted(bool muted) = 0;
};

class AudioOutputs {
public:
    virtual ~AudioOutputs() = default;
    // The identity of the output that is the default now; nothing when there
    // is none.
    virtual std::optional<std::string> DefaultOutputId() = 0;
    // The volume of that output; nothing when it cannot be had (gone by now).
    virtual std::unique_ptr<AudioEndpoint> Open(const std::string& id) = 0;
};

}  // namespace keytide::platform
