#pragma once
// Power actions: log off, the shell's shut-down dialog, and the requests that
// need the shutdown privilege.
#include <cstdint>

namespace keytide {

enum class PowerAction : std::uint8_t { ShutDown, Restart, Suspend };

class PowerOperations {
public:
    virtual ~PowerOperations() = default;
    virtual void LogOff() = 0;
    virtual void OpenShutdownDialog() = 0;
    virtual void RequestPower(PowerAction action) = 0;
};

}  // namespace keytide
