// The three volume keys against the master volume: the step and its limits,
// mute kept on a volume change, parts without a value, and a volume that
// other programs change between presses.
#include "media/VolumeKeys.h"

#include <gtest/gtest.h>

#include <vector>

namespace keytide {
namespace {

// A master volume that holds what was last written, part by part.
class HeldVolume : public MasterVolume {
public:
    explicit HeldVolume(VolumeLevels start) : levels(start) {}
    VolumeLevels Read() override { return levels; }
    void Write(const VolumeLevels& written) override {
        writes.push_back(written);
        if (written.left != -1) levels.left = written.left;
        if (written.right != -1) levels.right = written.right;
        if (written.mute != -1) levels.mute = written.mute;
    }
    VolumeLevels levels;
    std::vector<VolumeLevels> writes;
};

enum class Press { Up, Down, Mute };

void PressKey(VolumeKeys& keys, Press press) {
    switch (press) {
    case Press::Up: keys.VolumeUp(); break;
    case Press::Down: keys.VolumeDown(); break;
    case Press::Mute: keys.ToggleMute(); break;
    }
}

bool operator==(const VolumeLevels& a, const VolumeLevels& b) {
    return a.left == b.left && a.right == b.right && a.mute == b.mute;
}

TEST(VolumeKeysTest, EachPressReadsChangesOnePartAndWritesTheRestBackAsRead) {
    struct Case {
        const char* name;
        VolumeLevels before;
        Press press;
        VolumeLevels written;
    };
    const Case cases[] = {
        {"up moves both channels", {30000, 20000, 0}, Press::Up, {31000, 21000, 0}},
        {"down moves both channels", {30000, 20000, 0}, Press::Down, {29000, 19000, 0}},
        {"up stops at 65535", {65000, 64600, 0}, Press::Up, {65535, 65535, 0}},
        {"channels are limited separately", {60000, 64600, 0}, Press::Up, {61000, 65535, 0}},
        {"down stops at 0", {500, 1500, 0}, Press::Down, {0, 500, 0}},
        {"a muted volume stays muted as it rises", {1000, 1000, 1}, Press::Up, {2000, 2000, 1}},
        {"one channel: the other stays without a value", {40000, -1, 0}, Press::Up, {41000, -1, 0}},
        {"mute switches on, the level stays", {12345, 54321, 0}, Press::Mute, {12345, 54321, 1}},
        {"mute switches off again", {12345, 54321, 1}, Press::Mute, {12345, 54321, 0}},
        {"an unknown mute state: the press mutes", {12345, 54321, -1}, Press::Mute, {12345, 54321, 1}},
        {"an unreadable level is not replaced by a made-up one", {-1, -1, 1}, Press::Up, {-1, -1, 1}},
    };
    for (const Case& c : cases) {
        HeldVolume volume(c.before);
        MasterVolumeKeys keys(volume);
        PressKey(keys, c.press);
        ASSERT_EQ(volume.writes.size(), 1u) << c.name;
        EXPECT_TRUE(volume.writes.front() == c.written) << c.name;
    }
}

TEST(VolumeKeysTest, SixtySixPressesCrossTheWholeRangeAndEveryPressReadsAfresh) {
    HeldVolume volume({0, 0, 0});
    MasterVolumeKeys keys(volume);
    for (int press = 0; press < 65; ++press) keys.VolumeUp();
    EXPECT_TRUE(volume.levels == (VolumeLevels{65000, 65000, 0}));
    keys.VolumeUp();
    EXPECT_TRUE(volume.levels == (VolumeLevels{65535, 65535, 0}));

    volume.levels = {50000, 40000, 0};  // another program changed it
    keys.VolumeDown();
    EXPECT_TRUE(volume.levels == (VolumeLevels{49000, 39000, 0}));
}

}  // namespace
}  // namespace keytide
