#pragma once
// The default sound output's endpoint volume through Core Audio.
#include <windows.h>
#include <mmdeviceapi.h>
#include <endpointvolume.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/AudioEndpoint.h"
#include "platform/win32/ComPtr.h"

namespace keytide::win32 {

class Win32AudioEndpoint final : public platform::AudioEndpoint {
public:
    // The default output, when Core Audio gives one whose endpoint volume
    // answers; nothing otherwise (before Windows Vista, no sound output, or an
    // endpoint volume that cannot tell its levels: Wine's is a stub).
    static std::unique_ptr<Win32AudioEndpoint> ForDefaultOutput(const ComApartment& com);

    ~Win32AudioEndpoint() override;

    std::optional<std::vector<float>> ChannelLevels() override;
    bool SetChannelLevels(const std::vector<float>& levels) override;
    std::optional<bool> Muted() override;
    bool SetMuted(bool muted) override;

private:
    explicit Win32AudioEndpoint(ComPtr<IMMDeviceEnumerator> enumerator);

    // The endpoint volume of the output that is the default now: the user
    // may have switched to headphones since the last press.
    IAudioEndpointVolume* CurrentVolume();
    void ForgetEndpoint();

    ComPtr<IMMDeviceEnumerator> enumerator_;
    ComPtr<IAudioEndpointVolume> volume_;
    std::wstring endpointId_;  // whose volume_ it is
};

}  // namespace keytide::win32
