#include "actions/PowerActions.h"

namespace keytide {

namespace {
constexpr std::uint32_t kEwxLogOff = 0;
constexpr std::uint32_t kWmSysCommand = 0x0112;
constexpr std::uintptr_t kScClose = 0xF060;
// The shell answers a close command to its taskbar with its shut-down dialog.
constexpr char kTaskbarClass[] = "Shell_TrayWnd";
}  // namespace

void PowerActions::LogOff() { (void)power_.ExitWindowsEx(kEwxLogOff, 0); }

void PowerActions::OpenShutdownDialog() {
    windows_.Post(windows_.FindTopWindow(kTaskbarClass, nullptr), kWmSysCommand, kScClose, 0);
}

void PowerActions::RequestPower(PowerAction action) {
    (void)request_.Execute(action);  // a refused request goes unreported
}

}  // namespace keytide
