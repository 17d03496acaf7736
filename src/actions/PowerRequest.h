#pragma once
// One power request (restart, shut down or suspend), made after enabling the
// shutdown privilege where the system has privileges. The request never
// forces other programs to close: they may still hold it up or refuse it.
#include "actions/PowerOperations.h"
#include "platform/Power.h"

namespace keytide {

class PowerRequest {
public:
    explicit PowerRequest(platform::PowerSystem& power) : power_(power) {}

    // True when the system accepted the request; false when the privilege
    // step failed or the system refused.
    bool Execute(PowerAction action);

private:
    bool EnableShutdownPrivilege();

    platform::PowerSystem& power_;
};

}  // namespace keytide
