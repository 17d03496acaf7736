#include "shell/SingleInstance_win.h"

#include <algorithm>
#include <vector>

#include "model/Names.h"
#include "platform/win32/WindowBase.h"
#include "shell/SingleInstance.h"

namespace keytide::win32 {

namespace {

// Class names and titles as the window system keeps them: 255 characters and
// the terminating zero.
constexpr int kNameBuffer = static_cast<int>(kWindowNameLength) + 1;

std::u16string ClassOf(HWND window) {
    wchar_t buffer[kNameBuffer]{};
    const int length = GetClassNameW(window, buffer, kNameBuffer);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(std::max(length, 0)));
}

std::u16string TitleOf(HWND window) {
    wchar_t buffer[kNameBuffer]{};
    // Another program's window answers from what the system keeps; nothing is
    // sent to it, so a hung program cannot hold the start up.
    const int length = GetWindowTextW(window, buffer, kNameBuffer);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(std::max(length, 0)));
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) noexcept {
    auto* windows = reinterpret_cast<std::vector<TopWindow>*>(parameter);
    GuardCallback([&] {
        windows->push_back(TopWindow{reinterpret_cast<std::uintptr_t>(window), ClassOf(window), TitleOf(window)});
    });
    return TRUE;
}

// The running copy's most recently active window comes forward (restored when
// minimized). A copy that sits in the tray has no window on the screen: then
// nothing is activated, so that no hidden window takes the keyboard.
void BringForward(HWND other) {
    HWND popup = GetLastActivePopup(other);
    if (popup == nullptr || !IsWindowVisible(popup)) return;
    BringWindowToTop(other);
    if (IsIconic(popup)) {
        ShowWindow(popup, SW_RESTORE);
    } else {
        SetForegroundWindow(popup);
    }
}

}  // namespace

bool SingleInstance::AnotherCopyRuns(HWND ownWindow) {
    lock_.reset(CreateMutexW(nullptr, FALSE, names::kSingleInstanceLock));
    const DWORD lockError = GetLastError();
    StartupLock lock = StartupLock::Unavailable;
    if (lock_) lock = lockError == ERROR_ALREADY_EXISTS ? StartupLock::HeldElsewhere : StartupLock::Taken;

    std::vector<TopWindow> windows;
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));
    const InstanceSearch search = SearchRunningCopy(windows, reinterpret_cast<std::uintptr_t>(ownWindow),
                                                    ClassOf(ownWindow), TitleOf(ownWindow));
    const InstanceDecision decision = DecideInstance(lock, search);
    if (decision.bringForward != 0) BringForward(reinterpret_cast<HWND>(decision.bringForward));
    return decision.endThisCopy;
}

}  // namespace keytide::win32
