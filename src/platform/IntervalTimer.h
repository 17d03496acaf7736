#pragma once
// A message-driven timer: its ticks run on the user-interface thread between
// other messages, never inside a handler.
#include <functional>

namespace keytide::platform {

class IntervalTimer {
public:
    virtual ~IntervalTimer() = default;
    // Runs onTick every intervalMs until Stop; a second Start replaces the
    // first. A tick may itself start or stop the timer.
    virtual void Start(unsigned intervalMs, std::function<void()> onTick) = 0;
    // No tick runs after Stop has returned.
    virtual void Stop() = 0;
};

}  // namespace keytide::platform
