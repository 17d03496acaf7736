// Commands to the foreground window with their style tests, the CD door, the
// desktop refresh and the screen saver, as the calls they make in order.
#include "actions/WindowActions.h"

#include <gtest/gtest.h>

#include "doubles/FakeMci.h"
#include "doubles/FakeProgramWindows.h"
#include "doubles/PlatformDoubles.h"

namespace keytide {
namespace {

using Log = std::vector<std::string>;

constexpr std::uint32_t kMaximizeBox = 0x00010000;
constexpr std::uint32_t kMinimizeBox = 0x00020000;
constexpr std::uint32_t kOverlapped = 0x00CF0000;  // caption, frame, both boxes
constexpr std::uint32_t kDialogFrame = 0x80C80000;

std::string PostedSysCommand(platform::WindowId window, std::uintptr_t command) {
    return testing::FakeWindowSystem::Describe("post", window, 0x0112, command, 0);
}

// The foreground window changes once it has been asked for `changeAfter` times.
class ChangingForeground : public testing::FakeWindowSystem {
public:
    platform::WindowId ForegroundWindow() override {
        const platform::WindowId current = asked++ < changeAfter ? foreground : later;
        log.push_back("foreground?");
        return current;
    }
    int asked = 0;
    int changeAfter = 1000;
    platform::WindowId later = 0;
};

class WindowActionsTest : public ::testing::Test {
protected:
    ChangingForeground windows;
    testing::RecordingMci mci;
    testing::RecordingStarter starter;
    testing::FakeProgramWindows own;
    WindowActions actions{WindowActionServices{windows, mci, starter, own}};
};

struct ForegroundCase {
    const char* name;
    void (WindowActions::*operation)();
    bool hasForeground;
    std::uint32_t style;
    Log expected;  // with the foreground window being 100
};

TEST_F(WindowActionsTest, ForegroundCommandsFollowTheStyleBits) {
    const ForegroundCase cases[] = {
        {"close",
         &WindowActions::CloseForegroundWindow,
         true,
         kDialogFrame,
         {"foreground?", PostedSysCommand(100, 0xF060)}},
        {"close without foreground",
         &WindowActions::CloseForegroundWindow,
         false,
         0,
         {"foreground?", PostedSysCommand(0, 0xF060)}},
        {"maximize with box",
         &WindowActions::MaximizeForegroundWindow,
         true,
         kOverlapped,
         {"foreground?", "foreground?", PostedSysCommand(100, 0xF030)}},
        {"maximize with only the box bit",
         &WindowActions::MaximizeForegroundWindow,
         true,
         kMaximizeBox,
         {"foreground?", "foreground?", PostedSysCommand(100, 0xF030)}},
        {"maximize without box",
         &WindowActions::MaximizeForegroundWindow,
         true,
         kDialogFrame | kMinimizeBox,
         {"foreground?"}},
        {"maximize without foreground", &WindowActions::MaximizeForegroundWindow, false, 0, {"foreground?"}},
        {"minimize with box",
         &WindowActions::MinimizeForegroundWindow,
         true,
         kOverlapped,
         {"foreground?", "foreground?", PostedSysCommand(100, 0xF020)}},
        {"minimize without box",
         &WindowActions::MinimizeForegroundWindow,
         true,
         kDialogFrame | kMaximizeBox,
         {"foreground?"}},
        {"minimize without foreground", &WindowActions::MinimizeForegroundWindow, false, 0, {"foreground?"}},
        {"restore any window",
         &WindowActions::RestoreForegroundWindow,
         true,
         kDialogFrame,
         {"foreground?", "foreground?", PostedSysCommand(100, 0xF120)}},
        {"restore without foreground", &WindowActions::RestoreForegroundWindow, false, 0, {"foreground?"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        windows.windows.clear();
        windows.log.clear();
        windows.nextId = 100;
        windows.foreground = c.hasForeground ? windows.Add({"Any", "Window", c.style}) : 0;
        (actions.*c.operation)();
        EXPECT_EQ(windows.log, c.expected);
    }
}

TEST_F(WindowActionsTest, CommandGoesToTheWindowInFrontWhenItIsPosted) {
    const auto tested = windows.Add({"First", "", kOverlapped});
    const auto later = windows.Add({"Second", "", kOverlapped});
    windows.foreground = tested;
    windows.later = later;
    windows.changeAfter = 1;  // another window comes to the front after the style test

    actions.MaximizeForegroundWindow();
    ASSERT_FALSE(windows.log.empty());
    EXPECT_EQ(windows.log.back(), PostedSysCommand(later, 0xF030));
}

TEST_F(WindowActionsTest, EjectCdOpensTheDoorWithTheMainWindowForNotifications) {
    own.mainWindow = 7;
    actions.EjectCD();
    EXPECT_EQ(mci.log, Log{"Set cdaudio door open -> 7"});
}

TEST_F(WindowActionsTest, RefreshDesktopSendsToTheExactTitleThenRunsTheRepaint) {
    struct Case {
        const char* title;
        bool found;
    };
    for (const Case& c : {Case{"Program   Manager", true}, Case{"Program Manager", false}}) {
        SCOPED_TRACE(c.title);
        windows.windows.clear();
        windows.log.clear();
        starter.log.clear();
        const auto desktop = windows.Add({"Progman", c.title, 0});

        actions.RefreshDesktop();
        const auto target = c.found ? desktop : 0;
        EXPECT_EQ(windows.log, Log{testing::FakeWindowSystem::Describe("send", target, 0x0111, 0xA065, 0)});
        EXPECT_EQ(starter.log, Log{"exec rundll32 user,repaintscreen /5"});
    }
}

TEST_F(WindowActionsTest, ScreenSaverHidesTheApplicationWindowUnlessAboutIsShown) {
    own.mainWindow = 7;
    own.applicationWindow = 3;
    for (bool aboutVisible : {false, true}) {
        SCOPED_TRACE(aboutVisible ? "About shown" : "About hidden");
        windows.log.clear();
        own.aboutVisible = aboutVisible;
        actions.StartScreenSaver();
        Log expected{testing::FakeWindowSystem::Describe("send", 7, 0x0112, 0xF140, 0)};
        if (!aboutVisible) expected.push_back("show 3 0");
        EXPECT_EQ(windows.log, expected);
    }
}

}  // namespace
}  // namespace keytide
