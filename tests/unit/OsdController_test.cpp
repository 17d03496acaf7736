// The label, the volume bar, the time-out, the stacking and the preview, seen
// through recording doubles of the OSD windows, the timer and the thread.
#include <gtest/gtest.h>

#include <algorithm>

#include "doubles/OsdDoubles.h"
#include "osd/OsdController.h"

namespace keytide {
namespace {

using fakes::OsdLog;
using Lines = std::vector<std::string>;

class OsdControllerTest : public ::testing::Test {
protected:
    OsdControllerTest() {
        settings.fontName = "Arial";
        settings.osdSize = OsdSize::Large;
        settings.timeOutSeconds = 1;
    }

    Lines TakeLog() { return std::exchange(log, {}); }

    OsdLog log;
    fakes::RecordingOsdWindows windows{log};
    fakes::RecordingOsdTimer timer{log};
    fakes::RecordingPreviewHost host{log};
    fakes::OsdMasterVolume volume{log};
    fakes::FakeMonitors monitors;
    Settings settings;
    OsdController osd{OsdServices{windows, timer, host, volume, monitors}, settings};
};

TEST_F(OsdControllerTest, LabelIsShapedPlacedColouredShownAndTimed) {
    osd.ShowLabel("Vol+");
    EXPECT_EQ(TakeLog(), (Lines{"shape text \"Vol+\" font \"Arial\" 57pt bold in 1024x768", "bounds text 25,15 999x384",
                                "color text 0000FF00", "disable text", "show text",
                                "timer start"}));
    EXPECT_TRUE(windows.IsVisible(OsdWindow::Text));
}

TEST_F(OsdControllerTest, TheLastKeysLabelIsNotBuiltAgainWhileItIsUp) {
    osd.ShowKeyLabel(4, "Mail");
    osd.KeyDone(4);
    TakeLog();
    osd.ShowKeyLabel(4, "Mail");
    EXPECT_TRUE(TakeLog().empty());

    osd.ShowKeyLabel(5, "WWW");  // another key
    osd.KeyDone(5);
    EXPECT_FALSE(TakeLog().empty());

    windows.visible[0] = false;  // the label timed out
    osd.ShowKeyLabel(5, "WWW");
    EXPECT_FALSE(TakeLog().empty());
}

TEST_F(OsdControllerTest, LabelFollowsTheSettingsAndScreenOfTheMoment) {
    settings.fontName = "Courier New";
    settings.bold = false;
    settings.italic = true;
    settings.osdSize = std::nullopt;
    settings.osdColor = 0x8000000F;
    monitors.layout = {{{0, 0, 1920, 1080}}, 0};
    osd.ShowLabel("");
    const Lines lines = TakeLog();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "shape text \"\" font \"Courier New\" 0pt italic in 1920x1080");
    EXPECT_EQ(lines[1], "bounds text 48,21 1872x540");
    EXPECT_EQ(lines[2], "color text 8000000F");
}

// Each press takes the screen in use (OsdLayout_test has the choice): one
// whose screen changed builds label and bar anew there, in its sizes.
TEST_F(OsdControllerTest, EachPressPlacesLabelAndBarOnTheScreenInUse) {
    volume.volume = {32768, 32768};  // 20 steps
    const auto press = [&] {
        osd.ShowKeyLabel(6, "Vol+");
        osd.ShowVolumeBar();
        osd.KeyDone(6);
        return TakeLog();
    };
    press();
    monitors.layout = {{{0, 0, 1024, 768}, {-1920, -300, 1920, 1080}}, 1};
    const Lines moved = press();  // the same key, its label up, the foreground window moved
    for (const char* line : {"shape text \"Vol+\" font \"Arial\" 81pt bold in 1920x1080",
                             "bounds text -1872,-279 1872x540", "shape progress h=108 style=rounded across 1920",
                             "bounds progress -1920,626 960x367"}) {
        EXPECT_NE(std::find(moved.begin(), moved.end(), line), moved.end()) << line;
    }
    for (const std::string& line : press()) EXPECT_FALSE(line.starts_with("shape ")) << line;  // again there
    osd.Preview(settings);
    const Lines preview = TakeLog();
    EXPECT_NE(std::find(preview.begin(), preview.end(), "bounds text -1872,-279 1872x540"), preview.end());
}

TEST_F(OsdControllerTest, VolumeBarIsBuiltOnceARunAndFollowsTheVolume) {
    volume.volume = {11466, 11466};  // 22932 div 3276 = 7 steps
    osd.ShowVolumeBar();
    EXPECT_EQ(TakeLog(), (Lines{"shape progress h=76 style=rounded across 1024", "read volume",
                                "color progress 0000FF00", "bounds progress 0,659 175x367", "disable progress",
                                "show progress"}));

    volume.volume = {13104, 13104};  // 8 steps; the bar is visible: no new shape
    osd.ShowVolumeBar();
    EXPECT_EQ(TakeLog(), (Lines{"read volume", "color progress 0000FF00", "bounds progress 0,659 200x367",
                                "disable progress", "show progress"}));

    osd.HideVolumeBar();
    EXPECT_EQ(TakeLog(), (Lines{"hide progress"}));

    // A new run rebuilds, in the style chosen meanwhile; no mixer gives width 0.
    settings.barStyle = BarStyle::Normal;
    volume.volume = {-1, -1};
    osd.ShowVolumeBar();
    const Lines lines = TakeLog();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "shape progress h=76 style=normal across 1024");
    EXPECT_EQ(lines[3], "bounds progress 0,659 0x367");
    EXPECT_TRUE(windows.IsVisible(OsdWindow::Progress));
}

