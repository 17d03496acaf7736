// The shutdown component's Execute: the privilege road and its failures, the
// query handler, the force flag and the request each action type makes.
#include "actions/PowerRequest.h"

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

class PowerRequestTest : public ::testing::Test {
protected:
    FakePowerSystem power;
    PowerRequest request{power};
};

TEST_F(PowerRequestTest, StartsAsPowerOffWithoutForceOrHandler) {
    EXPECT_EQ(request.Action(), PowerAction::PowerOff);
    EXPECT_FALSE(request.Force());
    EXPECT_FALSE(request.OnQuery());
    EXPECT_EQ(sizeof(PowerAction), 1u);
}

struct RequestCase {
    PowerAction type;
    const char* plain;
    const char* forced;
};

TEST_F(PowerRequestTest, EachActionTypeMakesItsRequestAfterThePrivilegeRoad) {
    const RequestCase cases[] = {
        {PowerAction::PowerOff, "ExitWindowsEx 8 0", "ExitWindowsEx 12 0"},
        {PowerAction::ShutDown, "ExitWindowsEx 1 0", "ExitWindowsEx 5 0"},
        {PowerAction::Restart, "ExitWindowsEx 2 0", "ExitWindowsEx 6 0"},
        {PowerAction::LogOff, "ExitWindowsEx 0 0", "ExitWindowsEx 4 0"},
        {PowerAction::Suspend, "SetSystemPowerState suspend=1 force=0",
         "SetSystemPowerState suspend=1 force=1"},
        {PowerAction::Hibernate, "SetSystemPowerState suspend=0 force=0",
         "SetSystemPowerState suspend=0 force=1"},
    };
    for (const auto& c : cases) {
        for (bool force : {false, true}) {
            SCOPED_TRACE(std::string(c.plain) + (force ? " forced" : ""));
            FakePowerSystem system;
            PowerRequest component(system);
            component.SetAction(c.type);
            component.SetForce(force);
            EXPECT_TRUE(component.Execute());
            EXPECT_EQ(system.log, Concat(kPrivilegeRoad, {force ? c.forced : c.plain}));
            EXPECT_TRUE(system.openHandles.empty());
        }
    }
}

TEST_F(PowerRequestTest, WithoutPrivilegesTheRequestIsMadeAtOnce) {
    for (std::uint32_t platformId : {0u, 1u, 3u}) {
        SCOPED_TRACE(platformId);
        FakePowerSystem system;
        system.platformId = platformId;
        PowerRequest component(system);
        component.SetAction(PowerAction::Restart);
        EXPECT_TRUE(component.Execute());
        EXPECT_EQ(system.log, Log{"ExitWindowsEx 2 0"});
    }
}

struct FailureCase {
    const char* name;
    bool FakePowerSystem::*step;
    Log expected;
};

TEST_F(PowerRequestTest, PrivilegeFailuresStopBeforeAnyRequestAndCloseWhatWasOpened) {
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
        PowerRequest component(system);
        bool asked = false;
        component.SetOnQuery([&](PowerRequest&, bool&) { asked = true; });
        component.SetAction(PowerAction::ShutDown);

        EXPECT_FALSE(component.Execute());
        EXPECT_EQ(system.log, c.expected);
        EXPECT_FALSE(asked);
        EXPECT_TRUE(system.openHandles.empty());
    }
}

TEST_F(PowerRequestTest, QueryHandlerSeesTheComponentAndCanRefuse) {
    PowerRequest* sender = nullptr;
    bool valueOnEntry = false;
    request.SetOnQuery([&](PowerRequest& component, bool& proceed) {
        sender = &component;
        valueOnEntry = proceed;
        proceed = false;
    });
    request.SetAction(PowerAction::Suspend);

    EXPECT_FALSE(request.Execute());
    EXPECT_EQ(sender, &request);
    EXPECT_TRUE(valueOnEntry);
    EXPECT_EQ(power.log, kPrivilegeRoad);  // the privilege is already enabled by then
}

TEST_F(PowerRequestTest, DoQueryShutdownWithoutHandlerLeavesTheValue) {
    for (bool value : {true, false}) {
        bool proceed = value;
        request.AskToProceed(proceed);
        EXPECT_EQ(proceed, value);
    }
}

TEST_F(PowerRequestTest, RefusedRequestAndUnknownActionTypeGiveFalse) {
    power.requestAccepted = false;
    request.SetAction(PowerAction::Restart);
    EXPECT_FALSE(request.Execute());
    EXPECT_EQ(power.Requests(), Log{"ExitWindowsEx 2 0"});

    FakePowerSystem system;
    PowerRequest component(system);
    component.SetAction(static_cast<PowerAction>(6));
    EXPECT_FALSE(component.Execute());
    EXPECT_EQ(system.log, kPrivilegeRoad);  // no request at all
}

}  // namespace
}  // namespace keytide
