// Program start: the application window first, then the hidden main window
// and the other windows, then the message loop until the main window closes.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "actions/Dispatcher.h"
#include "actions/Launcher.h"
#include "actions/PowerActions.h"
#include "actions/WindowActions.h"
#include "app/DialogHosts_win.h"
#include "core/AssignmentStore.h"
#include "core/Editor.h"
#include "core/EditorView_win.h"
#include "core/ExeFileDialog_win.h"
#include "core/MainController.h"
#include "core/MainWindow_win.h"
#include "media/EndpointMasterVolume.h"
#include "media/VolumeKeys.h"
#include "media/WinmmMixer.h"
#include "media/WinampRemote.h"
#include "osd/OnScreenDisplay_win.h"
#include "platform/win32/Win32AudioEndpoint.h"
#include "platform/win32/WinmmMixerDevice.h"
#include "platform/win32/SystemServices.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32FileTail.h"
#include "platform/win32/Win32FontSource.h"
#include "platform/win32/Win32IntervalTimer.h"
#include "platform/win32/Win32LockKeyboard.h"
#include "platform/win32/Win32Mci.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32ProgramWindows.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ShellAssociations.h"
#include "platform/win32/Win32SystemVersion.h"
#include "platform/win32/Win32WindowSystem.h"
#include "platform/win32/WindowBase.h"
#include "settings/Settings.h"
#include "settings/SettingsDialog_win.h"
#include "settings/SettingsStartup.h"
#include "settings/SettingsStore.h"
#include "shell/AboutWindow_win.h"
#include "shell/ApplicationWindow_win.h"
#include "shell/OwnWindows_win.h"
#include "shell/PopupMenus_win.h"
#include "shell/ShellCommands.h"
#include "shell/SingleInstance_win.h"
#include "shell/TrayIcon.h"
#include "shell/TrayIconResources.h"
#include "shell/TrayIconWindow_win.h"
#include "shell/TrayPictures_win.h"
#include "shell/TrayPresenter.h"
#include "shell/WelcomeScreen_win.h"
#include "widgets/DialogKeys_win.h"

