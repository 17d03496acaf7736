// The endpoint volume as the master volume: the mapping between the 0..65535
// scale and the endpoint's 0.0..1.0 level, the channels, and the three volume
// keys walking the endpoint while its levels are kept as it keeps them, as
// floats.
#include "media/EndpointScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "media/EndpointMasterVolume.h"
#include "media/VolumeKeys.h"

namespace keytide {
namespace {

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

TEST(EndpointScaleTest, ChannelsMeetLeftAndRight) {
    struct Read {
        Scalars scalars;
        int left;
        int right;
    };
    for (const Read& c : {Read{{1.0f, 0.5f}, 65535, 32768}, Read{{0.5f}, 32768, -1}, Read{{}, -1, -1},
                          Read{{0.0f, 1.0f, 0.25f}, 0, 65535}}) {
        const VolumeLevels levels = LevelsFromScalars(c.scalars);
        EXPECT_EQ(levels.left, c.left) << c.scalars.size() << " channels";
        EXPECT_EQ(levels.right, c.right) << c.scalars.size() << " channels";
    }

    struct Write {
        VolumeLevels levels;
        std::size_t channels;
        Scalars scalars;
    };
    const Write writes[] = {
        {{65535, 0}, 2, {1.0f, 0.0f}},
        {{65535, -1}, 2, {1.0f, 1.0f}},  // one value: every channel
        {{65535, 0}, 1, {1.0f}},
        {{65535, 0}, 4, {1.0f, 0.0f, 0.0f, 0.0f}},  // channels past the second follow it
        {{-1, 0}, 2, {}},
        {{65535, 0}, 0, {}},
    };
    for (const Write& c : writes) {
        EXPECT_EQ(ScalarsFromLevels(c.levels, c.channels), c.scalars) << c.levels.left << "/" << c.levels.right;
    }
}

// An endpoint that keeps its levels as floats, as Core Audio does.
class FakeEndpoint : public platform::AudioEndpoint {
public:
    explicit FakeEndpoint(Scalars levels) : scalars(std::move(levels)) {}

    std::optional<std::vector<float>> ChannelLevels() override { return scalars; }
    bool SetChannelLevels(const std::vector<float>& levels) override {
        if (levels.size() != scalars.size()) return false;
        scalars = levels;
        return true;
    }
    std::optional<bool> Muted() override { return muted; }
    bool SetMuted(bool mute) override {
        muted = mute;
        return true;
    }

    Values Levels() const {
        Values values;
        for (float scalar : scalars) values.push_back(LevelFromScalar(scalar));
        return values;
    }

    Scalars scalars;
    bool muted = false;
};

TEST(EndpointScaleTest, VolumeKeysWalkTheEndpointInWholeSteps) {
    FakeEndpoint endpoint({0.0f, 0.0f});
    EndpointMasterVolume volume(endpoint);
    MasterVolumeKeys keys(volume);

    for (std::uint32_t press = 1; press <= 65; ++press) {
        keys.VolumeUp();
        ASSERT_EQ(endpoint.Levels(), (Values{press * 1000, press * 1000})) << "press " << press;
    }
    keys.VolumeUp();
    EXPECT_EQ(endpoint.scalars, (Scalars{1.0f, 1.0f}));
    EXPECT_EQ(volume.Read().left, 65535);
    EXPECT_EQ(volume.Read().right, 65535);

    keys.ToggleMute();
    EXPECT_TRUE(endpoint.muted);
    for (int press = 0; press < 10; ++press) keys.VolumeDown();
    EXPECT_EQ(endpoint.Levels(), (Values{55535, 55535}));
    EXPECT_TRUE(endpoint.muted) << "a volume change switched mute off";
    keys.ToggleMute();
    EXPECT_FALSE(endpoint.muted);
    EXPECT_EQ(endpoint.Levels(), (Values{55535, 55535})) << "mute moved the level";

    for (int press = 0; press < 60; ++press) keys.VolumeDown();
    EXPECT_EQ(endpoint.scalars, (Scalars{0.0f, 0.0f}));
}

TEST(EndpointScaleTest, ChannelBalanceAndSingleChannelEndpoints) {
    {
        FakeEndpoint stereo({ScalarFromLevel(30000), ScalarFromLevel(20000)});
        EndpointMasterVolume volume(stereo);
        MasterVolumeKeys(volume).VolumeUp();
        EXPECT_EQ(stereo.Levels(), (Values{31000, 21000}));
    }
    {
        FakeEndpoint mono({ScalarFromLevel(30000)});
        EndpointMasterVolume volume(mono);
        MasterVolumeKeys(volume).VolumeUp();
        EXPECT_EQ(mono.Levels(), (Values{31000}));
        const VolumeLevels read = volume.Read();
        EXPECT_EQ(read.left, 31000);
        EXPECT_EQ(read.right, -1);
    }
    {
        // Channels past the second follow the second.
        FakeEndpoint surround({0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
        EndpointMasterVolume volume(surround);
        MasterVolumeKeys(volume).VolumeDown();
        EXPECT_EQ(surround.Levels(), (Values(6, 31768)));
    }
}

}  // namespace
}  // namespace keytide
