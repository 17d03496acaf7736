#pragma once
#include <windows.h>

#include "platform/ProgramStarter.h"
#include "platform/WindowSystem.h"

namespace keytide::win32 {

inline HWND ToHwnd(platform::WindowId window) { return reinterpret_cast<HWND>(window); }
inline platform::WindowId ToWindowId(HWND window) { return reinterpret_cast<platform::WindowId>(window); }

class Win32WindowSystem final : public platform::WindowSystem {
public:
    platform::WindowId ForegroundWindow() override;
    platform::WindowId FindTopWindow(const char* className, const char* title) override;
    std::uint32_t WindowStyle(platform::WindowId window) override;
    bool IsWindow(platform::WindowId window) override;
    bool IsWindowVisible(platform::WindowId window) override;
    void Post(platform::WindowId window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
    std::intptr_t Send(platform::WindowId window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override;
    std::optional<std::intptr_t> SendWithTimeout(platform::WindowId window, std::uint32_t message,
                                                    std::uintptr_t wParam, std::intptr_t lParam,
                                                    unsigned timeoutMs) override;
    void ShowWindow(platform::WindowId window, int command) override;
    void ShowWindowAsync(platform::WindowId window, int command) override;
};

class Win32ProgramStarter final : public platform::ProgramStarter {
public:
    void ShellOpen(const std::string& file) override;
    void WinExec(const std::string& commandLine, int showCommand) override;
};

class Win32KeyInput final : public platform::KeyInput {
public:
    void KeyEvent(std::uint8_t virtualKey, std::uint32_t flags) override;
};

}  // namespace keytide::win32
