#include "platform/win32/Win32IntervalTimer.h"

namespace keytide::win32 {

namespace {
constexpr char kTimerWindowClass[] = "TktdIntervalTimer";
constexpr UINT_PTR kTimerId = 1;

using SetCoalescableTimerFunction = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC, ULONG);

// Windows 8 and later have it; older systems, and Wine versions without it,
// get a plain timer instead.
SetCoalescableTimerFunction CoalescableTimerFunction() {
    static const auto function = reinterpret_cast<SetCoalescableTimerFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetCoalescableTimer")));
    return function;
}
}  // namespace

void Win32IntervalTimer::Prepare(std::function<void()> onTick) {
    if (hwnd() == nullptr) {
        CreateParams params{};
        params.className = kTimerWindowClass;
        params.title = "";
        params.style = 0;
        params.owner = HWND_MESSAGE;
        WindowBase::Create(params);
    }
    onTick_ = std::move(onTick);
}

void Win32IntervalTimer::Start(unsigned intervalMs, std::function<void()> onTick) {
    Prepare(std::move(onTick));
    SetTimer(hwnd(), kTimerId, intervalMs, nullptr);
}

void Win32IntervalTimer::StartCoalescable(unsigned intervalMs, unsigned toleranceMs, std::function<void()> onTick) {
    Prepare(std::move(onTick));
    const SetCoalescableTimerFunction setCoalescable = CoalescableTimerFunction();
    if (setCoalescable == nullptr || setCoalescable(hwnd(), kTimerId, intervalMs, nullptr, toleranceMs) == 0) {
        SetTimer(hwnd(), kTimerId, intervalMs, nullptr);
    }
}

void Win32IntervalTimer::Stop() {
    if (hwnd() != nullptr) KillTimer(hwnd(), kTimerId);
    onTick_ = nullptr;
}

LRESULT Win32IntervalTimer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTimerId) {
        // Run from a copy: the tick may start or stop this timer, which
        // replaces the handler that is running.
        if (const std::function<void()> tick = onTick_) tick();
        return 0;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace keytide::win32
