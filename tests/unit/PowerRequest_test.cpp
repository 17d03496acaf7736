// A power request: the privilege road and its failures, and the request each
// action makes.
#include "actions/PowerRequest.h"

#include <gtest/gtest.h>

#include "doubles/FakePowerSystem.h"

namespace keytide {
namespace {

using Log = std::vector<std::string>;
using fakes::FakePowerSystem;

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

TEST_F(PowerRequestTest, EachActionMakesItsRequestAfterThePrivilegeRoad) {
    struct Case {
        PowerAction action;
        const char* request;
    };
    const Case cases[] = {
        {PowerAction::ShutDown, "ExitWindowsEx 1 0"},  // shut down, not power off (8)
        {PowerAction::Restart, "ExitWindowsEx 2 0"},
        {PowerAction::Suspend, "SetSystemPowerState suspend=1 force=0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request);
        FakePowerSystem system;
        EXPECT_TRUE(PowerRequest(system).Execute(c.action));
        EXPECT_EQ(system.log, Concat(kPrivilegeRoad, {c.request}));
        EXPECT_TRUE(system.openHandles.empty());
    }
}

TEST_F(PowerRequestTest, WithoutPrivilegesTheRequestIsMadeAtOnce) {
    for (std::uint32_t platformId : {0u, 1u, 3u}) {
        SCOPED_TRACE(platformId);
        FakePowerSystem system;
        system.platformId = platformId;
        EXPECT_TRUE(PowerRequest(system).Execute(PowerAction::Restart));
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
        EXPECT_FALSE(PowerRequest(system).Execute(PowerAction::ShutDown));
        EXPECT_EQ(system.log, c.expected);
        EXPECT_TRUE(system.openHandles.empty());
    }
}

TEST_F(PowerRequestTest, ARefusedRequestGivesFalse) {
    power.requestAccepted = false;
    EXPECT_FALSE(request.Execute(PowerAction::Restart));
    EXPECT_EQ(power.Requests(), Log{"ExitWindowsEx 2 0"});
}

}  // namespace
}  // namespace keytide
