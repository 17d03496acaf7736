#pragma once
// The master volume as the default output's endpoint volume: the volume the
// user hears and the taskbar shows. (The winmm mixer reaches only the
// program's own audio session since Windows Vista.)
#include "media/MasterVolume.h"
#include "platform/AudioEndpoint.h"

namespace keytide {

class EndpointMasterVolume final : public MasterVolume {
public:
    explicit EndpointMasterVolume(platform::AudioEndpoint& endpoint) : endpoint_(endpoint) {}

    // A single-channel output reads with right = -1, as a uniform mixer
    // control does.
    VolumeLevels Read() override;
    // Writes the level to every channel (see ScalarsFromLevels) and the mute
    // switch; a refused part is not retried.
    void Write(const VolumeLevels& levels) override;

private:
    platform::AudioEndpoint& endpoint_;
};

}  // namespace keytide
