#pragma once
// Power actions: log off, the shell's shut-down dialog, and the requests made
// through the shutdown component.
#include <cstdint>

namespace keytide {

enum class TabfShutdownActionType : std::uint8_t {
    aatPowerOff = 0,
    aatShutdown = 1,
    aatReboot = 2,
    aatLogOff = 3,
    aatSuspend = 4,
    aatHibernate = 5,
};

class PowerOperations {
public:
    virtual ~PowerOperations() = default;
    virtual void LogOff() = 0;
    virtual void OpenShutdownDialog() = 0;
    // Sets the shutdown component's ActionType and runs its Execute.
    virtual void ExecuteShutdown(TabfShutdownActionType type) = 0;
};

}  // namespace keytide
