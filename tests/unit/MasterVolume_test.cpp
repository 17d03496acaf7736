// The three volume keys and the bar's reading, on the winmm mixer over a double:
// the step and its limits, mute kept on a volume change, lines without one of
// the controls, and no mixer at all.
#include <gtest/gtest.h>

#include "doubles/FakeMixerDevice.h"
#include "media/VolumeKeys.h"
#include "media/WinmmMixer.h"

namespace keytide {
namespace {

using platform::kMixerControlTypeMute;
using platform::kMixerControlTypeVolume;
using platform::kMixerControlUniform;
using fakes::FakeMixerDevice;
using Values = std::vector<std::uint32_t>;

constexpr std::uint32_t kVolumeId = 1;
constexpr std::uint32_t kMuteId = 2;

struct Line {
    bool volume = true;
    bool mute = true;
    bool uniformVolume = false;
};

FakeMixerDevice DeviceWith(Line line, Values level, std::uint32_t muted) {
    FakeMixerDevice device;
    std::vector<platform::MixerControl> controls;
    if (line.volume)
        controls.push_back(FakeMixerDevice::Control(kVolumeId, kMixerControlTypeVolume,
                                                    line.uniformVolume ? kMixerControlUniform : 0));
    if (line.mute) controls.push_back(FakeMixerDevice::Control(kMuteId, kMixerControlTypeMute, kMixerControlUniform));
    device.AddDestination(2, controls);
    device.values[kVolumeId] = std::move(level);
    device.values[kMuteId] = {muted};
    return device;
}

enum class Press { Up, Down, Mute };

void PressKey(MasterVolumeKeys& actions, Press press) {
    switch (press) {
    case Press::Up:
        actions.VolumeUp();
        break;
    case Press::Down:
        actions.VolumeDown();
        break;
    case Press::Mute:
        actions.ToggleMute();
        break;
    }
}

TEST(MasterVolumeTest, EachPressReadsChangesAndWritesBack) {
    struct Case {
        const char* name;
        Line line;
        Values level;
        std::uint32_t muted;
        Press press;
        Values levelAfter;
        std::uint32_t mutedAfter;
    };
    const Case cases[] = {
        {"up moves both channels", {}, {30000, 20000}, 0, Press::Up, {31000, 21000}, 0},
        {"down moves both channels", {}, {30000, 20000}, 0, Press::Down, {29000, 19000}, 0},
        {"up stops at 65535", {}, {65000, 64600}, 0, Press::Up, {65535, 65535}, 0},
        {"channels are limited separately", {}, {60000, 64600}, 0, Press::Up, {61000, 65535}, 0},
        {"down stops at 0", {}, {500, 1500}, 0, Press::Down, {0, 500}, 0},
        {"a muted line stays muted as it rises", {}, {1000, 1000}, 1, Press::Up, {2000, 2000}, 1},
        {"mute switches on, the level stays", {}, {12345, 54321}, 0, Press::Mute, {12345, 54321}, 1},
        {"mute switches off again", {}, {12345, 54321}, 1, Press::Mute, {12345, 54321}, 0},
        {"a uniform volume moves as one", {.uniformVolume = true}, {40000}, 0, Press::Up, {41000}, 0},
        {"without a mute control the volume still moves", {.mute = false}, {100, 100}, 0, Press::Up, {1100, 1100}, 0},
        {"without a mute control Mute changes nothing", {.mute = false}, {100, 200}, 0, Press::Mute, {100, 200}, 0},
        {"without a volume control Up changes nothing", {.volume = false}, {100, 200}, 1, Press::Up, {100, 200}, 1},
        {"without a volume control Down changes nothing", {.volume = false}, {100, 200}, 0, Press::Down, {100, 200}, 0},
        {"without a volume control Mute still switches", {.volume = false}, {100, 200}, 0, Press::Mute, {100, 200}, 1},
    };
    for (const Case& c : cases) {
        FakeMixerDevice device = DeviceWith(c.line, c.level, c.muted);
        WinmmMixer mixer(device);
        MasterVolumeKeys actions(mixer);
        PressKey(actions, c.press);
        EXPECT_EQ(device.values[kVolumeId], c.levelAfter) << c.name;
        EXPECT_EQ(device.values[kMuteId], Values{c.mutedAfter}) << c.name;
    }
}

TEST(MasterVolumeTest, AVolumeChangeWritesTheMuteSwitchBackAsRead) {
    FakeMixerDevice device = DeviceWith({}, {30000, 20000}, 1);
    WinmmMixer mixer(device);
    MasterVolumeKeys actions(mixer);
    actions.VolumeUp();
    EXPECT_EQ(device.Writes(), (std::vector<std::string>{"set 1 = 31000 21000", "set 2 = 1"}));
}

TEST(MasterVolumeTest, SixtySixPressesCrossTheWholeRange) {
    FakeMixerDevice device = DeviceWith({}, {0, 0}, 0);
    WinmmMixer mixer(device);
    MasterVolumeKeys actions(mixer);
    for (int press = 0; press < 65; ++press) actions.VolumeUp();
    EXPECT_EQ(device.values[kVolumeId], (Values{65000, 65000}));
    actions.VolumeUp();
    EXPECT_EQ(device.values[kVolumeId], (Values{65535, 65535}));
    for (int press = 0; press < 65; ++press) actions.VolumeDown();
    EXPECT_EQ(device.values[kVolumeId], (Values{535, 535}));
    actions.VolumeDown();
    EXPECT_EQ(device.values[kVolumeId], (Values{0, 0}));
}

TEST(MasterVolumeTest, EveryPressReadsTheDeviceAfresh) {
    FakeMixerDevice device = DeviceWith({}, {10000, 10000}, 0);
    WinmmMixer mixer(device);
    MasterVolumeKeys actions(mixer);
    actions.VolumeUp();
    device.values[kVolumeId] = {50000, 40000};  // another program changed it
    actions.VolumeUp();
    EXPECT_EQ(device.values[kVolumeId], (Values{51000, 41000}));
}

TEST(MasterVolumeTest, AnUnreadableVolumeIsNotOverwrittenWithAMadeUpLevel) {
    for (Press press : {Press::Up, Press::Down}) {
        FakeMixerDevice device = DeviceWith({}, {30000, 30000}, 1);
        device.refusedReads = {kVolumeId};
        WinmmMixer mixer(device);
        MasterVolumeKeys actions(mixer);
        PressKey(actions, press);
        EXPECT_EQ(device.values[kVolumeId], (Values{30000, 30000}));
        EXPECT_EQ(device.Writes(), (std::vector<std::string>{"set 2 = 1"}));
    }
}

TEST(MasterVolumeTest, TheBarReadsTheLevelAfterThePress) {
    FakeMixerDevice device = DeviceWith({}, {32768, 32000}, 0);
    WinmmMixer mixer(device);
    MasterVolumeKeys actions(mixer);
    actions.VolumeDown();
    const VolumeLevels level = mixer.Read();
    EXPECT_EQ(level.left, 31768);
    EXPECT_EQ(level.right, 31000);

    FakeMixerDevice uniform = DeviceWith({.uniformVolume = true}, {65535}, 0);
    WinmmMixer uniformMixer(uniform);
    const VolumeLevels single = uniformMixer.Read();
    EXPECT_EQ(single.left, 65535);
    EXPECT_EQ(single.right, -1);
}

TEST(MasterVolumeTest, WithoutAMixerNothingHappens) {
    FakeMixerDevice device = DeviceWith({}, {30000, 30000}, 0);
    device.deviceCount = 0;
    WinmmMixer mixer(device);
    MasterVolumeKeys actions(mixer);
    for (Press press : {Press::Up, Press::Down, Press::Mute}) PressKey(actions, press);
    EXPECT_TRUE(device.Writes().empty());
    const VolumeLevels level = mixer.Read();
    EXPECT_EQ(level.left, -1);
    EXPECT_EQ(level.right, -1);
}

}  // namespace
}  // namespace keytide
