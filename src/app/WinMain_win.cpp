// Program start: the application window first, then the hidden main window
// and the other windows, then the message loop until the main window closes.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "actions/Dispatcher.h"
#include "actions/Launcher.h"
#include "actions/PowerActions.h"
#include "actions/WindowActions.h"
#include "core/AssignmentStore.h"
#include "core/MainController.h"
#include "core/MainWindow_win.h"
#include "media/MasterVolumeActions.h"
#include "media/WinmmMixer.h"
#include "media/WinampRemote.h"
#include "osd/OnScreenDisplay_win.h"
#include "platform/win32/EndpointMixerDevice.h"
#include "platform/win32/SystemServices.h"
#include "platform/win32/Win32FileTail.h"
#include "platform/win32/Win32FontSource.h"
#include "platform/win32/Win32IntervalTimer.h"
#include "platform/win32/Win32LockKeyboard.h"
#include "platform/win32/Win32Mci.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32ProgramWindows.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ShellAssociations.h"
#include "platform/win32/Win32WindowSystem.h"
#include "platform/win32/WindowBase.h"
#include "settings/Settings.h"
#include "settings/SettingsStartup.h"
#include "settings/SettingsStore.h"
#include "shell/ApplicationWindow_win.h"
#include "shell/TrayIconModel.h"

namespace keytide::win32 {
namespace {

// The main window is created after the controller that asks it whether it is
// shown, so the controller is given this forwarder.
// The deferred start's steps that belong to the settings dialog and the
// welcome screen.
class DeferredStartSteps final : public StartupSteps {
public:
    explicit DeferredStartSteps(SettingsStartup& settings) : settings_(settings) {}
    void FillFontList() override { settings_.FillFontList(); }
    void LoadSettings() override { settings_.LoadSettings(); }
    void ShowWelcomeScreen() override {}
    void HideWelcomeScreen() override {}

private:
    SettingsStartup& settings_;
};

class MainWindowVisibility final : public MainWindowView {
public:
    void Bind(const MainWindowView& window) { window_ = &window; }
    bool IsVisible() const override { return window_ != nullptr && window_->IsVisible(); }

private:
    const MainWindowView* window_ = nullptr;
};

int RunProgram() {
    INITCOMMONCONTROLSEX commonControls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&commonControls);

    // The seam to the system.
    Win32FileSystem files;
    Win32UserMessages messages;
    Win32Hotkeys hotkeys;
    Win32LockKeyboard keyboard;
    Win32WindowSystem windowSystem;
    Win32ProgramStarter starter;
    Win32KeyInput keyInput;
    Win32Registry registry;

    // Shared state of the windows.
    Settings settings;
    TrayIconModel tray;
    OsdCounters osdCounters;

    ApplicationWindow application;
    application.Create();

    // --- settings and start-up steps
    Win32FontSource fonts;
    SettingsStore settingsStore(settings, files, IniFilePathFor(ExecutablePath()), registry, ExecutablePath());
    SettingsStartup startup(settings, settingsStore, fonts, messages);
    startup.ResetToDesignState();
    DeferredStartSteps deferredStart(startup);
    // --- master volume (the mixer opens device 0 as it is made; the main window assigns 0 once more)
    ComApartment com;  // Core Audio's endpoint volume, when there is one, is a COM object
    const std::unique_ptr<platform::MixerDevice> mixerDevice = MakeMasterMixerDevice(com);
    WinmmMixer mixer(*mixerDevice);
    mixer.SetMixerId(0);
    MasterVolumeActions volume(mixer);
    // --- on-screen display (after the master volume, which the bar reads;
    // the About window does not exist yet, so it is never in the way)
    OnScreenDisplay osd(settings, volume, osdCounters, application.hwnd(), [] { return false; });
    // --- launching
    Win32ShellAssociations associations;
    Launcher launch(LauncherServices{files, messages, starter, registry, windowSystem, keyInput, associations});
    // --- window, desktop and power actions
    Win32Mci mci;
    Win32ProgramWindows ownWindows;
    WindowActions windowActions(WindowActionServices{windowSystem, mci, ownWindows});
    Win32PowerSystem powerSystem;
    PowerActions power(powerSystem, windowSystem);
    // --- media player
    Win32FileTailReader fileTails;
    Win32IntervalTimer trackWatchTimer;
    WinampRemote winamp(WinampServices{windowSystem, registry, starter, files, fileTails, trackWatchTimer});

    MainWindowVisibility visibility;
    ControllerServices services{files, messages, hotkeys, keyboard, tray, visibility, deferredStart, settings};
    auto controller = std::make_unique<MainController>(services, IniFilePathFor(ExecutablePath()));
    Dispatcher dispatcher(DispatchServices{launch, windowActions, power, volume, winamp, osd}, *controller,
                          osdCounters);
    controller->SetDispatcher(dispatcher);

    MainWindow mainWindow(hotkeys, std::move(controller));
    visibility.Bind(mainWindow);
    mainWindow.Create(application.hwnd());
    // --- on-screen display windows and timers
    osd.Create(mainWindow);

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
