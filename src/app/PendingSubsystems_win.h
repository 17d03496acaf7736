#pragma once
// Subsystems whose Win32 side is still being built. Each class is removed when
// its real implementation is wired into the program; nothing here is final.
#include "actions/PowerOperations.h"
#include "actions/WindowOperations.h"
#include "core/ControllerPorts.h"
#include "media/MasterVolume.h"
#include "media/WinampOperations.h"
#include "osd/OsdDisplay.h"

namespace keytide::win32 {

class PendingWindowOperations final : public WindowOperations {
public:
    void CloseForegroundWindow() override {}
    void MaximizeForegroundWindow() override {}
    void MinimizeForegroundWindow() override {}
    void RestoreForegroundWindow() override {}
    void EjectCD() override {}
    void RefreshDesktop() override {}
    void StartScreenSaver() override {}
};

class PendingPowerOperations final : public PowerOperations {
public:
    void LogOff() override {}
    void OpenShutdownDialog() override {}
    void ExecuteShutdown(TabfShutdownActionType) override {}
};

class PendingMasterVolume final : public MasterVolume {
public:
    void ToggleMute() override {}
    void VolumeDown() override {}
    void VolumeUp() override {}
    LineVolume ReadMasterVolume() override { return {}; }
};

class PendingWinamp final : public WinampOperations {
public:
    bool Started() override { return false; }
    void SetStarted(bool) override {}
    TPlayState PlayState() override { return TPlayState::psStop; }
    void SetPlayState(TPlayState) override {}
    void StepBackward() override {}
    void StepForward() override {}
    void NextTrack() override {}
    void PreviousTrack() override {}
};

class PendingOsdDisplay final : public OsdDisplay {
public:
    bool IsTextWindowVisible() const override { return false; }
    void ShowLabel(const std::string&) override {}
    void ShowVolumeBar() override {}
    void HideVolumeBar() override {}
};

// The settings dialog's font list and settings load, and the welcome screen.
class PendingStartupSteps final : public StartupSteps {
public:
    void FillFontList() override {}
    void LoadSettings() override {}
    void ShowWelcomeScreen() override {}
    void HideWelcomeScreen() override {}
};

}  // namespace keytide::win32
