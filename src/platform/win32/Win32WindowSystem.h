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
    platform::WindowId FindAppFrame(const char* programFile) override;
    bool IsWindow(platform::WindowId window) override;
    bool HasMaximizeBox(platform::WindowId window) override;
    bool HasMinimizeBox(platform::WindowId window) override;
    void RequestClose(platform::WindowId window) override;
    void RequestMaximize(platform::WindowId window) override;
    void RequestMinimize(platform::WindowId window) override;
    void RequestRestore(platform::WindowId window) override;
    void StartScreenSaver(platform::WindowId window) override;
    void RefreshDesktopWindow(platform::WindowId desktop) override;
    void RepaintDesktop() override;
    std::optional<std::intptr_t> SendPlayerRequest(platform::WindowId window, std::int32_t code, std::int32_t argument,
                                                   unsigned timeoutMs) override;
    void PostPlayerCommand(platform::WindowId window, std::uint32_t id) override;
};

class Win32ProgramStarter final : public platform::ProgramStarter {
public:
    void ShellOpen(const std::string& file) override;
    void StartProgram(const std::string& commandLine, platform::ShowState show) override;
};

class Win32KeyInput final : public platform::KeyInput {
public:
    void Press(std::uint8_t virtualKey) override;
    void Release(std::uint8_t virtualKey) override;
};

class Win32MediaKeys final : public platform::MediaKeys {
public:
    void Tap(platform::MediaKey key) override;
};

}  // namespace keytide::win32
