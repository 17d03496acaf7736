#pragma once
// The sound outputs through Core Audio, and their endpoint volumes.
#include <windows.h>
#include <mmdeviceapi.h>

#include <memory>

#include "platform/AudioEndpoint.h"
#include "platform/win32/ComPtr.h"

namespace keytide::win32 {

class Win32AudioOutputs final : public platform::AudioOutputs {
public:
    // Core Audio's outputs, for the calling thread, which must be in a COM
    // apartment; nothing before Windows Vista.
    static std::unique_ptr<Win32AudioOutputs> Create();

    // The default output for the console role, the one the taskbar shows.
    std::optional<std::string> DefaultOutputId() override;
    std::unique_ptr<platform::AudioEndpoint> Open(const std::string& id) override;

private:
    explicit Win32AudioOutputs(ComPtr<IMMDeviceEnumerator> enumerator) : enumerator_(std::move(enumerator)) {}

    ComPtr<IMMDeviceEnumerator> enumerator_;
};

}  // namespace keytide::win32
