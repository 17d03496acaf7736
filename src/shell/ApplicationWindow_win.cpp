#include "shell/ApplicationWindow_win.h"

#include "platform/Names.h"
#include "shell/TrayIconResources.h"

namespace keytide::win32 {

void ApplicationWindow::Create() {
    CreateParams params{};
    params.className = names::kApplicationWindowClass;
    params.title = names::kProgramTitle;
    // A zero-sized, never-activated popup: it exists for its taskbar button.
    params.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS;
    params.x = GetSystemMetrics(SM_CXSCREEN) / 2;
    params.y = GetSystemMetrics(SM_CYSCREEN) / 2;
    params.width = 0;
    params.height = 0;
    // The button shows the program's own icon.
    params.icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icons::kApplicationIconId));
    WindowBase::Create(params);
}

}  // namespace keytide::win32
