#pragma once
// The shutdown component: makes one power request of the kind ActionType,
// after enabling the shutdown privilege where the system has privileges and
// after asking its OnQueryShutdown handler.
#include <functional>

#include "actions/PowerOperations.h"
#include "platform/Power.h"

namespace keytide {

class TabfShutdown;

// CanShutdown is true on entry; a handler sets it to false to refuse.
using TabfQueryShutdownEvent = std::function<void(TabfShutdown& Sender, bool& CanShutdown)>;

class TabfShutdown {
public:
    explicit TabfShutdown(platform::PowerSystem& power) : power_(power) {}
    TabfShutdown(const TabfShutdown&) = delete;
    TabfShutdown& operator=(const TabfShutdown&) = delete;
    virtual ~TabfShutdown() = default;

    TabfShutdownActionType ActionType() const { return actionType_; }
    void SetActionType(TabfShutdownActionType type) { actionType_ = type; }
    bool Force() const { return force_; }
    void SetForce(bool force) { force_ = force; }
    const TabfQueryShutdownEvent& OnQueryShutdown() const { return onQueryShutdown_; }
    void SetOnQueryShutdown(TabfQueryShutdownEvent handler) { onQueryShutdown_ = std::move(handler); }

    // Calls OnQueryShutdown when one is assigned; otherwise leaves CanShutdown as it is.
    virtual void DoQueryShutdown(bool& CanShutdown);
    // True when the system accepted the request; false when the privilege
    // step failed, the handler refused, the request was refused, or
    // ActionType names no request.
    virtual bool Execute();

private:
    bool EnableShutdownPrivilege();
    bool MakeRequest();

    platform::PowerSystem& power_;
    TabfShutdownActionType actionType_ = TabfShutdownActionType::aatPowerOff;
    bool force_ = false;
    TabfQueryShutdownEvent onQueryShutdown_;
};

}  // namespace keytide