TEST_F(OsdControllerTest, VolumeBarLeavesTheTimeOutAlone) {
    osd.ShowLabel("Vol+");
    for (int tick = 0; tick < 4; ++tick) timer.Tick();
    volume.volume = {65535, 65535};
    osd.ShowVolumeBar();
    for (int tick = 0; tick < 6; ++tick) timer.Tick();
    EXPECT_TRUE(windows.IsVisible(OsdWindow::Progress));
    timer.Tick();  // the eleventh tick since the label, as without the bar
    EXPECT_FALSE(windows.IsVisible(OsdWindow::Progress));
}

TEST_F(OsdControllerTest, TimeOutHidesBothWindowsOnceTheTicksPassTheLimit) {
    struct Case {
        std::optional<int> seconds;
        int hidingTick;
    };
    const Case cases[] = {{1, 11}, {10, 101}, {3, 31}, {std::nullopt, 1}};
    for (const Case& c : cases) {
        settings.timeOutSeconds = c.seconds;
        osd.ShowLabel("Calc");
        osd.ShowVolumeBar();
        TakeLog();
        for (int tick = 1; tick < c.hidingTick; ++tick) timer.Tick();
        EXPECT_TRUE(TakeLog().empty()) << "seconds " << c.seconds.value_or(0) << ": hidden too early";
        timer.Tick();
        EXPECT_EQ(TakeLog(), (Lines{"hide text", "hide progress", "timer stop"})) << "seconds " << c.seconds.value_or(0);
    }
}

TEST_F(OsdControllerTest, AResetDuringTheTimeOutStartsTheCountAgain) {
    osd.ShowLabel("Next");
    for (int tick = 0; tick < 8; ++tick) timer.Tick();
    osd.KeyDone(3);  // another press
    for (int tick = 0; tick < 10; ++tick) timer.Tick();
    EXPECT_TRUE(windows.IsVisible(OsdWindow::Text));
    timer.Tick();
    EXPECT_FALSE(windows.IsVisible(OsdWindow::Text));
}

TEST_F(OsdControllerTest, PreviewShowsTheDialogsChoicesForOneTimeOut) {
    Settings dialog = settings;  // unsaved choices differ from the settings in force
    dialog.fontName = "Courier New";
    dialog.bold = false;
    dialog.osdSize = OsdSize::Small;
    dialog.barStyle = BarStyle::Normal;
    dialog.timeOutSeconds = 5;
    dialog.osdColor = 0x000000FF;
    volume.volume = {0, 0};

    osd.Preview(dialog);
    EXPECT_EQ(TakeLog(),
              (Lines{"cursor busy", "color text 000000FF",
                     "shape text \"OSD Test\" font \"Courier New\" 19pt in 1024x768", "bounds text 25,15 999x384",
                     "show text", "disable text", "shape progress h=76 style=normal across 1024",
                     "bounds progress 0,659 1024x367", "color progress 000000FF", "show progress",
                     "disable progress", "paint text", "paint progress", "block 5000ms",
                     "hide progress", "hide text", "cursor default"}));
}

TEST_F(OsdControllerTest, PreviewAlwaysRebuildsTheBar) {
    windows.visible[1] = true;  // a bar from a key press is up
    Settings dialog = settings;
    dialog.timeOutSeconds = std::nullopt;
    osd.Preview(dialog);
    const Lines lines = TakeLog();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "shape progress h=76 style=rounded across 1024"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "block 0ms"), lines.end());
}

}  // namespace
}  // namespace keytide
