#pragma once
// The Win32 implementations of the platform seam.
#include <windows.h>

#include <string>

#include "platform/FileSystem.h"
#include "platform/Hotkeys.h"
#include "platform/UserMessages.h"

namespace keytide::win32 {

class Win32FileSystem final : public platform::FileSystem {
public:
    platform::FileRead ReadFile(const std::string& path, std::size_t maxSize) const override;
    std::optional<platform::FileAttributes> Attributes(const std::string& path) const override;
    bool WriteReplacing(const std::string& path, std::string_view bytes) override;
    bool WriteInPlace(const std::string& path, std::string_view bytes) override;
    bool FileExists(const std::string& path) const override;
};

class Win32UserMessages final : public platform::UserMessages {
public:
    void ShowError(std::string_view caption, std::string_view text) override;
};

// Hot keys registered on one window (the program's message window).
class Win32Hotkeys final : public platform::Hotkeys {
public:
    void SetWindow(HWND window) { window_ = window; }
    int AtomForName(const char* name) override;
    void DeleteAtom(int atom) override;
    bool Register(int id, std::uint32_t virtualKey) override;
    bool Unregister(int id) override;

private:
    HWND window_ = nullptr;
};

// Full path of the running executable, in UTF-8.
std::string ExecutablePath();

}  // namespace keytide::win32
