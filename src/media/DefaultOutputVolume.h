#pragma once
// The master volume of the sound output that is the default at the moment of
// each call: between two presses the user may plug in a headset or switch to
// HDMI, and an output may have gone. It is found afresh at every call (a
// lookup costs far less than a key press may take). The output's endpoint
// volume; the winmm mixer where there is none (Windows before Vista) or where
// it cannot tell its levels (Wine's), opened again when the default output
// has changed.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "media/MasterVolume.h"
#include "platform/AudioEndpoint.h"

namespace keytide {

class DefaultOutputVolume final : public MasterVolume {
public:
    using MixerOpener = std::function<std::unique_ptr<MasterVolume>()>;

    // outputs: nullptr where the system has none to offer.
    DefaultOutputVolume(platform::AudioOutputs* outputs, MixerOpener openMixer)
        : outputs_(outputs), openMixer_(std::move(openMixer)) {}
    ~DefaultOutputVolume() override;

    // No value, and nothing written, while there is no default output or it
    // has gone; the next call finds the new default.
    VolumeLevels Read() override;
    void Write(const VolumeLevels& levels) override;

private:
    // Nothing when there is no volume to act on now.
    MasterVolume* Current();
    void Forget();

    platform::AudioOutputs* outputs_;
    MixerOpener openMixer_;
    std::optional<std::string> openedFor_;  // the default output that volume_ was opened for
    std::unique_ptr<platform::AudioEndpoint> endpoint_;
    std::unique_ptr<MasterVolume> volume_;  // may refer to endpoint_
};

}  // namespace keytide
