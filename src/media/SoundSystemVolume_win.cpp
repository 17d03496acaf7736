#include "media/SoundSystemVolume_win.h"

#include "media/DefaultOutputVolume.h"
#include "media/WinmmMasterVolume_win.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/Win32AudioEndpoint.h"

namespace keytide::win32 {

namespace {

class SoundSystemVolume final : public MasterVolume {
public:
    SoundSystemVolume()
        : outputs_(com_.usable() ? Win32AudioOutputs::Create() : nullptr),
          volume_(outputs_.get(), [] { return std::make_unique<WinmmMasterVolume>(); }) {}

    VolumeLevels Read() override { return volume_.Read(); }
    void Write(const VolumeLevels& levels) override { volume_.Write(levels); }

private:
    // The thread has no message loop: the multithreaded apartment. Made first,
    // left last.
    ComApartment com_{COINIT_MULTITHREADED};
    std::unique_ptr<Win32AudioOutputs> outputs_;
    DefaultOutputVolume volume_;
};

}  // namespace

std::unique_ptr<MasterVolume> OpenSoundSystemVolume() { return std::make_unique<SoundSystemVolume>(); }

}  // namespace keytide::win32
