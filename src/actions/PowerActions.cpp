#include "actions/PowerActions.h"

namespace keytide {

namespace {
constexpr std::uint32_t kEwxLogOff = 0;
// The shell answers a close command to its taskbar with its shut-down dialog.
constexpr char kTaskbarClass[] = "Shell_TrayWnd";
}  // namespace

void PowerActions::LogOff() { (void)power_.ExitWindowsEx(kEwxLogOff, 0); }

void PowerActions::OpenShutdownDialog() {
    windows_.RequestClose(windows_.FindTopWindow(kTaskbarClass, nullptr));
}

void PowerActions::RequestPower(PowerAction action) {
    (void)request_.Execute(action);  // a refused request goes unreported
}

}  // namespace keytide
