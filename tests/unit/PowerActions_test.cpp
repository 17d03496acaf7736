// The five power actions as the dispatcher reaches them.
#include "actions/PowerActions.h"

#include <gtest/gtest.h>

#include "doubles/FakePowerSystem.h"
#include "doubles/PlatformDoubles.h"

namespace keytide {
namespace {

using Log = std::vector<std::string>;

class PowerActionsTest : public ::testing::Test {
protected:
    fakes::FakePowerSystem power;
    fakes::FakeWindowSystem windows;
    PowerActions actions{power, windows};
};

TEST_F(PowerActionsTest, LogOffIsOneRequestWithoutThePrivilege) {
    actions.LogOff();
    EXPECT_EQ(power.log, Log{"ExitWindowsEx 0 0"});
}

TEST_F(PowerActionsTest, PrivilegedActionsMakeTheirRequestWithoutForce) {
    struct Case {
        PowerAction type;
        const char* request;
    };
    const Case cases[] = {
        {PowerAction::Restart, "ExitWindowsEx 2 0"},
        {PowerAction::ShutDown, "ExitWindowsEx 1 0"},  // shut down, not power off (8)
        {PowerAction::Suspend, "SetSystemPowerState suspend=1 force=0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request);
        power.log.clear();
        actions.RequestPower(c.type);
        EXPECT_EQ(power.Requests(), Log{c.request});
        EXPECT_EQ(power.log.front(), "OpenProcess 0x1F0FFF inherit 4242");
    }
}

TEST_F(PowerActionsTest, ShutdownDialogIsACloseCommandToTheTaskbar) {
    actions.OpenShutdownDialog();  // no taskbar: posted to no window
    const auto taskbar = windows.Add({"Shell_TrayWnd", ""});
    actions.OpenShutdownDialog();
    EXPECT_EQ(windows.log, (Log{"close 0", fakes::FakeWindowSystem::Describe("close", taskbar)}));
    EXPECT_TRUE(power.log.empty());
}

}  // namespace
}  // namespace keytide
