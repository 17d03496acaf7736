#include "media/WinmmMixer.h"

#include <algorithm>

namespace keytide {

namespace {

constexpr std::int32_t kMasterLine = 0;

bool IsVolume(const platform::MixerControl& control) {
    return control.controlType == platform::kMixerControlTypeVolume;
}

bool IsMute(const platform::MixerControl& control) { return control.controlType == platform::kMixerControlTypeMute; }

// Volume and mute controls with a single item; list-like controls with
// several items are never one of ours.
bool IsVolumeOrMute(const platform::MixerControl& control) {
    return (IsVolume(control) || IsMute(control)) && (control.controlFlags & platform::kMixerControlMultiple) == 0;
}

// A uniform control has one value for all channels of its line.
std::uint32_t ChannelsOf(const platform::MixerControl& control, const platform::MixerLine& line) {
    return (control.controlFlags & platform::kMixerControlUniform) != 0 ? 1 : line.channels;
}

}  // namespace

WinmmMixer::WinmmMixer(platform::MixerDevice& device) : device_(device) {
    deviceCount_ = device_.DeviceCount();
    mixerId_ = -1;
    SetMixerId(0);
}

WinmmMixer::~WinmmMixer() { CloseMixer(); }

void WinmmMixer::SetMixerId(std::int32_t id) {
    if (deviceCount_ == 0) return;
    const std::int64_t lastDevice = static_cast<std::int64_t>(deviceCount_) - 1;
    const std::int64_t wanted = std::min<std::int64_t>(id, lastDevice);
    CloseMixer();
    if (wanted < 0) return;
    const auto deviceId = static_cast<std::uint32_t>(wanted);
    if (!device_.Open(deviceId)) return;

    mixerId_ = static_cast<std::int32_t>(wanted);
    const platform::MixerCaps caps = device_.Caps(deviceId).value_or(platform::MixerCaps{});
    destinationCount_ = static_cast<std::int32_t>(caps.destinations);
    BuildDestinations();
}

void WinmmMixer::CloseMixer() {
    if (mixerId_ >= 0) {
        device_.Close();
        mixerId_ = -1;
    }
    destinations_.reset();
}

void WinmmMixer::BuildDestinations() {
    MixerDestinations destinations;
    for (std::int32_t index = 0; index < destinationCount_; ++index) {
        const auto destination = static_cast<std::uint32_t>(index);
        std::optional<platform::MixerLine> line = device_.DestinationLine(destination);
        if (!line) continue;
        MixerDestination entry{*line, {}, {}};
        for (std::uint32_t source = 0; source < entry.line.connections; ++source) {
            if (std::optional<platform::MixerLine> sourceLine = device_.SourceLine(destination, source)) {
                MixerControlList controls = FetchControls(*sourceLine);
                entry.connections.push_back(MixerSourceLine{std::move(*sourceLine), std::move(controls)});
            }
        }
        entry.controls = FetchControls(entry.line);
        destinations.push_back(std::move(entry));
    }
    destinations_ = std::move(destinations);
}

MixerControlList WinmmMixer::FetchControls(const platform::MixerLine& line) {
    return MixerControlList{
        device_.LineControls(line.lineId, line.controls).value_or(std::vector<platform::MixerControl>{})};
}

const MixerDestination* WinmmMixer::Destination(std::int32_t index) const {
    if (!destinations_ || index < 0 || static_cast<std::size_t>(index) >= destinations_->size()) return nullptr;
    return &(*destinations_)[static_cast<std::size_t>(index)];
}

LineVolumeValues WinmmMixer::ReadLineVolume(std::int32_t destination) {
    const MixerDestination* line = Destination(destination);
    if (line == nullptr) return {};

    LineVolumeValues result;
    result.found = true;
    for (const platform::MixerControl& control : line->controls.items) {
        const bool wantVolume = result.left == -1;
        const bool wantMute = result.mute == -1;
        if (!wantVolume && !wantMute) break;
        if (!IsVolumeOrMute(control)) continue;
        // A control of a kind already read would only be looked at.
        if ((IsVolume(control) && !wantVolume) || (IsMute(control) && !wantMute)) continue;

        const std::uint32_t channels = ChannelsOf(control, line->line);
        const std::optional<std::vector<std::uint32_t>> values = device_.ControlValues(control.controlId, channels);
        if (!values || values->empty()) continue;  // refused: try the next control of the kind

        if (IsVolume(control)) {
            result.left = static_cast<std::int32_t>((*values)[0]);
            if (channels > 1 && values->size() > 1) result.right = static_cast<std::int32_t>((*values)[1]);
        } else {
            result.mute = (*values)[0] != 0 ? 1 : 0;
        }
    }
    return result;
}

bool WinmmMixer::WriteLineVolume(std::int32_t destination, std::int32_t left, std::int32_t right, std::int32_t mute) {
    const MixerDestination* line = Destination(destination);
    if (line == nullptr) return false;

    bool volumePending = left != -1;
    bool mutePending = mute != -1;
    for (const platform::MixerControl& control : line->controls.items) {
        if (!volumePending && !mutePending) break;
        if (!IsVolumeOrMute(control)) continue;

        const std::uint32_t channels = std::max<std::uint32_t>(ChannelsOf(control, line->line), 1);
        if (IsVolume(control) && volumePending) {
            volumePending = false;
            // Channels past the second (a line with more than two) follow the second.
            const auto second = static_cast<std::uint32_t>(right == -1 ? left : right);
            std::vector<std::uint32_t> values(channels, second);
            values[0] = static_cast<std::uint32_t>(left);
            device_.SetControlValues(control.controlId, values);  // a refused write is not retried elsewhere
        } else if (IsMute(control) && mutePending) {
            mutePending = false;
            // Every channel of a per-channel switch: sound goes off (or on) as a whole.
            device_.SetControlValues(control.controlId,
                                     std::vector<std::uint32_t>(channels, static_cast<std::uint32_t>(mute)));
        }
    }
    return true;
}

VolumeLevels WinmmMixer::Read() {
    const LineVolumeValues line = ReadLineVolume(kMasterLine);
    return VolumeLevels{line.left, line.right, line.mute};
}

void WinmmMixer::Write(const VolumeLevels& levels) {
    WriteLineVolume(kMasterLine, levels.left, levels.right, levels.mute);
}

}  // namespace keytide