namespace keytide::win32 {
namespace {

// The deferred start's steps that belong to the settings dialog and the
// welcome screen.
class DeferredStartSteps final : public StartupSteps {
public:
    DeferredStartSteps(SettingsStartup& settings, WelcomeScreen& welcome) : settings_(settings), welcome_(welcome) {}
    void FillFontList() override { settings_.FillFontList(); }
    void LoadSettings() override { settings_.LoadSettings(); }
    void ShowWelcomeScreen() override { welcome_.ShowAndWait(); }
    void HideWelcomeScreen() override { welcome_.Hide(); }

private:
    SettingsStartup& settings_;
    WelcomeScreen& welcome_;
};

int RunProgram() {
    // The application window first: a second copy ends here, before it has
    // read ktd.ini or taken any key.
    ApplicationWindow application;
    application.Create();
    SingleInstance singleInstance;
    if (singleInstance.AnotherCopyRuns(application.hwnd())) return 0;

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
    Win32CodePage codePage;
    ConfigFile iniFile(files, codePage, messages, IniFilePathFor(ExecutablePath()));

    // Shared state of the windows.
    Settings settings;

    // --- the tray icon (not up until the deferred start) and its menus
    TrayIconWindow trayWindow(TrayPictures::Load(icons::kTrayPictureCount));
    trayWindow.Create();
    Win32IntervalTimer cycleTimer;
    TrayIcon trayIcon(trayWindow, cycleTimer, icons::kTrayPictureCount);
    trayIcon.SetHint(u"Keytide");
    trayIcon.SetCycleInterval(100);
    trayWindow.SetIcon(&trayIcon);
    Win32PopupMenus menus;
    trayWindow.SetMenuMessageHandler([&menus](UINT message, WPARAM wParam, LPARAM lParam) {
        return menus.HandleOwnerMessage(message, wParam, lParam);
    });
    TrayPresenter tray(trayIcon, menus);
    AboutWindow about(starter);

    // --- settings and start-up steps
    Win32FontSource fonts;
    SettingsStore settingsStore(settings, iniFile, registry, ExecutablePath());
    SettingsStartup startup(settings, settingsStore, fonts, messages);
    startup.ResetToDesignState();
    WelcomeScreen welcome;
    DeferredStartSteps deferredStart(startup, welcome);
    // --- master volume: the default output's endpoint volume where it answers,
    // the winmm mixer otherwise (it opens device 0 as it is made; the main
    // window assigns 0 once more)
    ComApartment com;  // Core Audio's endpoint volume is a COM object
    const std::unique_ptr<Win32AudioEndpoint> endpoint = Win32AudioEndpoint::ForDefaultOutput(com);
    std::unique_ptr<WinmmMixerDevice> mixerDevice;
    std::unique_ptr<MasterVolume> masterVolume;
    if (endpoint) {
        masterVolume = std::make_unique<EndpointMasterVolume>(*endpoint);
    } else {
        mixerDevice = std::make_unique<WinmmMixerDevice>();
        auto mixer = std::make_unique<WinmmMixer>(*mixerDevice);
        mixer->SetMixerId(0);
        masterVolume = std::move(mixer);
    }
    MasterVolumeKeys volume(*masterVolume);
    // --- on-screen display (after the master volume, which the bar reads)
    OnScreenDisplay osd(settings, *masterVolume, application.hwnd(), [&about] { return about.IsVisible(); });
    // --- launching
    Win32ShellAssociations associations;
    Win32SystemVersion systemVersion;
    Launcher launch(
        LauncherServices{files, messages, starter, registry, windowSystem, keyInput, associations, systemVersion});
    // --- window, desktop and power actions
    Win32Mci mci;
    Win32ProgramWindows ownWindows([&about] { return about.IsVisible(); });
    WindowActions windowActions(WindowActionServices{windowSystem, mci, ownWindows});
    Win32PowerSystem powerSystem;
    PowerActions power(powerSystem, windowSystem);
    // --- media player
    Win32FileTailReader fileTails;
    Win32IntervalTimer trackWatchTimer;
    WinampRemote winamp(WinampServices{windowSystem, registry, starter, files, fileTails, trackWatchTimer, codePage});

    Dispatcher dispatcher(DispatchServices{launch, windowActions, power, volume, winamp, osd});
    ControllerServices services{files, messages, hotkeys, keyboard, tray, deferredStart, dispatcher, settings};
    MainWindow mainWindow(hotkeys, std::make_unique<MainController>(services, iniFile));
    mainWindow.Create(application.hwnd());
    menus.SetOwners(trayWindow.hwnd(), mainWindow.hwnd());
    // --- what the tray, the menus and the About window do
    Win32OwnWindows shellWindows(application.hwnd(), mainWindow.hwnd());
    ShellCommands shell(ShellServices{mainWindow.Controller(), trayIcon, menus, shellWindows, about, launch},
                        HelpDocumentPathFor(ExecutablePath()));
    trayIcon.SetEvents(&shell);
    mainWindow.SetMenuMessageHandler([&menus](UINT message, WPARAM wParam, LPARAM lParam) {
        return menus.HandleOwnerMessage(message, wParam, lParam);
    });
    // --- the other windows, hidden, in their order
    welcome.Create(application.hwnd());
    EditorSettingsHost settingsHost(mainWindow);
    OsdSettingsPreview settingsPreview(osd.Controller());
    SettingsDialogWindow settingsDialog(settings, settingsStore, settingsHost, settingsPreview, messages);
    settingsDialog.Create(application.hwnd());
    SettingsDialogFromEditor settingsOpener(settingsDialog);
    // --- the assignment editor on the main window, key "/" shown
    ExeFileDialog exeFileDialog;
    exeFileDialog.SetOwner(mainWindow.hwnd());
    EditorView editorView;
    AssignmentEditor editor(
        EditorServices{mainWindow.Controller(), tray, settings, editorView, exeFileDialog, settingsOpener});
    editorView.Create(mainWindow.hwnd(), editor);
    mainWindow.SetContent([&editorView](UINT message, WPARAM wParam, LPARAM lParam) {
        return editorView.HandleMessage(message, wParam, lParam);
    });
    editorView.SetHelpMenuHandler([&shell](POINT at) { shell.OpenHelpMenu(TrayPoint{at.x, at.y}); });
    EnableDialogKeys(mainWindow.hwnd());
    editor.SelectKey(0);
    // --- on-screen display windows and timers
    osd.Create(mainWindow);
    about.Create(application.hwnd(), [&shell] { shell.CloseAbout(); });

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (HandleDialogKeys(message)) continue;
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
