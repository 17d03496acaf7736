#pragma once
#include "platform/Power.h"

namespace keytide::win32 {

class Win32PowerSystem final : public platform::PowerSystem {
public:
    std::uint32_t PlatformId() override;
    std::uint32_t CurrentProcessId() override;
    platform::KernelHandle OpenProcess(std::uint32_t access, bool inheritHandle, std::uint32_t processId) override;
    platform::KernelHandle OpenProcessToken(platform::KernelHandle process, std::uint32_t access) override;
    std::optional<std::uint64_t> LookupPrivilege(const std::string& systemName,
                                                 const std::string& privilegeName) override;
    bool AdjustTokenPrivilege(platform::KernelHandle token, std::uint64_t privilege, std::uint32_t attributes) override;
    void CloseHandle(platform::KernelHandle handle) override;
    bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override;
    bool SetSystemPowerState(bool suspend, bool force) override;
};

}  // namespace keytide::win32
