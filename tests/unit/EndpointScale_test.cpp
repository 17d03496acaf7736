// The endpoint volume as a mixer master line: the mapping between the mixer's
// 0..65535 scale and the endpoint's 0.0..1.0 level, the line and controls it
// is shown as, and the three volume actions walking that line while the
// levels are kept as the endpoint keeps them, as floats.
#include "media/EndpointScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "doubles/FakeMixerDevice.h"
#include "media/MasterVolumeActions.h"

namespace keytide {
namespace {

using testing::FakeMixerDevice;
using Values = std::vector<std::uint32_t>;
using Scalars = std::vector<float>;

TEST(EndpointScaleTest, EveryLevelWrittenReadsBackTheSame) {
    for (std::uint32_t level = 0; level <= kEndpointLevelMaximum; ++level) {
        const float scalar = ScalarFromLevel(level);
        ASSERT_EQ(LevelFromScalar(scalar), level) << "scalar " << scalar;
        ASSERT_GE(scalar, 0.0f);
        ASSERT_LE(scalar, 1.0f);
    }
}

TEST(EndpointScaleTest, ScaleEndsAndLevelsOutsideThemAreHeld) {
    EXPECT_EQ(ScalarFromLevel(0), 0.0f);
    EXPECT_EQ(ScalarFromLevel(65535), 1.0f);
    EXPECT_EQ(ScalarFromLevel(70000), 1.0f);
    EXPECT_EQ(ScalarFromLevel(0xFFFFFFFF), 1.0f);  // a -1 that slipped through

    struct Case {
        float scalar;
        std::uint32_t level;
    };
    for (const Case& c : {Case{0.0f, 0}, Case{1.0f, 65535}, Case{-0.25f, 0}, Case{1.5f, 65535},
                          Case{std::numeric_limits<float>::quiet_NaN(), 0}, Case{0.5f, 32768},  // 32767.5 rounds up
                          Case{0.25f, 16384}, Case{1.0f / 65535.0f, 1}, Case{0.4f / 65535.0f, 0},
                          Case{std::nextafter(1.0f, 0.0f), 65535}}) {
        EXPECT_EQ(LevelFromScalar(c.scalar), c.level) << "scalar " << c.scalar;
    }
}

TEST(EndpointScaleTest, LineShowsTheEndpointsChannelsWithUniformVolumeForOne) {
    struct Case {
        std::uint32_t endpointChannels;
        std::uint32_t lineChannels;
        bool uniformVolume;
    };
    for (const Case& c : {Case{2, 2, false}, Case{1, 1, true}, Case{0, 1, true}, Case{6, 6, false}}) {
        const platform::MixerLine line = EndpointMasterLine(c.endpointChannels);
        const std::vector<platform::MixerControl> controls = EndpointMasterControls(c.endpointChannels);
        EXPECT_EQ(line.lineId, kEndpointLineId);
        EXPECT_EQ(line.channels, c.lineChannels) << c.endpointChannels;
        EXPECT_EQ(line.controls, controls.size());
        ASSERT_EQ(controls.size(), 2u);
        EXPECT_EQ(controls[0].controlId, kEndpointVolumeControlId);
        EXPECT_EQ(controls[0].controlType, platform::kMixerControlTypeVolume);
        EXPECT_EQ((controls[0].controlFlags & platform::kMixerControlUniform) != 0, c.uniformVolume)
            << c.endpointChannels;
        EXPECT_EQ(controls[1].controlId, kEndpointMuteControlId);
        EXPECT_EQ(controls[1].controlType, platform::kMixerControlTypeMute);
        EXPECT_EQ(controls[1].controlFlags, platform::kMixerControlUniform);
    }
    EXPECT_EQ(EndpointMixerCaps().destinations, 1u);
}

TEST(EndpointScaleTest, ValuesAndChannelsMeetWhenTheirCountsDiffer) {
    // The default output can change between the snapshot and a press.
    EXPECT_EQ(ValuesFromChannelScalars({1.0f, 0.5f}, 2), (Values{65535, 32768}));
    EXPECT_EQ(ValuesFromChannelScalars({1.0f, 0.5f}, 1), (Values{65535}));  // uniform read: the first channel
    EXPECT_EQ(ValuesFromChannelScalars({0.5f}, 2), (Values{32768, 32768}));
    EXPECT_EQ(ValuesFromChannelScalars({0.5f}, 0), (Values{32768}));
    EXPECT_TRUE(ValuesFromChannelScalars({}, 2).empty());

    EXPECT_EQ(ChannelScalarsFromValues({65535, 0}, 2), (Scalars{1.0f, 0.0f}));
    EXPECT_EQ(ChannelScalarsFromValues({65535}, 2), (Scalars{1.0f, 1.0f}));  // uniform write: every channel
    EXPECT_EQ(ChannelScalarsFromValues({65535, 0}, 1), (Scalars{1.0f}));
    EXPECT_EQ(ChannelScalarsFromValues({65535, 0}, 4), (Scalars{1.0f, 0.0f, 0.0f, 0.0f}));
    EXPECT_TRUE(ChannelScalarsFromValues({}, 2).empty());
    EXPECT_TRUE(ChannelScalarsFromValues({65535}, 0).empty());
}

// The master line as the endpoint device shows it, its levels kept as the
// endpoint keeps them (floats) and its mute as a switch.
class EndpointLikeDevice : public FakeMixerDevice {
public:
    explicit EndpointLikeDevice(Scalars levels) : scalars(std::move(levels)) {
        const auto endpointChannels = static_cast<std::uint32_t>(scalars.size());
        caps = EndpointMixerCaps();
        AddDestination(EndpointMasterLine(endpointChannels).channels, EndpointMasterControls(endpointChannels));
    }

