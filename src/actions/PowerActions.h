#pragma once
// The power actions: log off, the shell's shut-down dialog, and restart, shut
// down and suspend through the shutdown component. No action asks the user,
// none forces other programs to close, and none reports a failure.
#include "actions/PowerOperations.h"
#include "actions/TabfShutdown.h"
#include "platform/Power.h"
#include "platform/WindowSystem.h"

namespace keytide {

class PowerActions final : public PowerOperations {
public:
    PowerActions(platform::PowerSystem& power, platform::WindowSystem& windows)
        : power_(power), windows_(windows), shd_(power) {}

    void LogOff() override;
    void OpenShutdownDialog() override;
    void ExecuteShutdown(TabfShutdownActionType type) override;

    TabfShutdown& shd() { return shd_; }

private:
    platform::PowerSystem& power_;
    platform::WindowSystem& windows_;
    TabfShutdown shd_;
};

}  // namespace keytide
