#pragma once
// The power actions: log off, the shell's shut-down dialog, and restart, shut
// down and suspend. No action asks the user, none forces other programs to
// close, and none reports a failure.
#include "actions/PowerOperations.h"
#include "actions/PowerRequest.h"
#include "platform/Power.h"
#include "platform/WindowSystem.h"

namespace keytide {

class PowerActions final : public PowerOperations {
public:
    PowerActions(platform::PowerSystem& power, platform::WindowSystem& windows)
        : power_(power), windows_(windows), request_(power) {}

    void LogOff() override;
    void OpenShutdownDialog() override;
    void RequestPower(PowerAction action) override;

private:
    platform::PowerSystem& power_;
    platform::WindowSystem& windows_;
    PowerRequest request_;
};

}  // namespace keytide
