#pragma once
// The system calls behind the power actions: the shutdown privilege of the
// program's own process, the log-off/shut-down request and the suspend
// request, and the platform family that decides whether privileges exist.
#include <cstdint>
#include <optional>
#include <string>

namespace keytide::platform {

// A kernel handle (process or access token) as a number; 0 is none.
using KernelHandle = std::uintptr_t;

// The platform identifier of the family that has privileges (Windows NT).
inline constexpr std::uint32_t kPlatformWin32Nt = 2;

class PowerSystem {
public:
    virtual ~PowerSystem() = default;

    virtual std::uint32_t PlatformId() = 0;
    virtual std::uint32_t CurrentProcessId() = 0;
    // 0 when the process cannot be opened.
    virtual KernelHandle OpenProcess(std::uint32_t access, bool inheritHandle, std::uint32_t processId) = 0;
    // 0 when the token cannot be opened.
    virtual KernelHandle OpenProcessToken(KernelHandle process, std::uint32_t access) = 0;
    // The locally unique identifier of a privilege; nothing when the lookup fails.
    virtual std::optional<std::uint64_t> LookupPrivilege(const std::string& systemName,
                                                         const std::string& privilegeName) = 0;
    // Sets one privilege's attributes in the token (disable-all false, the
    // previous state taken into a buffer and never restored).
    virtual bool AdjustTokenPrivilege(KernelHandle token, std::uint64_t privilege, std::uint32_t attributes) = 0;
    virtual void CloseHandle(KernelHandle handle) = 0;

    // True when the system accepted the request.
    virtual bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) = 0;
    virtual bool SetSystemPowerState(bool suspend, bool force) = 0;
};

}  // namespace keytide::platform
