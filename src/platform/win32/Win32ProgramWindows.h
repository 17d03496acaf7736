#pragma once
// The program's own windows, found by class among the top-level windows of
// the user-interface thread (all of the program's windows live there).
#include <windows.h>

#include <functional>
#include <utility>

#include "platform/ProgramWindows.h"

namespace keytide::win32 {

class Win32ProgramWindows final : public platform::ProgramWindows {
public:
    // To be made on the user-interface thread. isAboutVisible: the About
    // window's own answer.
    explicit Win32ProgramWindows(std::function<bool()> isAboutVisible)
        : threadId_(GetCurrentThreadId()), isAboutVisible_(std::move(isAboutVisible)) {}

    platform::WindowId MainWindow() override;
    platform::WindowId ApplicationWindow() override;
    bool IsAboutWindowVisible() override;

private:
    HWND FindOwnWindow(const char* className) const;

    DWORD threadId_;
    std::function<bool()> isAboutVisible_;
};

}  // namespace keytide::win32
