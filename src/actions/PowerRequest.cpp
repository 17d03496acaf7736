#include "actions/PowerRequest.h"

#include <utility>

namespace keytide {

namespace {

constexpr std::uint32_t kProcessAllAccess = 0x001F0FFF;
constexpr std::uint32_t kTokenAdjustPrivileges = 0x20;
constexpr std::uint32_t kTokenQuery = 0x08;
constexpr std::uint32_t kSePrivilegeEnabled = 2;
constexpr char kShutdownPrivilege[] = "SeShutdownPrivilege";

constexpr std::uint32_t kEwxShutdown = 1;
constexpr std::uint32_t kEwxReboot = 2;

// Closes a process or token handle at the end of its scope.
class ScopedKernelHandle {
public:
    ScopedKernelHandle(platform::PowerSystem& power, platform::KernelHandle handle) : power_(power), handle_(handle) {}
    ScopedKernelHandle(const ScopedKernelHandle&) = delete;
    ScopedKernelHandle& operator=(const ScopedKernelHandle&) = delete;
    ~ScopedKernelHandle() { reset(); }

    platform::KernelHandle get() const { return handle_; }
    void reset() {
        if (handle_ != 0) power_.CloseHandle(std::exchange(handle_, 0));
    }

private:
    platform::PowerSystem& power_;
    platform::KernelHandle handle_;
};

}  // namespace

bool PowerRequest::Execute(PowerAction action) {
    if (power_.PlatformId() == platform::kPlatformWin32Nt && !EnableShutdownPrivilege()) return false;
    switch (action) {
    case PowerAction::ShutDown:
        return power_.ExitWindowsEx(kEwxShutdown, 0);  // shut down without powering off
    case PowerAction::Restart:
        return power_.ExitWindowsEx(kEwxReboot, 0);
    case PowerAction::Suspend:
        return power_.SetSystemPowerState(true, false);
    }
    return false;
}

bool PowerRequest::EnableShutdownPrivilege() {
    platform::KernelHandle openedToken = 0;
    {
        const ScopedKernelHandle process(power_,
                                         power_.OpenProcess(kProcessAllAccess, true, power_.CurrentProcessId()));
        if (process.get() != 0) {
            openedToken = power_.OpenProcessToken(process.get(), kTokenAdjustPrivileges | kTokenQuery);
        }
    }  // the process handle is closed whether or not the token could be opened
    if (openedToken == 0) return false;

    ScopedKernelHandle token(power_, openedToken);
    const auto privilege = power_.LookupPrivilege("", kShutdownPrivilege);
    if (!privilege) return false;
    const bool adjusted = power_.AdjustTokenPrivilege(token.get(), *privilege, kSePrivilegeEnabled);
    token.reset();
    // Success without the privilege having been granted counts as success:
    // the request itself then fails or not.
    return adjusted;
}


}  // namespace keytide
