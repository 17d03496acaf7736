#include "platform/win32/Win32IntervalTimer.h"

namespace keytide::win32 {

namespace {
constexpr char kTimerWindowClass[] = "TktdIntervalTimer";
constexpr UINT_PTR kTimerId = 1;
}  // namespace

void Win32IntervalTimer::Start(unsigned intervalMs, std::function<void()> onTick) {
    if (hwnd() == nullptr) {
        CreateParams params{};
        params.className = kTimerWindowClass;
        params.title = "";
        params.style = 0;
        params.owner = HWND_MESSAGE;
        WindowBase::Create(params);
    }
    onTick_ = std::move(onTick);
    SetTimer(hwnd(), kTimerId, intervalMs, nullptr);
}

void Win32IntervalTimer::Stop() {
    if (hwnd() != nullptr) KillTimer(hwnd(), kTimerId);
    onTick_ = nullptr;
}

LRESULT Win32IntervalTimer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTimerId) {
        if (onTick_) onTick_();
        return 0;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace keytide::win32
