// Commands to the foreground window with their style tests, the CD door, the
// desktop refresh and the shut-down dialog, as the calls they make in order.
#include "actions/WindowActions.h"

#include <gtest/gtest.h>

#include "doubles/FakeMci.h"
#include "doubles/PlatformDoubles.h"

namespace keytide {
namespace {

using Log = std::vector<std::string>;

using fakes::FakeWindowSystem;

struct Boxes {
    bool maximize;
    bool minimize;
};
constexpr Boxes kBothBoxes{true, true};
constexpr Boxes kNoBox{false, false};

// The foreground window changes once it has been asked for `changeAfter` times.
class ChangingForeground : public fakes::FakeWindowSystem {
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
    fakes::RecordingMci mci;
    WindowActions actions{WindowActionServices{windows, mci, 7}};
};

struct ForegroundCase {
    const char* name;
    void (WindowActions::*operation)();
    bool hasForeground;
    Boxes boxes;
    Log expected;  // with the foreground window being 100
};

TEST_F(WindowActionsTest, ForegroundCommandsFollowTheFramesBoxes) {
    const ForegroundCase cases[] = {
        {"close", &WindowActions::CloseForegroundWindow, true, kNoBox, {"foreground?", "close 100"}},
        {"close without foreground", &WindowActions::CloseForegroundWindow, false, kNoBox, {"foreground?", "close 0"}},
        {"maximize with box",
         &WindowActions::MaximizeForegroundWindow,
         true,
         kBothBoxes,
         {"foreground?", "foreground?", "maximize 100"}},
        {"maximize with only that box",
         &WindowActions::MaximizeForegroundWindow,
         true,
         {true, false},
         {"foreground?", "foreground?", "maximize 100"}},
        {"maximize without box", &WindowActions::MaximizeForegroundWindow, true, {false, true}, {"foreground?"}},
        {"maximize without foreground", &WindowActions::MaximizeForegroundWindow, false, kNoBox, {"foreground?"}},
        {"minimize with box",
         &WindowActions::MinimizeForegroundWindow,
         true,
         kBothBoxes,
         {"foreground?", "foreground?", "minimize 100"}},
        {"minimize without box", &WindowActions::MinimizeForegroundWindow, true, {true, false}, {"foreground?"}},
        {"minimize without foreground", &WindowActions::MinimizeForegroundWindow, false, kNoBox, {"foreground?"}},
        {"restore any window",
         &WindowActions::RestoreForegroundWindow,
         true,
         kNoBox,
         {"foreground?", "foreground?", "restore 100"}},
        {"restore without foreground", &WindowActions::RestoreForegroundWindow, false, kNoBox, {"foreground?"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        windows.windows.clear();
        windows.log.clear();
        windows.nextId = 100;
        windows.foreground = c.hasForeground ? windows.Add({"Any", "Window", c.boxes.maximize, c.boxes.minimize}) : 0;
        (actions.*c.operation)();
        EXPECT_EQ(windows.log, c.expected);
    }
}

TEST_F(WindowActionsTest, CommandGoesToTheWindowInFrontWhenItIsPosted) {
    const auto tested = windows.Add({"First", "", true, true});
    const auto later = windows.Add({"Second", "", true, true});
    windows.foreground = tested;
    windows.later = later;
    windows.changeAfter = 1;  // another window comes to the front after the style test

    actions.MaximizeForegroundWindow();
    ASSERT_FALSE(windows.log.empty());
    EXPECT_EQ(windows.log.back(), FakeWindowSystem::Describe("maximize", later));
}

TEST_F(WindowActionsTest, EjectCdOpensTheDoorWithTheMainWindowForNotifications) {
    actions.EjectCD();
    EXPECT_EQ(mci.log, Log{"Set cdaudio door open -> 7"});
}

TEST_F(WindowActionsTest, RefreshGoesToTheDesktopByItsClassThenRepaints) {
    using Window = FakeWindowSystem::Window;
    struct Case {
        const char* name;
        std::vector<Window> present;
        int refreshed;  // index into present, -1: no window
    };
    const Case cases[] = {
        {"today's title", {{"Progman", "Program Manager"}}, 0},
        {"the old title", {{"Progman", "Program   Manager"}}, 0},
        {"the old title first", {{"Progman", "Program Manager"}, {"Progman", "Program   Manager"}}, 1},
        {"any title of the class", {{"Progman", ""}}, 0},
        {"no desktop window", {{"Shell_TrayWnd", "Program Manager"}}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        windows.windows.clear();
        windows.log.clear();
        std::vector<platform::WindowId> ids;
        for (const auto& window : c.present) ids.push_back(windows.Add(window));

        actions.RefreshDesktop();
        const auto target = c.refreshed >= 0 ? ids[c.refreshed] : 0;
        EXPECT_EQ(windows.log, (Log{FakeWindowSystem::Describe("refresh desktop", target), "repaint desktop"}));
    }
}

TEST_F(WindowActionsTest, ShutdownDialogIsACloseCommandToTheTaskbar) {
    actions.OpenShutdownDialog();  // no taskbar: posted to no window
    const auto taskbar = windows.Add({"Shell_TrayWnd", ""});
    actions.OpenShutdownDialog();
    EXPECT_EQ(windows.log, (Log{"close 0", FakeWindowSystem::Describe("close", taskbar)}));
}

}  // namespace
}  // namespace keytide
