#include "platform/win32/Win32AudioEndpoint.h"

namespace keytide::win32 {

namespace {

// Strings Core Audio hands over in task memory.
struct TaskMemoryFree {
    void operator()(wchar_t* text) const noexcept { CoTaskMemFree(text); }
};
using TaskMemoryString = std::unique_ptr<wchar_t, TaskMemoryFree>;

std::optional<UINT> ChannelCount(IAudioEndpointVolume& volume) {
    UINT channels = 0;
    if (FAILED(volume.GetChannelCount(&channels))) return std::nullopt;
    return channels;
}

}  // namespace

std::unique_ptr<Win32AudioEndpoint> Win32AudioEndpoint::ForDefaultOutput(const ComApartment& com) {
    if (!com.usable()) return nullptr;
    ComPtr<IMMDeviceEnumerator> enumerator;
    // No such class before Windows Vista.
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IMMDeviceEnumerator), enumerator.put_void()))) {
        return nullptr;
    }
    std::unique_ptr<Win32AudioEndpoint> endpoint(new Win32AudioEndpoint(std::move(enumerator)));
    // An endpoint volume that cannot tell its levels would leave the keys
    // without effect, where the winmm mixer at least acts.
    const std::optional<std::vector<float>> levels = endpoint->ChannelLevels();
    if (!levels || levels->empty()) return nullptr;
    return endpoint;
}

Win32AudioEndpoint::Win32AudioEndpoint(ComPtr<IMMDeviceEnumerator> enumerator) : enumerator_(std::move(enumerator)) {}

Win32AudioEndpoint::~Win32AudioEndpoint() = default;

std::optional<std::vector<float>> Win32AudioEndpoint::ChannelLevels() {
    IAudioEndpointVolume* volume = CurrentVolume();
    if (volume == nullptr) return std::nullopt;
    const std::optional<UINT> channels = ChannelCount(*volume);
    if (!channels) return std::nullopt;
    std::vector<float> levels(*channels);
    for (UINT channel = 0; channel < levels.size(); ++channel) {
        if (FAILED(volume->GetChannelVolumeLevelScalar(channel, &levels[channel]))) return std::nullopt;
    }
    return levels;
}

bool Win32AudioEndpoint::SetChannelLevels(const std::vector<float>& levels) {
    IAudioEndpointVolume* volume = CurrentVolume();
    if (volume == nullptr) return false;
    const std::optional<UINT> channels = ChannelCount(*volume);
    if (!channels || *channels != levels.size()) return false;
    bool written = true;
    for (UINT channel = 0; channel < levels.size(); ++channel) {
        written = SUCCEEDED(volume->SetChannelVolumeLevelScalar(channel, levels[channel], nullptr)) && written;
    }
    return written;
}

std::optional<bool> Win32AudioEndpoint::Muted() {
    IAudioEndpointVolume* volume = CurrentVolume();
    BOOL muted = FALSE;
    if (volume == nullptr || FAILED(volume->GetMute(&muted))) return std::nullopt;
    return muted != FALSE;
}

bool Win32AudioEndpoint::SetMuted(bool muted) {
    IAudioEndpointVolume* volume = CurrentVolume();
    return volume != nullptr && SUCCEEDED(volume->SetMute(muted ? TRUE : FALSE, nullptr));
}

void Win32AudioEndpoint::ForgetEndpoint() {
    volume_.reset();
    endpointId_.clear();
}

IAudioEndpointVolume* Win32AudioEndpoint::CurrentVolume() {
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

}  // namespace keytide::win32
