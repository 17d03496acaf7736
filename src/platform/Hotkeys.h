#pragma once
// System-wide hot keys, and the keyboard's lock keys.
#include <cstdint>
#include <optional>

namespace keytide::platform {

class Hotkeys {
public:
    virtual ~Hotkeys() = default;

    // The global atom of name: the same value every time the same name is
    // added; each add is one more use of it.
    virtual int AtomForName(const char* name) = 0;

    // Gives back one use of an atom that AtomForName gave; the system deletes
    // the atom with its last use.
    virtual void DeleteAtom(int atom) = 0;

    // Grabs the bare key (no modifiers) for the program under id; false when
    // the system refuses (already registered, or held by another program).
    virtual bool Register(int id, std::uint32_t virtualKey) = 0;

    // Releases the grab; false when none was held (and then nothing happens).
    virtual bool Unregister(int id) = 0;
};

// Whether a key is down at this moment on the keyboard itself, not as the
// messages read so far have it: a hot key tells of presses, never of releases.
class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool IsDown(std::uint32_t virtualKey) = 0;
};

enum class LockKey : std::uint8_t { NumLock, ScrollLock };

// The lock keys as every program sees them.
class LockKeyboard {
public:
    virtual ~LockKeyboard() = default;

    // The key's toggle state (its light); nothing where it cannot be read.
    virtual std::optional<bool> IsOn(LockKey key) = 0;

    // One synthetic press and release of the key, which toggles it as a
    // typed one does, also while a press of it is still held; false when the
    // system did not take it.
    virtual bool Tap(LockKey key) = 0;
};

}  // namespace keytide::platform
