#pragma once
// A timer that ticks only when the test says so.
#include <functional>

#include "platform/IntervalTimer.h"

namespace keytide::fakes {

class ManualIntervalTimer : public platform::IntervalTimer {
public:
    void Start(unsigned newIntervalMs, std::function<void()> newOnTick) override {
        intervalMs = newIntervalMs;
        onTick = std::move(newOnTick);
        running = true;
    }
    void Stop() override {
        running = false;
        onTick = nullptr;
    }
    // Each tick runs from a copy, as a tick may start or stop the timer.
    void Tick(int times = 1) {
        for (int i = 0; i < times && running && onTick; ++i) {
            const std::function<void()> tick = onTick;
            tick();
        }
    }

    unsigned intervalMs = 0;
    bool running = false;
    std::function<void()> onTick;
};

}  // namespace keytide::fakes
