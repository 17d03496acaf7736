#include "actions/Dispatcher.h"

#include "actions/ActionCatalog.h"

namespace keytide {

namespace {

constexpr char kAddRemoveProgramsCommand[] = "rundll32.exe shell32.dll,Control_RunDLL Appwiz.cpl";
constexpr char kDisplayPropertiesCommand[] = "rundll32.exe shell32.dll,Control_RunDLL Desk.cpl";
constexpr char kSystemPropertiesCommand[] = "rundll32.exe shell32.dll,Control_RunDLL Sysdm.cpl";

bool IsKind(const TNumPadKey& key, ActionKind kind) { return key.SelectedFunction == static_cast<std::int32_t>(kind); }

}  // namespace

bool CarriesVolumeAction(const TNumPadKey& key) {
    return IsKind(key, ActionKind::PredefinedAction) &&
           (key.Action == action::kVolumeDown || key.Action == action::kVolumeUp);
}

Dispatcher::Dispatcher(DispatchServices services, const MainController& model, OsdCounters& counters)
    : services_(services), model_(model), counters_(counters) {}

void Dispatcher::DispatchSlot(int slot) {
    if (!IsSlot(slot)) return;
    const TNumPadKey& key = model_.NumPadKeys()[slot];

    switch (key.SelectedFunction) {
    case static_cast<std::int32_t>(ActionKind::PredefinedAction):
        RunImmediateAction(key);
        break;
    case static_cast<std::int32_t>(ActionKind::RunFile):
        services_.launch.RunFile(key.FileName);
        break;
    case static_cast<std::int32_t>(ActionKind::GoToAddress):
        services_.launch.OpenAddress(key.GoToAdress);
        break;
    default:
        break;  // an unknown kind carries out nothing; the label still shows
    }

    // The flags are read at the moment of use: a modal box opened by the action
    // lets the user change them meanwhile.
    if (model_.IsOsdEnabled() && (slot != counters_.LastOSDSlot || !services_.osd.IsTextWindowVisible())) {
        services_.osd.ShowLabel(key.OSDLabel);
    }
    if (model_.IsOsdEnabled() && CarriesVolumeAction(key)) {
        services_.osd.ShowVolumeBar();
    } else {
        services_.osd.HideVolumeBar();
    }

    if (IsKind(key, ActionKind::PredefinedAction)) RunDeferredAction(key);

    counters_.OSDTicks = 0;
    counters_.LastOSDSlot = slot;
}

void Dispatcher::RunImmediateAction(const TNumPadKey& key) {
    LaunchOperations& launch = services_.launch;
    WindowOperations& windows = services_.windows;
    WinampOperations& winamp = services_.winamp;
    switch (key.Action) {
    case action::kClose: windows.CloseForegroundWindow(); break;
    case action::kMaximize: windows.MaximizeForegroundWindow(); break;
    case action::kMinimize: windows.MinimizeForegroundWindow(); break;
    case action::kRestore: windows.RestoreForegroundWindow(); break;
    case action::kEjectCD: windows.EjectCD(); break;
    case action::kCalculator: launch.ToggleCalculator(); break;
    case action::kMail: launch.RunFile(launch.ReadShellOpenCommand("mailto")); break;
    case action::kBrowser: launch.RunFile(launch.ReadShellOpenCommand("http")); break;
    case action::kRunDialog: launch.WinKeyChord('R'); break;
    case action::kExplorer: launch.WinKeyChord('E'); break;
    case action::kLogOff: services_.power.LogOff(); break;
    case action::kMinimizeAll: launch.WinKeyChord('D'); break;
    case action::kMute: services_.volume.ToggleMute(); break;
    case action::kAddRemovePrograms: launch.RunControlPanelApplet(kAddRemoveProgramsCommand); break;
    case action::kDisplayProperties: launch.RunControlPanelApplet(kDisplayPropertiesCommand); break;
    case action::kSystemProperties: launch.RunControlPanelApplet(kSystemPropertiesCommand); break;
    case action::kRefreshDesktop: windows.RefreshDesktop(); break;
    case action::kRestart: services_.power.ExecuteShutdown(TabfShutdownActionType::aatReboot); break;
    case action::kShutDown: services_.power.ExecuteShutdown(TabfShutdownActionType::aatShutdown); break;
    case action::kFindFile: launch.WinKeyChord('F'); break;
    case action::kVolumeDown: services_.volume.VolumeDown(); break;
    case action::kVolumeUp: services_.volume.VolumeUp(); break;
    case action::kWinampBackward: winamp.StepBackward(); break;
    case action::kWinampForward: winamp.StepForward(); break;
    case action::kWinampNext: winamp.NextTrack(); break;
    case action::kWinampPlayPause:
        if (!winamp.Started()) winamp.SetStarted(true);
        winamp.SetPlayState(winamp.PlayState() == TPlayState::psPlay ? TPlayState::psPause : TPlayState::psPlay);
        break;
    case action::kWinampPrevious: winamp.PreviousTrack(); break;
    case action::kWinampStop: winamp.SetPlayState(TPlayState::psStop); break;
    case action::kSuspend: services_.power.ExecuteShutdown(TabfShutdownActionType::aatSuspend); break;
    default: break;  // the deferred actions, and indices that name no action
    }
}

void Dispatcher::RunDeferredAction(const TNumPadKey& key) {
    if (key.Action == action::kScreenSaver) services_.windows.StartScreenSaver();
    if (key.Action == action::kShutdownDialog) services_.power.OpenShutdownDialog();
}

}  // namespace keytide
