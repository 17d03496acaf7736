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

// The mark (dwExtraInfo) on the key presses the program makes itself: a hook
// or window that sees one can tell it from a press of the user's.
inline constexpr unsigned long kOwnInputMark = 0x4B545944;  // "KTYD"

// The keyboard's media keys: every current player follows them through the
// system's media session.
enum class MediaKey : std::uint8_t { PlayPause, NextTrack, PreviousTrack, Stop };

class MediaKeys {
public:
    virtual ~MediaKeys() = default;
    // One press and release, marked as the program's own input so that
    // nothing takes it for a press of the user's.
    virtual void Tap(MediaKey key) = 0;
};

}  // namespace keytide::platform
