#include "platform/win32/Win32WindowSystem.h"

#include <shellapi.h>

#include "platform/win32/Win32Launch.h"

namespace keytide::win32 {

platform::WindowId Win32WindowSystem::ForegroundWindow() { return ToWindowId(GetForegroundWindow()); }

platform::WindowId Win32WindowSystem::FindTopWindow(const char* className, const char* title) {
    return ToWindowId(FindWindowA(className, title));
}

std::uint32_t Win32WindowSystem::WindowStyle(platform::WindowId window) {
    return static_cast<std::uint32_t>(GetWindowLongA(ToHwnd(window), GWL_STYLE));
}

bool Win32WindowSystem::IsWindow(platform::WindowId window) { return ::IsWindow(ToHwnd(window)) != FALSE; }

bool Win32WindowSystem::IsWindowVisible(platform::WindowId window) {
    return ::IsWindowVisible(ToHwnd(window)) != FALSE;
}

void Win32WindowSystem::Post(platform::WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
    if (window == 0) return;  // a null handle would post to this thread's queue
    PostMessageA(ToHwnd(window), message, wParam, lParam);
}

std::intptr_t Win32WindowSystem::Send(platform::WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                             std::intptr_t lParam) {
    if (window == 0) return 0;
    return SendMessageA(ToHwnd(window), message, wParam, lParam);
}

std::optional<std::intptr_t> Win32WindowSystem::SendWithTimeout(platform::WindowId window, std::uint32_t message,
                                                                   std::uintptr_t wParam, std::intptr_t lParam,
                                                                   unsigned timeoutMs) {
    if (window == 0) return std::nullopt;
    DWORD_PTR reply = 0;
    if (!SendMessageTimeoutA(ToHwnd(window), message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, timeoutMs,
                             &reply)) {
        return std::nullopt;
    }
    return static_cast<std::intptr_t>(reply);
}

void Win32WindowSystem::ShowWindow(platform::WindowId window, int command) { ::ShowWindow(ToHwnd(window), command); }

void Win32WindowSystem::ShowWindowAsync(platform::WindowId window, int command) {
    ::ShowWindowAsync(ToHwnd(window), command);
}

void Win32ProgramStarter::ShellOpen(const std::string& file) { OpenWithShell(file); }

void Win32ProgramStarter::WinExec(const std::string& commandLine, int showCommand) {
    StartCommandLine(commandLine, showCommand);
}

void Win32KeyInput::KeyEvent(std::uint8_t virtualKey, std::uint32_t flags) { keybd_event(virtualKey, 0, flags, 0); }

}  // namespace keytide::win32
