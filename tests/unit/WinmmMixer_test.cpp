// The mixer component against a device double: opening and closing, the
// snapshot of lines and controls, the walks of ReadLineVolume and
// WriteLineVolume, and the master line as the master volume.
#include "media/WinmmMixer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "doubles/FakeMixerDevice.h"

namespace keytide {
namespace {

using platform::kMixerControlMultiple;
using platform::kMixerControlTypeMute;
using platform::kMixerControlTypeVolume;
using platform::kMixerControlUniform;
using fakes::FakeMixerDevice;
using Values = std::vector<std::uint32_t>;

constexpr std::uint32_t kBass = 0x50030002;   // MIXERCONTROL_CONTROLTYPE_BASS
constexpr std::uint32_t kOnOff = 0x20010001;  // MIXERCONTROL_CONTROLTYPE_ONOFF

// A stereo master line with a per-channel volume (id 1) and a mute (id 2).
FakeMixerDevice StereoDevice(Values volume = {30000, 20000}, std::uint32_t mute = 0) {
    FakeMixerDevice device;
    device.AddDestination(2, {FakeMixerDevice::Control(1, kMixerControlTypeVolume),
                              FakeMixerDevice::Control(2, kMixerControlTypeMute, kMixerControlUniform)});
    device.values[1] = volume;
    device.values[2] = {mute};
    return device;
}

std::string Show(const LineVolumeValues& v) {
    return std::string(v.found ? "found" : "none") + " " + std::to_string(v.left) + " " + std::to_string(v.right) +
           " " + std::to_string(v.mute);
}

TEST(WinmmMixerTest, ConstructionOpensDeviceZeroAndDestructionClosesIt) {
    FakeMixerDevice device = StereoDevice();
    device.deviceCount = 2;
    {
        WinmmMixer mixer(device);
        EXPECT_EQ(mixer.MixerId(), 0);
        EXPECT_EQ(device.log, (std::vector<std::string>{"count", "open 0", "caps 0", "destination 0",
                                                        "controls 4294901760 x2"}));
        device.log.clear();
    }
    EXPECT_EQ(device.log, (std::vector<std::string>{"close"}));
}

TEST(WinmmMixerTest, WithoutAnOpenDeviceNothingIsReadOrWritten) {
    struct Case {
        const char* name;
        std::uint32_t deviceCount;
        bool openFails;
    };
    for (const Case& c : {Case{"no device", 0, false}, Case{"open refused", 1, true}}) {
        FakeMixerDevice device = StereoDevice();
        device.deviceCount = c.deviceCount;
        if (c.openFails) device.unopenable.insert(0);
        WinmmMixer mixer(device);
        EXPECT_EQ(mixer.MixerId(), -1) << c.name;
        EXPECT_FALSE(mixer.Destinations().has_value()) << c.name;
        EXPECT_EQ(Show(mixer.ReadLineVolume(0)), "none -1 -1 -1") << c.name;
        EXPECT_FALSE(mixer.WriteLineVolume(0, 100, 100, 1)) << c.name;
        EXPECT_TRUE(device.Writes().empty()) << c.name;
        mixer.SetMixerId(0);  // tries again: no device never opens, a refused one is asked again
        EXPECT_EQ(mixer.MixerId(), -1) << c.name;
    }
}

TEST(WinmmMixerTest, AssigningMixerIdClosesFirstAndStaysWithinTheDevices) {
    FakeMixerDevice device = StereoDevice();
    device.deviceCount = 3;
    WinmmMixer mixer(device);

    device.log.clear();
    mixer.SetMixerId(7);  // past the last device: the last one
    EXPECT_EQ(mixer.MixerId(), 2);
    ASSERT_GE(device.log.size(), 2u);
    EXPECT_EQ(device.log[0], "close");
    EXPECT_EQ(device.log[1], "open 2");

    mixer.SetMixerId(-1);  // closes only
    EXPECT_EQ(mixer.MixerId(), -1);
    EXPECT_FALSE(mixer.Destinations().has_value());
    EXPECT_FALSE(device.open);

    device.unopenable.insert(1);
    mixer.SetMixerId(0);
    device.log.clear();
    mixer.SetMixerId(1);  // refused: the open device is closed all the same
    EXPECT_EQ(mixer.MixerId(), -1);
    EXPECT_EQ(device.log, (std::vector<std::string>{"close", "open 1"}));

    mixer.CloseMixer();  // nothing open: no second mixerClose
    for (const std::string& entry : device.log) EXPECT_EQ(entry.rfind("!!", 0), std::string::npos) << entry;
}

TEST(WinmmMixerTest, SnapshotKeepsReadableLinesInOrderWithTheirControls) {
    FakeMixerDevice device;
    auto& speakers = device.AddDestination(2, {FakeMixerDevice::Control(1, kMixerControlTypeVolume)});
    FakeMixerDevice::Line wave;
    wave.line.lineId = 10;
    wave.line.controls = 1;
    wave.controls = {FakeMixerDevice::Control(11, kMixerControlTypeMute)};
    FakeMixerDevice::Line broken;
    broken.readable = false;
    FakeMixerDevice::Line cd;
    cd.line.lineId = 12;
    cd.line.controls = 1;
    cd.controlsReadable = false;
    cd.controls = {FakeMixerDevice::Control(13, kMixerControlTypeVolume)};
    speakers.sources = {wave, broken, cd};
    speakers.line.line.connections = 3;
    device.AddDestination(2, {}).line.readable = false;  // destination 1 cannot be read
    device.AddDestination(1, {FakeMixerDevice::Control(30, kMixerControlTypeVolume)});
    device.values[30] = {777};

    WinmmMixer mixer(device);
    ASSERT_TRUE(mixer.Destinations().has_value());
    const MixerDestinations& lines = *mixer.Destinations();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].line.lineId, 0xFFFF0000u);
    ASSERT_EQ(lines[0].connections.size(), 2u);  // the unreadable source is left out
    EXPECT_EQ(lines[0].connections[0].line.lineId, 10u);
    EXPECT_EQ(lines[0].connections[0].controls.items.size(), 1u);
    EXPECT_EQ(lines[0].connections[1].line.lineId, 12u);
    EXPECT_TRUE(lines[0].connections[1].controls.items.empty());  // refused: empty list
    EXPECT_EQ(lines[1].line.lineId, 0xFFFF0002u);                 // destination 2 moved up
    // Destination indices follow the snapshot, not the device.
    EXPECT_EQ(mixer.ReadLineVolume(1).left, 777);
    EXPECT_FALSE(mixer.ReadLineVolume(2).found);
    EXPECT_FALSE(mixer.ReadLineVolume(-1).found);
    // Sources are listed before the destination's own controls are fetched.
    const auto& log = device.log;
    auto at = [&](const std::string& entry) { return std::find(log.begin(), log.end(), entry) - log.begin(); };
    EXPECT_LT(at("source 0.2"), at("controls 4294901760 x1"));
}

