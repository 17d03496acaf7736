#include "media/DefaultOutputVolume.h"

#include "media/EndpointMasterVolume.h"

namespace keytide {

namespace {

// An endpoint volume that cannot tell its levels would leave the keys without
// effect, where the winmm mixer at least acts.
bool TellsItsLevels(platform::AudioEndpoint& endpoint) {
    const std::optional<std::vector<float>> levels = endpoint.ChannelLevels();
    return levels.has_value() && !levels->empty();
}

}  // namespace

DefaultOutputVolume::~DefaultOutputVolume() { Forget(); }

VolumeLevels DefaultOutputVolume::Read() {
    MasterVolume* volume = Current();
    if (volume == nullptr) return {};
    const VolumeLevels levels = volume->Read();
    // An output that answers nothing at all has gone (or was reset): the next
    // call opens the default anew, even where it keeps its identity.
    if (endpoint_ && levels.left == -1 && levels.mute == -1) Forget();
    return levels;
}

void DefaultOutputVolume::Write(const VolumeLevels& levels) {
    if (MasterVolume* volume = Current()) volume->Write(levels);
}

MasterVolume* DefaultOutputVolume::Current() {
    const std::optional<std::string> id = outputs_ != nullptr ? outputs_->DefaultOutputId() : std::nullopt;
    if (volume_ && id == openedFor_) return volume_.get();
    Forget();
    if (outputs_ != nullptr) {
        if (!id) return nullptr;  // no output at the moment
        endpoint_ = outputs_->Open(*id);
        if (!endpoint_) return nullptr;  // gone by now: the next call looks again
        if (!TellsItsLevels(*endpoint_)) endpoint_.reset();
    }
    openedFor_ = id;
    volume_ = endpoint_ ? std::make_unique<EndpointMasterVolume>(*endpoint_) : openMixer_();
    return volume_.get();
}

void DefaultOutputVolume::Forget() {
    volume_.reset();  // before the endpoint it may refer to
    endpoint_.reset();
    openedFor_.reset();
}

}  // namespace keytide
