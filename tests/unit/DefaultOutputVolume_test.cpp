// The master volume follows the default output from call to call: a switch,
// an output that has gone, and the mixer where no endpoint volume answers.
#include "media/DefaultOutputVolume.h"

#include <gtest/gtest.h>

#include <map>

namespace keytide {
namespace {

struct Output {
    std::vector<float> levels{0.5f, 0.5f};
    bool muted = false;
    bool gone = false;
    bool tellsLevels = true;  // Wine's endpoint volume does not
};

class FakeEndpoint final : public platform::AudioEndpoint {
public:
    explicit FakeEndpoint(Output& output) : output_(output) {}
    std::optional<std::vector<float>> ChannelLevels() override {
        if (output_.gone || !output_.tellsLevels) return std::nullopt;
        return output_.levels;
    }
    bool SetChannelLevels(const std::vector<float>& levels) override {
        if (output_.gone) return false;
        output_.levels = levels;
        return true;
    }
    std::optional<bool> Muted() override { return output_.gone ? std::nullopt : std::optional<bool>(output_.muted); }
    bool SetMuted(bool muted) override { return !output_.gone && ((output_.muted = muted), true); }

private:
    Output& output_;
};

class FakeOutputs final : public platform::AudioOutputs {
public:
    std::optional<std::string> DefaultOutputId() override { return defaultId; }
    std::unique_ptr<platform::AudioEndpoint> Open(const std::string& id) override {
        ++opens;
        auto found = outputs.find(id);
        if (found == outputs.end() || found->second.gone) return nullptr;
        return std::make_unique<FakeEndpoint>(found->second);
    }
    std::map<std::string, Output> outputs{{"speakers", {}}, {"headset", {{0.25f, 0.25f}}}};
    std::optional<std::string> defaultId = "speakers";
    int opens = 0;
};

class FakeMixer final : public MasterVolume {
public:
    VolumeLevels Read() override { return {12345, 12345, 0}; }
    void Write(const VolumeLevels&) override {}
};

class DefaultOutputVolumeTest : public ::testing::Test {
protected:
    FakeOutputs outputs;
    int mixerOpens = 0;
    DefaultOutputVolume::MixerOpener openMixer = [this] {
        ++mixerOpens;
        return std::make_unique<FakeMixer>();
    };
    DefaultOutputVolume volume{&outputs, openMixer};
};

TEST_F(DefaultOutputVolumeTest, EachCallActsOnTheDefaultOfThatMoment) {
    EXPECT_EQ(volume.Read().left, 32768);
    outputs.defaultId = "headset";
    EXPECT_EQ(volume.Read().left, 16384);
    volume.Write({65535, 65535, 1});
    EXPECT_EQ(outputs.outputs["headset"].levels, (std::vector<float>{1.0f, 1.0f}));
    EXPECT_TRUE(outputs.outputs["headset"].muted);
    EXPECT_EQ(outputs.outputs["speakers"].levels, (std::vector<float>{0.5f, 0.5f}));
    EXPECT_EQ(volume.Read().left, 65535);
    EXPECT_EQ(outputs.opens, 2);  // each output opened once while it stays the default
    EXPECT_EQ(mixerOpens, 0);
}

TEST_F(DefaultOutputVolumeTest, AnOutputThatHasGoneGivesNoValueAndTheNextCallFindsTheNewDefault) {
    volume.Read();
    outputs.outputs["speakers"].gone = true;  // unplugged, still named the default
    const VolumeLevels none = volume.Read();
    EXPECT_EQ(none.left, -1);
    EXPECT_EQ(none.mute, -1);
    volume.Write({1000, 1000, 0});
    outputs.defaultId.reset();  // no output at all for a moment
    EXPECT_EQ(volume.Read().left, -1);
    outputs.defaultId = "headset";
    EXPECT_EQ(volume.Read().left, 16384);
    EXPECT_EQ(outputs.outputs["speakers"].levels, (std::vector<float>{0.5f, 0.5f}));
    EXPECT_EQ(mixerOpens, 0);  // nothing went elsewhere meanwhile

    // One that comes back under the same identity (a reset driver) is opened anew.
    outputs.defaultId = "speakers";
    outputs.outputs["speakers"].gone = false;
    outputs.outputs["speakers"].levels = {0.0f, 0.0f};
    EXPECT_EQ(volume.Read().left, 0);
}

TEST_F(DefaultOutputVolumeTest, WithoutAnEndpointVolumeThatAnswersTheMixerIsOpenedForEachNewDefault) {
    for (auto& [id, output] : outputs.outputs) output.tellsLevels = false;
    EXPECT_EQ(volume.Read().left, 12345);
    volume.Write({1000, 1000, 0});
    EXPECT_EQ(volume.Read().left, 12345);
    EXPECT_EQ(mixerOpens, 1);
    outputs.defaultId = "headset";
    volume.Read();
    EXPECT_EQ(mixerOpens, 2);

    DefaultOutputVolume withoutOutputs(nullptr, openMixer);
    EXPECT_EQ(withoutOutputs.Read().left, 12345);
    withoutOutputs.Read();
    EXPECT_EQ(mixerOpens, 3);
}

}  // namespace
}  // namespace keytide
