// The master volume on its sound thread: opened there at the first call and
// released there, and a sound system that does not answer holding neither the
// call nor the calls after it.
#include "media/SoundThreadVolume.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace keytide {
namespace {

// A master volume whose reads wait while the test holds `answer`, as a sound
// service that does not answer holds them.
struct SoundSystem {
    std::mutex answer;
    std::atomic<int> reads{0};
    std::atomic<int> writes{0};
    std::atomic<int> level{30000};
    std::thread::id openedOn, releasedOn;
};

class HeldVolume final : public MasterVolume {
public:
    explicit HeldVolume(SoundSystem& system) : system_(system) { system_.openedOn = std::this_thread::get_id(); }
    ~HeldVolume() override { system_.releasedOn = std::this_thread::get_id(); }
    VolumeLevels Read() override {
        ++system_.reads;
        const std::lock_guard<std::mutex> waited(system_.answer);
        return {system_.level, system_.level, 0};
    }
    void Write(const VolumeLevels& levels) override {
        ++system_.writes;
        system_.level = levels.left;
    }

private:
    SoundSystem& system_;
};

TEST(SoundThreadVolume, OpensAtTheFirstCallOnItsOwnThreadAndReleasesThere) {
    SoundSystem system;
    {
        SoundThreadVolume volume([&] { return std::make_unique<HeldVolume>(system); });
        EXPECT_EQ(system.openedOn, std::thread::id{});  // nothing before the first call
        EXPECT_EQ(volume.Read().left, 30000);
        volume.Write({31000, 31000, 0});  // at once after the answer: the thread is free again
        EXPECT_EQ(volume.Read().left, 31000);
    }
    EXPECT_NE(system.openedOn, std::this_thread::get_id());
    EXPECT_EQ(system.releasedOn, system.openedOn);
}

TEST(SoundThreadVolume, ASoundSystemThatDoesNotAnswerGivesNoValueAndHoldsNoLaterCall) {
    SoundSystem system;
    SoundThreadVolume volume([&] { return std::make_unique<HeldVolume>(system); }, 50);
    std::unique_lock<std::mutex> hung(system.answer);
    EXPECT_EQ(volume.Read().left, -1);
    // While that call hangs, the next ones are dropped, not queued behind it.
    volume.Write({1000, 1000, 0});
    EXPECT_EQ(volume.Read().mute, -1);
    EXPECT_EQ(system.reads, 1);
    EXPECT_EQ(system.writes, 0);

    // Once it answers, the calls after go through again.
    hung.unlock();
    VolumeLevels levels;
    for (int attempt = 0; attempt < 100 && levels.left == -1; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));  // until the held call has ended
        levels = volume.Read();
    }
    EXPECT_EQ(levels.left, 30000);
    volume.Write({1000, 1000, 0});
    EXPECT_EQ(system.level, 1000);
}

}  // namespace
}  // namespace keytide