TEST(WinmmMixerTest, ReadingTakesTheFirstReadableVolumeAndMute) {
    struct Case {
        const char* name;
        std::uint32_t channels;
        std::vector<platform::MixerControl> controls;
        std::map<std::uint32_t, Values> values;
        std::set<std::uint32_t> refused;
        std::string expected;  // found left right mute
        std::vector<std::string> requests;
    };
    using C = FakeMixerDevice;
    const Case cases[] = {
        {"stereo volume and mute",
         2,
         {C::Control(1, kMixerControlTypeVolume), C::Control(2, kMixerControlTypeMute)},
         {{1, {30000, 20000}}, {2, {0, 0}}},
         {},
         "found 30000 20000 0",
         {"get 1 x2", "get 2 x2"}},
        {"uniform volume: one channel, right stays -1",
         2,
         {C::Control(1, kMixerControlTypeVolume, kMixerControlUniform)},
         {{1, {40000}}},
         {},
         "found 40000 -1 -1",
         {"get 1 x1"}},
        {"mono line",
         1,
         {C::Control(1, kMixerControlTypeVolume), C::Control(2, kMixerControlTypeMute)},
         {{1, {5}}, {2, {7}}},
         {},
         "found 5 -1 1",
         {"get 1 x1", "get 2 x1"}},
        {"other controls and multiple-item ones are passed over",
         2,
         {C::Control(3, kBass), C::Control(4, kOnOff), C::Control(5, kMixerControlTypeVolume, kMixerControlMultiple),
          C::Control(6, kMixerControlTypeMute, kMixerControlMultiple), C::Control(1, kMixerControlTypeVolume),
          C::Control(2, kMixerControlTypeMute)},
         {{3, {1}}, {4, {1}}, {5, {9}}, {6, {1}}, {1, {100, 200}}, {2, {0}}},
         {},
         "found 100 200 0",
         {"get 1 x2", "get 2 x2"}},
        {"a refused read moves on to the next control of its kind",
         2,
         {C::Control(1, kMixerControlTypeVolume), C::Control(2, kMixerControlTypeMute),
          C::Control(8, kMixerControlTypeVolume), C::Control(9, kMixerControlTypeMute)},
         {{1, {1, 1}}, {2, {0}}, {8, {8000, 9000}}, {9, {1}}},
         {1},
         "found 8000 9000 0",
         {"get 1 x2", "get 2 x2", "get 8 x2"}},
        {"the walk ends once both are found",
         2,
         {C::Control(2, kMixerControlTypeMute), C::Control(1, kMixerControlTypeVolume),
          C::Control(8, kMixerControlTypeVolume)},
         {{1, {10, 20}}, {2, {0}}, {8, {0, 0}}},
         {},
         "found 10 20 0",
         {"get 2 x2", "get 1 x2"}},
        {"no mute control",
         2,
         {C::Control(1, kMixerControlTypeVolume)},
         {{1, {1, 2}}},
         {},
         "found 1 2 -1",
         {"get 1 x2"}},
        {"no volume control",
         2,
         {C::Control(2, kMixerControlTypeMute, kMixerControlUniform)},
         {{2, {1}}},
         {},
         "found -1 -1 1",
         {"get 2 x1"}},
        {"every read refused",
         2,
         {C::Control(1, kMixerControlTypeVolume), C::Control(2, kMixerControlTypeMute)},
         {{1, {1, 2}}, {2, {1}}},
         {1, 2},
         "found -1 -1 -1",
         {"get 1 x2", "get 2 x2"}},
        {"no controls at all", 2, {}, {}, {}, "found -1 -1 -1", {}},
    };
    for (const Case& c : cases) {
        FakeMixerDevice device;
        device.AddDestination(c.channels, c.controls);
        device.values = c.values;
        device.refusedReads = c.refused;
        WinmmMixer mixer(device);
        device.log.clear();
        EXPECT_EQ(Show(mixer.ReadLineVolume(0)), c.expected) << c.name;
        EXPECT_EQ(device.log, c.requests) << c.name;
    }
}

