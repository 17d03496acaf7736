// The dialogs demo: the program's settings dialog, welcome screen and About
// window, built from the program's own window code outside keytide.exe, for
// looking at them (screenshots at any DPI) without the rest of the program.
//
//   dialogs_demo settings|welcome|about [--seconds N] [--ini <ktd.ini>]
//     settings   opens the settings dialog over settings loaded from the
//                ini file (default: ktd.ini in the current folder)
//     welcome    shows the welcome screen for its three seconds
//     about      opens the About window
//     --seconds  ends the demo after N seconds (default 30)
//
// It borrows keytide.exe's manifest (beside it) so that it runs with the same
// common controls and DPI awareness as the program.
#include <windows.h>
// commctrl.h needs windows.h before it
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/SystemServices.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32FontSource.h"
#include "settings/FontList.h"
#include "settings/SettingsDialog_win.h"
#include "settings/SettingsStore.h"
#include "shell/AboutWindow_win.h"
#include "shell/ApplicationWindow_win.h"
#include "shell/WelcomeScreen_win.h"
#include "widgets/DialogKeys_win.h"

using namespace keytide;
using namespace keytide::win32;

namespace {

struct Options {
    std::string window = "settings";
    int seconds = 30;
    std::string ini = "ktd.ini";
    bool openColour = false;
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--seconds" && i + 1 < argc) {
            options.seconds = std::atoi(argv[++i]);
        } else if (argument == "--colour") {
            options.openColour = true;
        } else if (argument == "--ini" && i + 1 < argc) {
            options.ini = argv[++i];
        } else {
            options.window = argument;
        }
    }
    return options;
}

// The demo leaves the start-with-Windows entry alone.
class NoRegistry final : public platform::Registry {
public:
    std::optional<platform::RegistryValue> ReadValue(platform::RegistryRoot, const std::string&,
                                                     const std::string&) override {
        return std::nullopt;
    }
    bool WriteString(platform::RegistryRoot, const std::string&, const std::string&, const std::string&) override {
        return true;
    }
    void DeleteValue(platform::RegistryRoot, const std::string&, const std::string&) override {}
};

class DemoHost final : public SettingsDialogHost {
public:
    void EnableEditor(bool enabled) override { std::printf("editor %s\n", enabled ? "enabled" : "disabled"); }
    bool IsActive() override { return true; }
    void SetScrollLockState(bool on) override { std::printf("scroll lock %s\n", on ? "on" : "off"); }
    void UpdateNumLock() override { std::printf("num lock rule\n"); }
};

class DemoPreview final : public OsdPreview {
public:
    void Preview(const Settings& settings) override {
        std::printf("preview: %s, size %d, colour %08X, bar %d, time-out %d\n", settings.fontName().c_str(),
                    settings.osdSize, settings.osdColor, settings.barStyle, settings.timeOutIndex);
    }
};

class DemoShell final : public platform::ProgramStarter {
public:
    void ShellOpen(const std::string& file) override { std::printf("open %s\n", file.c_str()); }
    void StartProgram(const std::string&, platform::ShowState) override {}
};

bool UseTheProgramsManifest() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program = path;
    program = program.substr(0, program.find_last_of("\\/") + 1) + "keytide.exe";
    ACTCTXA context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = program.c_str();
    context.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE handle = CreateActCtxA(&context);
    if (handle == INVALID_HANDLE_VALUE) return false;
    ULONG_PTR cookie = 0;
    return ActivateActCtx(handle, &cookie) != FALSE;
}

void RunMessageLoop(int seconds) {
    SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) break;
        if (HandleDialogKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseOptions(argc, argv);
    UseTheProgramsManifest();
    INITCOMMONCONTROLSEX commonControls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&commonControls);
    try {
        ApplicationWindow application;
        application.Create();
        if (options.window == "settings") {
            Win32FileSystem files;
            NoRegistry registry;
            Win32FontSource fonts;
            Settings settings;
            settings.fontNames = FontListEntries(fonts);
            Win32CodePage codePage;
            Win32UserMessages messages;
            ConfigFile iniFile(files, codePage, messages, options.ini);
            SettingsStore store(settings, iniFile, registry, "keytide.exe");
            for (const std::string& problem : store.Load()) std::printf("load: %s\n", problem.c_str());
            DemoHost host;
            DemoPreview preview;
            SettingsDialogWindow dialog(settings, store, host, preview, messages);
            dialog.Create(application.hwnd());
            dialog.Open();
            if (options.openColour) {
                PostMessageA(dialog.Control(SettingsControl::Color), BM_CLICK, 0, 0);
            }
            RunMessageLoop(options.seconds);
        } else if (options.window == "colour") {
            SystemColorChooser chooser;
            chooser.SetOwner(application.hwnd());
            const auto chosen = chooser.Choose(0x0000FF00);
            std::printf("colour %s %08X\n", chosen ? "chosen" : "cancelled", chosen.value_or(0));
        } else if (options.window == "welcome") {
            WelcomeScreen welcome;
            welcome.Create(application.hwnd());
            welcome.ShowAndWait();
            welcome.Hide();
            std::printf("welcome screen hidden\n");
            RunMessageLoop(options.seconds);
        } else if (options.window == "about") {
            DemoShell shell;
            AboutWindow about(shell);
            about.Create(application.hwnd(), [&about] {
                std::printf("about closed\n");
                about.Hide();
            });
            about.Show();
            RunMessageLoop(options.seconds);
        } else {
            std::fprintf(stderr, "dialogs_demo: unknown window %s\n", options.window.c_str());
            return 2;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "dialogs_demo: %s\n", error.what());
        return 1;
    }
    return 0;
}
