#include "platform/win32/Win32Session.h"

#include <windows.h>

#include "platform/win32/UniqueHandle.h"

namespace keytide::win32 {

namespace {

// A privilege that the token lacks is not granted, yet the adjustment
// succeeds: the request itself then fails or not.
bool EnableShutdownPrivilege() {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened)) return false;
    const UniqueKernelHandle token(opened);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) return false;
    return AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr) != FALSE;
}

}  // namespace

bool Win32SessionControl::Request(platform::SessionRequest request) {
    using platform::SessionRequest;
    if (request == SessionRequest::LogOff) return ExitWindowsEx(EWX_LOGOFF, 0) != FALSE;
    if (!EnableShutdownPrivilege()) return false;
    switch (request) {
    case SessionRequest::ShutDown:
        return ExitWindowsEx(EWX_SHUTDOWN, 0) != FALSE;  // shut down without powering off
    case SessionRequest::Restart:
        return ExitWindowsEx(EWX_REBOOT, 0) != FALSE;
    case SessionRequest::Suspend:
        return SetSystemPowerState(TRUE, FALSE) != FALSE;
    case SessionRequest::LogOff:
        break;
    }
    return false;
}

}  // namespace keytide::win32
