#include "media/SoundThreadVolume.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace keytide {

struct SoundThreadVolume::Shared {
    Opener open;
    std::mutex mutex;
    std::condition_variable changed;
    // Under the mutex.
    bool started = false;
    bool busy = false;  // work handed over and not yet done
    std::function<void(MasterVolume&)> work;  // handed over, not yet taken
    std::uint64_t handedOver = 0;
    std::uint64_t done = 0;
    bool ending = false;
    bool ended = false;
};

SoundThreadVolume::SoundThreadVolume(Opener open, unsigned answerTimeoutMs)
    : answerTimeoutMs_(answerTimeoutMs), shared_(std::make_shared<Shared>()) {
    shared_->open = std::move(open);
}

SoundThreadVolume::~SoundThreadVolume() {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    shared_->ending = true;
    shared_->changed.notify_all();
    // A call that hangs keeps the thread: it ends after that call, if ever.
    if (!shared_->started || shared_->busy) return;
    // The volume goes on its own thread, where it was opened.
    shared_->changed.wait_for(lock, std::chrono::milliseconds(kEndTimeoutMs), [this] { return shared_->ended; });
}

void SoundThreadVolume::RunSoundThread(const std::shared_ptr<Shared>& shared) {
    std::unique_ptr<MasterVolume> volume;
    std::unique_lock<std::mutex> lock(shared->mutex);
    for (;;) {
        shared->changed.wait(lock, [&] { return shared->ending || shared->work; });
        if (!shared->work) break;
        const std::function<void(MasterVolume&)> work = std::exchange(shared->work, nullptr);
        lock.unlock();
        try {
            if (!volume) volume = shared->open();
            if (volume) work(*volume);
        } catch (...) {
            // A sound system that fails gives no value, as one that does not answer.
        }
        lock.lock();
        shared->busy = false;
        ++shared->done;
        shared->changed.notify_all();
    }
    lock.unlock();
    volume.reset();
    lock.lock();
    shared->ended = true;
    shared->changed.notify_all();
}

bool SoundThreadVolume::Call(std::function<void(MasterVolume&)> work) {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    if (!shared_->started) {
        shared_->started = true;
        try {
            std::thread([shared = shared_] { RunSoundThread(shared); }).detach();
        } catch (const std::system_error&) {
            shared_->busy = true;  // without a thread no call is ever free to run
        }
    }
    if (shared_->busy) return false;
    shared_->busy = true;
    shared_->work = std::move(work);
    const std::uint64_t ticket = ++shared_->handedOver;
    shared_->changed.notify_all();
    return shared_->changed.wait_for(lock, std::chrono::milliseconds(answerTimeoutMs_),
                                     [&] { return shared_->done >= ticket; });
}

VolumeLevels SoundThreadVolume::Read() {
    // Shared with the work, which may finish after the caller has given up.
    const auto levels = std::make_shared<VolumeLevels>();
    if (!Call([levels](MasterVolume& volume) { *levels = volume.Read(); })) return {};
    return *levels;
}

void SoundThreadVolume::Write(const VolumeLevels& levels) {
    Call([levels](MasterVolume& volume) { volume.Write(levels); });
}

}  // namespace keytide
