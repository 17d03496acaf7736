#pragma once
// The master volume through Core Audio: the volume of the default sound
// output (its endpoint) presented as mixer device 0, whose first destination
// line has a volume and a mute control. Since Windows Vista the winmm mixer
// reaches only the calling program's own audio session, so its master line
// changes nothing the user hears; the endpoint's volume is the one the
// taskbar's volume control shows.
#include <windows.h>
#include <mmdeviceapi.h>
#include <endpointvolume.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/MixerDevice.h"
#include "platform/win32/ComPtr.h"

namespace keytide::win32 {

class EndpointMixerDevice final : public platform::MixerDevice {
public:
    // A device over the default output, when Core Audio gives one whose
    // endpoint volume answers; nothing otherwise (Windows XP, no sound
    // output, an endpoint volume without channels).
    static std::unique_ptr<EndpointMixerDevice> ForDefaultOutput(const ComApartment& com);

    ~EndpointMixerDevice() override;

    // The endpoint's own change notifications are not asked for: nothing in
    // the program listens to the mixer's.
    void CreateNotificationWindow(platform::MixerNotificationSink&) override {}
    void DestroyNotificationWindow() override {}

    std::uint32_t DeviceCount() override;
    bool Open(std::uint32_t deviceId) override;
    void Close() override;
    std::optional<platform::MixerCaps> Caps(std::uint32_t deviceId) override;
    std::optional<platform::MixerLine> DestinationLine(std::uint32_t destination) override;
    std::optional<platform::MixerLine> SourceLine(std::uint32_t destination, std::uint32_t source) override;
    std::optional<std::vector<platform::MixerControl>> LineControls(std::uint32_t lineId, std::uint32_t count) override;
    std::optional<std::vector<std::uint32_t>> ControlValues(std::uint32_t controlId, std::uint32_t channels) override;
    bool SetControlValues(std::uint32_t controlId, const std::vector<std::uint32_t>& values) override;

private:
    explicit EndpointMixerDevice(ComPtr<IMMDeviceEnumerator> enumerator);

    // The endpoint volume of the output that is the default now: the user
    // may have switched to headphones since the last press.
    IAudioEndpointVolume* CurrentVolume();
    void ForgetEndpoint();

    ComPtr<IMMDeviceEnumerator> enumerator_;
    ComPtr<IAudioEndpointVolume> volume_;
    std::wstring endpointId_;  // whose volume_ it is
    bool open_ = false;
    std::uint32_t shownChannels_ = 0;  // the endpoint's channels when it was opened
};

// The master line's mixer device: the default output's endpoint volume where
// Core Audio gives one that answers, the winmm mixer otherwise.
std::unique_ptr<platform::MixerDevice> MakeMasterMixerDevice(const ComApartment& com);

}  // namespace keytide::win32
