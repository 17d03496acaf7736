#pragma once
// The volume of the default sound output (its audio endpoint): a level from
// 0.0 to 1.0 per channel and a mute switch. Since Windows Vista this is the
// volume the taskbar's volume control shows.
#include <cstdint>
#include <optional>
#include <vector>

namespace keytide::platform {

class AudioEndpoint {
public:
    virtual ~AudioEndpoint() = default;
    // One level per channel of the output that is the default now; nothing
    // when there is none or it does not answer.
    virtual std::optional<std::vector<float>> ChannelLevels() = 0;
    // One level per channel; false when the output refuses or its channel
    // count has changed.
    virtual bool SetChannelLevels(const std::vector<float>& levels) = 0;
    virtual std::optional<bool> Muted() = 0;
    virtual bool SetMuted(bool muted) = 0;
};

}  // namespace keytide::platform
