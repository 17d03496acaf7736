// Program start: the application window first, then the hidden main window,
// then the message loop until the main window closes.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "core/AssignmentStore.h"
#include "core/MainController.h"
#include "core/MainWindow_win.h"
#include "platform/win32/SystemServices.h"
#include "platform/win32/WindowBase.h"
#include "settings/Settings.h"
#include "shell/ApplicationWindow_win.h"
#include "shell/TrayIconModel.h"

namespace keytide::win32 {
namespace {

// Start-up steps whose windows (settings dialog, welcome screen) are not part
// of the program yet; each is called at its place in the deferred start.
class DeferredStartWithoutDialogs final : public StartupSteps {
public:
    void FillFontList() override {}
    void LoadSettings() override {}
    void ShowWelcomeScreen() override {}
    void HideWelcomeScreen() override {}
};

int RunProgram() {
    INITCOMMONCONTROLSEX commonControls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&commonControls);

    Win32FileSystem files;
    Win32UserMessages messages;
    Win32Hotkeys hotkeys;
    Win32KeyboardState keyboard;
    TrayIconModel tray;
    Settings settings;
    DeferredStartWithoutDialogs startup;

    ApplicationWindow application;
    application.Create();

    // The main window is also the view the controller asks about visibility,
    // so the controller is handed a reference that the window fills in.
    struct MainWindowVisibility final : MainWindowView {
        const MainWindowView* window = nullptr;
        bool IsVisible() const override { return window != nullptr && window->IsVisible(); }
    } visibility;

    ControllerServices services{files, messages, hotkeys, keyboard, tray, visibility, startup, settings};
    auto controller = std::make_unique<MainController>(services, IniFilePathFor(ExecutablePath()));
    MainWindow mainWindow(hotkeys, std::move(controller));
    visibility.window = &mainWindow;
    mainWindow.Create(application.hwnd());

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace
}  // namespace keytide::win32

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        return keytide::win32::RunProgram();
    } catch (const std::exception& error) {
        keytide::win32::ShowGeneralError(error.what());
        return 1;
    }
}
