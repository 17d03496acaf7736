#include "actions/WindowActions.h"

namespace keytide {

namespace {

constexpr char kCdDoorOpenCommand[] = "Set cdaudio door open";
constexpr char kDesktopClass[] = "Progman";
constexpr char kOldDesktopTitle[] = "Program   Manager";
constexpr char kTaskbarClass[] = "Shell_TrayWnd";

}  // namespace

platform::WindowId FindDesktopWindow(platform::WindowSystem& windows) {
    if (const auto desktop = windows.FindTopWindow(kDesktopClass, kOldDesktopTitle)) return desktop;
    return windows.FindTopWindow(kDesktopClass, nullptr);
}

// The foreground window is asked afresh for every call: it may change between
// the box test and the command.

void WindowActions::CloseForegroundWindow() { services_.windows.RequestClose(services_.windows.ForegroundWindow()); }

void WindowActions::MaximizeForegroundWindow() {
    auto& windows = services_.windows;
    if (windows.HasMaximizeBox(windows.ForegroundWindow())) windows.RequestMaximize(windows.ForegroundWindow());
}

void WindowActions::MinimizeForegroundWindow() {
    auto& windows = services_.windows;
    if (windows.HasMinimizeBox(windows.ForegroundWindow())) windows.RequestMinimize(windows.ForegroundWindow());
}

void WindowActions::RestoreForegroundWindow() {
    auto& windows = services_.windows;
    if (windows.IsWindow(windows.ForegroundWindow())) windows.RequestRestore(windows.ForegroundWindow());
}

void WindowActions::EjectCD() { services_.mci.SendString(kCdDoorOpenCommand, services_.ownWindow); }

void WindowActions::RefreshDesktop() {
    // Waits for the desktop to handle its refresh before the repaint.
    services_.windows.RefreshDesktopWindow(FindDesktopWindow(services_.windows));
    services_.windows.RepaintDesktop();
}

void WindowActions::OpenShutdownDialog() {
    services_.windows.RequestClose(services_.windows.FindTopWindow(kTaskbarClass, nullptr));
}

void WindowActions::StartScreenSaver() { services_.windows.StartScreenSaver(services_.ownWindow); }

}  // namespace keytide
