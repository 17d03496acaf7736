#pragma once
// The shutdown component: makes one power request of the kind Action,
// after enabling the shutdown privilege where the system has privileges and
// after asking its OnQuery handler.
#include <functional>

#include "actions/PowerOperations.h"
#include "platform/Power.h"

namespace keytide {

class PowerRequest;

// proceed is true on entry; a handler sets it to false to refuse.
using QueryHandler = std::function<void(PowerRequest& Sender, bool& proceed)>;

class PowerRequest {
public:
    explicit PowerRequest(platform::PowerSystem& power) : power_(power) {}
    PowerRequest(const PowerRequest&) = delete;
    PowerRequest& operator=(const PowerRequest&) = delete;
    virtual ~PowerRequest() = default;

    PowerAction Action() const { return actionType_; }
    void SetAction(PowerAction type) { actionType_ = type; }
    bool Force() const { return force_; }
    void SetForce(bool force) { force_ = force; }
    const QueryHandler& OnQuery() const { return onQueryShutdown_; }
    void SetOnQuery(QueryHandler handler) { onQueryShutdown_ = std::move(handler); }

    // Calls OnQuery when one is assigned; otherwise leaves proceed as it is.
    virtual void AskToProceed(bool& proceed);
    // True when the system accepted the request; false when the privilege
    // step failed, the handler refused, the request was refused, or
    // Action names no request.
    virtual bool Execute();

private:
    bool EnableShutdownPrivilege();
    bool MakeRequest();

    platform::PowerSystem& power_;
    PowerAction actionType_ = PowerAction::PowerOff;
    bool force_ = false;
    QueryHandler onQueryShutdown_;
};

}  // namespace keytide
