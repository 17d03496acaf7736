// The keep-on-top timer runs while an OSD window is up, whoever shows and
// hides them: key presses, the time-out and the preview.
#include "osd/KeepOnTopWindows.h"

#include <gtest/gtest.h>

#include "doubles/OsdDoubles.h"
#include "osd/OsdController.h"

namespace keytide {
namespace {

using Lines = std::vector<std::string>;

TEST(KeepOnTopWindowsTest, RunsFromTheFirstShowingUntilBothWindowsAreHidden) {
    fakes::OsdLog log;
    fakes::RecordingOsdWindows windows{log};
    fakes::RecordingOsdTimer keepOnTopTimer{log, "on-top"};
    KeepOnTopWindows keptOnTop{windows, keepOnTopTimer};
    fakes::RecordingOsdTimer timeOutTimer{log};
    fakes::OsdMasterVolume volume{log};
    fakes::FakeMonitors monitors;
    Settings settings;
    settings.timeOutSeconds = 1;
    OsdController osd{OsdServices{keptOnTop, timeOutTimer, volume, monitors}, settings};
    // The windows' showing and hiding and the keep-on-top timer, in order.
    auto takeLog = [&] {
        Lines kept;
        for (const std::string& line : std::exchange(log, {})) {
            if (line.starts_with("show ") || line.starts_with("on-top ") || line == "hide text" ||
                line == "hide progress") {
                kept.push_back(line);
            }
        }
        return kept;
    };

    osd.ShowLabel("Vol+");
    osd.ShowVolumeBar();
    osd.ShowLabel("Vol+");  // a run of presses leaves its period alone
    osd.ShowVolumeBar();
    for (int tick = 0; tick < 11; ++tick) timeOutTimer.Tick();
    EXPECT_EQ(takeLog(), (Lines{"show text", "on-top start", "show progress", "show text", "show progress",
                                "hide text", "hide progress", "on-top stop"}));

    osd.ShowVolumeBar();  // the bar first, then the label
    osd.ShowLabel("Mute");
    osd.HideVolumeBar();  // the label is still up
    for (int tick = 0; tick < 11; ++tick) timeOutTimer.Tick();
    EXPECT_EQ(takeLog(), (Lines{"show progress", "on-top start", "show text", "hide progress", "hide text",
                                "on-top stop", "hide progress"}));

    osd.Preview(settings);
    timeOutTimer.Tick();
    EXPECT_EQ(takeLog(), (Lines{"show text", "on-top start", "show progress", "hide progress", "hide text",
                                "on-top stop"}));
    EXPECT_FALSE(keepOnTopTimer.running);
}

TEST(KeepOnTopWindowsTest, EachTickRaisesTheVisibleWindowsLabelFirst) {
    fakes::OsdLog log;
    fakes::RecordingOsdWindows windows{log};
    fakes::RecordingOsdTimer timer{log, "on-top"};
    KeepOnTopWindows keptOnTop{windows, timer};
    keptOnTop.Show(OsdWindow::Progress);
    keptOnTop.Show(OsdWindow::Text);
    EXPECT_EQ(timer.intervalMs, KeepOnTopWindows::kIntervalMs);
    log.clear();
    timer.Tick();
    EXPECT_EQ(log, (Lines{"top text", "top progress"}));

    windows.visible[0] = false;
    log.clear();
    timer.Tick();
    EXPECT_EQ(log, (Lines{"top progress"}));
}

}  // namespace
}  // namespace keytide
