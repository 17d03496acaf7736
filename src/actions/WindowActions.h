#pragma once
// Window and desktop actions: commands to the foreground window (whichever
// program owns it), the CD door, the desktop refresh and the screen saver.
// Nothing here waits for an effect or reports a failure.
#include "actions/WindowOperations.h"
#include "platform/Mci.h"
#include "platform/WindowSystem.h"

namespace keytide {

struct WindowActionServices {
    platform::WindowSystem& windows;
    platform::Mci& mci;
    // The program's hidden top-level window, in whose name the CD command and
    // the screen-saver request go.
    platform::WindowId ownWindow;
};

class WindowActions final : public WindowOperations {
public:
    explicit WindowActions(WindowActionServices services) : services_(services) {}

    void CloseForegroundWindow() override;
    void MaximizeForegroundWindow() override;
    void MinimizeForegroundWindow() override;
    void RestoreForegroundWindow() override;
    void EjectCD() override;
    void RefreshDesktop() override;
    void StartScreenSaver() override;
    void OpenShutdownDialog() override;

private:
    WindowActionServices services_;
};

// The shell's desktop window, found by its class: the one with the title the
// program has always looked for (three blanks) where there is one, else the
// one with any title (the shell's own is "Program Manager"); 0 for none.
platform::WindowId FindDesktopWindow(platform::WindowSystem& windows);

}  // namespace keytide
