#include "actions/WindowActions.h"

namespace keytide {

namespace {

constexpr std::uint32_t kWmCommand = 0x0111;
constexpr std::uint32_t kWmSysCommand = 0x0112;
constexpr std::uintptr_t kScClose = 0xF060;
constexpr std::uintptr_t kScMaximize = 0xF030;
constexpr std::uintptr_t kScMinimize = 0xF020;
constexpr std::uintptr_t kScRestore = 0xF120;
constexpr std::uintptr_t kScScreenSave = 0xF140;
constexpr std::uint32_t kWsMaximizeBox = 0x00010000;
constexpr std::uint32_t kWsMinimizeBox = 0x00020000;
constexpr int kSwHide = 0;
constexpr int kSwShow = 5;

constexpr char kCdDoorOpenCommand[] = "Set cdaudio door open";
// The shell's desktop window; its title has three blanks.
constexpr char kDesktopClass[] = "Progman";
constexpr char kDesktopTitle[] = "Program   Manager";
constexpr std::uintptr_t kDesktopRefreshCommand = 0xA065;
constexpr char kRepaintCommandLine[] = "rundll32 user,repaintscreen";

}  // namespace

void WindowActions::PostSysCommandToForeground(std::uintptr_t command) {
    services_.windows.Post(services_.windows.ForegroundWindow(), kWmSysCommand, command, 0);
}

void WindowActions::CloseForegroundWindow() { PostSysCommandToForeground(kScClose); }

void WindowActions::MaximizeForegroundWindow() {
    if (services_.windows.WindowStyle(services_.windows.ForegroundWindow()) & kWsMaximizeBox) {
        PostSysCommandToForeground(kScMaximize);
    }
}

void WindowActions::MinimizeForegroundWindow() {
    if (services_.windows.WindowStyle(services_.windows.ForegroundWindow()) & kWsMinimizeBox) {
        PostSysCommandToForeground(kScMinimize);
    }
}

void WindowActions::RestoreForegroundWindow() {
    if (services_.windows.IsWindow(services_.windows.ForegroundWindow())) PostSysCommandToForeground(kScRestore);
}

void WindowActions::EjectCD() { services_.mci.SendString(kCdDoorOpenCommand, services_.own.MainWindow()); }

void WindowActions::RefreshDesktop() {
    services_.windows.Send(services_.windows.FindTopWindow(kDesktopClass, kDesktopTitle), kWmCommand,
                           kDesktopRefreshCommand, 0);
    services_.starter.WinExec(kRepaintCommandLine, kSwShow);
}

void WindowActions::StartScreenSaver() {
    services_.windows.Send(services_.own.MainWindow(), kWmSysCommand, kScScreenSave, 0);
    if (!services_.own.IsAboutWindowVisible()) services_.windows.ShowWindow(services_.own.ApplicationWindow(), kSwHide);
}

}  // namespace keytide
