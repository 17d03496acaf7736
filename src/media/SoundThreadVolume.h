#pragma once
// The master volume, reached on a thread of its own. A call into the sound
// system blocks its thread for as long as the sound service does not answer
// (Wine's PulseAudio driver waits on its server, Windows on a hung audio
// service), and the user-interface thread must never be that thread. The
// volume is opened on the sound thread at the first call, never before, and
// released there. Each call waits a bounded time for its answer; while a call
// that was given up on still hangs, later calls give no value at once and do
// not pile up behind it.
#include <functional>
#include <memory>

#include "media/MasterVolume.h"

namespace keytide {

class SoundThreadVolume final : public MasterVolume {
public:
    using Opener = std::function<std::unique_ptr<MasterVolume>()>;
    // About the time a first call takes to open the sound system on a busy
    // machine, with room to spare; a key press waits this long only once
    // while the sound service hangs.
    static constexpr unsigned kAnswerTimeoutMs = 500;
    // How long the end waits for the sound thread to release the volume.
    static constexpr unsigned kEndTimeoutMs = 1000;

    explicit SoundThreadVolume(Opener open, unsigned answerTimeoutMs = kAnswerTimeoutMs);
    ~SoundThreadVolume() override;
    SoundThreadVolume(const SoundThreadVolume&) = delete;
    SoundThreadVolume& operator=(const SoundThreadVolume&) = delete;

    // No value when the answer does not come in time.
    VolumeLevels Read() override;
    // Dropped while an earlier call still hangs.
    void Write(const VolumeLevels& levels) override;

private:
    struct Shared;
    static void RunSoundThread(const std::shared_ptr<Shared>& shared);
    // True once work has run within the time allowed.
    bool Call(std::function<void(MasterVolume&)> work);

    unsigned answerTimeoutMs_;
    std::shared_ptr<Shared> shared_;  // with the sound thread, which may outlive this object
};

}  // namespace keytide
