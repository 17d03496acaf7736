#pragma once
// Base of every window of the program. Objects are built in two phases: the
// C++ object first, then its HWND with Create(); the object is bound to the
// HWND at WM_NCCREATE so that the derived class sees every message from then
// on. No C++ exception leaves a window procedure: the procedure catches it and
// shows the program's general error box, then message handling goes on.
#include <windows.h>

#include "platform/UserMessages.h"
#include "platform/win32/UniqueHandle.h"

namespace keytide::win32 {

class WindowBase {
public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    HWND hwnd() const { return window_.get(); }

protected:
    struct CreateParams {
        const char* className;
        const char* title;
        DWORD style;
        DWORD exStyle = 0;
        int x = CW_USEDEFAULT;
        int y = CW_USEDEFAULT;
        int width = CW_USEDEFAULT;
        int height = CW_USEDEFAULT;
        HWND owner = nullptr;
        HBRUSH background = nullptr;
        HICON icon = nullptr;
    };

    // Registers the class on first use and creates the window; throws on failure.
    void Create(const CreateParams& params);

    // Messages not handled here go to DefWindowProc.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd(), message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UniqueHwnd window_;
};

// The program's general error box: the error's text with a full stop, the
// program's title as caption, the error icon and one OK button. The title is
// given once, as the program starts (the string must outlive every box).
void SetGeneralErrorCaption(const char* caption) noexcept;
void ShowGeneralError(const char* text) noexcept;

// Every error box of the program goes through here: one box of a text at a time.
platform::OpenBoxes& ProgramBoxes();

// Runs body; any exception it throws is shown in the general error box. For
// every callback that Windows calls (window procedures, enumeration callbacks).
template <typename Body>
void GuardCallback(Body&& body) noexcept;

}  // namespace keytide::win32

#include "platform/win32/WindowBase.inl"
