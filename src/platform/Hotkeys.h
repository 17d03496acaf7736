#pragma once
// System-wide hot keys on the main window, and the keyboard's toggle states.
#include <array>
#include <cstdint>

namespace keytide::platform {

class Hotkeys {
public:
    virtual ~Hotkeys() = default;

    // The global atom of name: the same value every time the same name is added.
    virtual int AtomForName(const char* name) = 0;

    // Grabs the bare key (no modifiers) for the main window under id; false when
    // the system refuses (already registered, or held by another program).
    virtual bool Register(int id, std::uint32_t virtualKey) = 0;

    // Releases the grab; releasing one that is not held does nothing.
    virtual void Unregister(int id) = 0;
};

using KeyboardStateTable = std::array<std::uint8_t, 256>;

class KeyboardState {
public:
    virtual ~KeyboardState() = default;

    // The 256-entry table indexed by virtual-key code; the low bit of an entry
    // is the key's toggle state.
    virtual KeyboardStateTable Read() = 0;

    // Writing the table back sets the toggle states and the keyboard lights.
    virtual void Write(const KeyboardStateTable& table) = 0;
};

}  // namespace keytide::platform
