// The keep-on-top timer runs while an OSD window is up, whoever shows and
// hides them: key presses, the time-out and the preview.
#include "osd/KeepOnTopWindows.h"

#include <gtest/gtest.h>

#include "doubles/OsdDoubles.h"
#include "osd/OsdController.h"

namespace keytide {
namespace {

using Lines = std::vector<std::string>;

class KeepOnTopWindowsTest : public ::testing::Test {
protected:
    // The windows' showing and hiding and the keep-on-top timer, in order.
    Lines TakeVisibilityLog() {
        Lines kept;
        for (const std::string& line : std::exchange(log, {})) {
            if (line.starts_with("show ") || line == "hide text" || line == "hide progress" ||
                line.starts_with("on-top ")) {
                kept.push_back(line);
            }
        }
        return kept;
    }

    testing::OsdLog log;
    testing::RecordingOsdWindows windows{log};
    testing::RecordingOsdTimer keepOnTopTimer{log, "on-top"};
    KeepOnTopWindows keptOnTop{windows, keepOnTopTimer};
    testing::RecordingOsdTimer timeOutTimer{log};
    testing::RecordingPreviewHost host{log};
    testing::OsdMasterVolume volume{log};
    Settings settings;
    OsdCounters counters;
    OsdController osd{OsdServices{keptOnTop, timeOutTimer, host, volume}, settings, counters, nullptr};
};

TEST_F(KeepOnTopWindowsTest, KeyPressesRunItFromTheFirstShowingUntilBothAreHidden) {
    settings.timeOutIndex = 0;
    osd.ShowLabel("Vol+");
    osd.ShowVolumeBar();
    osd.ShowLabel("Vol+");  // a run of presses leaves its period alone
    osd.ShowVolumeBar();
    osd.HideVolumeBar();  // the label is still up
    for (int tick = 0; tick < 11; ++tick) osd.OnTimeOutTick();
    EXPECT_EQ(TakeVisibilityLog(), (Lines{"show text", "on-top start", "show progress", "show text", "show progress",
                                          "hide progress", "hide text", "on-top stop", "hide progress"}));

    osd.ShowVolumeBar();  // the bar alone
    osd.HideVolumeBar();
    EXPECT_EQ(TakeVisibilityLog(), (Lines{"show progress", "on-top start", "hide progress", "on-top stop"}));
    EXPECT_FALSE(keepOnTopTimer.running);
}

TEST_F(KeepOnTopWindowsTest, PreviewRunsItWhileItShowsBothWindows) {
    osd.Preview(settings);
    EXPECT_EQ(TakeVisibilityLog(), (Lines{"show text", "on-top start", "show progress", "hide progress", "hide text",
                                          "on-top stop"}));

    // Over a label from a key press the preview still ends with both hidden.
    osd.ShowLabel("Mute");
    osd.Preview(settings);
    EXPECT_EQ(TakeVisibilityLog(), (Lines{"show text", "on-top start", "show text", "show progress",
                                          "hide progress", "hide text", "on-top stop"}));
}

}  // namespace
}  // namespace keytide
