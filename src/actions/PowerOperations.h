#pragma once
// Power actions: log off, the shell's shut-down dialog, and the requests made
// through the shutdown component.
#include <cstdint>

namespace keytide {

enum class PowerAction : std::uint8_t {
    PowerOff = 0,
    ShutDown = 1,
    Restart = 2,
    LogOff = 3,
    Suspend = 4,
    Hibernate = 5,
};

class PowerOperations {
public:
    virtual ~PowerOperations() = default;
    virtual void LogOff() = 0;
    virtual void OpenShutdownDialog() = 0;
    // Sets the shutdown component's Action and runs its Execute.
    virtual void RequestPower(PowerAction type) = 0;
};

}  // namespace keytide
