#pragma once
// Starting things outside the program. Everything is handed to the system and
// returns at once; the only check made here is the existence test of RunFile.
#include "actions/LaunchOperations.h"
#include "platform/FileSystem.h"
#include "platform/ProgramStarter.h"
#include "platform/Registry.h"
#include "platform/ShellAssociations.h"
#include "platform/SystemVersion.h"
#include "platform/UserMessages.h"
#include "platform/WindowSystem.h"

namespace keytide {

struct LauncherServices {
    platform::FileSystem& files;
    platform::UserMessages& messages;
    platform::ProgramStarter& starter;
    platform::Registry& registry;
    platform::WindowSystem& windows;
    platform::KeyInput& keys;
    platform::ShellAssociations& associations;
    platform::SystemVersion& system;
};

class Launcher final : public LaunchOperations {
public:
    explicit Launcher(LauncherServices services) : services_(services) {}

    void RunFile(const std::string& path) override;
    void OpenAddress(const std::string& address) override;
    std::string ReadShellOpenCommand(const std::string& protocol) override;
    void ToggleCalculator() override;
    void RunControlPanelApplet(const std::string& commandLine) override;
    void WinKeyChord(char letter) override;
    // The shell's file search: Windows + F where that still opens it, else a
    // search window of the shell.
    void FindFiles() override;

private:
    LauncherServices services_;
};

// The program path of a protocol's open command: the characters between the
// first character and the quote that closes a quoted path, or the last double
// quote when the command does not start with one ("" when there is nothing
// to cut).
std::string CutQuotedCommand(const std::string& command);

// The running calculator's window: the classic calculator's, the Windows 7
// calculator's, or the frame of today's calculator app (whatever its title);
// 0 when none runs.
platform::WindowId FindCalculator(platform::WindowSystem& windows);

// Whether Windows + F opens the shell's file search: up to Windows 8.1 it
// does; from Windows 10 on it opens the Feedback Hub. An unknown version
// keeps the key.
bool WindowsKeyFindsFiles(platform::WindowsVersion version);

// The address as opened: unchanged with an http:// or https:// scheme (any
// letter case), otherwise with "http://" put in front.
std::string AddressToOpen(const std::string& address);

}  // namespace keytide
