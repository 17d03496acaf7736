// The shutdown component's Execute: the privilege road and its failures, the
// query handler, the force flag and the request each action type makes.
#include "actions/TabfShutdown.h"

#include <gtest/gtest.h>

#include "doubles/FakePowerSystem.h"

namespace keytide {
namespace {

using Log = std::vector<std::string>;
using testing::FakePowerSystem;

// The privilege road when every step succeeds: process 16, token 17.
const Log kPrivilegeRoad{
    "OpenProcess 0x1F0FFF inherit 4242",
    "OpenProcessToken 16 0x28",
    "CloseHandle 16",
    "LookupPrivilege '' SeShutdownPrivilege",
    "AdjustTokenPrivilege 17 0x1300000013 2",
    "CloseHandle 17",
};

Log Concat(Log first, const Log& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class TabfShutdownTest : public ::testing::Test {
protected:
    FakePowerSystem power;
    TabfShutdown shd{power};
};

TEST_F(TabfShutdownTest, StartsAsPowerOffWithoutForceOrHandler) {
    EXPECT_EQ(shd.ActionType(), TabfShutdownActionType::aatPowerOff);
    EXPECT_FALSE(shd.Force());
    EXPECT_FALSE(shd.OnQueryShutdown());
    EXPECT_EQ(sizeof(TabfShutdownActionType), 1u);
}

struct RequestCase {
    TabfShutdownActionType type;
    const char* plain;
    const char* forced;
};

TEST_F(TabfShutdownTest, EachActionTypeMakesItsRequestAfterThePrivilegeRoad) {
    const RequestCase cases[] = {
        {TabfShutdownActionType::aatPowerOff, "ExitWindowsEx 8 0", "ExitWindowsEx 12 0"},
        {TabfShutdownActionType::aatShutdown, "ExitWindowsEx 1 0", "ExitWindowsEx 5 0"},
        {TabfShutdownActionType::aatReboot, "ExitWindowsEx 2 0", "ExitWindowsEx 6 0"},
        {TabfShutdownActionType::aatLogOff, "ExitWindowsEx 0 0", "ExitWindowsEx 4 0"},
        {TabfShutdownActionType::aatSuspend, "SetSystemPowerState suspend=1 force=0",
         "SetSystemPowerState suspend=1 force=1"},
        {TabfShutdownActionType::aatHibernate, "SetSystemPowerState suspend=0 force=0",
         "SetSystemPowerState suspend=0 force=1"},
    };
    for (const auto& c : cases) {
        for (bool force : {false, true}) {
            SCOPED_TRACE(std::string(c.plain) + (force ? " forced" : ""));
            FakePowerSystem system;
            TabfShutdown component(system);
            component.SetActionType(c.type);
            component.SetForce(force);
            EXPECT_TRUE(component.Execute());
            EXPECT_EQ(system.log, Concat(kPrivilegeRoad, {force ? c.forced : c.plain}));
            EXPECT_TRUE(system.openHandles.empty());
        }
    }
}

TEST_F(TabfShutdownTest, WithoutPrivilegesTheRequestIsMadeAtOnce) {
    for (std::uint32_t platformId : {0u, 1u, 3u}) {
        SCOPED_TRACE(platformId);
        FakePowerSystem system;
        system.platformId = platformId;
        TabfShutdown component(system);
        component.SetActionType(TabfShutdownActionType::aatReboot);
        EXPECT_TRUE(component.Execute());
        EXPECT_EQ(system.log, Log{"ExitWindowsEx 2 0"});
    }
}

struct FailureCase {
    const char* name;
    bool FakePowerSystem::*step;
    Log expected;
};

TEST_F(TabfShutdownTest, PrivilegeFailuresStopBeforeAnyRequestAndCloseWhatWasOpened) {
    const FailureCase cases[] = {
        {"process", &FakePowerSystem::processFails, {"OpenProcess 0x1F0FFF inherit 4242"}},
        {"token",
         &FakePowerSystem::tokenFails,
         {"OpenProcess 0x1F0FFF inherit 4242", "OpenProcessToken 16 0x28", "CloseHandle 16"}},
        {"lookup",
         &FakePowerSystem::lookupFails,
         {"OpenProcess 0x1F0FFF inherit 4242", "OpenProcessToken 16 0x28", "CloseHandle 16",
          "LookupPrivilege '' SeShutdownPrivilege", "CloseHandle 17"}},
        {"adjust", &FakePowerSystem::adjustFails, kPrivilegeRoad},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePowerSystem system;
        system.*c.step = true;
        TabfShutdown component(system);
        bool asked = false;
        component.SetOnQueryShutdown([&](TabfShutdown&, bool&) { asked = true; });
        component.SetActionType(TabfShutdownActionType::aatShutdown);

        EXPECT_FALSE(component.Execute());
        EXPECT_EQ(system.log, c.expected);
        EXPECT_FALSE(asked);
        EXPECT_TRUE(system.openHandles.empty());
    }
}

TEST_F(TabfShutdownTest, QueryHandlerSeesTheComponentAndCanRefuse) {
    TabfShutdown* sender = nullptr;
    bool valueOnEntry = false;
    shd.SetOnQueryShutdown([&](TabfShutdown& component, bool& CanShutdown) {
        sender = &component;
        valueOnEntry = CanShutdown;
        CanShutdown = false;
    });
    shd.SetActionType(TabfShutdownActionType::aatSuspend);

    EXPECT_FALSE(shd.Execute());
    EXPECT_EQ(sender, &shd);
    EXPECT_TRUE(valueOnEntry);
    EXPECT_EQ(power.log, kPrivilegeRoad);  // the privilege is already enabled by then
}

TEST_F(TabfShutdownTest, DoQueryShutdownWithoutHandlerLeavesTheValue) {
    for (bool value : {true, false}) {
        bool CanShutdown = value;
        shd.DoQueryShutdown(CanShutdown);
        EXPECT_EQ(CanShutdown, value);
    }
}

TEST_F(TabfShutdownTest, RefusedRequestAndUnknownActionTypeGiveFalse) {
    power.requestAccepted = false;
    shd.SetActionType(TabfShutdownActionType::aatReboot);
    EXPECT_FALSE(shd.Execute());
    EXPECT_EQ(power.Requests(), Log{"ExitWindowsEx 2 0"});

    FakePowerSystem system;
    TabfShutdown component(system);
    component.SetActionType(static_cast<TabfShutdownActionType>(6));
    EXPECT_FALSE(component.Execute());
    EXPECT_EQ(system.log, kPrivilegeRoad);  // no request at all
}

}  // namespace
}  // namespace keytide
