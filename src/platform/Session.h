#pragma once
// Ending or pausing the user's session, as the power actions ask for it.
// Nothing is forced: other programs may still hold a request up or refuse it.
#include <cstdint>

namespace keytide::platform {

enum class SessionRequest : std::uint8_t { LogOff, ShutDown, Restart, Suspend };

class SessionControl {
public:
    virtual ~SessionControl() = default;
    // True when the system accepted the request.
    virtual bool Request(SessionRequest request) = 0;
};

}  // namespace keytide::platform
