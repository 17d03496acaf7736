#include "media/WinmmMasterVolume_win.h"

#include <algorithm>
#include <optional>

namespace keytide::win32 {

namespace {

// Every call names the open device by its handle.
constexpr DWORD kByHandle = MIXER_OBJECTF_HMIXER;
// Never fewer values than a request can fill, however many channels a line claims.
constexpr std::size_t kMinimumValueBuffer = 31;

HMIXEROBJ Object(HMIXER mixer) { return reinterpret_cast<HMIXEROBJ>(mixer); }

MIXERCONTROLDETAILS ValueRequest(DWORD controlId, DWORD channels, DWORD* values) {
    MIXERCONTROLDETAILS request{};
    request.cbStruct = sizeof request;
    request.dwControlID = controlId;
    request.cChannels = channels;
    request.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);  // the same size as a boolean value
    request.paDetails = values;
    return request;
}

std::optional<std::vector<DWORD>> ReadValues(HMIXER mixer, DWORD controlId, DWORD channels) {
    std::vector<DWORD> values(std::max<std::size_t>(kMinimumValueBuffer, channels), 0);
    MIXERCONTROLDETAILS request = ValueRequest(controlId, channels, values.data());
    if (mixerGetControlDetailsA(Object(mixer), &request, kByHandle | MIXER_GETCONTROLDETAILSF_VALUE) !=
        MMSYSERR_NOERROR) {
        return std::nullopt;
    }
    return values;
}

void WriteValues(HMIXER mixer, DWORD controlId, std::vector<DWORD> values) {
    MIXERCONTROLDETAILS request = ValueRequest(controlId, static_cast<DWORD>(values.size()), values.data());
    mixerSetControlDetails(Object(mixer), &request, kByHandle | MIXER_SETCONTROLDETAILSF_VALUE);
}

}  // namespace

WinmmMasterVolume::WinmmMasterVolume() {
    HMIXER opened = nullptr;
    if (mixerGetNumDevs() == 0 || mixerOpen(&opened, 0, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) return;
    mixer_.reset(opened);

    // The first destination whose description can be read is the master line.
    MIXERCAPSA caps{};
    if (mixerGetDevCapsA(0, &caps, sizeof caps) != MMSYSERR_NOERROR) return;
    MIXERLINEA line{};
    bool found = false;
    for (DWORD destination = 0; destination < caps.cDestinations && !found; ++destination) {
        line = MIXERLINEA{};
        line.cbStruct = sizeof line;
        line.dwDestination = destination;
        found = mixerGetLineInfoA(Object(opened), &line, kByHandle | MIXER_GETLINEINFOF_DESTINATION) ==
                MMSYSERR_NOERROR;
    }
    if (!found || line.cControls == 0) return;

    std::vector<MIXERCONTROLA> block(line.cControls);
    for (MIXERCONTROLA& control : block) control.cbStruct = sizeof control;
    MIXERLINECONTROLSA request{};
    request.cbStruct = sizeof request;
    request.dwLineID = line.dwLineID;
    request.cControls = line.cControls;
    request.cbmxctrl = sizeof(MIXERCONTROLA);
    request.pamxctrl = block.data();
    if (mixerGetLineControlsA(Object(opened), &request, kByHandle | MIXER_GETLINECONTROLSF_ALL) != MMSYSERR_NOERROR) {
        return;
    }
    for (const MIXERCONTROLA& control : block) {
        const bool volume = control.dwControlType == MIXERCONTROL_CONTROLTYPE_VOLUME;
        const bool mute = control.dwControlType == MIXERCONTROL_CONTROLTYPE_MUTE;
        // List-like controls with several items are never one of ours.
        if ((!volume && !mute) || (control.fdwControl & MIXERCONTROL_CONTROLF_MULTIPLE) != 0) continue;
        const DWORD channels = (control.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) != 0 ? 1 : line.cChannels;
        controls_.push_back(Control{control.dwControlID, volume, channels});
    }
}

VolumeLevels WinmmMasterVolume::Read() {
    VolumeLevels levels;
    for (const Control& control : controls_) {
        int& first = control.volume ? levels.left : levels.mute;
        if (first != -1) continue;  // a control of a kind already read
        const std::optional<std::vector<DWORD>> values = ReadValues(mixer_.get(), control.id, control.channels);
        if (!values) continue;  // refused: the next control of the kind may answer
        if (!control.volume) {
            levels.mute = (*values)[0] != 0 ? 1 : 0;
            continue;
        }
        levels.left = static_cast<int>((*values)[0]);
        if (control.channels > 1) levels.right = static_cast<int>((*values)[1]);
    }
    return levels;
}

void WinmmMasterVolume::Write(const VolumeLevels& levels) {
    bool volumePending = levels.left != -1;
    bool mutePending = levels.mute != -1;
    for (const Control& control : controls_) {
        const DWORD channels = std::max<DWORD>(control.channels, 1);
        if (control.volume && volumePending) {
            volumePending = false;
            // Channels past the second (a line with more than two) follow the second.
            std::vector<DWORD> values(channels, static_cast<DWORD>(levels.right == -1 ? levels.left : levels.right));
            values[0] = static_cast<DWORD>(levels.left);
            WriteValues(mixer_.get(), control.id, std::move(values));
        } else if (!control.volume && mutePending) {
            mutePending = false;
            // Every channel of a per-channel switch: sound goes off (or on) as a whole.
            WriteValues(mixer_.get(), control.id, std::vector<DWORD>(channels, static_cast<DWORD>(levels.mute)));
        }
    }
}

}  // namespace keytide::win32
