// Program start: the editor's window first (a second copy ends there), then
// the message window, the tray and the other windows, hidden, then the message
// loop until the tray window is closed.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "actions/Dispatcher.h"
#include "actions/HeldKeys.h"
#include "actions/Launcher.h"
#include "actions/WindowActions.h"
#include "app/DialogHosts_win.h"
#include "core/AssignmentStore.h"
#include "core/MainController.h"
#include "editor/Editor.h"
#include "editor/EditorWindow_win.h"
#include "editor/ExeFileDialog_win.h"
#include "media/PlayerKeys.h"
#include "media/SoundSystemVolume_win.h"
#include "media/SoundThreadVolume.h"
#include "media/VolumeKeys.h"
#include "media/WinampRemote.h"
#include "model/Names.h"
#include "model/Settings.h"
#include "osd/OnScreenDisplay_win.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/MessageWindow.h"
#include "platform/win32/SystemServices.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32FontSource.h"
#include "platform/win32/Win32LockKeyboard.h"
#include "platform/win32/Win32Mci.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Session.h"
#include "platform/win32/Win32ShellAssociations.h"
#include "platform/win32/Win32SystemVersion.h"
#include "platform/win32/Win32WindowSystem.h"
#include "platform/win32/WindowBase.h"
#include "settings/SettingsDialog_win.h"
#include "settings/SettingsStartup.h"
#include "settings/SettingsStore.h"
#include "shell/AboutWindow_win.h"
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
    // The editor's window first, still empty: a second copy ends here, before
    // it has read ktd.ini or taken any key.
    EditorWindow editorWindow;
    editorWindow.Create(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icons::kApplicationIconId)));
    SingleInstance singleInstance;
    if (singleInstance.AnotherCopyRuns(editorWindow.hwnd())) return 0;

    INITCOMMONCONTROLSEX commonControls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&commonControls);

    // Hot keys, timers and the tray icon's notifications come here.
    MessageWindow messageWindow;
    messageWindow.Create(names::kMessageWindowClass);

    // The seam to the system.
    Win32FileSystem files;
    Win32UserMessages messages;
    Win32Hotkeys hotkeys;
    hotkeys.SetWindow(messageWindow.hwnd());
    Win32LockKeyboard keyboard;
    Win32WindowSystem windowSystem;
    Win32ProgramStarter starter;
    Win32KeyInput keyInput;
    Win32Registry registry;
    Win32CodePage codePage;
    ConfigFile iniFile(files, codePage, messages, IniFilePathFor(ExecutablePath()));

    // Shared state of the windows.
    Settings settings;
    std::vector<std::string> installedFonts;  // filled at the deferred start

    // --- the tray icon (not up until the deferred start) and its menus
    TrayIconWindow trayWindow(TrayPictures::Load(icons::kTrayPictureCount), messageWindow);
    trayWindow.Create();
    MessageWindowTimer cycleTimer(messageWindow);
    TrayIcon trayIcon(trayWindow, cycleTimer, icons::kTrayPictureCount);
    trayIcon.SetHint(u"Keytide");
    trayWindow.SetIcon(&trayIcon);
    Win32PopupMenus menus;
    menus.SetOwners(trayWindow.hwnd(), editorWindow.hwnd());
    const auto menuMessages = [&menus](UINT message, WPARAM wParam, LPARAM lParam) {
        return menus.HandleOwnerMessage(message, wParam, lParam);
    };
    trayWindow.SetMenuMessageHandler(menuMessages);
    editorWindow.SetMenuMessageHandler(menuMessages);
    TrayPresenter tray(trayIcon, menus);
    AboutWindow about(starter);

    // --- settings and start-up steps
    Win32FontSource fonts;
    SettingsStore settingsStore(settings, installedFonts, iniFile, registry, ExecutablePath());
    settingsStore.RemoveExecutableRunValue();
    SettingsStartup startup(installedFonts, settingsStore, fonts, messages);
    WelcomeScreen welcome;
    DeferredStartSteps deferredStart(startup, welcome);
    // The shell's calls (opening documents, the desktop's refresh) may reach
    // COM extensions on this thread.
    ComApartment com;
    // --- master volume: on a sound thread of its own, which opens the sound
    // system at the first volume key; the start never waits on it
    SoundThreadVolume masterVolume(&OpenSoundSystemVolume);
    MasterVolumeKeys volume(masterVolume);
    // --- on-screen display (after the master volume, which the bar reads)
    OnScreenDisplay osd(settings, masterVolume, messageWindow);
    // --- launching
    Win32ShellAssociations associations;
    Win32SystemVersion systemVersion;
    Launcher launch(
        LauncherServices{files, messages, starter, registry, windowSystem, keyInput, associations, systemVersion});
    // --- window, desktop and power actions
    Win32Mci mci;
    WindowActions windowActions(WindowActionServices{windowSystem, mci, ToWindowId(trayWindow.hwnd())});
    Win32SessionControl session;
    // --- the player keys: Winamp, or the media keys for any other player
    WinampRemote winamp(WinampServices{windowSystem, registry, starter, files});
    Win32MediaKeys mediaKeys;
    RoutedPlayerKeys player(winamp, mediaKeys);

    Dispatcher dispatcher(DispatchServices{launch, windowActions, session, volume, player, osd});
    Win32KeyState keyState;
    MessageWindowTimer releaseWatch(messageWindow);
    HeldKeyFilter heldKeys(dispatcher, keyState, releaseWatch);
    MainController controller(
        ControllerServices{files, messages, hotkeys, keyboard, tray, deferredStart, heldKeys, settings}, iniFile);
    messageWindow.OnMessage(WM_HOTKEY,
                            [&controller](WPARAM id, LPARAM) { controller.OnHotKey(static_cast<int>(id)); });
    trayWindow.SetController(&controller);
    // Only the tray menu's Exit ends the program; Alt+F4 is the editor's.
    trayWindow.SetCloseKeyHandler([&editorWindow] { PostMessageW(editorWindow.hwnd(), WM_CLOSE, 0, 0); });

    // --- the other windows, hidden, in their order
    welcome.Create();
    EditorSettingsHost settingsHost(editorWindow, controller);
    OsdSettingsPreview settingsPreview(osd.Controller());
    SettingsDialogWindow settingsDialog(settings, installedFonts, settingsStore, settingsHost, settingsPreview, messages);
    settingsDialog.Create(editorWindow.hwnd());
    SettingsDialogFromEditor settingsOpener(settingsDialog);
    ExeFileDialog exeFileDialog;
    exeFileDialog.SetOwner(editorWindow.hwnd());
    AssignmentEditor editor(EditorServices{controller, editorWindow, exeFileDialog, settingsOpener});
    editorWindow.Build(editor);
    osd.Create();
    // --- what the tray, the menus and the About window do
    ProgramWindows programWindows(editor, editorWindow, trayWindow.hwnd());
    ShellCommands shell(ShellServices{controller, trayIcon, menus, programWindows, about, launch},
                        HelpDocumentPathFor(ExecutablePath()));
    trayIcon.SetEvents(&shell);
    editorWindow.SetHelpMenuHandler([&shell](POINT at) { shell.OpenHelpMenu(TrayPoint{at.x, at.y}); });
    about.Create([&shell] { shell.CloseAbout(); });

    // The deferred start comes about a second later, with the message loop running.
    controller.OnCreate();
    MessageWindowTimer deferredStartTimer(messageWindow);
    deferredStartTimer.Start(1000, [&] {
        deferredStartTimer.Stop();
        controller.OnDeferredStart();
    });

    // A wide loop: an ANSI one turns every typed character that the code
    // page lacks into "?" before any window sees it.
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (HandleDialogKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace
}  // namespace keytide::win32

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    keytide::win32::SetGeneralErrorCaption(keytide::names::kProgramTitle);
    try {
        return keytide::win32::RunProgram();
    } catch (const std::exception& error) {
        keytide::win32::ShowGeneralError(error.what());
        return 1;
    }
}
