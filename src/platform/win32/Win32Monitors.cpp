#include "platform/win32/Win32Monitors.h"

#include <windows.h>

#include <vector>

#include "platform/win32/WindowBase.h"

namespace keytide::win32 {

namespace {

struct FoundMonitor {
    HMONITOR handle;
    platform::MonitorRect rect;
};

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM found) {
    GuardCallback([&] {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (!GetMonitorInfoW(monitor, &info)) return;
        const RECT& r = info.rcMonitor;
        auto& list = *reinterpret_cast<std::vector<FoundMonitor>*>(found);
        const FoundMonitor entry{monitor, {r.left, r.top, r.right - r.left, r.bottom - r.top}};
        if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
            list.insert(list.begin(), entry);
        } else {
            list.push_back(entry);
        }
    });
    return TRUE;
}

}  // namespace

platform::MonitorLayout Win32Monitors::Layout() {
    std::vector<FoundMonitor> found;
    EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&found));
    platform::MonitorLayout layout;
    if (found.empty()) {
        // Nothing listed (a session without a display driver): the primary
        // screen's size is all there is to go by.
        layout.monitors.push_back({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
        return layout;
    }
    HMONITOR foreground = nullptr;
    if (HWND window = GetForegroundWindow()) foreground = MonitorFromWindow(window, MONITOR_DEFAULTTONULL);
    for (std::size_t i = 0; i < found.size(); ++i) {
        layout.monitors.push_back(found[i].rect);
        if (foreground != nullptr && found[i].handle == foreground) layout.foreground = i;
    }
    return layout;
}

}  // namespace keytide::win32
