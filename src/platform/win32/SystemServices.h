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

// Hot keys registered on one window (the main window).
class Win32Hotkeys final : public platform::Hotkeys {
public:
    void SetWindow(HWND window) { window_ = window; }
    int AtomForName(const char* name) override;
    bool Register(int id, std::uint32_t virtualKey) override;
    void Unregister(int id) override;

private:
    HWND window_ = nullptr;
};

// SetKeyboardState changes only this thread's view of the keys on the NT
// family (and on Wine, which resyncs that view from the desktop's state at the
// next read), so the lock-key entries this program last wrote are remembered
// and read back from here: Scroll Lock then toggles on every press as intended.
class Win32KeyboardState final : public platform::KeyboardState {
public:
    platform::KeyboardStateTable Read() override;
    void Write(const platform::KeyboardStateTable& table) override;

private:
    std::optional<std::uint8_t> scrollLock_;
    std::optional<std::uint8_t> numLock_;
};

// Full path of the running executable, in UTF-8.
std::string ExecutablePath();

}  // namespace keytide::win32