TEST(WinmmMixerTest, WritingSetsTheFirstVolumeAndMuteOnceEach) {
    struct Case {
        const char* name;
        std::uint32_t channels;
        std::vector<platform::MixerControl> controls;
        std::int32_t left, right, mute;
        std::set<std::uint32_t> refusedWrites;
        std::vector<std::string> writes;
    };
    using C = FakeMixerDevice;
    const std::vector<platform::MixerControl> stereo = {
        C::Control(3, kBass), C::Control(1, kMixerControlTypeVolume), C::Control(2, kMixerControlTypeMute),
        C::Control(8, kMixerControlTypeVolume), C::Control(9, kMixerControlTypeMute)};
    const Case cases[] = {
        {"both channels and mute", 2, stereo, 31000, 21000, 0, {}, {"set 1 = 31000 21000", "set 2 = 0 0"}},
        {"right -1 writes left to both", 2, stereo, 5000, -1, 1, {}, {"set 1 = 5000 5000", "set 2 = 1 1"}},
        {"left -1 leaves the volume alone", 2, stereo, -1, 7, 1, {}, {"set 2 = 1 1"}},
        {"mute -1 leaves the switch alone", 2, stereo, 10, 20, -1, {}, {"set 1 = 10 20"}},
        {"nothing to write", 2, stereo, -1, -1, -1, {}, {}},
        {"a refused write is not retried on another control",
         2,
         stereo,
         10,
         20,
         1,
         {1, 2},
         {"set 1 = 10 20", "set 2 = 1 1"}},
        {"uniform controls take one value",
         2,
         {C::Control(1, kMixerControlTypeVolume, kMixerControlUniform),
          C::Control(2, kMixerControlTypeMute, kMixerControlUniform)},
         64000,
         -1,
         1,
         {},
         {"set 1 = 64000", "set 2 = 1"}},
        {"channels past the second follow the second",
         4,
         {C::Control(1, kMixerControlTypeVolume)},
         100,
         200,
         -1,
         {},
         {"set 1 = 100 200 200 200"}},
        {"multiple-item controls are passed over",
         2,
         {C::Control(5, kMixerControlTypeVolume, kMixerControlMultiple), C::Control(1, kMixerControlTypeVolume)},
         1,
         2,
         -1,
         {},
         {"set 1 = 1 2"}},
        {"no volume control", 2, {C::Control(2, kMixerControlTypeMute)}, 1, 2, 0, {}, {"set 2 = 0 0"}},
    };
    for (const Case& c : cases) {
        FakeMixerDevice device;
        device.AddDestination(c.channels, c.controls);
        device.refusedWrites = c.refusedWrites;
        WinmmMixer mixer(device);
        EXPECT_TRUE(mixer.WriteLineVolume(0, c.left, c.right, c.mute)) << c.name;
        EXPECT_EQ(device.Writes(), c.writes) << c.name;
    }

    FakeMixerDevice device = StereoDevice();
    WinmmMixer mixer(device);
    EXPECT_FALSE(mixer.WriteLineVolume(1, 1, 1, 1));  // no such destination
    EXPECT_TRUE(device.Writes().empty());
}

TEST(WinmmMixerTest, TheMasterVolumeIsTheFirstDestinationLine) {
    FakeMixerDevice device = StereoDevice({30000, 20000}, 1);
    device.AddDestination(2, {FakeMixerDevice::Control(3, kMixerControlTypeVolume)});
    device.values[3] = {5, 5};
    WinmmMixer mixer(device);
    const VolumeLevels levels = mixer.Read();
    EXPECT_EQ(levels.left, 30000);
    EXPECT_EQ(levels.right, 20000);
    EXPECT_EQ(levels.mute, 1);
    mixer.Write({100, -1, -1});
    EXPECT_EQ(device.Writes(), (std::vector<std::string>{"set 1 = 100 100"}));
    EXPECT_EQ(device.values[3], (Values{5, 5}));
}

}  // namespace
}  // namespace keytide
