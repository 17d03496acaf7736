#include "platform/win32/EndpointMixerDevice.h"

#include <algorithm>

#include "media/EndpointScale.h"
#include "platform/win32/WinmmMixerDevice.h"

namespace keytide::win32 {

namespace {

// Strings Core Audio hands over in task memory.
struct TaskMemoryFree {
    void operator()(wchar_t* text) const noexcept { CoTaskMemFree(text); }
};
using TaskMemoryString = std::unique_ptr<wchar_t, TaskMemoryFree>;

std::optional<std::uint32_t> ChannelCount(IAudioEndpointVolume& volume) {
    UINT channels = 0;
    if (FAILED(volume.GetChannelCount(&channels))) return std::nullopt;
    return channels;
}

}  // namespace

std::unique_ptr<EndpointMixerDevice> EndpointMixerDevice::ForDefaultOutput(const ComApartment& com) {
    if (!com.usable()) return nullptr;
    ComPtr<IMMDeviceEnumerator> enumerator;
    // No such class before Windows Vista.
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IMMDeviceEnumerator), enumerator.put_void()))) {
        return nullptr;
    }
    std::unique_ptr<EndpointMixerDevice> device(new EndpointMixerDevice(std::move(enumerator)));
    // An endpoint volume that cannot tell its channels or their levels (Wine's
    // is a stub) would leave the keys without effect, where the winmm mixer
    // at least acts.
    const bool answers = device->Open(0) && device->ControlValues(kEndpointVolumeControlId, 1).has_value();
    device->Close();
    if (!answers) return nullptr;
    return device;
}

EndpointMixerDevice::EndpointMixerDevice(ComPtr<IMMDeviceEnumerator> enumerator)
    : enumerator_(std::move(enumerator)) {}

EndpointMixerDevice::~EndpointMixerDevice() = default;

std::uint32_t EndpointMixerDevice::DeviceCount() { return kEndpointMixerDevices; }

bool EndpointMixerDevice::Open(std::uint32_t deviceId) {
    Close();
    if (deviceId >= kEndpointMixerDevices) return false;
    IAudioEndpointVolume* volume = CurrentVolume();
    if (volume == nullptr) return false;
    const std::optional<std::uint32_t> channels = ChannelCount(*volume);
    if (!channels || *channels == 0) return false;
    shownChannels_ = *channels;
    open_ = true;
    return true;
}

void EndpointMixerDevice::Close() {
    open_ = false;
    ForgetEndpoint();
}

void EndpointMixerDevice::ForgetEndpoint() {
    volume_.reset();
    endpointId_.clear();
}

std::optional<platform::MixerCaps> EndpointMixerDevice::Caps(std::uint32_t deviceId) {
    if (deviceId >= kEndpointMixerDevices) return std::nullopt;
    return EndpointMixerCaps();
}

std::optional<platform::MixerLine> EndpointMixerDevice::DestinationLine(std::uint32_t destination) {
    if (!open_ || destination != 0) return std::nullopt;
    return EndpointMasterLine(shownChannels_);
}

std::optional<platform::MixerLine> EndpointMixerDevice::SourceLine(std::uint32_t, std::uint32_t) {
    return std::nullopt;  // the master line has no source lines
}

std::optional<std::vector<platform::MixerControl>> EndpointMixerDevice::LineControls(std::uint32_t lineId,
                                                                                     std::uint32_t count) {
    if (!open_ || lineId != kEndpointLineId) return std::nullopt;
    std::vector<platform::MixerControl> controls = EndpointMasterControls(shownChannels_);
    if (count != controls.size()) return std::nullopt;
    return controls;
}

std::optional<std::vector<std::uint32_t>> EndpointMixerDevice::ControlValues(std::uint32_t controlId,
                                                                             std::uint32_t channels) {
    if (!open_) return std::nullopt;
    IAudioEndpointVolume* volume = CurrentVolume();
    if (volume == nullptr) return std::nullopt;

    if (controlId == kEndpointMuteControlId) {
        BOOL muted = FALSE;
        if (FAILED(volume->GetMute(&muted))) return std::nullopt;
        return std::vector<std::uint32_t>(std::max<std::uint32_t>(channels, 1), muted ? 1 : 0);
    }
    if (controlId != kEndpointVolumeControlId) return std::nullopt;
    const std::optional<std::uint32_t> endpointChannels = ChannelCount(*volume);
    if (!endpointChannels) return std::nullopt;
    std::vector<float> scalars(*endpointChannels);
    for (UINT channel = 0; channel < scalars.size(); ++channel) {
        if (FAILED(volume->GetChannelVolumeLevelScalar(channel, &scalars[channel]))) return std::nullopt;
    }
    std::vector<std::uint32_t> values = ValuesFromChannelScalars(scalars, channels);
    if (values.empty()) return std::nullopt;
    return values;
}

bool EndpointMixerDevice::SetControlValues(std::uint32_t controlId, const std::vector<std::uint32_t>& values) {
    if (!open_ || values.empty()) return false;
    IAudioEndpointVolume* volume = CurrentVolume();
    if (volume == nullptr) return false;

    if (controlId == kEndpointMuteControlId) return SUCCEEDED(volume->SetMute(values[0] != 0 ? TRUE : FALSE, nullptr));
    if (controlId != kEndpointVolumeControlId) return false;
    const std::optional<std::uint32_t> endpointChannels = ChannelCount(*volume);
    if (!endpointChannels) return false;
    const std::vector<float> scalars = ChannelScalarsFromValues(values, *endpointChannels);
    bool written = !scalars.empty();
    for (UINT channel = 0; channel < scalars.size(); ++channel) {
        written = SUCCEEDED(volume->SetChannelVolumeLevelScalar(channel, scalars[channel], nullptr)) && written;
    }
    return written;
}

IAudioEndpointVolume* EndpointMixerDevice::CurrentVolume() {
    ComPtr<IMMDevice> endpoint;
    LPWSTR rawId = nullptr;
    const bool found = SUCCEEDED(enumerator_->GetDefaultAudioEndpoint(eRender, eConsole, endpoint.put())) &&
                       SUCCEEDED(endpoint->GetId(&rawId));
    const TaskMemoryString id(rawId);
    if (!found || !id) {
        ForgetEndpoint();  // no sound output at the moment: nothing to act on
        return nullptr;
    }
    if (volume_ && endpointId_ == id.get()) return volume_.get();

    ComPtr<IAudioEndpointVolume> volume;
    if (FAILED(endpoint->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_INPROC_SERVER, nullptr, volume.put_void()))) {
        ForgetEndpoint();
        return nullptr;
    }
    volume_ = std::move(volume);
    endpointId_ = id.get();
    return volume_.get();
}

std::unique_ptr<platform::MixerDevice> MakeMasterMixerDevice(const ComApartment& com) {
    if (std::unique_ptr<EndpointMixerDevice> endpoint = EndpointMixerDevice::ForDefaultOutput(com)) return endpoint;
    return std::make_unique<WinmmMixerDevice>();
}

}  // namespace keytide::win32
