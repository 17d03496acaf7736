#include "actions/Dispatcher.h"

#include "model/ActionCatalog.h"

namespace keytide {

namespace {

constexpr char kAddRemoveProgramsCommand[] = "rundll32.exe shell32.dll,Control_RunDLL Appwiz.cpl";
constexpr char kDisplayPropertiesCommand[] = "rundll32.exe shell32.dll,Control_RunDLL Desk.cpl";
constexpr char kSystemPropertiesCommand[] = "rundll32.exe shell32.dll,Control_RunDLL Sysdm.cpl";

}  // namespace

bool CarriesVolumeAction(const KeyAssignment& key) {
    return key.kind == AssignmentKind::Action &&
           (key.actionIndex == action::kVolumeDown || key.actionIndex == action::kVolumeUp);
}

void Dispatcher::Dispatch(int slot, const KeyAssignment& key, bool osdEnabled) {
    // An unknown kind carries out nothing; the label still shows.
    if (const std::optional<AssignmentKind> kind = key.kind.Known()) {
        switch (*kind) {
        case AssignmentKind::Action:
            RunImmediateAction(key);
            break;
        case AssignmentKind::RunFile:
            services_.launch.RunFile(key.fileName);
            break;
        case AssignmentKind::GoToAddress:
            services_.launch.OpenAddress(key.address);
            break;
        }
    }

    if (osdEnabled) services_.osd.ShowKeyLabel(slot, key.osdLabel);
    if (osdEnabled && CarriesVolumeAction(key)) {
        services_.osd.ShowVolumeBar();
    } else {
        services_.osd.HideVolumeBar();
    }

    if (key.kind == AssignmentKind::Action) RunDeferredAction(key);

    services_.osd.KeyDone(slot);
}

void Dispatcher::RunImmediateAction(const KeyAssignment& key) {
    LaunchOperations& launch = services_.launch;
    WindowOperations& windows = services_.windows;
    PlayerKeys& player = services_.player;
    switch (key.actionIndex) {
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
    case action::kLogOff: RequestSession(platform::SessionRequest::LogOff); break;
    case action::kMinimizeAll: launch.WinKeyChord('D'); break;
    case action::kMute: services_.volume.ToggleMute(); break;
    case action::kAddRemovePrograms: launch.RunControlPanelApplet(kAddRemoveProgramsCommand); break;
    case action::kDisplayProperties: launch.RunControlPanelApplet(kDisplayPropertiesCommand); break;
    case action::kSystemProperties: launch.RunControlPanelApplet(kSystemPropertiesCommand); break;
    case action::kRefreshDesktop: windows.RefreshDesktop(); break;
    case action::kRestart: RequestSession(platform::SessionRequest::Restart); break;
    case action::kShutDown: RequestSession(platform::SessionRequest::ShutDown); break;
    case action::kFindFile: launch.FindFiles(); break;
    case action::kVolumeDown: services_.volume.VolumeDown(); break;
    case action::kVolumeUp: services_.volume.VolumeUp(); break;
    case action::kWinampBackward: player.Press(PlayerKey::Backward); break;
    case action::kWinampForward: player.Press(PlayerKey::Forward); break;
    case action::kMediaNext: player.Press(PlayerKey::Next); break;
    case action::kMediaPlayPause: player.Press(PlayerKey::PlayPause); break;
    case action::kMediaPrevious: player.Press(PlayerKey::Previous); break;
    case action::kMediaStop: player.Press(PlayerKey::Stop); break;
    case action::kSuspend: RequestSession(platform::SessionRequest::Suspend); break;
    default: break;  // the deferred actions, and indices that name no action
    }
}

void Dispatcher::RequestSession(platform::SessionRequest request) {
    (void)services_.session.Request(request);  // a refused request goes unreported
}

void Dispatcher::RunDeferredAction(const KeyAssignment& key) {
    if (key.actionIndex == action::kScreenSaver) services_.windows.StartScreenSaver();
    if (key.actionIndex == action::kShutdownDialog) services_.windows.OpenShutdownDialog();
}

}  // namespace keytide
