// The label, the volume bar, the time-out, the stacking and the preview, seen
// through recording doubles of the OSD windows, the timer and the thread.
#include <gtest/gtest.h>

#include <algorithm>

#include "doubles/OsdDoubles.h"
#include "osd/OsdController.h"

namespace keytide {
namespace {

using testing::OsdLog;
using Lines = std::vector<std::string>;

class OsdControllerTest : public ::testing::Test {
protected:
    OsdControllerTest() {
        settings.fontNames = {"Arial", "Courier New"};
        settings.fontIndex = 0;
        settings.bold = true;
        settings.italic = false;
        settings.osdSize = 2;
        settings.barStyle = 1;
        settings.timeOutIndex = 0;
        settings.osdColor = kColorLime;
    }

    Lines TakeLog() { return std::exchange(log, {}); }

    OsdLog log;
    testing::RecordingOsdWindows windows{log};
    testing::RecordingOsdTimer timer{log};
    testing::RecordingPreviewHost host{log};
    testing::OsdMasterVolume volume{log};
    testing::FakeMonitors monitors;
    Settings settings;
    bool aboutVisible = false;
    OsdController osd{OsdServices{windows, timer, host, volume, monitors}, settings, [this] { return aboutVisible; }};
};

TEST_F(OsdControllerTest, LabelIsShapedPlacedColouredShownAndTimed) {
    osd.ShowLabel("Vol+");
    EXPECT_EQ(TakeLog(), (Lines{"shape text \"Vol+\" font \"Arial\" 57pt bold in 1024x768", "bounds text 25,15 999x384",
                                "color text 0000FF00", "disable text", "show text", "hide application",
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
    settings.fontIndex = 1;
    settings.bold = false;
    settings.italic = true;
    settings.osdSize = -1;
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
                             "bounds text -1872,-279 1872x540", "shape progress h=108 style=1 across 1920",
                             "bounds progress -1920,626 960x367"}) {
        EXPECT_NE(std::find(moved.begin(), moved.end(), line), moved.end()) << line;
    }
    for (const std::string& line : press()) EXPECT_FALSE(line.starts_with("shape ")) << line;  // again there
    osd.Preview(settings);
    const Lines preview = TakeLog();
    EXPECT_NE(std::find(preview.begin(), preview.end(), "bounds text -1872,-279 1872x540"), preview.end());
}

TEST_F(OsdControllerTest, ApplicationWindowStaysWhileTheAboutWindowIsUp) {
    aboutVisible = true;
    osd.ShowLabel("Mute");
    osd.ShowVolumeBar();
    for (const std::string& line : TakeLog()) EXPECT_NE(line, "hide application");
}

TEST_F(OsdControllerTest, VolumeBarIsBuiltOnceARunAndFollowsTheVolume) {
    volume.volume = {11466, 11466};  // 22932 div 3276 = 7 steps
    osd.ShowVolumeBar();
    EXPECT_EQ(TakeLog(), (Lines{"shape progress h=76 style=1 across 1024", "read volume", "color progress 0000FF00",
                                "bounds progress 0,659 175x367", "disable progress", "show progress",
                                "hide application"}));

    volume.volume = {13104, 13104};  // 8 steps; the bar is visible: no new shape
    osd.ShowVolumeBar();
    EXPECT_EQ(TakeLog(), (Lines{"read volume", "color progress 0000FF00", "bounds progress 0,659 200x367",
                                "disable progress", "show progress", "hide application"}));

    osd.HideVolumeBar();
    EXPECT_EQ(TakeLog(), (Lines{"hide progress"}));

    // A new run rebuilds, in the style chosen meanwhile; no mixer gives width 0.
    settings.barStyle = 0;
    volume.volume = {-1, -1};
    osd.ShowVolumeBar();
    const Lines lines = TakeLog();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "shape progress h=76 style=0 across 1024");
    EXPECT_EQ(lines[3], "bounds progress 0,659 0x367");
    EXPECT_TRUE(windows.IsVisible(OsdWindow::Progress));
}

TEST_F(OsdControllerTest, VolumeBarLeavesTheTimeOutAlone) {
    osd.ShowLabel("Vol+");
    for (int tick = 0; tick < 4; ++tick) osd.OnTimeOutTick();
    volume.volume = {65535, 65535};
    osd.ShowVolumeBar();
    for (int tick = 0; tick < 6; ++tick) osd.OnTimeOutTick();
    EXPECT_TRUE(windows.IsVisible(OsdWindow::Progress));
    osd.OnTimeOutTick();  // the eleventh tick since the label, as without the bar
    EXPECT_FALSE(windows.IsVisible(OsdWindow::Progress));
}

TEST_F(OsdControllerTest, TimeOutHidesBothWindowsOnceTheTicksPassTheLimit) {
    struct Case {
        int timeOutIndex;
        int hidingTick;
    };
    const Case cases[] = {{0, 11}, {9, 101}, {2, 31}, {-1, 1}};
    for (const Case& c : cases) {
        settings.timeOutIndex = c.timeOutIndex;
        osd.ShowLabel("Calc");
        osd.ShowVolumeBar();
        TakeLog();
        for (int tick = 1; tick < c.hidingTick; ++tick) osd.OnTimeOutTick();
        EXPECT_TRUE(TakeLog().empty()) << "index " << c.timeOutIndex << ": hidden too early";
        osd.OnTimeOutTick();
        EXPECT_EQ(TakeLog(), (Lines{"hide text", "hide progress", "timer stop"})) << "index " << c.timeOutIndex;
    }
}

TEST_F(OsdControllerTest, AResetDuringTheTimeOutStartsTheCountAgain) {
    osd.ShowLabel("Next");
    for (int tick = 0; tick < 8; ++tick) osd.OnTimeOutTick();
    osd.KeyDone(3);  // another press
    for (int tick = 0; tick < 10; ++tick) osd.OnTimeOutTick();
    EXPECT_TRUE(windows.IsVisible(OsdWindow::Text));
    osd.OnTimeOutTick();
    EXPECT_FALSE(windows.IsVisible(OsdWindow::Text));
}

TEST_F(OsdControllerTest, OnTopTimerRaisesTheVisibleWindowsLabelFirst) {
    osd.OnKeepOnTopTick();
    EXPECT_TRUE(TakeLog().empty());

    windows.visible[0] = true;
    osd.OnKeepOnTopTick();
    EXPECT_EQ(TakeLog(), (Lines{"top text"}));

    windows.visible[1] = true;
    osd.OnKeepOnTopTick();
    EXPECT_EQ(TakeLog(), (Lines{"top text", "top progress"}));

    windows.visible[0] = false;
    osd.OnKeepOnTopTick();
    EXPECT_EQ(TakeLog(), (Lines{"top progress"}));
}

TEST_F(OsdControllerTest, PreviewShowsTheDialogsChoicesForOneTimeOut) {
    Settings dialog = settings;  // unsaved choices differ from the settings in force
    dialog.fontIndex = 1;
    dialog.bold = false;
    dialog.osdSize = 0;
    dialog.barStyle = 0;
    dialog.timeOutIndex = 4;
    dialog.osdColor = 0x000000FF;
    volume.volume = {0, 0};

    osd.Preview(dialog);
    EXPECT_EQ(TakeLog(),
              (Lines{"cursor busy", "color text 000000FF", "shape text \"OSD Test\" font \"Courier New\" 19pt in 1024x768",
                     "bounds text 25,15 999x384", "show text", "disable text", "shape progress h=76 style=0 across 1024",
                     "bounds progress 0,659 1024x367", "color progress 000000FF", "show progress",
                     "disable progress", "hide application", "paint text", "paint progress", "block 5000ms",
                     "hide progress", "hide text", "cursor default"}));
}

TEST_F(OsdControllerTest, PreviewAlwaysRebuildsTheBarAndHidesTheApplicationWindow) {
    aboutVisible = true;
    windows.visible[1] = true;  // a bar from a key press is up
    Settings dialog = settings;
    dialog.timeOutIndex = -1;
    osd.Preview(dialog);
    const Lines lines = TakeLog();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "shape progress h=76 style=1 across 1024"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "hide application"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "block 0ms"), lines.end());
}

}  // namespace
}  // namespace keytide
