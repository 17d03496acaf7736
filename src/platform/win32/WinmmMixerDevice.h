#pragma once
// The mixer device through winmm.
#include <windows.h>
#include <mmsystem.h>

#include "platform/MixerDevice.h"
#include "platform/win32/UniqueHandle.h"

namespace keytide::win32 {

class WinmmMixerDevice final : public platform::MixerDevice {
public:
    WinmmMixerDevice() = default;
    ~WinmmMixerDevice() override;
    WinmmMixerDevice(const WinmmMixerDevice&) = delete;
    WinmmMixerDevice& operator=(const WinmmMixerDevice&) = delete;

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
    std::optional<platform::MixerLine> LineInfo(MIXERLINEA& line, DWORD query);
    HMIXEROBJ Object() const { return reinterpret_cast<HMIXEROBJ>(mixer_.get()); }

    UniqueHmixer mixer_;
};

}  // namespace keytide::win32
