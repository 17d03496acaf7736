#pragma once
// Starting programs, documents and addresses, and synthetic key input.
#include <cstdint>
#include <string>

namespace keytide::platform {

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Opens with the default verb, no parameters, no working directory, SW_SHOW.
    virtual void ShellOpen(const std::string& file) = 0;
    // Starts a command line with a show state; the result is not used.
    virtual void WinExec(const std::string& commandLine, int showCommand) = 0;
};

class KeyInput {
public:
    virtual ~KeyInput() = default;
    // One synthetic key event: flags 0 for a press, 2 (KEYEVENTF_KEYUP) for a release.
    virtual void KeyEvent(std::uint8_t virtualKey, std::uint32_t flags) = 0;
};

}  // namespace keytide::platform
