#pragma once
// A timer that ticks only when the test says so.
#include <functional>

#include "platform/IntervalTimer.h"

namespace keytide::fakes {

class ManualIntervalTimer : public platform::IntervalTimer {
public:
    void Start(unsigned newIntervalMs, std::function<void()> newOnTick) override {
        StartCoalescable(newIntervalMs, 0, std::move(newOnTick));
    }
    void StartCoalescable(unsigned newIntervalMs, unsigned newToleranceMs, std::function<void()> newOnTick) override {
        intervalMs = newIntervalMs;
        toleranceMs = newToleranceMs;
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
    unsigned toleranceMs = 0;  // 0: on time
    bool running = false;
    std::function<void()> onTick;
};

}  // namespace keytide::fakes
