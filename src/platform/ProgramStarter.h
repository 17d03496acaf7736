#pragma once
// Starting programs, documents and addresses, and synthetic key input.
#include <cstdint>
#include <string>

namespace keytide::platform {

// How a started program's first window is shown.
enum class ShowState { Normal };

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Opens with the default verb, no parameters, no working directory, shown.
    virtual void ShellOpen(const std::string& file) = 0;
    // Starts a command line; whether it started is not looked at.
    virtual void StartProgram(const std::string& commandLine, ShowState show) = 0;
};

class KeyInput {
public:
    virtual ~KeyInput() = default;
    // One synthetic key event each, by virtual-key code.
    virtual void Press(std::uint8_t virtualKey) = 0;
    virtual void Release(std::uint8_t virtualKey) = 0;
};

}  // namespace keytide::platform
