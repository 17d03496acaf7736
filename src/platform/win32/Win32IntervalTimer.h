#pragma once
// A timer on a message-only window of its own, so that it needs no other
// window of the program to exist yet.
#include <functional>

#include "platform/IntervalTimer.h"
#include "platform/win32/WindowBase.h"

namespace keytide::win32 {

class Win32IntervalTimer final : public platform::IntervalTimer, private WindowBase {
public:
    void Start(unsigned intervalMs, std::function<void()> onTick) override;
    void StartCoalescable(unsigned intervalMs, unsigned toleranceMs, std::function<void()> onTick) override;
    void Stop() override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Prepare(std::function<void()> onTick);

    std::function<void()> onTick_;
};

}  // namespace keytide::win32
