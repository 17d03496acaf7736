#pragma once
// A stand-in for the About window until the real one is built: a plain,
// empty window with the About window's class and title, created hidden at
// start like every window of the program. It shows nothing of the product
// yet, but it holds the About state as the real one will: while it is up the
// main window is disabled and the tray icon ignores the mouse, and every way
// of closing it (its close box, Alt+F4, Esc, Enter) runs the Ok steps, which
// undo both and hide it.
#include <windows.h>

#include <functional>

#include "platform/win32/WindowBase.h"
#include "shell/ShellPorts.h"

namespace keytide::win32 {

class PlaceholderAboutWindow final : public AboutBox, private WindowBase {
public:
    // onClose: the Ok steps (ShellCommands::CloseAbout).
    void Create(HWND owner, std::function<void()> onClose);

    void Show() override;
    void Hide() override { ShowWindow(hwnd(), SW_HIDE); }
    bool IsVisible() const override { return hwnd() != nullptr && IsWindowVisible(hwnd()) != FALSE; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::function<void()> onClose_;
};

}  // namespace keytide::win32