    Scalars scalars;
    bool muted = false;

    std::optional<std::vector<std::uint32_t>> ControlValues(std::uint32_t controlId, std::uint32_t channels) override {
        FakeMixerDevice::ControlValues(controlId, channels);  // logged
        if (controlId == kEndpointMuteControlId) return Values(std::max<std::uint32_t>(channels, 1), muted ? 1 : 0);
        return ValuesFromChannelScalars(scalars, channels);
    }
    bool SetControlValues(std::uint32_t controlId, const std::vector<std::uint32_t>& newValues) override {
        FakeMixerDevice::SetControlValues(controlId, newValues);  // logged
        if (controlId == kEndpointMuteControlId) {
            muted = newValues.at(0) != 0;
        } else {
            scalars = ChannelScalarsFromValues(newValues, static_cast<std::uint32_t>(scalars.size()));
        }
        return true;
    }

    Values Levels() const { return ValuesFromChannelScalars(scalars, static_cast<std::uint32_t>(scalars.size())); }
};

TEST(EndpointScaleTest, VolumeKeysWalkTheEndpointInWholeSteps) {
    EndpointLikeDevice device({0.0f, 0.0f});
    WinmmMixer mixer(device);
    MasterVolumeActions actions(mixer);

    for (std::uint32_t press = 1; press <= 65; ++press) {
        actions.VolumeUp();
        ASSERT_EQ(device.Levels(), (Values{press * 1000, press * 1000})) << "press " << press;
    }
    actions.VolumeUp();
    EXPECT_EQ(device.scalars, (Scalars{1.0f, 1.0f}));
    EXPECT_EQ(actions.ReadMasterVolume().left, 65535);
    EXPECT_EQ(actions.ReadMasterVolume().right, 65535);

    actions.ToggleMute();
    EXPECT_TRUE(device.muted);
    for (int press = 0; press < 10; ++press) actions.VolumeDown();
    EXPECT_EQ(device.Levels(), (Values{55535, 55535}));
    EXPECT_TRUE(device.muted) << "a volume change switched mute off";
    actions.ToggleMute();
    EXPECT_FALSE(device.muted);
    EXPECT_EQ(device.Levels(), (Values{55535, 55535})) << "mute moved the level";

    for (int press = 0; press < 60; ++press) actions.VolumeDown();
    EXPECT_EQ(device.scalars, (Scalars{0.0f, 0.0f}));
}

TEST(EndpointScaleTest, ChannelBalanceAndSingleChannelEndpoints) {
    {
        EndpointLikeDevice stereo({ScalarFromLevel(30000), ScalarFromLevel(20000)});
        WinmmMixer mixer(stereo);
        MasterVolumeActions actions(mixer);
        actions.VolumeUp();
        EXPECT_EQ(stereo.Levels(), (Values{31000, 21000}));
    }
    {
        EndpointLikeDevice mono({ScalarFromLevel(30000)});
        WinmmMixer mixer(mono);
        MasterVolumeActions actions(mixer);
        actions.VolumeUp();
        EXPECT_EQ(mono.Levels(), (Values{31000}));
        EXPECT_EQ(mono.Writes().front(), "set 1 = 31000");  // one value: the control is uniform
        const LineVolume read = actions.ReadMasterVolume();
        EXPECT_EQ(read.left, 31000);
        EXPECT_EQ(read.right, -1);
    }
    {
        // Channels past the second follow the second, as the mixer writes them.
        EndpointLikeDevice surround({0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
        WinmmMixer mixer(surround);
        MasterVolumeActions actions(mixer);
        actions.VolumeDown();
        EXPECT_EQ(surround.Levels(), (Values(6, 31768)));
    }
}

}  // namespace
}  // namespace keytide
