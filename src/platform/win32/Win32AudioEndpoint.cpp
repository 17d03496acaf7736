#include "platform/win32/Win32AudioEndpoint.h"

#include <endpointvolume.h>

#include "platform/win32/WideText.h"

namespace keytide::win32 {

namespace {

// Strings Core Audio hands over in task memory.
struct TaskMemoryFree {
    void operator()(wchar_t* text) const noexcept { CoTaskMemFree(text); }
};
using TaskMemoryString = std::unique_ptr<wchar_t, TaskMemoryFree>;

class Win32EndpointVolume final : public platform::AudioEndpoint {
public:
    explicit Win32EndpointVolume(ComPtr<IAudioEndpointVolume> volume) : volume_(std::move(volume)) {}

    std::optional<std::vector<float>> ChannelLevels() override {
        const std::optional<UINT> channels = ChannelCount();
        if (!channels) return std::nullopt;
        std::vector<float> levels(*channels);
        for (UINT channel = 0; channel < levels.size(); ++channel) {
            if (FAILED(volume_->GetChannelVolumeLevelScalar(channel, &levels[channel]))) return std::nullopt;
        }
        return levels;
    }

    bool SetChannelLevels(const std::vector<float>& levels) override {
        const std::optional<UINT> channels = ChannelCount();
        if (!channels || *channels != levels.size()) return false;
        bool written = true;
        for (UINT channel = 0; channel < levels.size(); ++channel) {
            written = SUCCEEDED(volume_->SetChannelVolumeLevelScalar(channel, levels[channel], nullptr)) && written;
        }
        return written;
    }

    std::optional<bool> Muted() override {
        BOOL muted = FALSE;
        if (FAILED(volume_->GetMute(&muted))) return std::nullopt;
        return muted != FALSE;
    }

    bool SetMuted(bool muted) override { return SUCCEEDED(volume_->SetMute(muted ? TRUE : FALSE, nullptr)); }

private:
    std::optional<UINT> ChannelCount() {
        UINT channels = 0;
        if (FAILED(volume_->GetChannelCount(&channels))) return std::nullopt;
        return channels;
    }

    ComPtr<IAudioEndpointVolume> volume_;
};

}  // namespace

std::unique_ptr<Win32AudioOutputs> Win32AudioOutputs::Create() {
    ComPtr<IMMDeviceEnumerator> enumerator;
    // No such class before Windows Vista.
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IMMDeviceEnumerator), enumerator.put_void()))) {
        return nullptr;
    }
    return std::unique_ptr<Win32AudioOutputs>(new Win32AudioOutputs(std::move(enumerator)));
}

std::optional<std::string> Win32AudioOutputs::DefaultOutputId() {
    ComPtr<IMMDevice> output;
    LPWSTR rawId = nullptr;
    const bool found = SUCCEEDED(enumerator_->GetDefaultAudioEndpoint(eRender, eConsole, output.put())) &&
                       SUCCEEDED(output->GetId(&rawId));
    const TaskMemoryString id(rawId);
    if (!found || !id) return std::nullopt;
    return Narrow(id.get());
}

std::unique_ptr<platform::AudioEndpoint> Win32AudioOutputs::Open(const std::string& id) {
    ComPtr<IMMDevice> output;
    ComPtr<IAudioEndpointVolume> volume;
    if (FAILED(enumerator_->GetDevice(Widen(id).c_str(), output.put())) ||
        FAILED(output->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_INPROC_SERVER, nullptr, volume.put_void()))) {
        return nullptr;
    }
    return std::make_unique<Win32EndpointVolume>(std::move(volume));
}

}  // namespace keytide::win32
