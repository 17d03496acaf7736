#include "platform/win32/Win32Power.h"

#include <windows.h>

namespace keytide::win32 {

namespace {
HANDLE ToHandle(platform::KernelHandle handle) { return reinterpret_cast<HANDLE>(handle); }
platform::KernelHandle ToKernelHandle(HANDLE handle) { return reinterpret_cast<platform::KernelHandle>(handle); }

// One privilege with its attributes: the 16-byte buffer the request is made with.
static_assert(sizeof(TOKEN_PRIVILEGES) == 16);
}  // namespace

std::uint32_t Win32PowerSystem::PlatformId() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return 0;
    return version.dwPlatformId;
}

std::uint32_t Win32PowerSystem::CurrentProcessId() { return GetCurrentProcessId(); }

platform::KernelHandle Win32PowerSystem::OpenProcess(std::uint32_t access, bool inheritHandle,
                                                     std::uint32_t processId) {
    return ToKernelHandle(::OpenProcess(access, inheritHandle ? TRUE : FALSE, processId));
}

platform::KernelHandle Win32PowerSystem::OpenProcessToken(platform::KernelHandle process, std::uint32_t access) {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(ToHandle(process), access, &token)) return 0;
    return ToKernelHandle(token);
}

std::optional<std::uint64_t> Win32PowerSystem::LookupPrivilege(const std::string& systemName,
                                                               const std::string& privilegeName) {
    LUID luid{};
    if (!LookupPrivilegeValueA(systemName.c_str(), privilegeName.c_str(), &luid)) return std::nullopt;
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(luid.HighPart)) << 32) | luid.LowPart;
}

bool Win32PowerSystem::AdjustTokenPrivilege(platform::KernelHandle token, std::uint64_t privilege,
                                            std::uint32_t attributes) {
    TOKEN_PRIVILEGES newState{};
    newState.PrivilegeCount = 1;
    newState.Privileges[0].Luid.LowPart = static_cast<DWORD>(privilege & 0xFFFFFFFFu);
    newState.Privileges[0].Luid.HighPart = static_cast<LONG>(privilege >> 32);
    newState.Privileges[0].Attributes = attributes;
    TOKEN_PRIVILEGES previousState{};
    DWORD returnedLength = 0;
    return ::AdjustTokenPrivileges(ToHandle(token), FALSE, &newState, sizeof newState, &previousState,
                                   &returnedLength) != FALSE;
}

void Win32PowerSystem::CloseHandle(platform::KernelHandle handle) { ::CloseHandle(ToHandle(handle)); }

bool Win32PowerSystem::ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
    return ::ExitWindowsEx(flags, reserved) != FALSE;
}

bool Win32PowerSystem::SetSystemPowerState(bool suspend, bool force) {
    return ::SetSystemPowerState(suspend ? TRUE : FALSE, force ? TRUE : FALSE) != FALSE;
}

}  // namespace keytide::win32
