#include "shell/AboutWindow_win.h"

#include "platform/Names.h"

namespace keytide::win32 {

namespace {
constexpr int kClientWidth = 349;
constexpr int kClientHeight = 295;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_DLGMODALFRAME;
}  // namespace

void PlaceholderAboutWindow::Create(HWND owner, std::function<void()> onClose) {
    onClose_ = std::move(onClose);
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    CreateParams params{};
    params.className = names::kAboutWindowClass;
    params.title = names::kAboutWindowTitle;
    params.style = kStyle;
    params.exStyle = kExStyle;
    params.width = frame.right - frame.left;
    params.height = frame.bottom - frame.top;
    params.x = (GetSystemMetrics(SM_CXSCREEN) - params.width) / 2;
    params.y = (GetSystemMetrics(SM_CYSCREEN) - params.height) / 2;
    params.owner = owner;
    params.background = GetSysColorBrush(COLOR_BTNFACE);
    WindowBase::Create(params);
}

void PlaceholderAboutWindow::Show() {
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

LRESULT PlaceholderAboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        // Hidden, never destroyed: the window lives until the program ends.
        if (onClose_) onClose_();
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE || wParam == VK_RETURN) {
            if (onClose_) onClose_();
            return 0;
        }
        break;
    default:
        break;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace keytide::win32
