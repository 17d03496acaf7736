#pragma once
// Window and desktop actions: commands to the foreground window (whichever
// program owns it), the CD door, the desktop refresh and the screen saver.
// Nothing here waits for an effect or reports a failure.
#include "actions/WindowOperations.h"
#include "platform/Mci.h"
#include "platform/ProgramStarter.h"
#include "platform/ProgramWindows.h"
#include "platform/WindowSystem.h"

namespace keytide {

struct WindowActionServices {
    platform::WindowSystem& windows;
    platform::Mci& mci;
    platform::ProgramStarter& starter;
    platform::ProgramWindows& own;
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

private:
    WindowActionServices services_;
};

}  // namespace keytide
