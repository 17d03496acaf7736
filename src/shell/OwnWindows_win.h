#pragma once
// The program's application window and main window as the menu commands
// handle them.
#include <windows.h>

#include <functional>
#include <utility>

#include "shell/ShellPorts.h"

namespace keytide::win32 {

class Win32OwnWindows final : public OwnWindows {
public:
    Win32OwnWindows(HWND application, HWND main, std::function<void()> openEditor)
        : application_(application), main_(main), openEditor_(std::move(openEditor)) {}

    void OpenEditor() override { openEditor_(); }
    void HideMainWindow() override { ShowWindow(main_, SW_HIDE); }
    bool IsMainWindowVisible() override { return IsWindowVisible(main_) != FALSE; }
    void EnableMainWindow(bool enabled) override { EnableWindow(main_, enabled ? TRUE : FALSE); }
    // The application window is a zero-sized popup: showing it shows nothing
    // but its button.
    void ShowTaskbarButton() override { ShowWindow(application_, SW_SHOWNA); }
    void HideTaskbarButton() override { ShowWindow(application_, SW_HIDE); }
    // Posted: the menu command that asks has returned before the window goes.
    void CloseMainWindow() override { PostMessageW(main_, WM_CLOSE, 0, 0); }

private:
    HWND application_;
    HWND main_;
    std::function<void()> openEditor_;
};

}  // namespace keytide::win32
