#pragma once
// Window and desktop actions on other programs' windows and the shell.

namespace keytide {

class WindowOperations {
public:
    virtual ~WindowOperations() = default;
    virtual void CloseForegroundWindow() = 0;
    virtual void MaximizeForegroundWindow() = 0;
    virtual void MinimizeForegroundWindow() = 0;
    virtual void RestoreForegroundWindow() = 0;
    virtual void EjectCD() = 0;
    virtual void RefreshDesktop() = 0;
    virtual void StartScreenSaver() = 0;
    // The shell answers a close command to its taskbar with its shut-down dialog.
    virtual void OpenShutdownDialog() = 0;
};

}  // namespace keytide
