#pragma once
// Double of the power seam: every call is logged as a readable line; each
// step of the privilege road can be made to fail, and open handles are
// counted so that tests can see every one closed again.
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "platform/Power.h"

namespace keytide::fakes {

class FakePowerSystem : public platform::PowerSystem {
public:
    std::uint32_t platformId = platform::kPlatformWin32Nt;
    bool processFails = false;
    bool tokenFails = false;
    bool lookupFails = false;
    bool adjustFails = false;
    bool requestAccepted = true;
    static constexpr std::uint32_t kProcessId = 4242;
    static constexpr std::uint64_t kShutdownLuid = 0x1300000013ull;

    std::vector<std::string> log;
    std::set<platform::KernelHandle> openHandles;

    std::uint32_t PlatformId() override { return platformId; }
    std::uint32_t CurrentProcessId() override { return kProcessId; }
    platform::KernelHandle OpenProcess(std::uint32_t access, bool inheritHandle, std::uint32_t processId) override {
        log.push_back("OpenProcess " + Hex(access) + (inheritHandle ? " inherit " : " private ") +
                      std::to_string(processId));
        return processFails ? 0 : Open();
    }
    platform::KernelHandle OpenProcessToken(platform::KernelHandle process, std::uint32_t access) override {
        log.push_back("OpenProcessToken " + std::to_string(process) + " " + Hex(access));
        return tokenFails ? 0 : Open();
    }
    std::optional<std::uint64_t> LookupPrivilege(const std::string& systemName,
                                                 const std::string& privilegeName) override {
        log.push_back("LookupPrivilege '" + systemName + "' " + privilegeName);
        if (lookupFails) return std::nullopt;
        return kShutdownLuid;
    }
    bool AdjustTokenPrivilege(platform::KernelHandle token, std::uint64_t privilege,
                              std::uint32_t attributes) override {
        log.push_back("AdjustTokenPrivilege " + std::to_string(token) + " " + Hex(privilege) + " " +
                      std::to_string(attributes));
        return !adjustFails;
    }
    void CloseHandle(platform::KernelHandle handle) override {
        log.push_back("CloseHandle " + std::to_string(handle));
        openHandles.erase(handle);
    }
    bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override {
        log.push_back("ExitWindowsEx " + std::to_string(flags) + " " + std::to_string(reserved));
        return requestAccepted;
    }
    bool SetSystemPowerState(bool suspend, bool force) override {
        log.push_back(std::string("SetSystemPowerState suspend=") + (suspend ? "1" : "0") +
                      " force=" + (force ? "1" : "0"));
        return requestAccepted;
    }

    // The log without the privilege road: only the requests.
    std::vector<std::string> Requests() const {
        std::vector<std::string> requests;
        for (const auto& line : log) {
            if (line.rfind("ExitWindowsEx", 0) == 0 || line.rfind("SetSystemPowerState", 0) == 0) {
                requests.push_back(line);
            }
        }
        return requests;
    }

private:
    platform::KernelHandle Open() {
        openHandles.insert(nextHandle_);
        return nextHandle_++;
    }
    template <typename Number>
    static std::string Hex(Number value) {
        char text[24];
        std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
        return text;
    }
    platform::KernelHandle nextHandle_ = 0x10;
};

}  // namespace keytide::fakes
