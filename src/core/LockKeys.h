#pragma once
// Num Lock and Scroll Lock as the program wants them. A lock key is changed
// the way a user changes it, by a synthetic press and release, and only when
// the system's toggle state differs from the wanted one. The program holds a
// hot key on Scroll Lock (and on Num Lock while it forces it on), so its grab
// of the key is released around the press: the system then takes the press
// instead of handing it back as the program's hot key, and no press of the
// program's own can toggle the program. Should one come back all the same, it
// is recognised and changes nothing, so no toggle loop can start. The
// program's record of each state stands in where the system's cannot be read,
// and after a press of the user's that came as the hot key, which the
// thread's view of the keyboard never saw.
#include <array>
#include <optional>

#include "platform/Hotkeys.h"

namespace keytide {

class LockKeys {
public:
    LockKeys(platform::LockKeyboard& keyboard, platform::Hotkeys& hotkeys) : keyboard_(keyboard), hotkeys_(hotkeys) {}

    // What the program last made of the key; off before anything.
    bool IsOn(platform::LockKey key) const;

    // Brings the key to `on`. grabId is the program's hot key on the key (0:
    // none yet).
    void Set(platform::LockKey key, bool on, int grabId);

    // The Scroll Lock hot key arrived. False for the program's own synthetic
    // press coming back, which changes nothing. Otherwise a press of the
    // user's: the program's Scroll Lock state flips, the system's is brought
    // in line, and the result is true.
    bool TakeScrollLockPress(int grabId);

    // The Num Lock hot key arrived while the program holds the key on. A
    // press of the user's has switched it off and is undone; the program's
    // own press coming back changes nothing.
    void UndoNumLockPress(int grabId);

private:
    struct Record {
        std::optional<bool> on;    // what the program last made of the key
        bool ownPressOut = false;  // a synthetic press of ours may still come back
    };

    Record& RecordOf(platform::LockKey key) { return records_[static_cast<std::size_t>(key)]; }
    bool Tap(platform::LockKey key, int grabId);
    bool OwnPressCameBack(platform::LockKey key, std::optional<bool> system);

    platform::LockKeyboard& keyboard_;
    platform::Hotkeys& hotkeys_;
    std::array<Record, 2> records_{};
};

}  // namespace keytide
